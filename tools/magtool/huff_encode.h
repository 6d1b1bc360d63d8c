// The packer's side of the HUFF coding: turns a member's bytes into a stream
// that HuffDecode reads back byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The whole stored stream: counts, the code of every byte, the end symbol's
// code, the last byte filled up with zero bits.
std::vector<uint8_t> HuffEncode(const uint8_t* data, size_t size);
