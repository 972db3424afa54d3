#pragma once
// TScriptRun: the stage director. It loads the game at start-up (loading
// picture, settings file, picture and sound tables), compiles a stage when it
// starts, runs the stage's OPENING once and its MAIN every frame against the
// stage clock, and writes the settings file when it is freed.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/graphics/text_writer.h"
#include "game/stage_shared.h"
#include "objects/var_table.h"
#include "script/compiled_evaluator.h"
#include "script/compiler.h"
#include "script/expression.h"
#include "script/run_budget.h"
#include "script/script_errors.h"

namespace vuzed {

struct TGameContext;

class TScriptRun : public TExpressionOwner, public TStageShared {
 public:
  explicit TScriptRun(TGameContext& context);
  // Freeing the stage director writes the settings file.
  ~TScriptRun() override;

  // The start-up loader.
  void Initialize();
  // Compiles "data\Script\Stage" + type + ".txt" with the files it uses,
  // runs OPENING and starts the stage clock. A missing file leaves the
  // director as it was.
  void LoadStage(int32_t type);
  // One frame: MAIN (running), nothing (paused) or the dialogue step.
  void RunFrame();
  // One compiled line of a stage procedure; returns the next-line code.
  int32_t ExecLine(const TScriptLine& line);
  // The dialogue scenes' step, run instead of MAIN in modes 2 and 3.
  void RunNovel();
  void RunAdv();
  // Discards everything of the stage.
  void EndGame() override;
  // Writes the settings and records, only when the file exists.
  void SaveInformation();
  // Whether freeing the director writes the settings file. A replay being
  // watched turns it off: watching changes no settings and no records.
  bool SaveOnExit = true;

  // The stage evaluator over this director's names; malformed expressions
  // are reported at the line's place.
  float Evaluate(std::string_view text, const TSourcePlace& place);
  bool EvaluateCondition(const struct TLineCondition& condition, const TSourcePlace& place);

  // Names of stage expressions: LocalVars, TIME, GETPLAYERX, GETPLAYERY,
  // GlobalVars, TRUE/FALSE.
  bool GetValue(std::string_view name, float& value) const override;
  TNameScope NameScope() const override;
  TNameBinding BindName(std::string_view name) const override;
  float BuiltinValue(int32_t id) const override;
  float GetPlayerX() const override;
  float GetPlayerY() const override;
  uint32_t& RandomSeed() override;

  // The stage's mode, clock, procedures, variables and dialogue position
  // are the shared part (game/stage_shared.h); LocalVars is set with
  // SetLocalVars.
  bool FullScreen = false;
  // Dialogue text: a 16-glyph cache per bucket, 20-pixel cells.
  std::unique_ptr<TVZTextWriter> TextWriter;

 private:
  void ShowLoadingPicture(class TMXTexture& picture);
  // Runs a definition's lines from index 0 with its variables current
  // (the FOR pre-pass first). In OPENING, SETLOOP and SETSHOTMODE are
  // handled here.
  void RunProcedure(const TSecondStringList2& definition, bool opening);
  // Makes a procedure's variables current (null: none); every enemy and
  // bullet sees them too.
  void SetLocalVars(TVarTable* vars) {
    LocalVars = vars;
    SharedTablesAre(this, vars);
  }
  void CallProcedure(const TScriptLine& line);
  bool RunOpeningStatement(const TScriptLine& line);
  // ExecLine with the line already decoded (struct TStageLine in
  // stage_interpreter.cpp).
  int32_t ExecDecoded(const TScriptLine& line, const struct TStageLine& decoded);
  bool IntegerArgument(const TScriptLine& line, std::string_view text, int32_t& value);

  TGameContext& Context_;
  TCompiledEvaluator Evaluator_{TEvaluatorKind::Stage};
  TRunBudget Budget_;  // this frame's lines and call depth
};

}  // namespace vuzed
