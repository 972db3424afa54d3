#include "engine/graphics/device.h"

#include <cstdio>

#include "engine/graphics/d3d_names.h"

namespace vuzed {
namespace {

template <typename... Args>
std::string Format(const char* pattern, Args... args) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, pattern, args...);
  return buffer;
}

}  // namespace

// ---- TDeviceResource ----

TDeviceResource::TDeviceResource(TDovivez* device, const char* className, std::string name)
    : Device_(device), ClassName_(className), Name_(std::move(name)) {
  if (Device_) ID_ = Device_->RegisterResource(this);
}

TDeviceResource::~TDeviceResource() {
  if (Device_) Device_->UnregisterResource(ID_);
}

EngineLog* TDeviceResource::Log() const { return Device_ ? &Device_->Log() : nullptr; }

// ---- TDovivez ----

TDovivez::TDovivez(RenderBackend& backend, WindowHost& window) : Backend_(backend), Window_(window) {
  Log_.SetOptions({true, true, true});
}

void TDovivez::Detail(const std::string& text) { Log_.WriteDetailLog(text); }

// A framed heading: the opening line raises the indent, the closing one lowers it.
void TDovivez::Open(const char* heading) {
  Detail("");
  Detail(heading);
  Log_.IndentUp();
}

void TDovivez::CloseFrame(const char* heading) {
  Log_.IndentDown();
  Detail(heading);
  Detail("");
}

void TDovivez::Loaded() {
  NextID_ = 0;
  Open("■■■起動時の初期化をします■■■");
  Detail("Direct3Dを生成します");
  Detail("ウィンドウのクライアント領域のサイズに合わせて初期化を開始します");
  ChangeToWindowMode(Window_.ClientWidth(), Window_.ClientHeight(), {});
  CloseFrame("■■■Dovivez 起動しました■■■");
}

TDovivez::~TDovivez() {
  Open("■■■お別れの時がやってまいりました■■■");
  // Resources still registered belong to objects we do not own here: they are
  // released and cut loose, so their own destructors no longer reach us.
  while (!Registry_.empty()) {
    TDeviceResource* r = Registry_.front();
    Detail(Format("ID %d(%s) のDovivezリソースは、明示的に解放されていません", r->ID_, r->Name_.c_str()));
    r->OnRelease();
    r->Device_ = nullptr;
    Registry_.erase(Registry_.begin());
  }
  ByID_.clear();
  Detail("Dovivezオブジェクトの解放に伴い、全ての関連オブジェクトを解放します");
  ReleaseDevice();
  Detail("Direct3Dオブジェクトの解放を行います");
  CloseFrame("■■■それではごきげんよう■■■");
}

void TDovivez::ChangeToWindowMode(int width, int height, const std::vector<D3DFORMAT>& depthFormats) {
  Open("■■■Windowモードへ移行します■■■");
  ReleaseDevice();
  // The window keeps the desktop's format; only the size changes.
  Window_.SetFullScreen(false);
  InitDevice(true, width, height, fmt::X8R8G8B8, depthFormats);
  CloseFrame("■■■Windowモードへ移行しました■■■");
}

void TDovivez::ChangeToFullScreen(int width, int height, D3DFORMAT format,
                                  const std::vector<D3DFORMAT>& depthFormats) {
  Open("■■■フルスクリーンモードへ移行します■■■");
  Window_.SetFullScreen(true);
  InitDevice(false, width, height, format, depthFormats);
  CloseFrame("■■■フルスクリーンモードへ移行しました■■■");
}

void TDovivez::InitDevice(bool windowed, int width, int height, D3DFORMAT format,
                          const std::vector<D3DFORMAT>& depthFormats) {
  Open("■■■画面モードを初期化します■■■");
  DeviceSettings settings;
  settings.Windowed = windowed;
  settings.Width = width;
  settings.Height = height;
  settings.BackBufferFormat = format;
  Settings_ = settings;

  DeviceCaps caps = Backend_.GetCaps();
  Detail("Driver : " + caps.Driver);
  Detail("Description : " + caps.Description);
  Detail(Format("VendorID : %.8x, DeviceID : %.8x, SubSysID : %.8x, Revision : %.8x", caps.VendorId,
                caps.DeviceId, caps.SubSysId, caps.Revision));
  if (windowed)
    Detail(Format("ウィンドウモード %dx%dで初期化します", width, height));
  else
    Detail(Format("フルスクリーンモード %dx%d %dHz %s で初期化します", width, height, 0, FormatName(format)));

  Detail("ハードウェアアクセラレーションを利用します");
  settings.DepthFormat = ChooseDepthStencilFormat(depthFormats);
  Detail(std::string("デプスステンシルサーフェスのフォーマット...") + FormatName(settings.DepthFormat));
  Detail("ハードウェアT&Lを利用します");
  CreateDevice(settings);
  CloseFrame("■■■画面モードを初期化しました■■■");
}

D3DFORMAT TDovivez::ChooseDepthStencilFormat(const std::vector<D3DFORMAT>& depthFormats) {
  for (D3DFORMAT candidate : depthFormats)
    if (Backend_.CheckDepthFormat(candidate)) return candidate;
  Detail("希望のデプスステンシルサーフェスのフォーマットが見つかりませんでした");
  return fmt::UNKNOWN;
}

void TDovivez::CreateDevice(const DeviceSettings& settings) {
  if (Backend_.HasDevice()) {
    Detail("新しいデバイスの生成の前に、全ての関連オブジェクトを解放します");
    ReleaseDevice();
  }
  Detail("Direct3DDeviceオブジェクトの生成を行います");
  bool created = Backend_.CreateDevice(settings);
  if (CheckResult(&Log_, created ? d3derr::OK : d3derr::INVALIDCALL,
                  "Direct3DDeviceオブジェクトの生成に失敗しました"))
    return;
  Settings_ = settings;
  Windowed_ = settings.Windowed;
  Width_ = settings.Width;
  Height_ = settings.Height;
  BackBufferFormat_ = settings.BackBufferFormat;
  DepthFormat_ = settings.DepthFormat;
  RebuildAllResources();
}

void TDovivez::ReleaseDevice() {
  Open("■■■Direct3Dデバイスを解放します■■■");
  ReleaseAllResources();
  if (Backend_.HasDevice()) {
    if (DepthFormat_ != fmt::UNKNOWN) Detail("デプスステンシルサーフェスを解放します");
    Detail("バックバッファを解放します");
    Detail("Direct3DDeviceオブジェクトの解放を行います");
    Backend_.ReleaseDevice();
  }
  CloseFrame("■■■Direct3Dデバイスを解放しました■■■");
}

void TDovivez::ResetDevice() {
  Open("■■■Direct3DDeviceをリセットします■■■");
  for (TDeviceResource* r : std::vector<TDeviceResource*>(Registry_)) r->OnLost();
  CheckResult(&Log_, Backend_.Reset() ? d3derr::OK : d3derr::DEVICELOST, "リセットに失敗しました");
  for (TDeviceResource* r : std::vector<TDeviceResource*>(Registry_)) r->OnReset();
  CloseFrame("■■■Direct3DDeviceをリセットしました■■■");
}

int TDovivez::RegisterResource(TDeviceResource* owner) {
  Detail(Format("Dovivezリソース(%s)を登録します ID は %d(%s) です", owner->ClassName_, NextID_,
                owner->Name_.c_str()));
  owner->ID_ = NextID_;
  Registry_.push_back(owner);
  ByID_[NextID_] = owner;
  return NextID_++;
}

void TDovivez::UnregisterResource(int id) {
  for (auto it = Registry_.begin(); it != Registry_.end(); ++it) {
    if ((*it)->ID_ != id) continue;
    Detail(Format("Dovivezリソース(%s) : ID %d(%s) を登録解除します", (*it)->ClassName_, id,
                  (*it)->Name_.c_str()));
    Registry_.erase(it);
    ByID_.erase(id);
    ++Unregistrations_;
    return;
  }
  CheckResult(&Log_, d3derr::ENGINE_FAIL,
              Format("リストに入ってないDovivezリソース(ID:%d)が、UnregisterResource手続きに渡されました", id));
}

bool TDovivez::IsRegistered(int id, const TDeviceResource* resource) const {
  auto it = ByID_.find(id);
  return it != ByID_.end() && it->second == resource;
}

void TDovivez::ReleaseAllResources() {
  Detail("全てのDovivezリソースを解放します");
  for (TDeviceResource* r : std::vector<TDeviceResource*>(Registry_)) r->OnRelease();
}

void TDovivez::RebuildAllResources() {
  Detail("全てのDovivezリソースを再構築します");
  for (TDeviceResource* r : std::vector<TDeviceResource*>(Registry_)) r->OnRebuild();
}

CooperativeLevel TDovivez::TestCooperativeLevel() {
  if (!Backend_.HasDevice()) return CooperativeLevel::Lost;
  return Backend_.TestCooperativeLevel();
}

void TDovivez::BeginScene() { Backend_.BeginScene(); }
void TDovivez::EndScene() { Backend_.EndScene(); }
bool TDovivez::Present() { return Backend_.Present(); }

}  // namespace vuzed
