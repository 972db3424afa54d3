// Both expression evaluators over a corpus of expressions and conditions
// typical of enemy, bullet and stage scripts, measured side by side.
// `per_eval` is the time of one evaluation; the game's compiled evaluator is
// meant to be at least 30 times faster than the rewriting reference.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "script/compiled_evaluator.h"
#include "script/expression_plain_owner.h"
#include "script/reference_evaluator.h"

namespace {

using namespace vuzed;

struct TCase {
  TEvaluatorKind Kind;
  bool Condition;
  std::string Text;
};

const std::vector<TCase>& Corpus() {
  static const std::vector<TCase> corpus{
      {TEvaluatorKind::Enemy, false, "GETANGLETOPLAYER+RANDOM(30)-15"},
      {TEvaluatorKind::Enemy, false, "COS(COUNT*3)*2.5"},
      {TEvaluatorKind::Enemy, false, "SIN(I*12)*R+GETSELFX"},
      {TEvaluatorKind::Enemy, false, "COS(I*12)*R+GETSELFY"},
      {TEvaluatorKind::Enemy, false, "(A+B)/2"},
      {TEvaluatorKind::Enemy, false, "I*36+COUNT*2"},
      {TEvaluatorKind::Enemy, false, "GETSELFX+COS(I*36+COUNT*2)*R*1.5"},
      {TEvaluatorKind::Enemy, false, "GETPLAYERX-GETSELFX"},
      {TEvaluatorKind::Enemy, false, "SPEED*0.98"},
      {TEvaluatorKind::Enemy, false, "-SIN(COUNT*4)*3"},
      {TEvaluatorKind::Enemy, false, "GETANGLETOPLAYERFLOMOBJECT(GETSELFX,GETSELFY)+I*10"},
      {TEvaluatorKind::Enemy, false, "3"},
      {TEvaluatorKind::Enemy, true, "COUNT%60=0"},
      {TEvaluatorKind::Enemy, true, "COUNT>=120"},
      {TEvaluatorKind::Enemy, true, "HP<100"},
      {TEvaluatorKind::Bullet, false, "GETANGLE+RSIN(COUNT*5)*2"},
      {TEvaluatorKind::Bullet, false, "COUNT/2"},
      {TEvaluatorKind::Bullet, true, "COUNT=30"},
      {TEvaluatorKind::Stage, true, "TIME=600"},
      {TEvaluatorKind::Stage, true, "TIME%60=0"},
      {TEvaluatorKind::Stage, false, "RANDOM(320)+64"},
  };
  return corpus;
}

TPlainExpressionOwner MakeOwner(TEvaluatorKind kind) {
  TPlainExpressionOwner owner(kind);
  for (const char* name : {"I", "R", "A", "B", "SPEED"}) SetVariable(owner.Vars, name, 0);
  SetVariable(owner.Vars, "I", 7);
  SetVariable(owner.Vars, "R", 48.5f);
  SetVariable(owner.Vars, "A", 3);
  SetVariable(owner.Vars, "B", 10);
  SetVariable(owner.Vars, "SPEED", 2.25f);
  SetVariable(owner.Globals, "STAGEFLAG", 1);
  owner.PlayerX = 320;
  owner.PlayerY = 400;
  owner.SelfX = 200;
  owner.SelfY = 120;
  owner.Count = 95;
  owner.Time = 1200;
  owner.Hp = 80;
  return owner;
}

template <typename Evaluator>
void RunCorpus(benchmark::State& state) {
  TPlainExpressionOwner owners[3] = {MakeOwner(TEvaluatorKind::Enemy), MakeOwner(TEvaluatorKind::Bullet),
                                     MakeOwner(TEvaluatorKind::Stage)};
  const Evaluator evaluators[3] = {Evaluator(TEvaluatorKind::Enemy), Evaluator(TEvaluatorKind::Bullet),
                                   Evaluator(TEvaluatorKind::Stage)};
  const std::vector<TCase>& corpus = Corpus();
  for (auto _ : state) {
    for (const TCase& c : corpus) {
      int k = int(c.Kind);
      if (c.Condition)
        benchmark::DoNotOptimize(evaluators[k].EvaluateCondition(owners[k], c.Text));
      else
        benchmark::DoNotOptimize(evaluators[k].Evaluate(owners[k], c.Text));
    }
  }
  state.counters["per_eval"] = benchmark::Counter(double(corpus.size()),
                                                  benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
}

void BM_ReferenceEvaluator(benchmark::State& state) { RunCorpus<TReferenceEvaluator>(state); }
void BM_CompiledEvaluator(benchmark::State& state) { RunCorpus<TCompiledEvaluator>(state); }

BENCHMARK(BM_ReferenceEvaluator);
BENCHMARK(BM_CompiledEvaluator);

}  // namespace
