#pragma once
// Bounded reader over a binary form. Every read checks the remaining bytes,
// so a truncated or corrupt form fails instead of reading past its end.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmo {

class ByteCursor {
 public:
  // Nested vectors deeper than this are treated as corrupt input.
  static constexpr int kMaxDepth = 200;

  ByteCursor(const void* data, std::size_t length) : p_(static_cast<const unsigned char*>(data)), end_(p_ + length) {}

  std::size_t remaining() const { return static_cast<std::size_t>(end_ - p_); }
  bool at_end() const { return p_ == end_; }
  const unsigned char* position() const { return p_; }

  bool read_u8(std::uint8_t& v);
  bool read_i8(int& v);
  bool read_u16(std::uint16_t& v);
  bool read_i16(int& v);
  bool read_u32(std::uint32_t& v);
  // A NUL-terminated text; the cursor moves past the NUL.
  bool read_cstring(std::string_view& text);

  // Nesting guard for recursive forms.
  bool enter() { return ++depth_ <= kMaxDepth; }
  void leave() { --depth_; }

 private:
  const unsigned char* p_;
  const unsigned char* end_;
  int depth_ = 0;
};

}  // namespace velmo
