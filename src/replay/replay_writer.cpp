#include "replay/replay_writer.h"

#include <fstream>
#include <string_view>
#include <system_error>

#include "replay/replay_bytes.h"

namespace vuzed {
namespace {

// Bit i of the stored button word: pad button i was down.
uint32_t ButtonBits(const JoyState& pad) {
  uint32_t bits = 0;
  for (size_t i = 0; i < pad.Buttons.size(); ++i)
    if (pad.Buttons[i] & 0x80) bits |= uint32_t(1) << i;
  return bits;
}

void WritePassInput(TReplayBytesOut& out, const TPassInput& input) {
  out.VarU32(uint32_t(input.Keys.size()));
  for (uint8_t k : input.Keys) out.U8(k);
  out.U8(input.HasPad ? 1 : 0);
  if (!input.HasPad) return;
  const JoyState& p = input.Pad;
  for (int32_t axis : {p.lX, p.lY, p.lZ, p.lRx, p.lRy, p.lRz, p.Slider[0], p.Slider[1]}) out.I32(axis);
  for (uint32_t pov : p.Pov) out.U32(pov);
  out.U32(ButtonBits(p));
}

}  // namespace

std::string EncodeReplay(const TReplay& replay) {
  TReplayBytesOut out;
  out.Raw(std::string_view(kReplayMagic, sizeof kReplayMagic));
  out.U16(kReplayVersion);
  out.U16(replay.Flags);
  out.I32(replay.StageType);
  out.U32(replay.Seed);
  out.U64(replay.ScriptHash);
  const TShipStart& ship = replay.Ship;
  out.F32(ship.X);
  out.F32(ship.Y);
  out.I32(ship.Lives);
  out.I32(ship.Bombs);
  out.I32(ship.Hp);
  out.F32(ship.Power);
  out.I32(ship.Graze);
  out.I32(ship.HitsTaken);
  out.I32(ship.InvulnerableTimer);
  out.I32(ship.BombTimer);
  out.I32(ship.BankCounter);
  out.I32(ship.ShotCooldown);
  out.I32(replay.KeyWait);
  out.I32(replay.Score);
  out.I32(replay.PlayFrames);
  out.U32(replay.Passes);

  out.U32(uint32_t(replay.LaterStages.size()));
  for (const TStageLoad& stage : replay.LaterStages) {
    out.U32(stage.Pass);
    out.I32(stage.Type);
    out.U64(stage.ScriptHash);
  }
  out.U32(uint32_t(replay.Input.size()));
  for (const TInputRun& run : replay.Input) {
    out.VarU32(run.Length);
    WritePassInput(out, run.Input);
  }
  out.U32(uint32_t(replay.Checkpoints.size()));
  for (const TCheckpoint& check : replay.Checkpoints) {
    out.U32(check.Pass);
    out.U64(check.Sum);
  }
  return out.Bytes();
}

bool WriteReplayFile(const std::filesystem::path& path, const TReplay& replay, std::string& error) {
  const std::string bytes = EncodeReplay(replay);
  std::filesystem::path temporary = path;
  temporary += ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (out) out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) {
      error = "cannot write " + temporary.string();
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    error = "cannot write " + path.string() + ": " + ec.message();
    std::filesystem::remove(temporary, ec);
    return false;
  }
  return true;
}

}  // namespace vuzed
