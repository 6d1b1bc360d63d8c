#include "resources/archive_format.h"

#include <cstring>

#include "resources/huff.h"

namespace {

constexpr size_t NAME_AT = 4, STORED_AT = 261, SIZE_AT = 265, PACKED_AT = 269;

void PutInt32(uint8_t* at, int32_t value) {
  auto bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(bits >> (8 * i));
}

int32_t GetInt32(const uint8_t* at) {
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits |= uint32_t{at[i]} << (8 * i);
  return static_cast<int32_t>(bits);
}

}  // namespace

ResourceHeaderBytes EncodeResourceHeader(const ResourceHeader& header) {
  ResourceHeaderBytes bytes{};
  PutInt32(&bytes[0], header.magic);
  std::memcpy(&bytes[NAME_AT], header.name, RESOURCE_NAME_SIZE);
  PutInt32(&bytes[STORED_AT], header.storedSize);
  PutInt32(&bytes[SIZE_AT], header.size);
  bytes[PACKED_AT] = header.packed;
  return bytes;
}

ResourceHeader DecodeResourceHeader(const ResourceHeaderBytes& bytes) {
  ResourceHeader header{};
  header.magic = GetInt32(&bytes[0]);
  std::memcpy(header.name, &bytes[NAME_AT], RESOURCE_NAME_SIZE);
  header.storedSize = GetInt32(&bytes[STORED_AT]);
  header.size = GetInt32(&bytes[SIZE_AT]);
  header.packed = bytes[PACKED_AT];
  return header;
}

int64_t ArchiveLength(FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  int64_t length = ftello(file);
  return std::fseek(file, 0, SEEK_SET) == 0 ? length : -1;
}

DirectoryResult ReadResourceDirectory(FILE* file, std::vector<ResourceEntry>& entries) {
  int64_t length = ArchiveLength(file);
  if (length < 0) return DirectoryResult::BrokenHeader;
  ResourceHeaderBytes bytes;
  int64_t pos = 0;
  while (length - pos >= static_cast<int64_t>(RESOURCE_HEADER_SIZE)) {
    if (std::fread(bytes.data(), RESOURCE_HEADER_SIZE, 1, file) != 1) break;
    pos += RESOURCE_HEADER_SIZE;
    ResourceEntry entry{DecodeResourceHeader(bytes), pos};
    if (entry.header.magic != RESOURCE_MAGIC) return DirectoryResult::BrokenMagic;
    if (std::memchr(entry.header.name, 0, RESOURCE_NAME_SIZE) == nullptr ||
        entry.header.storedSize < 0) {
      return DirectoryResult::BrokenHeader;
    }
    entries.push_back(entry);
    pos += entry.header.storedSize;
    if (fseeko(file, pos, SEEK_SET) != 0) break;
  }
  return DirectoryResult::Ok;
}

MemberResult CheckResourceMember(const ResourceEntry& entry, int64_t archiveLength) {
  const ResourceHeader& h = entry.header;
  if (h.storedSize < 0 || entry.dataPos + h.storedSize > archiveLength) {
    return MemberResult::ReadError;
  }
  if (h.packed == 0) return MemberResult::Ok;
  int64_t codedBits = (int64_t{h.storedSize} - int64_t{HUFF_COUNTS_SIZE}) * 8;
  if (h.size < 0 || codedBits < 0 || h.size > codedBits) return MemberResult::HuffBroken;
  return MemberResult::Ok;
}

MemberResult ReadResourceMember(FILE* file, const ResourceEntry& entry,
                                std::vector<uint8_t>& bytes) {
  const ResourceHeader& h = entry.header;
  std::vector<uint8_t> stored(static_cast<size_t>(h.storedSize));
  if (fseeko(file, entry.dataPos, SEEK_SET) != 0) return MemberResult::ReadError;
  if (!stored.empty() && std::fread(stored.data(), stored.size(), 1, file) != 1) {
    return MemberResult::ReadError;
  }
  if (h.packed == 0) {
    bytes = std::move(stored);
    return MemberResult::Ok;
  }
  bytes.assign(static_cast<size_t>(h.size), 0);
  size_t decoded = HuffDecode(stored.data(), stored.size(), bytes.data(), bytes.size());
  return decoded == bytes.size() ? MemberResult::Ok : MemberResult::HuffBroken;
}
