// Both expression evaluators over the evaluations of script lines typical of
// enemy, bullet and stage scripts, measured side by side. `per_eval` is the
// time of one evaluation; the game's compiled evaluator is meant to be at
// least 30 times faster than the rewriting reference.

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

// The evaluations of typical script lines, argument by argument: each
// command line below is shown with the texts its interpreter evaluates (a
// command's arguments are evaluated one by one, literals included).
const std::vector<TCase>& Corpus() {
  constexpr auto E = TEvaluatorKind::Enemy;
  constexpr auto B = TEvaluatorKind::Bullet;
  constexpr auto S = TEvaluatorKind::Stage;
  static const std::vector<TCase> corpus{
      // IF COUNT%60=0(..)(..)
      {E, true, "COUNT%60=0"},
      // BU01(3,GETANGLETOPLAYER+RANDOM(30)-15,12);
      {E, false, "3"}, {E, false, "GETANGLETOPLAYER+RANDOM(30)-15"}, {E, false, "12"},
      // FOR(I,0,36)(..,..); the start at the frame's reset, the limit per pass
      {E, false, "0"}, {E, false, "36"},
      // BU02(GETSELFX+COS(I*36+COUNT*2)*R*1.5,COS(I*12)*R+GETSELFY,2.5,I*36+COUNT*2,55);
      {E, false, "GETSELFX+COS(I*36+COUNT*2)*R*1.5"}, {E, false, "COS(I*12)*R+GETSELFY"}, {E, false, "2.5"},
      {E, false, "I*36+COUNT*2"}, {E, false, "55"},
      // BU01(SPEED*0.98,SIN(I*12)*R+GETSELFX,30); MOVE(COS(COUNT*3)*2.5,90);
      {E, false, "SPEED*0.98"}, {E, false, "SIN(I*12)*R+GETSELFX"}, {E, false, "30"},
      {E, false, "COS(COUNT*3)*2.5"}, {E, false, "90"},
      // MOVETO(2,(A+B)/2,GETPLAYERX-GETSELFX); SETX(-SIN(COUNT*4)*3);
      {E, false, "2"}, {E, false, "(A+B)/2"}, {E, false, "GETPLAYERX-GETSELFX"}, {E, false, "-SIN(COUNT*4)*3"},
      // BU03(4,GETANGLETOPLAYERFLOMOBJECT(GETSELFX,GETSELFY)+I*10,400,70);
      {E, false, "4"}, {E, false, "GETANGLETOPLAYERFLOMOBJECT(GETSELFX,GETSELFY)+I*10"}, {E, false, "400"},
      {E, false, "70"},
      // IF COUNT>=120(..)(..)  IF HP<100(..)(..)
      {E, true, "COUNT>=120"}, {E, true, "HP<100"},
      // a scripted bullet: SETANGLE(GETANGLE+SIN(COUNT*5)*2); SETSPEED(COUNT/2); IF COUNT=30(..)(..)
      {B, false, "GETANGLE+SIN(COUNT*5)*2"}, {B, false, "COUNT/2"}, {B, true, "COUNT=30"},
      // the stage: IF TIME=600(..)(..)  IF TIME%60=0(..)(..)  X:=RANDOM(320)+64;
      {S, true, "TIME=600"}, {S, true, "TIME%60=0"}, {S, false, "RANDOM(320)+64"},
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

// The interpreters' way: each argument text compiled once, when its line is
// first met, and the compiled form evaluated every frame after that.
void BM_CompiledOnce(benchmark::State& state) {
  TPlainExpressionOwner owners[3] = {MakeOwner(TEvaluatorKind::Enemy), MakeOwner(TEvaluatorKind::Bullet),
                                     MakeOwner(TEvaluatorKind::Stage)};
  const TCompiledEvaluator evaluators[3] = {TCompiledEvaluator(TEvaluatorKind::Enemy),
                                            TCompiledEvaluator(TEvaluatorKind::Bullet),
                                            TCompiledEvaluator(TEvaluatorKind::Stage)};
  struct TPrepared {
    int Kind;
    TCompiledExpression Expression;
    TCompiledCondition Condition;
  };
  std::vector<TPrepared> prepared;
  for (const TCase& c : Corpus()) {
    int k = int(c.Kind);
    prepared.push_back({k, c.Condition ? TCompiledExpression() : evaluators[k].Compile(c.Text),
                        c.Condition ? evaluators[k].CompileCondition(c.Text) : TCompiledCondition()});
  }
  for (auto _ : state) {
    for (const TPrepared& p : prepared) {
      if (!p.Condition.Empty())
        benchmark::DoNotOptimize(evaluators[p.Kind].Run(p.Condition, owners[p.Kind]).Value);
      else
        benchmark::DoNotOptimize(evaluators[p.Kind].Run(p.Expression, owners[p.Kind]).Value);
    }
  }
  state.counters["per_eval"] = benchmark::Counter(double(prepared.size()),
                                                  benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
}

void BM_ReferenceEvaluator(benchmark::State& state) { RunCorpus<TReferenceEvaluator>(state); }
void BM_CompiledEvaluator(benchmark::State& state) { RunCorpus<TCompiledEvaluator>(state); }

BENCHMARK(BM_ReferenceEvaluator);
BENCHMARK(BM_CompiledEvaluator);
BENCHMARK(BM_CompiledOnce);

}  // namespace

// What counts here is the ratio of the rows, so by default their
// repetitions are interleaved: a busy moment of the machine falls on all of
// them alike. Flags given on the command line come later and win.
int main(int argc, char** argv) {
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  std::string repetitions = "--benchmark_repetitions=10";
  std::string aggregates = "--benchmark_report_aggregates_only=true";
  std::vector<char*> args(argv, argv + argc);
  args.insert(args.begin() + (argc > 0 ? 1 : 0), {interleave.data(), repetitions.data(), aggregates.data()});
  int count = int(args.size());
  benchmark::Initialize(&count, args.data());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
