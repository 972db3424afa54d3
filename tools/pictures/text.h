#pragma once
// Text for labels, menu items and titles: the Japanese sans-serif face that
// fontconfig names for "sans-serif:lang=ja", rendered with FreeType into a
// coverage mask. Without a face (or without FreeType finding it) a built-in
// stroke alphabet draws Latin capitals, digits and a little punctuation, so
// the pictures are still readable.

#include <memory>
#include <string_view>

#include "raster.h"

namespace vuzed::pictures {

class TextRenderer {
 public:
  TextRenderer();
  ~TextRenderer();
  TextRenderer(const TextRenderer&) = delete;
  TextRenderer& operator=(const TextRenderer&) = delete;

  bool HasFace() const;
  // Adds the UTF-8 text to the mask, pen starting at x on the baseline y;
  // size is the em height in pixels. Returns the advance.
  float Draw(Mask& into, std::string_view text, float x, float baseline, float size, bool bold = false) const;
  float Measure(std::string_view text, float size, bool bold = false) const;
  // Centred on (cx, cy): horizontally by advance, vertically by cap height.
  void Centered(Mask& into, std::string_view text, float cx, float cy, float size, bool bold = false) const;
  // A mask of the given size with the text centred in it.
  Mask Label(int width, int height, std::string_view text, float size, bool bold = false) const;

 private:
  struct TFace;
  std::unique_ptr<TFace> Face_;
};

// The built-in stroke alphabet (used when there is no face). Returns the advance.
float DrawStrokeText(Mask& into, std::string_view text, float x, float baseline, float size, bool bold);
float MeasureStrokeText(std::string_view text, float size);

}  // namespace vuzed::pictures
