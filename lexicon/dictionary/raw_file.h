#pragma once
// A file read or written as raw bytes, with seeking and byte offsets that no
// line-end translation can shift. Owns its C stream.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace velmo {

class RawFile {
 public:
  enum class Mode { kRead, kWrite };

  RawFile() = default;
  // Opens `path`; is_open() tells whether it worked.
  RawFile(const std::string& path, Mode mode);

  bool is_open() const { return stream_ != nullptr; }
  void close() { stream_.reset(); }

  // Moves to an absolute byte offset; false when the offset is unusable.
  bool seek(std::uint64_t offset);
  std::uint64_t tell() const;
  // The next byte, or EOF.
  int get() { return std::getc(stream_.get()); }
  // Reads a big-endian 4-byte number; false at the end of the file.
  bool read_u32(std::uint32_t& value);
  bool write(const void* data, std::size_t length);
  // Size of the file in bytes (0 when unknown).
  std::uint64_t size() const;

 private:
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> stream_;
};

// File-system queries used to decide whether an index is stale.
bool regular_file_exists(const std::string& path);
// True when `path` was modified strictly before `reference` (both must exist).
bool modified_before(const std::string& path, const std::string& reference);

}  // namespace velmo
