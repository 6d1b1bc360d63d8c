// The sound-library functions the BASS player calls, with the values it
// relies on, built on the module mixer. The end sync is called on the audio
// thread.
// Private to music/: nothing outside it includes this header.
#pragma once

#include <cstdint>

using HMUSIC = uint32_t;  // 0 = none
using HSYNC = uint32_t;
using SYNCPROC = void (*)(HSYNC sync, uint32_t channel, uint32_t data, uint32_t user);
using HWND = void*;

constexpr uint32_t BASS_LAYER_VERSION = 0x20001;
constexpr uint32_t BASS_SYNC_END = 2;
constexpr uint32_t BASS_SYNC_MIXTIME = 0x80000000;

uint32_t BASS_GetVersion();
// Opens SDL's output at rate; false when it cannot be opened. The device,
// flags and window are accepted as given.
bool BASS_Init(int32_t device, uint32_t rate, uint32_t flags, HWND window);
bool BASS_Start();
void BASS_Free();
// From a file (mem false): 0 when the file is missing or not a module.
HMUSIC BASS_MusicLoad(bool mem, const void* file, uint32_t offset, uint32_t length, uint32_t flags);
void BASS_MusicFree(HMUSIC music);
// Plays from order position pos; reset starts the module afresh.
bool BASS_MusicPlayEx(HMUSIC music, uint32_t pos, int32_t flags, bool reset);
bool BASS_ChannelStop(uint32_t channel);
// type BASS_SYNC_END (with or without BASS_SYNC_MIXTIME): proc is called when
// the module reaches its end.
HSYNC BASS_ChannelSetSync(uint32_t channel, uint32_t type, uint64_t param, SYNCPROC proc,
                          uint32_t user);
bool BASS_SetVolume(uint32_t volume);  // 0..100, the whole output

// The window the output belongs to; there is none to give here.
HWND GetForegroundWindow();
