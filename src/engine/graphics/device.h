#pragma once
// TDovivez: the graphics device component. It owns the device (through a
// RenderBackend), switches between window and full-screen modes, resets a lost
// device, and keeps the registry of every engine resource so that textures,
// scenes and light groups can drop and rebuild their device objects around a
// mode change or a reset. Every step is narrated in the device's engine log.

#include <filesystem>
#include <functional>
#include <memory>
#include <unordered_map>
#include <string>
#include <vector>

#include "engine/graphics/d3d_types.h"
#include "engine/graphics/engine_log.h"
#include "engine/platform/render_backend.h"
#include "engine/platform/window_host.h"

namespace vuzed {

class TDovivez;

// Base of every registered engine resource. Registration happens in the
// constructor, unregistration in the destructor. The four callbacks run in
// registry order; a resource overrides those it needs (the rest count as
// unassigned).
class TDeviceResource {
 public:
  TDeviceResource(const TDeviceResource&) = delete;
  TDeviceResource& operator=(const TDeviceResource&) = delete;
  int ResourceID() const { return ID_; }
  const std::string& ResourceName() const { return Name_; }
  TDovivez* Device() const { return Device_; }
  // The device's engine log; nullptr without a device.
  EngineLog* Log() const;

 protected:
  TDeviceResource(TDovivez* device, const char* className, std::string name);
  virtual ~TDeviceResource();

  virtual void OnRelease() {}
  virtual void OnRebuild() {}
  virtual void OnLost() {}
  virtual void OnReset() {}

 private:
  friend class TDovivez;
  TDovivez* Device_;
  const char* ClassName_;
  std::string Name_;
  int ID_ = -1;
};

class TDovivez {
 public:
  // The device starts without a device object; Loaded() runs the start-up.
  TDovivez(RenderBackend& backend, WindowHost& window);
  ~TDovivez();
  TDovivez(const TDovivez&) = delete;
  TDovivez& operator=(const TDovivez&) = delete;

  // DebugOption: halt on error, debug messages, detailed log. All three are
  // on until changed.
  void SetDebugOption(const EngineLogOptions& options) { Log_.SetOptions(options); }
  const EngineLogOptions& DebugOption() const { return Log_.Options(); }
  // Where "Dovivez_DebugLog.txt" goes (the executable's directory in the game).
  void SetLogDirectory(const std::filesystem::path& dir) { Log_.SetDirectory(dir); }
  // What a halt on error does: ends the process unless replaced (tests).
  void SetHaltHandler(std::function<void()> handler) { Log_.SetHaltHandler(std::move(handler)); }
  EngineLog& Log() { return Log_; }

  // Start-up: creates the first device at the window's client size.
  void Loaded();
  void ChangeToWindowMode(int width, int height, const std::vector<D3DFORMAT>& depthFormats);
  void ChangeToFullScreen(int width, int height, D3DFORMAT format,
                          const std::vector<D3DFORMAT>& depthFormats);
  void ResetDevice();

  // Registry. Ids count from 0 and are never reused within a run.
  int RegisterResource(TDeviceResource* owner);
  void UnregisterResource(int id);
  void ReleaseAllResources();
  void RebuildAllResources();
  size_t ResourceCount() const { return Registry_.size(); }
  // True while the resource with this id is the given object and still alive.
  bool IsRegistered(int id, const TDeviceResource* resource) const;
  // Resources taken off the registry so far: since ids are never reused, a
  // resource found registered stays so while this count stands.
  uint64_t Unregistrations() const { return Unregistrations_; }

  // Per-frame calls of the game.
  CooperativeLevel TestCooperativeLevel();
  void BeginScene();
  void EndScene();
  bool Present();

  bool HasDevice() const { return Backend_.HasDevice(); }
  bool Windowed() const { return Windowed_; }
  int Width() const { return Width_; }
  int Height() const { return Height_; }
  D3DFORMAT BackBufferFormat() const { return BackBufferFormat_; }
  bool HasDepthBuffer() const { return DepthFormat_ != fmt::UNKNOWN; }
  DeviceCaps Caps() const { return Backend_.GetCaps(); }
  RenderBackend& Backend() { return Backend_; }
  WindowHost& Window() { return Window_; }

 private:
  // Detail lines of the log; Open and CloseFrame frame a step with a heading
  // and indent what it logs.
  void Detail(const std::string& text);
  void Open(const char* heading);
  void CloseFrame(const char* heading);
  void ReleaseDevice();
  void InitDevice(bool windowed, int width, int height, D3DFORMAT format,
                  const std::vector<D3DFORMAT>& depthFormats);
  D3DFORMAT ChooseDepthStencilFormat(const std::vector<D3DFORMAT>& depthFormats);
  void CreateDevice(const DeviceSettings& settings);

  RenderBackend& Backend_;
  WindowHost& Window_;
  EngineLog Log_;
  bool Windowed_ = true;
  int Width_ = 0;
  int Height_ = 0;
  D3DFORMAT BackBufferFormat_ = fmt::X8R8G8B8;
  D3DFORMAT DepthFormat_ = fmt::UNKNOWN;
  DeviceSettings Settings_{};
  int NextID_ = 0;
  uint64_t Unregistrations_ = 0;
  std::vector<TDeviceResource*> Registry_;
  std::unordered_map<int, const TDeviceResource*> ByID_;
};

}  // namespace vuzed
