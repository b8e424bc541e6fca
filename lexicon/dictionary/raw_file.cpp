#include "lexicon/dictionary/raw_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <utility>

#include "shell/support/str_bufs.h"

namespace velmo {

RawFile::RawFile(const std::string& path, Mode mode, std::size_t window)
    : fd_(mode == Mode::kRead ? ::open(path.c_str(), O_RDONLY | O_CLOEXEC)
                              : ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)),
      window_(std::make_unique<char[]>(window > 0 ? window : 1)),
      capacity_(window > 0 ? window : 1) {}

RawFile::RawFile(RawFile&& other) noexcept { *this = std::move(other); }

RawFile& RawFile::operator=(RawFile&& other) noexcept {
  if (this == &other) return *this;
  close();
  fd_ = std::exchange(other.fd_, -1);
  window_ = std::move(other.window_);
  capacity_ = std::exchange(other.capacity_, 0);
  window_start_ = std::exchange(other.window_start_, 0);
  filled_ = std::exchange(other.filled_, 0);
  position_ = std::exchange(other.position_, 0);
  return *this;
}

void RawFile::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  window_start_ = filled_ = position_ = 0;
}

bool RawFile::seek(std::uint64_t offset) {
  if (fd_ < 0 || offset > static_cast<std::uint64_t>(INT64_MAX)) return false;
  if (offset >= window_start_ && offset - window_start_ <= filled_) {
    position_ = static_cast<std::size_t>(offset - window_start_);
    return true;
  }
  window_start_ = offset;
  filled_ = position_ = 0;
  return true;
}

int RawFile::refill() {
  if (fd_ < 0) return -1;
  window_start_ += filled_;
  filled_ = position_ = 0;
  ssize_t got;
  do {
    got = ::pread(fd_, window_.get(), capacity_, static_cast<off_t>(window_start_));
  } while (got < 0 && errno == EINTR);
  if (got <= 0) return -1;
  filled_ = static_cast<std::size_t>(got);
  return static_cast<unsigned char>(window_[position_++]);
}

bool RawFile::read_u32(std::uint32_t& value) {
  unsigned char bytes[4];
  for (unsigned char& byte : bytes) {
    const int c = get();
    if (c < 0) return false;
    byte = static_cast<unsigned char>(c);
  }
  value = get_u32(bytes);
  return true;
}

bool RawFile::write(const void* data, std::size_t length) {
  const char* bytes = static_cast<const char*>(data);
  while (fd_ >= 0 && length > 0) {
    const ssize_t put = ::write(fd_, bytes, length);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes += put;
    length -= static_cast<std::size_t>(put);
  }
  return fd_ >= 0;
}

std::uint64_t RawFile::size() const {
  struct stat info {};
  if (fd_ < 0 || fstat(fd_, &info) != 0) return 0;
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
