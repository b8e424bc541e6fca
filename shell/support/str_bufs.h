#pragma once
// Growable byte buffer for building texts and binary forms.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <string>

namespace velmo {

class StrBufs {
 public:
  explicit StrBufs(std::size_t initial_capacity = 64) { bytes_.reserve(initial_capacity + 1); }

  void clear() { bytes_.clear(); }
  void push(char c) { bytes_.push_back(c); }
  void append(std::string_view text) { bytes_.append(text); }
  void append(const char* data, std::size_t length) { bytes_.append(data, length); }
  void pop() { bytes_.pop_back(); }
  void truncate(std::size_t length) { bytes_.resize(length); }

  // Multi-byte numbers of every binary form are big-endian.
  void put_u16(std::uint16_t v);
  void put_u32(std::uint32_t v);

  std::size_t size() const { return bytes_.size(); }
  bool empty() const { return bytes_.empty(); }
  char back() const { return bytes_.back(); }
  char operator[](std::size_t i) const { return bytes_[i]; }
  const char* data() const { return bytes_.data(); }
  std::string_view view() const { return {bytes_.data(), bytes_.size()}; }
  bool ends_with(std::string_view tail) const { return view().ends_with(tail); }
  bool starts_with(std::string_view head) const { return view().starts_with(head); }

  // The contents, NUL-terminated (the terminator is not counted).
  const char* c_str() const { return bytes_.c_str(); }
  std::string& str() { return bytes_; }

 private:
  std::string bytes_;
};

std::uint16_t get_u16(const unsigned char* p);
std::uint32_t get_u32(const unsigned char* p);

}  // namespace velmo
