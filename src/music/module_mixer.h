// The module mixer under both music layers: libopenmpt renders the module
// that plays into SDL's audio callback. A module plays once; its end is
// noticed on the audio thread, which then calls the module's end callback.
// Every field the callback touches is guarded by SDL_LockAudio, so the main
// thread may load, free or replace modules while sound is running.
#pragma once

#include <cstddef>
#include <cstdint>

using MixerHandle = int32_t;  // 0 = no module
using MixerEndCallback = void (*)(MixerHandle handle, void* user);

// Opens SDL's audio output at rate (16-bit stereo) with the mixer's callback
// and starts it; false, with nothing open, when the output cannot be opened.
bool MixerOpen(int32_t rate);
bool MixerIsOpen();
int32_t MixerRate();
// Stops the sound, frees every module and closes the output.
void MixerClose();

// Loads the module file at path (any format libopenmpt reads); 0 when the
// file cannot be read or is not a module. The module stands still until played.
MixerHandle MixerLoad(const char* path);
void MixerFree(MixerHandle handle);
// Whether handle names a loaded module (a freed handle never names another).
bool MixerLoaded(MixerHandle handle);

// Starts the module from its beginning, as the only one that sounds.
void MixerPlay(MixerHandle handle);
// The same from the start of order position order; false when the module or
// the order does not exist.
bool MixerPlayFrom(MixerHandle handle, int32_t order);
// Silences it, keeping it loaded and its position.
void MixerStop(MixerHandle handle);
// True once the module has played to its end (until it is played again).
bool MixerFinished(MixerHandle handle);

// 0..1 for the module, and for the whole output.
void MixerSetModuleVolume(MixerHandle handle, float volume);
void MixerSetOutputVolume(float volume);
// Stereo separation, 0 (mono) .. 1 (full).
void MixerSetSeparation(MixerHandle handle, float separation);
// Called on the audio thread when the module reaches its end; must only set a flag.
void MixerSetEndCallback(MixerHandle handle, MixerEndCallback callback, void* user);

// Renders frames of interleaved 16-bit stereo at MixerRate into out: the
// audio callback's work, callable directly for measuring (silence when
// nothing plays). The caller holds the audio lock or the output is closed.
void MixerRender(int16_t* out, size_t frames);
