// Synthesised instruments for the demo's tunes. Tonal samples hold whole cycles
// of 32 << shift samples at 8363 << shift Hz, so C-4 sounds at its pitch;
// drums are meant to be played at C-4.
#pragma once

#include <string>

#include "generators/song.h"

enum class Wave { Square, Pulse25, Pulse12, Saw, Triangle, Sine };

// A waveform that starts at full level, decays over about decayCycles cycles
// towards sustain (0..1) and, unless sustain is 0, loops its last cycle there.
Instrument Tone(const std::string& name, Wave wave, int shift, float decayCycles, float sustain);

// A plucked string (Karplus-Strong) that rings for about seconds.
Instrument Pluck(const std::string& name, int shift, float seconds);

// Three saws a few cents apart, looped so that their beating repeats seamlessly.
Instrument Pad(const std::string& name, int shift);

Instrument Kick(const std::string& name);
Instrument Snare(const std::string& name);
Instrument HiHat(const std::string& name, float seconds);
