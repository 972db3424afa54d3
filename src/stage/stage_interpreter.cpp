// The stage director's run-time half: running procedures, ExecLine with
// every stage command, procedure calls and the stage's expression names.

#include <cmath>

#include "back/background.h"
#include "back/texture_list.h"
#include "enemy/enemy.h"
#include "enemy/enemy_control.h"
#include "script/line_cache.h"
#include "objects/rounding.h"
#include "objects/string_helpers.h"
#include "player/player_control.h"
#include "script/expression_names.h"
#include "script/script_report_text.h"
#include "stage/script_run.h"
#include "game/game_context.h"
#include "state/state.h"

namespace vuzed {
namespace {

// The argument text: between the first "(" and the next ")".
std::string Arguments(std::string_view line) { return GetBetween(line, "(", ")", 1); }

enum class TStageCommand {
  Goto,
  If,
  CreateEnemy,
  CreateBoss,
  CreateTukaima,
  Assignment,
  NovelMode,
  AdvMode,
  StageTitle1,
  StageTitle2,
  SetMusic,
  BackGraphic1,
  BackGraphic2,
  BackGraphic3,
  CleanBullet,
  CleanEnemyWithoutBoss,
  CleanEnemy,
  StageAdjustment,
  SetMainCount,
};

// The stage commands in the order they are tested; the first prefix that
// matches decides. CLEANENEMYWITHOUTBOSS stands before CLEANENEMY, its
// prefix. The assignment is not a prefix: a line containing ":=".
struct TCommandEntry {
  std::string_view Prefix;
  TStageCommand Command;
};
constexpr TCommandEntry kStageCommands[] = {
    {"GOTO", TStageCommand::Goto},
    {"IF ", TStageCommand::If},
    {"CREATEENEMY(", TStageCommand::CreateEnemy},
    {"CREATEBOSS(", TStageCommand::CreateBoss},
    {"CREATETUKAIMA(", TStageCommand::CreateTukaima},
    {":=", TStageCommand::Assignment},
    {"NOVELMODE(", TStageCommand::NovelMode},
    {"ADVMODE(", TStageCommand::AdvMode},
    {"SETSTAGEOPENINGTEXTURE1(", TStageCommand::StageTitle1},
    {"SETSTAGEOPENINGTEXTURE2(", TStageCommand::StageTitle2},
    {"SETMUSIC(", TStageCommand::SetMusic},
    {"SETBACKGRAPHIC1(", TStageCommand::BackGraphic1},
    {"SETBACKGRAPHIC2(", TStageCommand::BackGraphic2},
    {"SETBACKGRAPHIC3(", TStageCommand::BackGraphic3},
    {"CLEANBULLET", TStageCommand::CleanBullet},
    {"CLEANENEMYWITHOUTBOSS", TStageCommand::CleanEnemyWithoutBoss},
    {"CLEANENEMY", TStageCommand::CleanEnemy},
    {"STAGEADJUSTMENT", TStageCommand::StageAdjustment},
    {"SETMAINCOUNT(", TStageCommand::SetMainCount},
};


bool Matches(const TCommandEntry& entry, std::string_view line) {
  if (entry.Command == TStageCommand::Assignment) return line.find(":=") != std::string_view::npos;
  return StartsWithText(entry.Prefix, line);
}

}  // namespace

// A stage line decoded once: its command and, for IF lines (most of a
// stage's MAIN), the condition compiled and the line the run goes on with
// when it does not hold.
struct TStageLine {
  const TCommandEntry* Entry = nullptr;  // null: a procedure call
  TLineCondition Condition;
  TLineNumber Target;

  static TStageLine Decode(std::string_view text) {
    static const TCompiledEvaluator evaluator(TEvaluatorKind::Stage);
    TStageLine line;
    for (const TCommandEntry& e : kStageCommands) {
      if (Matches(e, text)) {
        line.Entry = &e;
        break;
      }
    }
    if (line.Entry && line.Entry->Command == TStageCommand::If) {
      line.Condition = MakeLineCondition(evaluator, GetBetween(text, "IF ", "(", 1));
      line.Target = MakeLineNumber(GetBetween(text, "(", ")", 2));
    }
    return line;
  }
  bool IsFor() const { return false; }  // stage loops keep no meaning
  static constexpr std::size_t kDecodedSlot = std::size_t(TEvaluatorKind::Stage);
};

// ---- Expressions ----

bool TScriptRun::GetValue(std::string_view name, float& value) const { return GetValueByBinding(*this, name, value); }

TNameScope TScriptRun::NameScope() const {
  static constexpr char kStageTag = 's';
  return {&kStageTag, LocalVars, &GlobalVars};
}

TNameBinding TScriptRun::BindName(std::string_view name) const {
  if (TNameBinding b = BindStageName(LocalVars, &GlobalVars, name); b.Known) {
    // The stage clock is read in place.
    if (!b.Cell && b.Builtin == kBuiltinTime) return OwnerFieldBinding(*this, MainCount);
    return b;
  }
  return BindTruthName(name);
}

float TScriptRun::BuiltinValue(int32_t id) const {
  switch (id) {
    case kBuiltinTime: return float(MainCount);
    case kBuiltinPlayerX: return GetPlayerX();
    case kBuiltinPlayerY: return GetPlayerY();
    default: return 0;
  }
}

float TScriptRun::GetPlayerX() const { return Context_.PlayerControl ? Context_.PlayerControl->Ship.X : 0.0f; }
float TScriptRun::GetPlayerY() const { return Context_.PlayerControl ? Context_.PlayerControl->Ship.Y : 0.0f; }
uint32_t& TScriptRun::RandomSeed() { return Context_.RandSeed; }

float TScriptRun::Evaluate(std::string_view text, const TSourcePlace& place) {
  TExpressionValue result = Evaluator_.EvaluateChecked(*this, text);
  if (result.Malformed) Errors.Report(place, QuotedText(text, " is not an expression; it counts as 0"));
  return result.Value;
}

bool TScriptRun::EvaluateCondition(const TLineCondition& condition, const TSourcePlace& place) {
  TConditionValue result = Evaluator_.Run(condition.Program, *this);
  if (result.Malformed) Errors.Report(place, QuotedText(condition.Text, " is not a condition; it counts as false"));
  return result.Value;
}

bool TScriptRun::IntegerArgument(const TScriptLine& line, std::string_view text, int32_t& value) {
  if (ParseWholeNumber(text, value)) return true;
  Errors.Report(line.Place, "expects a whole number, got " + QuotedText(text, "; the line is skipped"));
  return false;
}

// ---- Running procedures ----

void TScriptRun::RunProcedure(const TSecondStringList2& definition, bool opening) {
  const TLineList* lines = *definition.Lines;
  if (!lines || lines->empty()) return;

  // FOR pre-pass: each loop variable of the current table starts at its
  // start value (the loops themselves keep no meaning in stage scripts).
  for (const TScriptLine& line : *lines) {
    if (!StartsWithText("FOR(", line.Text) || !LocalVars) continue;
    std::string head = GetBetween(line.Text, "(", ")", 1);
    if (TSecondSingle* var = LocalVars->Find(GetItem(head, 1))) var->Set(Evaluate(GetItem(head, 2), line.Place));
  }

  // Line 0 runs first; a jump outside the lines ends the run.
  const auto decoded = DecodedLines<TStageLine>(*lines);
  const int32_t last = int32_t(lines->size()) - 1;
  int32_t i = -1;
  int32_t code = kNextLine;
  do {
    if (code == kStopRunning || Budget_.Stopped()) return;
    i = code != kNextLine ? code : i + 1;
    if (i < 0 || i > last) return;
    if (!Budget_.TakeLine((*lines)[size_t(i)].Place, Errors)) return;
    const TScriptLine& line = (*lines)[size_t(i)];
    code = opening && RunOpeningStatement(line) ? kNextLine : ExecDecoded(line, decoded->Lines[size_t(i)]);
  } while (i != last);
}

bool TScriptRun::RunOpeningStatement(const TScriptLine& line) {
  if (StartsWithText("SETLOOP(", line.Text)) {
    if (Context_.BackGround) Context_.BackGround->FrontBackGround().Loop = Arguments(line.Text) == "TRUE";
    return true;
  }
  if (StartsWithText("SETSHOTMODE(", line.Text)) {
    std::string mode = Arguments(line.Text);
    if (mode == "VERTICAL") {
      Context_.LayoutMode = LayoutVertical;
      Context_.FieldOriginX = 30;
      Context_.FieldOriginY = 15;
    } else if (mode == "SLANT") {
      Context_.LayoutMode = LayoutSlant;
    } else if (mode == "SIDEWAYS") {
      Context_.LayoutMode = LayoutSideways;
    }
    return true;
  }
  return false;
}

void TScriptRun::CallProcedure(const TScriptLine& line) {
  std::string_view text = line.Text;
  size_t open = text.find('(');
  std::string_view name = open != std::string_view::npos ? text.substr(0, open) : text.substr(0, text.find(';'));
  const TSecondStringList2* callee = Script.Procedures.Find(name);
  if (!callee) {
    if (name == "SETSHOTMODE" || name == "SETLOOP")
      Errors.Report(line.Place, std::string(name) + " works only in OPENING; ignored here");
    else if (!IsStructuralScriptLine(text))
      Errors.Report(line.Place, QuotedText(name, " is no command and no procedure"));
    return;
  }
  if (!Budget_.MayCall(line.Place, Errors)) return;
  // Arguments are the comma-separated pieces inside the parentheses.
  TVarTable* vars = *callee->Vars;
  if (open != std::string_view::npos && vars) {
    const std::string args = Arguments(text);
    std::vector<std::string_view> pieces;
    for (size_t start = 0;;) {
      const size_t comma = args.find(',', start);
      pieces.push_back(std::string_view(args).substr(start, comma - start));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
    BindCallArguments(vars, pieces.size(), [&](size_t k) { return Evaluate(pieces[k], line.Place); });
  }
  TVarTable* saved = LocalVars;
  SetLocalVars(vars);
  Budget_.EnterCall();
  RunProcedure(*callee, false);
  Budget_.LeaveCall();
  SetLocalVars(saved);
}

// ---- ExecLine ----

int32_t TScriptRun::ExecLine(const TScriptLine& line) { return ExecDecoded(line, TStageLine::Decode(line.Text)); }

int32_t TScriptRun::ExecDecoded(const TScriptLine& line, const TStageLine& decoded) {
  const std::string& text = line.Text;
  const TCommandEntry* entry = decoded.Entry;
  if (!entry) {
    CallProcedure(line);
    return kNextLine;
  }

  TEnemyControl* enemies = Context_.EnemyControl.get();
  int32_t n = 0;
  switch (entry->Command) {
    case TStageCommand::Goto:
      return IntegerArgument(line, GetBetween(text, "(", ")", 2), n) ? n : kNextLine;
    case TStageCommand::If: {
      if (EvaluateCondition(decoded.Condition, line.Place)) return kNextLine;
      if (decoded.Target.Valid) return decoded.Target.Value;
      return IntegerArgument(line, decoded.Target.Text, n) ? n : kNextLine;
    }
    case TStageCommand::CreateEnemy:
    case TStageCommand::CreateBoss:
    case TStageCommand::CreateTukaima: {
      const TSecondStringList2* definition = Script.Procedures.Find(Arguments(text));
      if (!definition) {
        const char* what = entry->Command == TStageCommand::CreateEnemy  ? "make an enemy of"
                           : entry->Command == TStageCommand::CreateBoss ? "make a boss of"
                                                                          : "make a familiar of";
        Errors.Report(line.Place, UndefinedNameText(Arguments(text), what));
        return kNextLine;
      }
      if (!enemies) return kNextLine;
      if (enemies->EnemiesFull()) {
        Errors.Report(line.Place, FullListText(TCappedList::Enemies));
        return kNextLine;
      }
      // An enemy whose header holds a value that is not a whole number is
      // not created (MakeEnemy has told the author where).
      std::unique_ptr<TEnemy> enemy;
      if (entry->Command == TStageCommand::CreateEnemy)
        enemy = MakeEnemy<TEnemy>(Context_, *definition);
      else if (entry->Command == TStageCommand::CreateBoss)
        enemy = MakeEnemy<TBoss>(Context_, *definition);
      else
        enemy = MakeEnemy<TTukaima>(Context_, *definition, 0.0f, 0.0f);
      if (enemy) enemies->Enemies.push_back(std::move(enemy));
      return kNextLine;
    }
    case TStageCommand::Assignment: {
      // The running procedure's own variable of that name, else a global one;
      // any other name is left alone.
      std::string name = text.substr(0, text.find(":="));
      TSecondSingle* var = LocalVars ? LocalVars->Find(name) : nullptr;
      if (!var) var = GlobalVars.Find(name);
      if (var) var->Set(Evaluate(GetBetween(text, ":=", ";", 1), line.Place));
      return kNextLine;
    }
    case TStageCommand::NovelMode:
    case TStageCommand::AdvMode: {
      const TSecondStringList2* definition = Script.Procedures.Find(Arguments(text));
      if (!definition) {
        Errors.Report(line.Place, UndefinedNameText(Arguments(text), entry->Command == TStageCommand::NovelMode
                                                                         ? "show as a talk"
                                                                         : "show as pages"));
        return kNextLine;
      }
      OpenDialogue(entry->Command == TStageCommand::NovelMode ? TScriptMode::Novel : TScriptMode::Adv,
                   *definition->Lines);
      return kNextLine;
    }
    case TStageCommand::StageTitle1:
    case TStageCommand::StageTitle2:
      if (!IntegerArgument(line, Arguments(text), n)) return kNextLine;
      if (Context_.TextureList && Context_.TextureList->Get(TPictureTable::Else, n))
        Context_.State->StartStageTitle(entry->Command == TStageCommand::StageTitle1 ? 1 : 2, n);
      return kNextLine;
    case TStageCommand::SetMusic:
      if (!IntegerArgument(line, GetItem(Arguments(text), 1), n)) return kNextLine;
      // PlayMusic starts channel 0 looping; that is the music's start.
      if (Context_.State->WhetherMusic) Context_.State->PlayMusic(n);
      return kNextLine;
    case TStageCommand::BackGraphic1:
    case TStageCommand::BackGraphic2:
    case TStageCommand::BackGraphic3: {
      std::string args = Arguments(text);
      int32_t picture = RoundToInt32(Evaluate(GetItem(args, 1), line.Place));
      int32_t pattern = RoundToInt32(Evaluate(GetItem(args, 2), line.Place));
      int32_t alpha = RoundToInt32(Evaluate(GetItem(args, 3), line.Place));
      int layer = entry->Command == TStageCommand::BackGraphic1 ? 0 : entry->Command == TStageCommand::BackGraphic2 ? 1 : 2;
      if (Context_.TextureList && Context_.TextureList->Get(TPictureTable::Back, picture) && Context_.BackGround)
        Context_.BackGround->FarPicture().Layer(layer).SetPicture(picture, pattern, alpha);
      return kNextLine;
    }
    case TStageCommand::CleanBullet:
      if (enemies) enemies->ClearTamas();
      return kNextLine;
    case TStageCommand::CleanEnemyWithoutBoss:
      if (enemies) enemies->KillAllButBoss();
      return kNextLine;
    case TStageCommand::CleanEnemy:
      if (enemies) enemies->KillAllEnemies();
      return kNextLine;
    case TStageCommand::StageAdjustment:
      Context_.State->StartStageClear();
      return kNextLine;
    case TStageCommand::SetMainCount:
      if (IntegerArgument(line, Arguments(text), n)) MainCount = n;
      return kNextLine;
  }
  return kNextLine;
}

}  // namespace vuzed
