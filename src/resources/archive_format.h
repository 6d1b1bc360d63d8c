// The layout of the resource archive "data.rs", shared by the engine and the
// packer.
//
// The archive is a plain chain of members: a 270-byte header followed at once
// by the member's stored bytes; no file header, no count, no directory block.
// Header (little-endian, no padding):
//   0    4  magic 0x666
//   4  257  name, NUL-terminated within the field
//   261  4  stored size: bytes that follow the header
//   265  4  size: the member's length once decoded
//   269  1  packed: 0 stored as is, otherwise a HUFF stream
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

constexpr int32_t RESOURCE_MAGIC = 0x666;
constexpr size_t RESOURCE_HEADER_SIZE = 270;
constexpr size_t RESOURCE_NAME_SIZE = 257;  // at most 256 characters and the NUL

using ResourceHeaderBytes = std::array<uint8_t, RESOURCE_HEADER_SIZE>;

struct ResourceHeader {
  int32_t magic;
  char name[RESOURCE_NAME_SIZE];
  int32_t storedSize;
  int32_t size;
  uint8_t packed;
};

// One member found while walking the headers.
struct ResourceEntry {
  ResourceHeader header;
  int64_t dataPos;  // offset in the archive of the first stored byte
};

ResourceHeaderBytes EncodeResourceHeader(const ResourceHeader& header);
ResourceHeader DecodeResourceHeader(const ResourceHeaderBytes& bytes);

// Length of an open file in bytes, or -1; leaves the position at the start.
int64_t ArchiveLength(FILE* file);

enum class DirectoryResult { Ok, BrokenMagic, BrokenHeader };

// Walks the headers from the start of file to its end, appending one entry per
// member in file order. A cut last header ends the walk silently, as does a
// member whose stored bytes run past the end (its extraction fails later). A
// bad magic, a name without its NUL or a negative stored size (which would walk
// backwards, for ever) breaks the archive.
DirectoryResult ReadResourceDirectory(FILE* file, std::vector<ResourceEntry>& entries);

enum class MemberResult { Ok, ReadError, HuffBroken };

// Whether a member's sizes can be trusted before anything is allocated from
// them: its stored bytes lie inside the archive (else ReadError), and a packed
// member's stream holds its counts and can code its size at one bit per byte
// at best (else HuffBroken). A stored member's size field is not used.
MemberResult CheckResourceMember(const ResourceEntry& entry, int64_t archiveLength);

// Reads a member whole, decoding it when packed, after CheckResourceMember.
MemberResult ReadResourceMember(FILE* file, const ResourceEntry& entry,
                                std::vector<uint8_t>& bytes);
