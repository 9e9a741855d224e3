// SHA-256 (FIPS 180-4) of a text, as the 64 lower-case hexadecimal digits that identify an
// input file in the report page.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kavrel {

// The digest of a message given in pieces of any size, in bounded memory.
class Sha256 {
 public:
  void Update(std::string_view data);
  // The digest of everything given so far; the object is not to be updated after it.
  std::string Hex();

 private:
  std::array<std::uint32_t, 8> h_{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                  0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  std::array<unsigned char, 64> block_{};
  std::size_t used_ = 0;      // bytes waiting in block_
  std::uint64_t length_ = 0;  // bytes given
};

std::string Sha256Hex(std::string_view data);

}  // namespace kavrel
