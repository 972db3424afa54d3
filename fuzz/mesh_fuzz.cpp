// libFuzzer: the mesh loader on arbitrary bytes, on a device of the null
// renderer with a small primitive limit. Whatever loads is welded, bounded
// and drawn. Inputs are capped so that a mesh stays small enough to weld and
// draw many times a second.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "engine/graphics/device.h"
#include "engine/graphics/engine_log.h"
#include "engine/graphics/mesh.h"
#include "engine/platform/null_render_backend.h"
#include "engine/platform/window_host.h"

namespace {

constexpr size_t kMaxInput = 1 << 20;

struct NullDevice {
  NullDevice() {
    Backend.Caps.MaxPrimitiveCount = 7;
    Backend.Caps.MaxVertexIndex = 1000;
    Device.SetDebugOption({false, false, false});
    Device.Loaded();
  }
  vuzed::NullRenderBackend Backend;
  vuzed::NullWindowHost Window;
  vuzed::TDovivez Device{Backend, Window};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  static NullDevice null;
  vuzed::TVZMesh mesh(&null.Device, "fuzz vertices", "fuzz indices");
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  if (mesh.LoadFromStream(in)) {
    mesh.Weld();
    mesh.ComputeBounds();
    mesh.DrawMesh();
    null.Backend.MeshDraws.clear();
  }
  null.Backend.ForgottenGeometry.clear();
  return 0;
}
