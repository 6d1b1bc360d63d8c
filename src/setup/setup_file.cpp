#include "setup/setup_file.h"

#include <array>
#include <cstdio>

#include "base/fatal.h"
#include "platform/reader_files.h"
#include "resources/resource_file.h"
#include "resources/whole_file.h"

namespace {

constexpr size_t STORED_VALUES = 13;
constexpr size_t FIRST_BLOCK = 48;  // values 1-12; Bpp follows as its own block
using SetupBytes = std::array<uint8_t, STORED_VALUES * 4>;

std::array<int32_t*, STORED_VALUES> StoredFields(SetupConfig& c) {
  return {&c.UseSimd,        &c.UseMmx,      &c.FullScreen, &c.MouseSleepDelay, &c.ScrollFadeTime,
          &c.DoubleBuffered, &c.SoftCursor,  &c.MsxQuality, &c.UseMsxPlayer,    &c.StartingTune,
          &c.HwSurfaces,     &c.DirectXBlit, &c.Bpp};
}

SetupBytes EncodeSetup(SetupConfig config) {
  SetupBytes bytes{};
  size_t at = 0;
  for (int32_t* field : StoredFields(config)) {
    auto value = static_cast<uint32_t>(*field);
    for (int shift = 0; shift < 32; shift += 8) bytes[at++] = static_cast<uint8_t>(value >> shift);
  }
  return bytes;
}

void DecodeSetup(const SetupBytes& bytes, SetupConfig& config) {
  size_t at = 0;
  for (int32_t* field : StoredFields(config)) {
    uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= uint32_t{bytes[at++]} << shift;
    *field = static_cast<int32_t>(value);
  }
}

bool IsFlag(int32_t value) { return value == 0 || value == 1; }
bool InRange(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }

// The checks in the order the reader has always made them; StartingTune is free.
bool SetupIsValid(const SetupConfig& c) {
  return IsFlag(c.HwSurfaces) && IsFlag(c.DirectXBlit) && IsFlag(c.UseSimd) && IsFlag(c.UseMmx) &&
         IsFlag(c.SoftCursor) && IsFlag(c.FullScreen) && InRange(c.MouseSleepDelay, 1, 10000) &&
         InRange(c.ScrollFadeTime, 1, 10000) && IsFlag(c.DoubleBuffered) &&
         InRange(c.MsxQuality, 1, 3) && IsFlag(c.UseMsxPlayer) &&
         (c.Bpp == 15 || c.Bpp == 16 || c.Bpp == 32);
}

}  // namespace

void ReadSetupFile(SetupConfig& config) {
  const ResourceFile source(SETUP_FILE_PATH);
  FilePtr file = source.Open();
  if (!file) return;
  // A short file overlays only the bytes it holds.
  SetupBytes bytes = EncodeSetup(config);
  size_t got = std::fread(bytes.data(), 1, FIRST_BLOCK, file.get());
  if (got == FIRST_BLOCK) std::fread(bytes.data() + FIRST_BLOCK, 1, 4, file.get());
  file.reset();
  DecodeSetup(bytes, config);
  if (!SetupIsValid(config)) FatalError(SETUP_FILE_BROKEN);
}

void WriteSetupFile(const SetupConfig& config) {
  const ResourceFile target(SETUP_FILE_PATH);
  const SetupBytes bytes = EncodeSetup(config);
  if (SaveWholeFile(target.name(), {reinterpret_cast<const char*>(bytes.data()), bytes.size()})) {
    ReaderFileKept(target.name());
  }
}
