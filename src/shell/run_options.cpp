#include "shell/run_options.h"

#include <charconv>

namespace vuzed {

const char* const kRunHelp =
    "usage: vuzed-tool run [options]\n"
    "Runs the real game loop headless and prints one JSON summary line.\n"
    "  --root DIR           directory that holds data/ (default: the current one when\n"
    "                       it holds data/, else the installed game's data, with the\n"
    "                       settings in $XDG_DATA_HOME/vuzed/information.ini)\n"
    "  --stage N            start stage N after start-up (default 1)\n"
    "  --boot               stay in the normal flow (opening, title) instead\n"
    "  --frames N           passes to run (default 600)\n"
    "  --seed S             random seed set before the stage starts (default 1)\n"
    "  --input FILE         scripted keys: lines \"FROM[-TO] KEY...\"\n"
    "  --dump               one JSON line per object before the summary\n"
    "  --trace N            a summary line after every N-th pass as well\n"
    "  --invincible         the ship ignores hits (they are still counted: \"hits\")\n"
    "  --rss-log FILE       resident memory (VmRSS) every 60 passes and at the end,\n"
    "                       one JSON line each: {\"frame\":F,\"stage\":S,\"rss_kb\":K}\n"
    "  --autoplay           a bot plays the ship: shot held, steering clear of what\n"
    "                       comes at it, never bombing (--input keys still work)\n"
    "  --record FILE        write the replay of the game played (docs/replays.md)\n"
    "  --replay FILE        play a recorded game: its stage, seed and input (not\n"
    "                       with --stage, --seed, --input, --boot, --autoplay);\n"
    "                       --frames defaults to the passes it holds\n"
    "  --verify             with --replay: compare the stored checksums; at the\n"
    "                       first that differs print \"desync at pass N\", exit 3\n"
    "  --video null|gl      renderer (default null)\n"
    "  --stats              at the end, on stderr: frames per second, mean and worst\n"
    "                       frame time (and the worst one's pass), draw calls and\n"
    "                       sprites per frame, peak object counts\n"
    "  --screenshot PASS:FILE  write the frame rendered at PASS (.bmp or .png; gl only)\n";

namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& out) {
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::optional<TRunOptions> ParseRunOptions(const std::vector<std::string>& args, std::string& error) {
  TRunOptions o;
  auto bad = [&](const std::string& message) {
    error = message;
    return std::nullopt;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string v;
    if (a == "--help" || a == "-h") {
      o.Help = true;
    } else if (a == "--root") {
      if (!value(o.Root) || o.Root.empty()) return bad("--root needs a directory");
      o.RootGiven = true;
    } else if (a == "--stage") {
      if (!value(v) || !ParseNumber(v, o.Stage)) return bad("--stage needs a whole number, got \"" + v + "\"");
      o.StageGiven = true;
    } else if (a == "--boot") {
      o.Boot = true;
    } else if (a == "--frames") {
      if (!value(v) || !ParseNumber(v, o.Frames) || o.Frames < 0)
        return bad("--frames needs a count of passes, got \"" + v + "\"");
      o.FramesGiven = true;
    } else if (a == "--seed") {
      if (!value(v) || !ParseNumber(v, o.Seed)) return bad("--seed needs a whole number 0..4294967295, got \"" + v + "\"");
      o.SeedGiven = true;
    } else if (a == "--input") {
      if (!value(o.InputFile) || o.InputFile.empty()) return bad("--input needs a file");
    } else if (a == "--record") {
      if (!value(o.RecordFile) || o.RecordFile.empty()) return bad("--record needs a file");
    } else if (a == "--replay") {
      if (!value(o.ReplayFile) || o.ReplayFile.empty()) return bad("--replay needs a file");
    } else if (a == "--verify") {
      o.Verify = true;
    } else if (a == "--dump") {
      o.Dump = true;
    } else if (a == "--trace") {
      if (!value(v) || !ParseNumber(v, o.Trace) || o.Trace < 1)
        return bad("--trace needs a positive whole number, got \"" + v + "\"");
    } else if (a == "--stats") {
      o.Stats = true;
    } else if (a == "--invincible") {
      o.Invincible = true;
    } else if (a == "--rss-log") {
      if (!value(o.RssLog) || o.RssLog.empty()) return bad("--rss-log needs a file");
    } else if (a == "--autoplay") {
      o.Autoplay = true;
    } else if (a == "--video") {
      if (!value(v) || (v != "null" && v != "gl")) return bad("--video takes null or gl, got \"" + v + "\"");
      o.VideoGl = v == "gl";
    } else if (a == "--screenshot") {
      if (!value(v)) return bad("--screenshot needs PASS:FILE");
      size_t colon = v.find(':');
      TScreenshotRequest shot;
      if (colon == std::string::npos || !ParseNumber(v.substr(0, colon), shot.Pass) || shot.Pass < 1 ||
          colon + 1 >= v.size())
        return bad("--screenshot needs PASS:FILE with PASS from 1, got \"" + v + "\"");
      shot.File = v.substr(colon + 1);
      o.Screenshots.push_back(shot);
    } else {
      return bad("unknown option \"" + a + "\"");
    }
  }
  if (o.Boot && o.StageGiven) return bad("--stage and --boot cannot be used together");
  if (!o.ReplayFile.empty()) {
    // A replay brings its own stage, seed and input.
    if (o.StageGiven || o.SeedGiven || !o.InputFile.empty())
      return bad("--replay plays the replay's own stage, seed and input: no --stage, --seed or --input");
    if (o.Boot || o.Autoplay || !o.RecordFile.empty())
      return bad("--replay cannot be used with --boot, --autoplay or --record");
  }
  if (o.Verify && o.ReplayFile.empty()) return bad("--verify needs --replay");
  if (!o.Screenshots.empty() && !o.VideoGl) return bad("--screenshot needs --video gl");
  return o;
}

}  // namespace vuzed
