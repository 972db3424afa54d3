#include "support/ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <cstdlib>

namespace vuzed::test {
namespace {

void TakePages(ogg_stream_state& stream, std::string& out, bool flush) {
  ogg_page page;
  while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
    out.append(reinterpret_cast<const char*>(page.header), size_t(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), size_t(page.body_len));
  }
}

}  // namespace

std::string MakeSineOgg(double seconds, double hz, float peak) {
  constexpr int kRate = 44100;
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, 2, kRate, 0.4f) != 0) std::abort();
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 1234);

  std::string out;
  ogg_packet header, commentPacket, codebooks;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentPacket, &codebooks);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &commentPacket);
  ogg_stream_packetin(&stream, &codebooks);
  TakePages(stream, out, true);

  const long total = long(seconds * kRate);
  const double step = 2.0 * std::numbers::pi * hz / kRate;
  long written = 0;
  while (true) {
    long chunk = std::min<long>(1024, total - written);
    if (chunk > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp, int(chunk));
      for (long i = 0; i < chunk; ++i) {
        float v = peak * float(std::sin(step * double(written + i)));
        buffer[0][i] = v;
        buffer[1][i] = v;
      }
      vorbis_analysis_wrote(&dsp, int(chunk));
      written += chunk;
    } else {
      vorbis_analysis_wrote(&dsp, 0);  // end of stream
    }
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
        ogg_stream_packetin(&stream, &packet);
        TakePages(stream, out, false);
      }
    }
    if (chunk <= 0) break;
  }
  TakePages(stream, out, true);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

}  // namespace vuzed::test
