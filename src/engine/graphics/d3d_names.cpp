#include "engine/graphics/d3d_names.h"

#include <cstdio>

#include "engine/graphics/engine_log.h"

namespace vuzed {
namespace {

struct ErrorName {
  HRESULT Code;
  const char* Name;
};

// Trailing spaces are part of some names.
constexpr ErrorName kErrorNames[] = {
    {d3derr::OK, "D3D_OK"},
    {d3derr::WRONGTEXTUREFORMAT, "D3DERR_WRONGTEXTUREFORMAT"},
    {d3derr::UNSUPPORTEDCOLOROPERATION, "D3DERR_UNSUPPORTEDCOLOROPERATION "},
    {d3derr::UNSUPPORTEDCOLORARG, "D3DERR_UNSUPPORTEDCOLORARG "},
    {d3derr::UNSUPPORTEDALPHAOPERATION, "D3DERR_UNSUPPORTEDALPHAOPERATION "},
    {d3derr::UNSUPPORTEDALPHAARG, "D3DERR_UNSUPPORTEDALPHAARG "},
    {d3derr::TOOMANYOPERATIONS, "D3DERR_TOOMANYOPERATIONS "},
    {d3derr::CONFLICTINGTEXTUREFILTER, "D3DERR_CONFLICTINGTEXTUREFILTER"},
    {d3derr::UNSUPPORTEDFACTORVALUE, "D3DERR_UNSUPPORTEDFACTORVALUE"},
    {d3derr::CONFLICTINGRENDERSTATE, "D3DERR_CONFLICTINGRENDERSTATE"},
    {d3derr::UNSUPPORTEDTEXTUREFILTER, "D3DERR_UNSUPPORTEDTEXTUREFILTER"},
    {d3derr::CONFLICTINGTEXTUREPALETTE, "D3DERR_CONFLICTINGTEXTUREPALETTE "},
    {d3derr::DRIVERINTERNALERROR, "D3DERR_DRIVERINTERNALERROR "},
    {d3derr::NOTFOUND, "D3DERR_NOTFOUND"},
    {d3derr::MOREDATA, "D3DERR_MOREDATA"},
    {d3derr::DEVICELOST, "D3DERR_DEVICELOST"},
    {d3derr::DEVICENOTRESET, "D3DERR_DEVICENOTRESET"},
    {d3derr::NOTAVAILABLE, "D3DERR_NOTAVAILABLE"},
    {d3derr::OUTOFVIDEOMEMORY, "D3DERR_OUTOFVIDEOMEMORY"},
    {d3derr::INVALIDDEVICE, "D3DERR_INVALIDDEVICE "},
    {d3derr::INVALIDCALL, "D3DERR_INVALIDCALL "},
    {d3derr::DRIVERINVALIDCALL, "D3DERR_DRIVERINVALIDCALL "},
};

struct FormatInfo {
  D3DFORMAT Format;
  const char* Name;
  int Bits;
};

constexpr FormatInfo kFormats[] = {
    {fmt::R8G8B8, "R8G8B8", 24},       {fmt::A8R8G8B8, "A8R8G8B8", 32},
    {fmt::X8R8G8B8, "X8R8G8B8", 32},   {fmt::R5G6B5, "R5G6B5", 16},
    {fmt::X1R5G5B5, "X1R5G5B5", 16},   {fmt::A1R5G5B5, "A1R5G5B5", 16},
    {fmt::A4R4G4B4, "A4R4G4B4", 16},   {fmt::R3G3B2, "R3G3B2", 8},
    {fmt::A8, "A8", 8},                {fmt::A8R3G3B2, "A8R3G3B2", 16},
    {fmt::X4R4G4B4, "X4R4G4B4", 16},   {fmt::A8P8, "A8P8", 16},
    {fmt::P8, "P8", 8},                {fmt::L8, "L8", 8},
    {fmt::A8L8, "A8L8", 16},           {fmt::A4L4, "A4L4", 8},
    {fmt::V8U8, "V8U8", 16},           {fmt::L6V5U5, "L6V5U5", 16},
    {fmt::X8L8V8U8, "X8L8V8U8", 32},   {fmt::Q8W8V8U8, "Q8W8V8U8", 32},
    {fmt::V16U16, "V16U16", 32},       {fmt::D16_LOCKABLE, "D16_LOCKABLE", 16},
    {fmt::D32, "D32", 32},             {fmt::D15S1, "D15S1", 16},
    {fmt::D24S8, "D24S8", 32},         {fmt::D24X8, "D24X8", 32},
    {fmt::D24X4S4, "D24X4S4", 32},     {fmt::D16, "D16", 16},
    {fmt::VERTEXDATA, "VERTEXDATA", 0}, {fmt::INDEX16, "INDEX16", 0},
    {fmt::INDEX32, "INDEX32", 0},      {fmt::DXT1, "DXT1", 0},
    {fmt::DXT2, "DXT2", 0},            {fmt::DXT3, "DXT3", 0},
    {fmt::DXT4, "DXT4", 0},            {fmt::DXT5, "DXT5", 0},
    {fmt::YUY2, "YUY2", 0},            {fmt::UYVY, "UYVY", 0},
};

const FormatInfo* FindFormat(D3DFORMAT format) {
  for (const FormatInfo& f : kFormats)
    if (f.Format == format) return &f;
  return nullptr;
}

}  // namespace

std::string D3DErrorName(HRESULT code) {
  for (const ErrorName& e : kErrorNames)
    if (e.Code == code) return e.Name;
  char text[40];
  std::snprintf(text, sizeof text, "UNKNOWN ERROR ... $%.8X", uint32_t(code));
  return text;
}

const char* FormatName(D3DFORMAT format) {
  const FormatInfo* f = FindFormat(format);
  return f ? f->Name : "UNKNOWN";
}

int FormatBits(D3DFORMAT format) {
  const FormatInfo* f = FindFormat(format);
  return f ? f->Bits : 0;
}

HRESULT CheckResult(EngineLog* log, HRESULT result, const std::string& text) {
  if (result == 0 || !log) return result;
  log->WriteLog(text + "(Error Code = " + D3DErrorName(result) + ")");
  log->HaltIfAsked();
  return result;
}

}  // namespace vuzed
