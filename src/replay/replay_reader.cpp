#include "replay/replay_reader.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <system_error>

#include "replay/replay_bytes.h"

namespace vuzed {
namespace {

// The fewest bytes each record can take: what a count is checked against
// before anything is allocated for it.
constexpr size_t kStageLoadBytes = 16;
constexpr size_t kRunMinBytes = 3;  // length, key count, pad flag
constexpr size_t kCheckpointBytes = 12;
constexpr uint32_t kKnownFlags = TReplay::kInvincible;
// Far above any real game (ten hours of input changing every pass is a few
// tens of megabytes).
constexpr uintmax_t kMaxReplayFileBytes = uintmax_t(256) << 20;

class TReplayDecoder {
 public:
  explicit TReplayDecoder(std::string_view bytes) : In_(bytes), Size_(bytes.size()) {}

  std::optional<TReplay> Decode(std::string& error);

 private:
  bool Header();
  bool LaterStages();
  bool InputRuns();
  bool PassInput(TPassInput& input);
  bool Checkpoints();
  // Reads a section's count and checks that so many records can fit.
  bool Count(const char* what, size_t minBytes, uint32_t& count);
  bool Truncated(const char* what, const std::string& detail = "") {
    Error_ = "truncated replay: the file ends at byte " + std::to_string(Size_) + ", inside " + what + detail;
    return false;
  }
  bool Damaged(const std::string& text, size_t at) {
    Error_ = "damaged replay: " + text + " at byte " + std::to_string(at);
    return false;
  }

  TReplayBytesIn In_;
  size_t Size_;
  TReplay Replay_;
  std::string Error_;
};

std::optional<TReplay> TReplayDecoder::Decode(std::string& error) {
  if (!Header() || !LaterStages() || !InputRuns() || !Checkpoints()) {
    error = Error_;
    return std::nullopt;
  }
  if (In_.Remaining() != 0) {
    error = "damaged replay: " + std::to_string(In_.Remaining()) + " bytes after its end";
    return std::nullopt;
  }
  return std::move(Replay_);
}

bool TReplayDecoder::Header() {
  const std::string_view magic = In_.Raw(sizeof kReplayMagic);
  if (!In_.Ok() || std::memcmp(magic.data(), kReplayMagic, sizeof kReplayMagic) != 0) {
    Error_ = "not a vuzed replay (it does not begin with VZRP)";
    return false;
  }
  const uint16_t version = In_.U16();
  if (!In_.Ok()) return Truncated("the header");
  if (version != kReplayVersion) {
    Error_ = "replay version " + std::to_string(version) + " cannot be read (this game reads version " +
             std::to_string(kReplayVersion) + ")";
    return false;
  }
  TReplay& r = Replay_;
  r.Flags = In_.U16();
  r.StageType = In_.I32();
  r.Seed = In_.U32();
  r.ScriptHash = In_.U64();
  TShipStart& ship = r.Ship;
  ship.X = In_.F32();
  ship.Y = In_.F32();
  ship.Lives = In_.I32();
  ship.Bombs = In_.I32();
  ship.Hp = In_.I32();
  ship.Power = In_.F32();
  ship.Graze = In_.I32();
  ship.HitsTaken = In_.I32();
  ship.InvulnerableTimer = In_.I32();
  ship.BombTimer = In_.I32();
  ship.BankCounter = In_.I32();
  ship.ShotCooldown = In_.I32();
  r.KeyWait = In_.I32();
  r.Score = In_.I32();
  r.PlayFrames = In_.I32();
  r.Passes = In_.U32();
  if (!In_.Ok()) return Truncated("the header");
  if (r.Flags & ~kKnownFlags) return Damaged("unknown flags " + std::to_string(r.Flags), 6);
  if (r.Passes > kMaxReplayPasses)
    return Damaged(std::to_string(r.Passes) + " passes (more than ten hours)", In_.Offset() - 4);
  return true;
}

bool TReplayDecoder::Count(const char* what, size_t minBytes, uint32_t& count) {
  const size_t at = In_.Offset();
  count = In_.U32();
  if (!In_.Ok()) return Truncated(what);
  // A count too large for the bytes left: the file was cut short, or the
  // count itself is damaged; the file cannot tell which.
  if (count > In_.Remaining() / minBytes)
    return Truncated(what, " (" + std::to_string(count) + " " + what + " cannot fit in the " +
                               std::to_string(In_.Remaining()) + " bytes after byte " + std::to_string(at + 4) +
                               ")");
  return true;
}

bool TReplayDecoder::LaterStages() {
  uint32_t count = 0;
  if (!Count("stage loads", kStageLoadBytes, count)) return false;
  uint32_t lastPass = 0;
  for (uint32_t i = 0; i < count; ++i) {
    const size_t at = In_.Offset();
    TStageLoad stage;
    stage.Pass = In_.U32();
    stage.Type = In_.I32();
    stage.ScriptHash = In_.U64();
    if (!In_.Ok()) return Truncated("stage loads");
    if (stage.Pass <= lastPass || stage.Pass > Replay_.Passes)
      return Damaged("a stage load at pass " + std::to_string(stage.Pass) + " out of order", at);
    lastPass = stage.Pass;
    Replay_.LaterStages.push_back(stage);
  }
  return true;
}

bool TReplayDecoder::InputRuns() {
  uint32_t count = 0;
  if (!Count("input runs", kRunMinBytes, count)) return false;
  Replay_.Input.reserve(count);
  uint64_t covered = 0;
  for (uint32_t i = 0; i < count; ++i) {
    const size_t at = In_.Offset();
    TInputRun run;
    run.Length = In_.VarU32();
    if (!In_.Ok()) return In_.Short() ? Truncated("input runs") : Damaged("a badly encoded run length", at);
    if (run.Length == 0) return Damaged("an input run of no passes", at);
    covered += run.Length;
    if (covered > Replay_.Passes)
      return Damaged("input for more than the " + std::to_string(Replay_.Passes) + " passes played", at);
    if (!PassInput(run.Input)) return false;
    Replay_.Input.push_back(std::move(run));
  }
  if (covered != Replay_.Passes)
    return Damaged("input for " + std::to_string(covered) + " of the " + std::to_string(Replay_.Passes) +
                       " passes played",
                   In_.Offset());
  return true;
}

bool TReplayDecoder::PassInput(TPassInput& input) {
  size_t at = In_.Offset();
  const uint32_t keys = In_.VarU32();
  if (!In_.Ok()) return In_.Short() ? Truncated("input runs") : Damaged("a badly encoded key count", at);
  if (keys > 255) return Damaged(std::to_string(keys) + " keys down in one pass", at);
  for (uint32_t k = 0; k < keys; ++k) {
    at = In_.Offset();
    const uint8_t dik = In_.U8();
    if (!In_.Ok()) return Truncated("input runs");
    if (dik == 0 || (!input.Keys.empty() && dik <= input.Keys.back()))
      return Damaged("key codes out of order", at);
    input.Keys.push_back(dik);
  }
  at = In_.Offset();
  const uint8_t pad = In_.U8();
  if (!In_.Ok()) return Truncated("input runs");
  if (pad > 1) return Damaged("a pad flag of " + std::to_string(pad), at);
  input.HasPad = pad == 1;
  if (!input.HasPad) return true;
  JoyState& p = input.Pad;
  for (int32_t* axis : {&p.lX, &p.lY, &p.lZ, &p.lRx, &p.lRy, &p.lRz, &p.Slider[0], &p.Slider[1]}) *axis = In_.I32();
  for (uint32_t& pov : p.Pov) pov = In_.U32();
  const uint32_t buttons = In_.U32();
  if (!In_.Ok()) return Truncated("input runs");
  for (size_t b = 0; b < p.Buttons.size(); ++b) p.Buttons[b] = (buttons >> b) & 1 ? 0x80 : 0;
  return true;
}

bool TReplayDecoder::Checkpoints() {
  uint32_t count = 0;
  if (!Count("checksums", kCheckpointBytes, count)) return false;
  Replay_.Checkpoints.reserve(count);
  uint32_t lastPass = 0;
  for (uint32_t i = 0; i < count; ++i) {
    const size_t at = In_.Offset();
    TCheckpoint check;
    check.Pass = In_.U32();
    check.Sum = In_.U64();
    if (!In_.Ok()) return Truncated("checksums");
    if (check.Pass <= lastPass || check.Pass > Replay_.Passes)
      return Damaged("a checksum of pass " + std::to_string(check.Pass) + " out of order", at);
    lastPass = check.Pass;
    Replay_.Checkpoints.push_back(check);
  }
  return true;
}

}  // namespace

std::optional<TReplay> DecodeReplay(std::string_view bytes, std::string& error) {
  return TReplayDecoder(bytes).Decode(error);
}

std::optional<TReplay> ReadReplayFile(const std::filesystem::path& path, std::string& error) {
  // Only a regular file of a sane size is read at all: a device or a pipe
  // given by mistake could go on for ever.
  std::error_code ec;
  if (std::filesystem::exists(path, ec) && !std::filesystem::is_regular_file(path, ec)) {
    error = path.string() + ": not a file";
    return std::nullopt;
  }
  if (const uintmax_t size = std::filesystem::file_size(path, ec); !ec && size > kMaxReplayFileBytes) {
    error = path.string() + ": " + std::to_string(size) + " bytes is too large for a replay";
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  if (in) bytes << in.rdbuf();
  if (!in || in.bad()) {
    error = path.string() + ": cannot be read";
    return std::nullopt;
  }
  std::optional<TReplay> replay = DecodeReplay(bytes.str(), error);
  if (!replay) error = path.string() + ": " + error;
  return replay;
}

}  // namespace vuzed
