#include "magtool/web/ogg_vorbis_writer.h"

#include <vorbis/vorbisenc.h>

#include <cstdio>
#include <functional>

#include "resources/file_ptr.h"

struct OggVorbisWriter::State {
  FilePtr file;
  bool ready = false;  // every libvorbis and libogg structure below is set up
  bool failed = false;
  bool finished = false;
  vorbis_info info{};
  vorbis_comment comment{};
  vorbis_dsp_state dsp{};
  vorbis_block block{};
  ogg_stream_state stream{};

  ~State() {
    if (ready) {
      ogg_stream_clear(&stream);
      vorbis_block_clear(&block);
      vorbis_dsp_clear(&dsp);
      vorbis_comment_clear(&comment);
    }
    vorbis_info_clear(&info);
  }

  void WritePage(const ogg_page& page) {
    if (failed) return;
    const auto header = static_cast<size_t>(page.header_len);
    const auto body = static_cast<size_t>(page.body_len);
    failed = std::fwrite(page.header, 1, header, file.get()) != header ||
             std::fwrite(page.body, 1, body, file.get()) != body;
  }

  // The packets the encoder has ready, into pages as they fill.
  void Drain() {
    ogg_packet packet;
    ogg_page page;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) WritePage(page);
      }
    }
  }
};

OggVorbisWriter::OggVorbisWriter(FilePtr file, const std::string& name, const std::string& title,
                                 float quality)
    : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.file = std::move(file);
  vorbis_info_init(&s.info);
  if (!s.file || vorbis_encode_init_vbr(&s.info, 2, WEB_AUDIO_RATE, quality) != 0) return;
  vorbis_comment_init(&s.comment);
  vorbis_comment_add_tag(&s.comment, "TITLE", title.c_str());
  vorbis_analysis_init(&s.dsp, &s.info);
  vorbis_block_init(&s.dsp, &s.block);
  // A serial number of the name's own, so that the same tune always gives the same bytes.
  ogg_stream_init(&s.stream, static_cast<int>(std::hash<std::string>{}(name)&0x7FFFFFFF));
  s.ready = true;
  ogg_packet id, comments, books;
  vorbis_analysis_headerout(&s.dsp, &s.comment, &id, &comments, &books);
  for (ogg_packet* packet : {&id, &comments, &books}) ogg_stream_packetin(&s.stream, packet);
  ogg_page page;
  // The headers stand on pages of their own, as players expect.
  while (ogg_stream_flush(&s.stream, &page) != 0) s.WritePage(page);
}

OggVorbisWriter::~OggVorbisWriter() = default;

bool OggVorbisWriter::Ok() const { return state_->ready && !state_->failed; }

float** OggVorbisWriter::Buffer(int frames) { return vorbis_analysis_buffer(&state_->dsp, frames); }

bool OggVorbisWriter::Wrote(int frames) {
  vorbis_analysis_wrote(&state_->dsp, frames);
  state_->Drain();
  return Ok();
}

bool OggVorbisWriter::Finish() {
  State& s = *state_;
  if (!s.ready) return false;
  vorbis_analysis_wrote(&s.dsp, 0);  // the end of the stream
  s.Drain();
  ogg_page page;
  while (ogg_stream_flush(&s.stream, &page) != 0) s.WritePage(page);
  s.finished = !s.failed && std::fflush(s.file.get()) == 0 && std::fclose(s.file.release()) == 0;
  return s.finished;
}
