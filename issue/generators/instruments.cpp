#include "generators/instruments.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr float PI = 3.14159265358979f;
constexpr float BASE_RATE = 8363.0f;
constexpr int DRUM_SHIFT = 1;
// Samples peak well below full scale so that several channels can sum unclipped.
constexpr float PEAK = 0.9f * 32767.0f;

float WaveAt(Wave wave, float phase) {
  switch (wave) {
    case Wave::Square: return phase < 0.5f ? 1.0f : -1.0f;
    case Wave::Pulse25: return phase < 0.25f ? 1.0f : -1.0f;
    case Wave::Pulse12: return phase < 0.125f ? 1.0f : -1.0f;
    case Wave::Saw: return 1.0f - 2.0f * phase;
    case Wave::Triangle: return phase < 0.5f ? 4.0f * phase - 1.0f : 3.0f - 4.0f * phase;
    case Wave::Sine: return std::sin(2.0f * PI * phase);
  }
  return 0.0f;
}

// Scales the signal so its peak is PEAK * level.
std::vector<int16_t> Quantise(const std::vector<float>& signal, float level = 1.0f) {
  float peak = 1e-9f;
  for (float v : signal) peak = std::max(peak, std::fabs(v));
  std::vector<int16_t> out;
  out.reserve(signal.size());
  for (float v : signal) out.push_back(static_cast<int16_t>(std::lround(v / peak * PEAK * level)));
  return out;
}

// White noise in -1..1 from a fixed seed, the same on every platform.
class Noise {
 public:
  float operator()() { return static_cast<float>(engine_()) / 2147483646.0f * 2.0f - 1.0f; }

 private:
  std::minstd_rand engine_{20240613};
};

Instrument Sampled(const std::string& name, std::vector<int16_t> data, int shift) {
  Instrument instrument;
  instrument.name = name;
  instrument.data = std::move(data);
  instrument.relativeNote = 12 * shift;
  return instrument;
}

Instrument Drum(const std::string& name, const std::vector<float>& signal, float level) {
  return Sampled(name, Quantise(signal, level), DRUM_SHIFT);
}

int DrumLength(float seconds) { return static_cast<int>(seconds * (BASE_RATE * (1 << DRUM_SHIFT))); }

}  // namespace

Instrument Tone(const std::string& name, Wave wave, int shift, float decayCycles, float sustain) {
  const int period = 32 << shift;
  const int cycles = static_cast<int>(std::ceil(decayCycles * 4.0f)) + 1;
  std::vector<float> signal;
  for (int c = 0; c < cycles; ++c) {
    for (int i = 0; i < period; ++i) {
      const float t = c + static_cast<float>(i) / period;
      const float level = sustain + (1.0f - sustain) * std::exp(-t / decayCycles);
      // A few samples of fade-in keep the attack from clicking.
      const float attack = std::min(1.0f, (c * period + i) / 16.0f);
      signal.push_back(WaveAt(wave, static_cast<float>(i) / period) * level * attack);
    }
  }
  Instrument tone = Sampled(name, Quantise(signal), shift);
  if (sustain > 0.0f) {
    tone.loopStart = (cycles - 1) * period;
    tone.loopLength = period;
  }
  return tone;
}

Instrument Pluck(const std::string& name, int shift, float seconds) {
  const int period = 32 << shift;
  const int length = static_cast<int>(seconds * BASE_RATE * (1 << shift));
  Noise noise;
  std::vector<float> ring(period);
  for (float& v : ring) v = noise();
  std::vector<float> signal;
  signal.reserve(length);
  for (int i = 0; i < length; ++i) {
    const int at = i % period;
    const float next = ring[(at + 1) % period];
    signal.push_back(ring[at]);
    ring[at] = 0.498f * (ring[at] + next);
  }
  return Sampled(name, Quantise(signal), shift);
}

Instrument Pad(const std::string& name, int shift) {
  const int period = 32 << shift;
  constexpr int CYCLES = 96;  // the loop: 95, 96 and 97 cycles of the three saws
  const int length = period * CYCLES;
  std::vector<float> signal(length);
  for (int i = 0; i < length; ++i) {
    for (int detune = -1; detune <= 1; ++detune) {
      const float phase = std::fmod(static_cast<float>(i) * (CYCLES + detune) / length, 1.0f);
      signal[i] += WaveAt(Wave::Saw, phase) / 3.0f;
    }
  }
  // Softened with a one-pole low-pass run twice round the loop, so it wraps.
  float state = 0.0f;
  for (int pass = 0; pass < 2; ++pass) {
    for (float& v : signal) v = state += 0.35f * (v - state);
  }
  Instrument pad = Sampled(name, Quantise(signal, 0.8f), shift);
  pad.loopLength = length;
  return pad;
}

Instrument Kick(const std::string& name) {
  const int length = DrumLength(0.35f);
  const float rate = BASE_RATE * (1 << DRUM_SHIFT);
  std::vector<float> signal(length);
  float phase = 0.0f;
  for (int i = 0; i < length; ++i) {
    const float t = i / rate;
    phase += (45.0f + 110.0f * std::exp(-t * 30.0f)) / rate;
    signal[i] = std::sin(2.0f * PI * phase) * std::exp(-t * 9.0f);
  }
  return Drum(name, signal, 1.0f);
}

Instrument Snare(const std::string& name) {
  const int length = DrumLength(0.25f);
  const float rate = BASE_RATE * (1 << DRUM_SHIFT);
  Noise noise;
  std::vector<float> signal(length);
  for (int i = 0; i < length; ++i) {
    const float t = i / rate;
    const float tone = std::sin(2.0f * PI * 185.0f * t) * std::exp(-t * 30.0f);
    signal[i] = 0.6f * tone + noise() * std::exp(-t * 16.0f);
  }
  return Drum(name, signal, 0.9f);
}

Instrument HiHat(const std::string& name, float seconds) {
  const int length = DrumLength(seconds);
  const float rate = BASE_RATE * (1 << DRUM_SHIFT);
  Noise noise;
  std::vector<float> signal(length);
  float previous = 0.0f;
  for (int i = 0; i < length; ++i) {
    const float white = noise();
    // The difference of successive samples keeps only the hiss.
    signal[i] = (white - previous) * std::exp(-static_cast<float>(i) / rate * 4.0f / seconds);
    previous = white;
  }
  return Drum(name, signal, 0.5f);
}
