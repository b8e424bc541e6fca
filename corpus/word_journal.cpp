#include "corpus/word_journal.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "shell/support/str_bufs.h"

namespace velmo {
namespace {

constexpr std::string_view kMagic = "VJOURNL1";
constexpr std::size_t kWordBytes = 8;
constexpr std::size_t kChecksumBytes = 8;

std::uint64_t fnv1a(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

std::uint32_t u32_at(std::string_view bytes, std::size_t at) {
  return get_u32(reinterpret_cast<const unsigned char*>(bytes.data() + at));
}

bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

std::string directory_of(const std::string& name) {
  const std::size_t slash = name.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : name.substr(0, slash);
}

}  // namespace

std::string encode_word_journal(const std::vector<WordWrite>& words) {
  StrBufs bytes(kMagic.size() + 4 + words.size() * kWordBytes + kChecksumBytes);
  bytes.append(kMagic);
  bytes.put_u32(static_cast<std::uint32_t>(words.size()));
  for (const WordWrite& word : words) {
    bytes.put_u32(word.offset);
    bytes.put_u32(word.value);
  }
  const std::uint64_t checksum = fnv1a(bytes.view());
  bytes.put_u32(static_cast<std::uint32_t>(checksum >> 32));
  bytes.put_u32(static_cast<std::uint32_t>(checksum));
  return std::string(bytes.view());
}

std::optional<std::vector<WordWrite>> decode_word_journal(std::string_view bytes) {
  const std::size_t fixed = kMagic.size() + 4 + kChecksumBytes;
  if (bytes.size() < fixed || bytes.substr(0, kMagic.size()) != kMagic) return std::nullopt;
  const std::uint32_t count = u32_at(bytes, kMagic.size());
  if ((bytes.size() - fixed) / kWordBytes != count || (bytes.size() - fixed) % kWordBytes != 0) return std::nullopt;
  const std::size_t body = bytes.size() - kChecksumBytes;
  const std::uint64_t checksum = (std::uint64_t{u32_at(bytes, body)} << 32) | u32_at(bytes, body + 4);
  if (checksum != fnv1a(bytes.substr(0, body))) return std::nullopt;
  std::vector<WordWrite> words(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t at = kMagic.size() + 4 + std::size_t{i} * kWordBytes;
    words[i] = WordWrite{u32_at(bytes, at), u32_at(bytes, at + 4)};
  }
  return words;
}

bool write_file_whole(const std::string& name, std::string_view bytes, const std::function<void()>& after_step) {
  const std::string temporary = name + ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  const bool written = write_all(fd, bytes) && ::fsync(fd) == 0;
  ::close(fd);
  if (!written) {
    ::unlink(temporary.c_str());
    return false;
  }
  if (after_step) after_step();
  if (std::rename(temporary.c_str(), name.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  if (after_step) after_step();
  // The rename itself reaches the disk with the directory.
  const int directory = ::open(directory_of(name).c_str(), O_RDONLY | O_DIRECTORY);
  if (directory >= 0) {
    ::fsync(directory);
    ::close(directory);
  }
  return true;
}

}  // namespace velmo
