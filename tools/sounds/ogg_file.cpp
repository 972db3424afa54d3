#include "ogg_file.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <fstream>
#include <string>

namespace vuzed::sounds {
namespace {

constexpr int kSerial = 0x56555A44;  // any fixed number: the same file every run
constexpr int kChunk = 1024;

void TakePages(ogg_stream_state& stream, std::string& out, bool flush) {
  ogg_page page;
  while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
    out.append(reinterpret_cast<const char*>(page.header), size_t(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), size_t(page.body_len));
  }
}

// The encoder's pieces, cleared in reverse order of their set-up.
struct Encoder {
  vorbis_info Info;
  vorbis_comment Comment;
  vorbis_dsp_state Dsp;
  vorbis_block Block;
  ogg_stream_state Stream;
  bool InfoReady = false, DspReady = false;

  Encoder() {
    vorbis_info_init(&Info);
    vorbis_comment_init(&Comment);
    ogg_stream_init(&Stream, kSerial);
  }
  ~Encoder() {
    ogg_stream_clear(&Stream);
    if (DspReady) {
      vorbis_block_clear(&Block);
      vorbis_dsp_clear(&Dsp);
    }
    vorbis_comment_clear(&Comment);
    vorbis_info_clear(&Info);
  }
  Encoder(const Encoder&) = delete;
  Encoder& operator=(const Encoder&) = delete;
};

}  // namespace

bool WriteOggVorbis(const std::filesystem::path& path, const Stereo& samples, int rate, float quality,
                    std::string_view title) {
  Encoder enc;
  if (vorbis_encode_init_vbr(&enc.Info, 2, rate, quality) != 0) return false;
  std::string titleText(title);
  vorbis_comment_add_tag(&enc.Comment, "TITLE", titleText.c_str());
  if (vorbis_analysis_init(&enc.Dsp, &enc.Info) != 0) return false;
  vorbis_block_init(&enc.Dsp, &enc.Block);
  enc.DspReady = true;

  std::string out;
  ogg_packet header, comment, codebooks;
  vorbis_analysis_headerout(&enc.Dsp, &enc.Comment, &header, &comment, &codebooks);
  ogg_stream_packetin(&enc.Stream, &header);
  ogg_stream_packetin(&enc.Stream, &comment);
  ogg_stream_packetin(&enc.Stream, &codebooks);
  TakePages(enc.Stream, out, true);  // audio starts on a fresh page

  const size_t total = samples.Frames();
  size_t written = 0;
  bool ended = false;
  while (!ended) {
    size_t chunk = std::min<size_t>(kChunk, total - written);
    if (chunk > 0) {
      float** buffer = vorbis_analysis_buffer(&enc.Dsp, int(chunk));
      for (size_t i = 0; i < chunk; ++i) {
        buffer[0][i] = std::clamp(samples.L[written + i], -1.0f, 1.0f);
        buffer[1][i] = std::clamp(samples.R[written + i], -1.0f, 1.0f);
      }
      vorbis_analysis_wrote(&enc.Dsp, int(chunk));
      written += chunk;
    } else {
      vorbis_analysis_wrote(&enc.Dsp, 0);  // end of stream
      ended = true;
    }
    while (vorbis_analysis_blockout(&enc.Dsp, &enc.Block) == 1) {
      vorbis_analysis(&enc.Block, nullptr);
      vorbis_bitrate_addblock(&enc.Block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&enc.Dsp, &packet)) {
        ogg_stream_packetin(&enc.Stream, &packet);
        TakePages(enc.Stream, out, false);
      }
    }
  }
  TakePages(enc.Stream, out, true);

  std::filesystem::create_directories(path.parent_path());
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(out.data(), std::streamsize(out.size()));
  return bool(file);
}

}  // namespace vuzed::sounds
