#include "shell/support/str_bufs.h"

namespace velmo {

void StrBufs::put_u16(std::uint16_t v) {
  push(static_cast<char>(v >> 8));
  push(static_cast<char>(v & 0xFF));
}

void StrBufs::put_u32(std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) push(static_cast<char>((v >> shift) & 0xFF));
}

std::uint16_t get_u16(const unsigned char* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }

std::uint32_t get_u32(const unsigned char* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

}  // namespace velmo
