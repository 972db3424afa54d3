#include "engine/graphics/device.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/graphics/d3d_names.h"
#include "support/engine_fixture.h"

namespace vuzed {
namespace {

using test::EngineFixture;

// A resource that writes down which of its callbacks ran.
class Recorder : public TDeviceResource {
 public:
  Recorder(TDovivez* device, std::string name, std::vector<std::string>* journal)
      : TDeviceResource(device, "Recorder", std::move(name)), Journal_(journal) {}
  ~Recorder() override = default;

 protected:
  void OnRelease() override { Journal_->push_back(ResourceName() + ":release"); }
  void OnRebuild() override { Journal_->push_back(ResourceName() + ":rebuild"); }
  void OnLost() override { Journal_->push_back(ResourceName() + ":lost"); }
  void OnReset() override { Journal_->push_back(ResourceName() + ":reset"); }

 private:
  std::vector<std::string>* Journal_;
};

bool Contains(const std::vector<std::string>& lines, const std::string& text) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

TEST(Device, StartupNarratesWithNumberedIndentedLines) {
  EngineFixture f;
  auto lines = f.LogLines();
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[0], "#00001 | ");
  EXPECT_EQ(lines[1], "#00002 | ■■■起動時の初期化をします■■■");
  EXPECT_EQ(lines[2], "#00003 |   Direct3Dを生成します");
  EXPECT_TRUE(Contains(lines, "|   ■■■Windowモードへ移行します■■■"));
  // A windowed start asks for no depth buffer, so no depth format is found.
  EXPECT_TRUE(Contains(lines, "希望のデプスステンシルサーフェスのフォーマットが見つかりませんでした"));
  EXPECT_TRUE(Contains(lines, "ウィンドウモード 640x480で初期化します"));
  EXPECT_EQ(lines.back(), "#" + std::string(lines.size() < 10 ? "0000" : "000") + std::to_string(lines.size()) + " | ");
  EXPECT_TRUE(Contains(lines, "| ■■■Dovivez 起動しました■■■"));
  EXPECT_EQ(f.Device->Log().Indent(), 0);
  EXPECT_TRUE(f.Backend.HasDevice());
  EXPECT_TRUE(f.Device->Windowed());
  EXPECT_FALSE(f.Device->HasDepthBuffer());
}

TEST(Device, NoLogFileWithoutDebugMessages) {
  EngineFixture f({false, false, true});
  f.Device->ChangeToWindowMode(640, 480, {});
  EXPECT_FALSE(f.LogExists());
}

TEST(Device, WithoutDetailOnlyErrorLinesAreWrittenNumberedFromOne) {
  EngineFixture f({false, true, false});
  EXPECT_FALSE(f.LogExists());
  f.Device->UnregisterResource(77);
  auto lines = f.LogLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0],
            "#00001 | リストに入ってないDovivezリソース(ID:77)が、UnregisterResource手続きに渡されました"
            "(Error Code = UNKNOWN ERROR ... $00000001)");
}

TEST(Device, HaltOnErrorStopsThroughTheHaltHandler) {
  static int halts = 0;
  halts = 0;
  EngineFixture f({true, true, false});
  f.Device->SetHaltHandler([] { ++halts; });
  EXPECT_EQ(CheckResult(&f.Device->Log(), 0, "fine"), 0);
  EXPECT_EQ(halts, 0);
  EXPECT_EQ(CheckResult(&f.Device->Log(), d3derr::DEVICELOST, "bad"), d3derr::DEVICELOST);
  EXPECT_EQ(halts, 1);
  EXPECT_EQ(f.LogLines().back(), "#00001 | bad(Error Code = D3DERR_DEVICELOST)");
}

TEST(Device, ModeChangesReleaseAndRebuildEveryResourceInRegistryOrder) {
  EngineFixture f;
  std::vector<std::string> journal;
  Recorder a(f.Device.get(), "a", &journal);
  auto b = std::make_unique<Recorder>(f.Device.get(), "b", &journal);
  Recorder c(f.Device.get(), "c", &journal);
  EXPECT_EQ(a.ResourceID(), 0);
  EXPECT_EQ(b->ResourceID(), 1);
  EXPECT_EQ(c.ResourceID(), 2);
  b.reset();  // leaves a gap in ids, not in the order
  Recorder d(f.Device.get(), "d", &journal);
  EXPECT_EQ(d.ResourceID(), 3);

  f.Device->ChangeToFullScreen(640, 480, fmt::X8R8G8B8, {fmt::D16, fmt::D16_LOCKABLE, fmt::D32});
  EXPECT_EQ(journal, (std::vector<std::string>{"a:release", "c:release", "d:release", "a:rebuild", "c:rebuild",
                                               "d:rebuild"}));
  EXPECT_FALSE(f.Device->Windowed());
  EXPECT_EQ(f.Backend.Settings.DepthFormat, fmt::D16);
  EXPECT_TRUE(f.Window.FullScreen);

  journal.clear();
  f.Device->ChangeToWindowMode(640, 480, {});
  EXPECT_EQ(journal, (std::vector<std::string>{"a:release", "c:release", "d:release", "a:rebuild", "c:rebuild",
                                               "d:rebuild"}));
  EXPECT_TRUE(f.Device->Windowed());
  EXPECT_FALSE(f.Window.FullScreen);
  EXPECT_EQ(a.ResourceID(), 0);
  EXPECT_EQ(d.ResourceID(), 3);
}

TEST(Device, DepthFormatsAreTriedInOrder) {
  EngineFixture f;
  f.Backend.DepthFormats = {fmt::D32};
  f.Device->ChangeToFullScreen(640, 480, fmt::X8R8G8B8, {fmt::D16, fmt::D16_LOCKABLE, fmt::D32});
  EXPECT_EQ(f.Backend.Settings.DepthFormat, fmt::D32);
  EXPECT_TRUE(f.Device->HasDepthBuffer());
}

TEST(Device, ResetRunsLostThenResetCallbacks) {
  EngineFixture f;
  std::vector<std::string> journal;
  Recorder a(f.Device.get(), "a", &journal);
  Recorder b(f.Device.get(), "b", &journal);
  f.Backend.Level = CooperativeLevel::NotReset;
  EXPECT_EQ(f.Device->TestCooperativeLevel(), CooperativeLevel::NotReset);
  f.Device->ResetDevice();
  EXPECT_EQ(journal, (std::vector<std::string>{"a:lost", "b:lost", "a:reset", "b:reset"}));
  EXPECT_EQ(f.Backend.ResetCount, 1);
  EXPECT_EQ(f.Device->TestCooperativeLevel(), CooperativeLevel::Ok);
  EXPECT_TRUE(Contains(f.LogLines(), "■■■Direct3DDeviceをリセットしました■■■"));
}

TEST(Device, ResourcesLeftAtShutdownAreReleasedAndCutLoose) {
  std::vector<std::string> journal;
  auto f = std::make_unique<EngineFixture>();
  auto leftover = std::make_unique<Recorder>(f->Device.get(), "late", &journal);
  f->Device.reset();
  EXPECT_EQ(journal, (std::vector<std::string>{"late:release"}));
  EXPECT_EQ(leftover->Device(), nullptr);
  leftover.reset();  // must not reach the freed device
  EXPECT_TRUE(Contains(f->LogLines(), "ID 0(late) のDovivezリソースは、明示的に解放されていません"));
  EXPECT_TRUE(Contains(f->LogLines(), "■■■それではごきげんよう■■■"));
}

TEST(Device, IsRegisteredTellsLiveResourcesFromFreedOnes) {
  EngineFixture f;
  std::vector<std::string> journal;
  auto r = std::make_unique<Recorder>(f.Device.get(), "r", &journal);
  const TDeviceResource* raw = r.get();
  int id = r->ResourceID();
  EXPECT_TRUE(f.Device->IsRegistered(id, raw));
  r.reset();
  EXPECT_FALSE(f.Device->IsRegistered(id, raw));
}

}  // namespace
}  // namespace vuzed
