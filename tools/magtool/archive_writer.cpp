#include "magtool/archive_writer.h"

#include <climits>
#include <cstring>

#include "magtool/huff_encode.h"
#include "resources/archive_format.h"
#include "resources/file_ptr.h"

bool MemberSizeFits(const std::string& name, uint64_t size, std::string& error) {
  if (size <= INT32_MAX) return true;
  error = name + ": a member must be smaller than 2 GiB";
  return false;
}

bool WriteMember(FILE* file, const std::string& name, const std::vector<uint8_t>& data, bool pack,
                 std::string& error) {
  if (name.empty() || name.size() >= RESOURCE_NAME_SIZE) {
    error = name + ": a member name must have 1 to 256 characters";
    return false;
  }
  if (!MemberSizeFits(name, data.size(), error)) return false;
  std::vector<uint8_t> packed;
  if (pack) packed = HuffEncode(data.data(), data.size());
  bool usePacked = pack && packed.size() < data.size();
  const std::vector<uint8_t>& stored = usePacked ? packed : data;

  ResourceHeader header{};
  header.magic = RESOURCE_MAGIC;
  std::memcpy(header.name, name.c_str(), name.size());
  header.storedSize = static_cast<int32_t>(stored.size());
  header.size = static_cast<int32_t>(data.size());
  header.packed = usePacked ? 1 : 0;
  ResourceHeaderBytes bytes = EncodeResourceHeader(header);
  if (std::fwrite(bytes.data(), bytes.size(), 1, file) != 1 ||
      (!stored.empty() && std::fwrite(stored.data(), stored.size(), 1, file) != 1)) {
    error = name + ": write error";
    return false;
  }
  return true;
}

bool WriteArchive(const std::string& path, const std::vector<PackedMember>& members, bool pack,
                  std::string& error) {
  FilePtr file = OpenFile(path.c_str(), "wb");
  if (!file) {
    error = path + ": cannot create the archive";
    return false;
  }
  for (const PackedMember& member : members) {
    if (!WriteMember(file.get(), member.name, member.data, pack, error)) return false;
  }
  if (std::fclose(file.release()) != 0) {
    error = path + ": write error";
    return false;
  }
  return true;
}
