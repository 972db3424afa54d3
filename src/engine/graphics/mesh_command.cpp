#include "engine/graphics/mesh_command.h"

#include <optional>
#include <ostream>

#include "engine/graphics/device.h"
#include "engine/graphics/index_buffer.h"
#include "engine/graphics/mesh.h"
#include "engine/platform/null_render_backend.h"
#include "engine/platform/window_host.h"
#include "engine/platform/json_text.h"

namespace vuzed {
namespace {

const char* const kMeshHelp =
    "usage: vuzed-tool mesh [--archive ARCHIVE] [--weld] [--indices] FILE\n"
    "Loads the \".vz\" mesh FILE as the game does (with --archive, FILE is the\n"
    "id of an entry of ARCHIVE), welds equal vertices with --weld, and prints\n"
    "one JSON line:\n"
    "  {\"version\":V,\"fvf\":F,\"stride\":S,\"vertices\":N,\"indices\":M,\"faces\":K,\n"
    "   \"min\":[x,y,z],\"max\":[x,y,z],\"centre\":[x,y,z],\"radius\":R}\n"
    "--indices adds \"index_list\":[...] at the end.\n"
    "Exit status: 0 loaded, 1 the mesh cannot be opened, extracted, recognised\n"
    "or read (the engine's message on stderr), 2 bad arguments.\n";

struct TMeshOptions {
  std::string File;
  std::string Archive;
  bool Weld = false;
  bool Indices = false;
};

std::string JsonVector(const TVector& v) {
  return "[" + JsonNumber(v.X) + "," + JsonNumber(v.Y) + "," + JsonNumber(v.Z) + "]";
}

std::string IndexList(TMXIndexBuffer& indices) {
  std::string list = "[";
  if (indices.Lock(0, 0, d3d::LOCK_READONLY)) {
    for (int i = 0; i < indices.Count(); ++i) list += (i ? "," : "") + std::to_string(indices.GetIndex(i));
    indices.Unlock();
  }
  return list + "]";
}

std::string Summary(TVZMesh& mesh, bool withIndices) {
  std::string line = "{\"version\":" + JsonNumber(int64_t(mesh.Version()));
  line += ",\"fvf\":" + JsonNumber(int64_t(mesh.FVF()));
  line += ",\"stride\":" + JsonNumber(int64_t(mesh.Stride()));
  line += ",\"vertices\":" + JsonNumber(int64_t(mesh.VertexCount()));
  line += ",\"indices\":" + JsonNumber(int64_t(mesh.IndexCount()));
  line += ",\"faces\":" + JsonNumber(int64_t(mesh.FaceCount()));
  line += ",\"min\":" + JsonVector(mesh.BoundsMin());
  line += ",\"max\":" + JsonVector(mesh.BoundsMax());
  line += ",\"centre\":" + JsonVector(mesh.Centre());
  line += ",\"radius\":" + JsonNumber(mesh.Radius());
  if (withIndices) line += ",\"index_list\":" + IndexList(*mesh.IndexBuffer());
  return line + "}";
}

}  // namespace

int MeshCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  TMeshOptions options;
  std::optional<std::string> file;
  bool optionsDone = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsDone || a.size() < 2 || a.front() != '-') {
      if (file) {
        err << "vuzed-tool mesh: one FILE only\n" << kMeshHelp;
        return 2;
      }
      file = a;
    } else if (a == "--help" || a == "-h") {
      out << kMeshHelp;
      return 0;
    } else if (a == "--weld") {
      options.Weld = true;
    } else if (a == "--indices") {
      options.Indices = true;
    } else if (a == "--archive") {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        err << "vuzed-tool mesh: --archive needs a file\n" << kMeshHelp;
        return 2;
      }
      options.Archive = args[++i];
    } else if (a == "--") {
      optionsDone = true;
    } else {
      err << "vuzed-tool mesh: unknown option " << a << "\n" << kMeshHelp;
      return 2;
    }
  }
  if (!file || file->empty()) {
    err << "vuzed-tool mesh: no FILE given\n" << kMeshHelp;
    return 2;
  }

  // A device on the null renderer, logging nothing: the tool's messages are
  // its own.
  NullRenderBackend backend;
  NullWindowHost window;
  TDovivez device(backend, window);
  device.SetDebugOption({false, false, false});
  device.Loaded();
  TVZMesh mesh(&device, "mesh vertices", "mesh indices");
  if (!mesh.LoadFromFile(*file, options.Archive)) {
    err << mesh.LastError() << "\n";
    return 1;
  }
  if (options.Weld) mesh.Weld();
  out << Summary(mesh, options.Indices) << "\n";
  return 0;
}

}  // namespace vuzed
