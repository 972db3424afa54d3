#include "state/ogg_file_callbacks.h"

#include <cstdio>
#include <limits>

namespace vuzed {
namespace {

size_t ReadItems(void* destination, size_t size, size_t count, void* source) {
  if (size == 0 || count == 0 || !source) return 0;
  if (count > std::numeric_limits<size_t>::max() / size) count = std::numeric_limits<size_t>::max() / size;
  size_t bytes = std::fread(destination, 1, size * count, static_cast<std::FILE*>(source));
  return bytes / size;
}

int SeekTo(void* source, ogg_int64_t offset, int origin) {
  if (!source) return -1;
  int whence;
  switch (origin) {
    case 0: whence = SEEK_SET; break;
    case 1: whence = SEEK_CUR; break;
    case 2: whence = SEEK_END; break;
    default: return -1;
  }
  // The whole 64-bit offset: music files past 2 GB seek correctly too.
  return fseeko(static_cast<std::FILE*>(source), off_t(offset), whence) == 0 ? 0 : -1;
}

int CloseFile(void* source) {
  if (!source) return -1;
  return std::fclose(static_cast<std::FILE*>(source)) == 0 ? 0 : -1;
}

long TellPosition(void* source) {
  if (!source) return -1;
  return long(ftello(static_cast<std::FILE*>(source)));
}

}  // namespace

ov_callbacks OggFileCallbacks() { return ov_callbacks{&ReadItems, &SeekTo, &CloseFile, &TellPosition}; }

}  // namespace vuzed
