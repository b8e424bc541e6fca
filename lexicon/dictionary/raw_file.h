#pragma once
// A file read or written as raw bytes, so no line-end translation can shift
// an offset. Reads go through a small window of the file, refilled with one
// positioned read: a seek inside the window costs nothing, and a lookup that
// jumps elsewhere costs one system call.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace velmo {

class RawFile {
 public:
  enum class Mode { kRead, kWrite };
  static constexpr std::size_t kDefaultWindow = 1024;

  RawFile() = default;
  // Opens `path` (created or emptied for writing); is_open() tells whether
  // it worked. `window` is the number of bytes one refill reads.
  RawFile(const std::string& path, Mode mode, std::size_t window = kDefaultWindow);
  RawFile(RawFile&& other) noexcept;
  RawFile& operator=(RawFile&& other) noexcept;
  RawFile(const RawFile&) = delete;
  RawFile& operator=(const RawFile&) = delete;
  ~RawFile() { close(); }

  bool is_open() const { return fd_ >= 0; }
  void close();

  // Moves to an absolute byte offset.
  bool seek(std::uint64_t offset);
  std::uint64_t tell() const { return window_start_ + position_; }
  // The next byte, or -1 at the end of the file.
  int get() { return position_ < filled_ ? static_cast<unsigned char>(window_[position_++]) : refill(); }
  // The bytes read but not yet taken, refilling the window first when all
  // are taken; empty at the end of the file. Valid until the next read.
  std::string_view buffered() {
    if (position_ >= filled_ && refill() >= 0) --position_;
    return {window_.get() + position_, filled_ - position_};
  }
  // Takes `count` bytes of buffered() (no more than it holds).
  void take(std::size_t count) { position_ += count; }
  // Reads a big-endian 4-byte number; false at the end of the file.
  bool read_u32(std::uint32_t& value);
  bool write(const void* data, std::size_t length);
  // Size of the file in bytes (0 when unknown).
  std::uint64_t size() const;

 private:
  int refill();

  int fd_ = -1;
  std::unique_ptr<char[]> window_;
  std::size_t capacity_ = 0;
  std::uint64_t window_start_ = 0;  // file offset of window_[0]
  std::size_t filled_ = 0;          // valid bytes in the window
  std::size_t position_ = 0;        // next byte in the window
};

// File-system queries used to decide whether an index is stale.
bool regular_file_exists(const std::string& path);
// True when `path` was modified strictly before `reference` (both must exist).
bool modified_before(const std::string& path, const std::string& reference);

}  // namespace velmo
