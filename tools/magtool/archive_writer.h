// Writing resource archives: one header and the stored bytes per member.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// False with error set when a member of size bytes cannot be stored (2 GiB
// and more).
bool MemberSizeFits(const std::string& name, uint64_t size, std::string& error);

// Appends one member to file, HUFF-packed when that is smaller and pack is
// set. False with error set when the member cannot be stored (a name longer
// than 256 characters, more than 2 GiB of data, a failed write).
bool WriteMember(FILE* file, const std::string& name, const std::vector<uint8_t>& data, bool pack,
                 std::string& error);

struct PackedMember {
  std::string name;
  std::vector<uint8_t> data;
};

// Writes a whole archive, members in the given order.
bool WriteArchive(const std::string& path, const std::vector<PackedMember>& members, bool pack,
                  std::string& error);
