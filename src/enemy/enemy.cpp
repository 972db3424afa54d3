// TEnemy's creation with its header block, movement, damage, names and
// drawing. The script interpreter is in enemy_procedure.cpp (the per-frame
// run and procedure calls) and enemy_commands.cpp (ExecLine).

#include "enemy/enemy.h"

#include <algorithm>
#include <utility>
#include <cmath>

#include "back/background.h"
#include "back/texture_list.h"
#include "enemy/enemy_control.h"
#include "enemy/enemy_sound.h"
#include "enemy/enemy_tama_math.h"
#include "script/script_report_text.h"
#include "engine/graphics/scene.h"
#include "engine/graphics/texture.h"
#include "objects/second_string_list2.h"
#include "objects/string_helpers.h"
#include "player/player_control.h"
#include "script/expression_math.h"
#include "script/expression_names.h"
#include "game/stage_shared.h"
#include "game/playfield.h"

namespace vuzed {
namespace {

// Blanks and control characters at both ends go.
std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

bool ParseInteger(std::string_view text, int32_t& value) { return ParseWholeNumber(text, value); }

// An enemy's own built-in names, in the order they are looked up (after its
// variables); GETPLAYERX and GETPLAYERY are the stage set's numbers.
constexpr std::pair<std::string_view, int32_t> kEnemyBuiltins[] = {
    {"COUNT", kEnemyCount},           {"HP", kEnemyHp},
    {"GETPLAYERX", kBuiltinPlayerX},  {"GETPLAYERY", kBuiltinPlayerY},
    {"GETSELFX", kEnemySelfX},        {"GETSELFY", kEnemySelfY},
    {"GETANGLETOPLAYER", kEnemyAngleToPlayer},
};
constexpr float kAngleToPlayerFromSelfCell = kAngleToPlayerFromSelf;

// The header keys, each with the field it sets.
struct THeaderKey {
  std::string_view Key;
  int32_t TEnemy::*Field;
};

// X and Y are singles and handled apart; these are the integer fields.
constexpr THeaderKey kIntegerKeys[] = {
    {"HP:=", &TEnemy::Hp},
    {"ATARI:=", &TEnemy::Atari},
    {"PICTURE:=", &TEnemy::PictureID},
    {"POWERITEM:=", &TEnemy::PowerItems},
    {"SCOREITEM:=", &TEnemy::ScoreItems},
};

// The halo's colour: white at alpha 0x88.
constexpr uint32_t kHaloColor = 0x88FFFFFF;
constexpr uint32_t kPictureColor = 0xFFFFFFFF;

// A picture centred on (x, y), rotated by angle degrees, over the whole used
// part of its texture.
void DrawCentred(TPlayfield& playfield, const TMXTexture& picture, float x, float y, float angle, uint32_t color,
                 int32_t blendMode) {
  const auto quad = CentredQuad(float(picture.Width()), float(picture.Height()), angle, color, 0, 0, picture.MaxU(),
                                picture.MaxV());
  playfield.Background->Scene().DrawSprite(
      MakePoint(float(playfield.FieldOriginX) + x, float(playfield.FieldOriginY) + y), quad, &picture, blendMode, false,
      true, 0);
}

}  // namespace

TEnemy::TEnemy(TPlayfield& playfield, const TSecondStringList2& definition)
    : Lines(*definition.Lines), Vars(*definition.Vars), Field_(playfield), Definition_(&definition) {}

TEnemy::~TEnemy() = default;

bool TEnemy::FindHeader(const TScriptLine*& opening, int32_t& first, int32_t& last) {
  opening = nullptr;
  first = 0;
  last = -1;
  if (!Lines) return true;
  auto found = std::find_if(Lines->begin(), Lines->end(),
                            [](const TScriptLine& line) { return line.Text.find("OPENING") != std::string::npos; });
  if (found == Lines->end()) return true;
  int32_t a = 0, b = 0;
  if (!ParseInteger(GetBetween(found->Text, "(", ")", 1), a) ||
      !ParseInteger(GetBetween(found->Text, "(", ")", 2), b)) {
    Report(found->Place, "the header block has no line numbers; the enemy is not created");
    return false;
  }
  opening = &*found;
  // Only lines that exist are read: a range reaching outside the script
  // is cut to it.
  first = std::max(a, 0);
  last = std::min(b, int32_t(Lines->size()) - 1);
  return true;
}

bool TEnemy::HeaderValue(const TScriptLine& line, size_t keyLength, int32_t& number) {
  // Header values are whole numbers, not expressions.
  const std::string_view text = line.Text;
  const size_t end = text.find(';', keyLength);
  const std::string_view value = TrimBlanks(text.substr(keyLength, end == std::string_view::npos ? 0 : end - keyLength));
  if (ParseInteger(value, number)) return true;
  Report(line.Place, "the header value " + QuotedText(value, " is not a whole number; the enemy is not created"));
  return false;
}

bool TEnemy::ReadHeader() {
  const TScriptLine* opening = nullptr;
  int32_t first = 0, last = -1;
  if (!FindHeader(opening, first, last)) return false;
  for (int32_t i = first; i <= last; ++i) {
    const TScriptLine& line = (*Lines)[size_t(i)];
    std::string_view key;
    int32_t* field = nullptr;
    float* position = nullptr;
    if (StartsWithText("X:=", line.Text)) {
      key = "X:=";
      position = &X;
    } else if (StartsWithText("Y:=", line.Text)) {
      key = "Y:=";
      position = &Y;
    } else {
      for (const THeaderKey& k : kIntegerKeys) {
        if (!StartsWithText(k.Key, line.Text)) continue;
        key = k.Key;
        field = &(this->*k.Field);
        break;
      }
    }
    if (key.empty()) continue;
    int32_t number = 0;
    if (!HeaderValue(line, key.size(), number)) return false;
    if (position)
      *position = float(number);
    else
      *field = number;
  }
  return true;
}

void TEnemy::Move() {
  X = X + IdouX;
  Y = Y + IdouY;
  if (MoveTimer == 0) {
    IdouX = 0;
    IdouY = 0;
  } else if (MoveTimer > 0) {
    --MoveTimer;
  }
}

void TEnemy::Damage(int32_t amount) {
  // Hit points stay inside the integer range whatever the damage.
  Hp = int32_t(std::clamp<int64_t>(int64_t(Hp) - amount, INT32_MIN, INT32_MAX));
  if (Hp <= 0) {
    Dead = true;
    RestartChannel(Field_, kDeathChannel);
  }
}

void TEnemy::Draw() { DrawHaloAndPicture(TPictureTable::SmallEnemy); }

void TEnemy::DrawHaloAndPicture(TPictureTable table) {
  if (!Field_.Textures || !Field_.Background) return;
  if (const TMXTexture* halo = Field_.Textures->Get(TPictureTable::Effect, HaloTexture)) {
    DrawCentredPicture(*halo, float(HaloAngle), kHaloColor, 1);
    HaloAngle = HaloAngle == 360 ? 0 : HaloAngle + 1;
  }
  if (const TMXTexture* picture = Field_.Textures->Get(table, PictureID))
    DrawCentredPicture(*picture, 0, kPictureColor, 2);
}

void TEnemy::DrawCentredPicture(const TMXTexture& picture, float angle, uint32_t color, int32_t blendMode) {
  if (Field_.Background) DrawCentred(Field_, picture, X, Y, angle, color, blendMode);
}

// ---- Names and evaluation ----

// Names are bound once per scope (expression.h): which variable table holds
// a name decides its binding; the rest are built-in values.
bool TEnemy::GetValue(std::string_view name, float& value) const { return GetValueByBinding(*this, name, value); }

TNameScope TEnemy::NameScope() const {
  static constexpr char kEnemyTag = 'e';
  const TStageShared* run = Field_.Stage;
  return {&kEnemyTag, CurrentVars(), run ? run->LocalVars : nullptr, run ? &run->GlobalVars : nullptr};
}

TNameBinding TEnemy::BindName(std::string_view name) const {
  if (TNameBinding v = BindVariable(CurrentVars(), name); v.Known) return v;
  for (const auto& [builtin, id] : kEnemyBuiltins)
    if (name == builtin) return BindBuiltin(id);
  if (name == "GETANGLETOPLAYERFROMSELF") return {true, &kAngleToPlayerFromSelfCell, 0};
  const TStageShared* run = Field_.Stage;
  if (TNameBinding b = BindStageName(run ? run->LocalVars : nullptr, run ? &run->GlobalVars : nullptr, name); b.Known)
    return b;
  return BindTruthName(name);
}

// The values the enemy keeps as they are are read in place; the rest are
// asked for (BuiltinValue).
TNameBinding TEnemy::BindBuiltin(int32_t id) const {
  switch (id) {
    case kEnemyCount: return OwnerFieldBinding(*this, Count);
    case kEnemyHp: return OwnerFieldBinding(*this, Hp);
    case kEnemySelfX: return OwnerFieldBinding(*this, X);
    case kEnemySelfY: return OwnerFieldBinding(*this, Y);
    default: return {true, nullptr, id};
  }
}

float TEnemy::BuiltinValue(int32_t id) const {
  switch (id) {
    case kBuiltinTime: return Field_.Stage ? float(Field_.Stage->MainCount) : 0.0f;
    case kBuiltinPlayerX: return GetPlayerX();
    case kBuiltinPlayerY: return GetPlayerY();
    case kEnemyCount: return float(Count);
    case kEnemyHp: return float(Hp);
    case kEnemySelfX: return X;
    case kEnemySelfY: return Y;
    case kEnemyAngleToPlayer: return AngleToPoint(X, Y, GetPlayerX(), GetPlayerY());
    default: return 0;
  }
}

float TEnemy::GetPlayerX() const { return Field_.Player ? Field_.Player->Ship.X : 0.0f; }
float TEnemy::GetPlayerY() const { return Field_.Player ? Field_.Player->Ship.Y : 0.0f; }
uint32_t& TEnemy::RandomSeed() { return Field_.RandSeed; }

void TEnemy::Report(const TSourcePlace& place, std::string_view text) {
  if (Field_.Stage) Field_.Stage->Errors.Report(place, text);
}

bool TEnemy::AddBullet(const TScriptLine& line, std::unique_ptr<TEnemyTama> bullet) {
  if (Field_.Enemies->BulletsFull()) {
    Report(line.Place, FullListText(TCappedList::Bullets));
    return false;
  }
  Field_.Enemies->Tamas.push_back(std::move(bullet));
  return true;
}

float TEnemy::Evaluate(std::string_view text, const TSourcePlace& place) {
  TExpressionValue result = Evaluator_.EvaluateChecked(*this, text);
  if (result.Malformed) Report(place, QuotedText(text, " is not an expression; it counts as 0"));
  return result.Value;
}

float TEnemy::Evaluate(const TLineArgument& argument, const TSourcePlace& place) {
  TExpressionValue result = Evaluator_.Run(argument.Program, *this);
  if (result.Malformed) Report(place, QuotedText(argument.Text, " is not an expression; it counts as 0"));
  return result.Value;
}

bool TEnemy::EvaluateCondition(const TLineCondition& condition, const TSourcePlace& place) {
  TConditionValue result = Evaluator_.Run(condition.Program, *this);
  if (result.Malformed) Report(place, QuotedText(condition.Text, " is not a condition; it counts as false"));
  return result.Value;
}

bool TEnemy::IntegerArgument(std::string_view text, const TSourcePlace& place, int32_t& value) {
  if (ParseInteger(text, value)) return true;
  Report(place, "expects a whole number, got " + QuotedText(text, "; the line is skipped"));
  return false;
}

bool TEnemy::IntegerArgument(const TLineNumber& number, const TSourcePlace& place, int32_t& value) {
  if (number.Valid) {
    value = number.Value;
    return true;
  }
  Report(place, "expects a whole number, got " + QuotedText(number.Text, "; the line is skipped"));
  return false;
}

int32_t TEnemy::Jump(const TLineNumber& target, const TSourcePlace& place) {
  int32_t line = 0;
  return IntegerArgument(target, place, line) ? line : kNextLine;
}

}  // namespace vuzed
