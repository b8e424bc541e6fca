#include "lexicon/dictionary/raw_file.h"

#include <sys/stat.h>

#include <filesystem>

#include "shell/support/str_bufs.h"

namespace velmo {

RawFile::RawFile(const std::string& path, Mode mode)
    : stream_(std::fopen(path.c_str(), mode == Mode::kRead ? "rb" : "wb")) {}

bool RawFile::seek(std::uint64_t offset) {
  if (!stream_ || offset > static_cast<std::uint64_t>(INT64_MAX)) return false;
  return fseeko(stream_.get(), static_cast<off_t>(offset), SEEK_SET) == 0;
}

std::uint64_t RawFile::tell() const {
  if (!stream_) return 0;
  const off_t at = ftello(stream_.get());
  return at < 0 ? 0 : static_cast<std::uint64_t>(at);
}

bool RawFile::read_u32(std::uint32_t& value) {
  unsigned char bytes[4];
  if (!stream_ || std::fread(bytes, 1, 4, stream_.get()) != 4) return false;
  value = get_u32(bytes);
  return true;
}

bool RawFile::write(const void* data, std::size_t length) {
  return stream_ && std::fwrite(data, 1, length, stream_.get()) == length;
}

std::uint64_t RawFile::size() const {
  struct stat info {};
  if (!stream_ || fstat(fileno(stream_.get()), &info) != 0) return 0;
  return static_cast<std::uint64_t>(info.st_size);
}

bool regular_file_exists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

bool modified_before(const std::string& path, const std::string& reference) {
  std::error_code error;
  const auto time = std::filesystem::last_write_time(path, error);
  if (error) return false;
  const auto reference_time = std::filesystem::last_write_time(reference, error);
  if (error) return false;
  return time < reference_time;
}

}  // namespace velmo
