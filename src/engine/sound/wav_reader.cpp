#include "engine/sound/wav_reader.h"

#include <array>
#include <cstring>
#include <fstream>
#include <optional>

namespace vuzed {
namespace {

constexpr uint32_t kMinRate = 100;
constexpr uint32_t kMaxRate = 200000;

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

struct Chunk {
  uint64_t DataStart;  // first byte after the 8-byte header
  uint32_t Size;       // as the header claims
  uint64_t Next() const { return DataStart + Size + (Size & 1u); }
};

// The stream from its position on: offsets count from there.
class RiffFile {
 public:
  explicit RiffFile(std::istream& in) : In_(in) {
    Base_ = In_.tellg();
    if (Base_ < 0) return;
    In_.seekg(0, std::ios::end);
    std::streamoff end = In_.tellg() - Base_;
    Size_ = end > 0 ? uint64_t(end) : 0;
  }
  bool IsOpen() const { return Base_ >= 0 && bool(In_); }
  uint64_t Size() const { return Size_; }

  // Reads exactly n bytes at offset; false when the file ends first.
  bool ReadAt(uint64_t offset, uint8_t* out, size_t n) {
    if (offset > Size_ || n > Size_ - offset) return false;
    In_.clear();
    In_.seekg(Base_ + std::streamoff(offset));
    In_.read(reinterpret_cast<char*>(out), std::streamsize(n));
    return size_t(In_.gcount()) == n;
  }

  // The first chunk named id whose header lies within [from, end).
  std::optional<Chunk> Find(const char* id, uint64_t from, uint64_t end) {
    uint64_t at = from;
    std::array<uint8_t, 8> header{};
    while (at + 8 <= end && ReadAt(at, header.data(), header.size())) {
      Chunk chunk{at + 8, U32(header.data() + 4)};
      if (std::memcmp(header.data(), id, 4) == 0) return chunk;
      at = chunk.Next();
    }
    return std::nullopt;
  }

 private:
  std::istream& In_;
  std::streampos Base_;
  uint64_t Size_ = 0;
};

bool AcceptedFormat(const TWaveFormat& f) {
  return f.FormatTag == TWaveFormat::kPcm && (f.Channels == 1 || f.Channels == 2) &&
         (f.BitsPerSample == 8 || f.BitsPerSample == 16) && f.SamplesPerSec >= kMinRate &&
         f.SamplesPerSec <= kMaxRate && f.BlockAlign == f.BitsPerSample / 8 * f.Channels;
}

}  // namespace

WavContents ReadWavFile(const std::filesystem::path& path) {
  std::error_code ec;
  std::ifstream in;
  if (std::filesystem::is_regular_file(path, ec)) in.open(path, std::ios::binary);
  if (!in) {
    WavContents result;
    result.Error = WavError::NotFound;
    return result;
  }
  return ReadWav(in);
}

WavContents ReadWav(std::istream& in) {
  WavContents result;
  RiffFile file(in);
  if (!file.IsOpen()) {
    result.Error = WavError::NotFound;
    return result;
  }
  std::array<uint8_t, 12> riff{};
  if (!file.ReadAt(0, riff.data(), riff.size()) || std::memcmp(riff.data(), "RIFF", 4) != 0 ||
      std::memcmp(riff.data() + 8, "WAVE", 4) != 0) {
    result.Error = WavError::NotWave;
    return result;
  }
  // The form's chunks end where the RIFF header says, or with the file.
  uint64_t formEnd = std::min<uint64_t>(8 + uint64_t(U32(riff.data() + 4)), file.Size());

  std::optional<Chunk> fmt = file.Find("fmt ", 12, formEnd);
  if (!fmt) {
    result.Error = WavError::NoFmt;
    return result;
  }
  std::array<uint8_t, 16> record{};
  if (fmt->Size < record.size() || !file.ReadAt(fmt->DataStart, record.data(), record.size()) ||
      fmt->DataStart + fmt->Size > file.Size()) {
    result.Error = WavError::BadFmt;
    return result;
  }
  TWaveFormat& f = result.Format;
  f.FormatTag = U16(&record[0]);
  f.Channels = U16(&record[2]);
  f.SamplesPerSec = U32(&record[4]);
  f.AvgBytesPerSec = U32(&record[8]);
  f.BlockAlign = U16(&record[12]);
  f.BitsPerSample = U16(&record[14]);
  if (!AcceptedFormat(f)) {
    result.Error = WavError::BadFmt;
    return result;
  }

  // "data" is looked for after the "fmt " chunk.
  std::optional<Chunk> data = file.Find("data", fmt->Next(), formEnd);
  if (!data) {
    result.Error = WavError::NoData;
    return result;
  }
  uint64_t available = data->DataStart < file.Size() ? file.Size() - data->DataStart : 0;
  uint64_t size = std::min<uint64_t>(data->Size, available);
  result.Data.resize(size_t(size));
  if (size > 0 && !file.ReadAt(data->DataStart, result.Data.data(), result.Data.size())) result.Data.clear();
  return result;
}

std::string_view WavErrorText(WavError error) {
  switch (error) {
    case WavError::NotFound: return "が、見つかりません";
    case WavError::NotWave: return "は、WAVEファイルではありません";
    case WavError::NoFmt: return "には、fmtチャンクが有りません";
    case WavError::BadFmt: return "のfmtチャンクが不正です";
    case WavError::NoData: return "には、dataチャンクが有りません";
    case WavError::None: break;
  }
  return "";
}

}  // namespace vuzed
