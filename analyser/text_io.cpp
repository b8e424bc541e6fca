#include "analyser/text_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <iterator>
#include <system_error>

namespace zentra {

std::string normalize_line_ends(std::string_view raw) {
  std::string text;
  text.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const bool cr_before_lf = raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n';
    if (!cr_before_lf) text.push_back(raw[i]);
  }
  return text;
}

std::optional<std::string> read_text_file(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string raw{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return normalize_line_ends(raw);
}

bool write_text_file(const std::filesystem::path& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.close();
  return static_cast<bool>(out);
}

void write_text_file(const WorkFile& file, std::string_view content) {
  if (!write_text_file(file.path(), content)) file.note_write_failure();
}

namespace {

// Owns a POSIX file descriptor.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }

 private:
  int fd_;
};

bool write_all(int fd, std::string_view content) {
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t written = ::pwrite(fd, content.data() + done, content.size() - done, static_cast<off_t>(done));
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

bool rewrite_text_file(const std::filesystem::path& path, std::string_view content) {
  const FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
  if (!file.valid()) return false;
  // After a failed write the file is emptied rather than left half old.
  const bool written = write_all(file.get(), content);
  const off_t length = written ? static_cast<off_t>(content.size()) : 0;
  return ::ftruncate(file.get(), length) == 0 && written;
}

void rewrite_text_file(const WorkFile& file, std::string_view content) {
  if (!rewrite_text_file(file.path(), content)) file.note_write_failure();
}

AppendingFile::AppendingFile(const std::filesystem::path& path) : out_(path, std::ios::binary | std::ios::trunc) {}

AppendingFile::AppendingFile(const WorkFile& file)
    : out_(file.path(), std::ios::binary | std::ios::trunc), file_(file) {
  if (!out_) file_->note_write_failure();
}

AppendingFile::~AppendingFile() {
  if (!out_.is_open()) return;
  out_.close();
  if (!out_ && file_) file_->note_write_failure();
}

void AppendingFile::append(std::string_view text) {
  out_.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out_ && file_) file_->note_write_failure();
}

}  // namespace zentra
