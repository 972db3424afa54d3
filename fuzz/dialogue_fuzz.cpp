// libFuzzer: the dialogue text reader on arbitrary bytes. Every line of the
// input is a text line of a dialogue scene: its text is cut for the novel box
// and for an ADV page, each cut must be a faithful piece of the text (at most
// 56 bytes, in order, only "[r]" markers left out), and every piece is drawn
// by the text writer, whose glyphs come from the Shift-JIS decoder, into a
// texture of the null renderer.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/graphics/device.h"
#include "engine/graphics/text_writer.h"
#include "engine/graphics/texture.h"
#include "engine/platform/null_render_backend.h"
#include "engine/platform/shift_jis_decoder.h"
#include "engine/platform/window_host.h"
#include "stage/dialogue_text.h"

namespace {

using namespace vuzed;

// A small box for every character the decoder knows; an empty box (advance
// only) for the rest, as the platform's rasteriser draws an unknown code.
class DecodingGlyphSource : public GlyphSource {
 public:
  TGlyphImage RenderGlyph(uint32_t code, const TVZFont&, bool) override {
    TGlyphImage image;
    image.CellIncX = code > 0xFF ? 8 : 4;
    image.Ascent = 6;
    if (Decoder_.Decode(code).Result != ShiftJisDecoder::TResult::Ok) return image;
    image.BlackBoxX = 3, image.BlackBoxY = 4, image.OriginY = 6;
    image.Coverage.assign(12, uint8_t(FullCoverage));
    return image;
  }
  int CellHeight(const TVZFont&) override { return 8; }

 private:
  ShiftJisDecoder Decoder_;
};

struct NullDevice {
  NullDevice() {
    Device.SetDebugOption({false, false, false});
    Device.Loaded();
  }
  NullRenderBackend Backend;
  NullWindowHost Window;
  TDovivez Device{Backend, Window};
  TVZTextWriter Writer{&Device, 64, fmt::A8R8G8B8, std::make_unique<DecodingGlyphSource>()};
};

void Draw(NullDevice& null, const std::string& line) {
  if (!line.empty()) null.Writer.CreateTextTexture(line, GameTextureFormats(), "");
}

void CheckNovel(std::string_view text, NullDevice& null) {
  const auto lines = NovelTextLines(text);
  std::string joined;
  for (const std::string& line : lines) {
    if (line.size() > kDialogueLineBytes) std::abort();
    joined += line;
    Draw(null, line);
  }
  if (joined != text.substr(0, kNovelLines * kDialogueLineBytes)) std::abort();
}

void CheckAdv(std::string_view text, NullDevice& null) {
  const std::vector<std::string> lines = AdvTextLines(text);
  if (lines.size() > kAdvPageLines) std::abort();
  for (const std::string& line : lines) {
    if (line.size() > kDialogueLineBytes || !text.starts_with(line)) std::abort();
    text.remove_prefix(line.size());
    // A line shorter than a full one ended at a marker, or with the text.
    if (line.size() < kDialogueLineBytes && !text.empty()) {
      if (text.size() < 3 || text[0] != '[' || (text[1] != 'r' && text[1] != 'R') || text[2] != ']') std::abort();
      text.remove_prefix(3);
    }
    Draw(null, line);
  }
  if (lines.size() < kAdvPageLines && !text.empty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static NullDevice null;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  while (!input.empty()) {
    const size_t end = std::min(input.find('\n'), input.size());
    const std::string_view text = DialogueText(input.substr(0, end));
    input.remove_prefix(std::min(end + 1, input.size()));
    CheckNovel(text, null);
    CheckAdv(text, null);
  }
  return 0;
}
