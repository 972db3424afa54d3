// The player's window keys, read at the start of every pass beside the
// system keys:
// - F11, or Alt+Enter, switches between the window and full screen; the
//   choice goes into the settings file with the rest when the game ends.
// - F12 writes the last frame shown as a PNG to <save dir>/screenshots/,
//   named by the date and a number.
// Each acts once per press, and neither touches the game's state, so the
// frames of a game are the same whether they are used or not.

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "engine/graphics/device.h"
#include "engine/input/dik_codes.h"
#include "engine/platform/input_source.h"
#include "engine/platform/render_backend.h"
#include "engine/platform/save_directory.h"
#include "engine/platform/screenshot.h"
#include "shell/main_form.h"
#include "stage/script_run.h"

namespace vuzed {
namespace {

bool Down(TGameContext& c, uint8_t dik) { return c.Platform.Input && c.Platform.Input->IsKeyDown(dik); }

// "screenshots/2026-12-08_17-20-05_1.png": the first free number that second.
std::filesystem::path ScreenshotPath(const std::filesystem::path& folder) {
  const std::time_t now = std::time(nullptr);
  char stamp[32] = "";
  if (const std::tm* t = std::localtime(&now)) std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", t);
  std::error_code ec;
  for (int n = 1;; ++n) {
    std::filesystem::path path = folder / (std::string(stamp) + "_" + std::to_string(n) + ".png");
    if (!std::filesystem::exists(path, ec)) return path;
  }
}

}  // namespace

void TForm1::HandleWindowKeys() {
  TGameContext& c = *Context_;
  const bool alt = Down(c, dik::LMENU) || Down(c, dik::RMENU);
  const bool toggle = Down(c, dik::F11) || (alt && Down(c, dik::RETURN));
  if (toggle && !FullScreenKeyHeld_) ToggleFullScreen();
  FullScreenKeyHeld_ = toggle;
  const bool shot = Down(c, dik::F12);
  if (shot && !ScreenshotKeyHeld_) SaveScreenshot();
  ScreenshotKeyHeld_ = shot;
}

void TForm1::ToggleFullScreen() {
  TGameContext& c = *Context_;
  if (!c.Dovivez1 || !c.ScriptRun) return;
  const bool full = !c.ScriptRun->FullScreen;
  if (full)
    c.Dovivez1->ChangeToFullScreen(640, 480, fmt::X8R8G8B8, {fmt::D16, fmt::D16_LOCKABLE, fmt::D32});
  else
    c.Dovivez1->ChangeToWindowMode(640, 480, {fmt::D16, fmt::D16_LOCKABLE, fmt::D32});
  c.ScriptRun->FullScreen = full;
}

void TForm1::SaveScreenshot() {
  TGameContext& c = *Context_;
  std::vector<uint8_t> rgb;
  int width = 0, height = 0;
  if (!c.Platform.Render || !c.Platform.Render->ReadFrontBuffer(rgb, width, height)) {
    std::fprintf(stderr, "vuzed: F12: nothing has been drawn that could be saved\n");
    return;
  }
  const std::filesystem::path folder = SaveDirectory() / "screenshots";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::string error;
  const std::filesystem::path path = ScreenshotPath(folder);
  if (ec || !WriteScreenshot(path.string(), rgb, width, height, error))
    std::fprintf(stderr, "vuzed: F12: the screenshot was not saved: %s\n", ec ? ec.message().c_str() : error.c_str());
}

}  // namespace vuzed
