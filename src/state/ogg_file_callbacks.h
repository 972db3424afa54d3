#pragma once
// The decoder's data source: the open music file (a std::FILE*), read
// through the four stream callbacks of libvorbisfile. The decoder owns the
// file once opened; its close callback closes it.

// The library's own stdio callbacks are not used (and would be unused statics).
#ifndef OV_EXCLUDE_STATIC_CALLBACKS
#define OV_EXCLUDE_STATIC_CALLBACKS
#endif
#include <vorbis/vorbisfile.h>

namespace vuzed {

// read: 0 when size or count is 0, else whole items read (0 on error);
// seek: origin 0 start, 1 current, 2 end, 0 on success, -1 on error;
// close: 0, or -1 on error; tell: the position, or -1 on error.
ov_callbacks OggFileCallbacks();

}  // namespace vuzed
