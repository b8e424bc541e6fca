#include "lexicon/attributes/byte_cursor.h"

#include <cstring>

#include "shell/support/str_bufs.h"

namespace velmo {

bool ByteCursor::read_u8(std::uint8_t& v) {
  if (remaining() < 1) return false;
  v = *p_++;
  return true;
}

bool ByteCursor::read_i8(int& v) {
  std::uint8_t b;
  if (!read_u8(b)) return false;
  v = static_cast<std::int8_t>(b);
  return true;
}

bool ByteCursor::read_u16(std::uint16_t& v) {
  if (remaining() < 2) return false;
  v = get_u16(p_);
  p_ += 2;
  return true;
}

bool ByteCursor::read_i16(int& v) {
  std::uint16_t u;
  if (!read_u16(u)) return false;
  v = static_cast<std::int16_t>(u);
  return true;
}

bool ByteCursor::read_u32(std::uint32_t& v) {
  if (remaining() < 4) return false;
  v = get_u32(p_);
  p_ += 4;
  return true;
}

bool ByteCursor::read_cstring(std::string_view& text) {
  const void* nul = std::memchr(p_, 0, remaining());
  if (!nul) return false;
  const auto* stop = static_cast<const unsigned char*>(nul);
  text = std::string_view(reinterpret_cast<const char*>(p_), static_cast<std::size_t>(stop - p_));
  p_ = stop + 1;
  return true;
}

}  // namespace velmo
