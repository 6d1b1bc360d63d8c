// An Ogg Vorbis file written from stereo sound at 44.1 kHz handed in blocks
// of planar float samples (-1..1). The encoder's state and the file are given
// back with the writer.
#pragma once

#include <memory>
#include <string>

#include "resources/file_ptr.h"

constexpr int WEB_AUDIO_RATE = 44100;

class OggVorbisWriter {
 public:
  // Writes into file, whose name fixes the stream's serial number, the title
  // in the stream's comments; quality is libvorbis's VBR scale (-0.1..1).
  // Ok() tells whether it is ready (not with a null file).
  OggVorbisWriter(FilePtr file, const std::string& name, const std::string& title, float quality);
  ~OggVorbisWriter();
  OggVorbisWriter(const OggVorbisWriter&) = delete;
  OggVorbisWriter& operator=(const OggVorbisWriter&) = delete;

  bool Ok() const;
  // Room for frames more samples: [0] the left channel, [1] the right.
  float** Buffer(int frames);
  // The first frames of the buffer are filled; false once writing has failed.
  bool Wrote(int frames);
  // Ends the stream and closes the file; false when it was not written whole.
  bool Finish();

 private:
  struct State;
  std::unique_ptr<State> state_;
};
