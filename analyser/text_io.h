#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "analyser/workspace.h"

namespace zentra {

// Turns every CR LF pair into a single LF, as a text-mode read does, so that
// documents with either kind of line end give the same results. A CR that
// does not stand before a LF is an ordinary character.
std::string normalize_line_ends(std::string_view raw);

// Reads a whole file as text. Returns nothing when the file cannot be opened;
// callers treat that as an empty input without a message.
std::optional<std::string> read_text_file(const std::filesystem::path& path);

// Replaces the file with the given content; false when it could not be
// written whole. The form taking a workspace file notes the failure in the
// run's record, which the program reports at the end.
bool write_text_file(const std::filesystem::path& path, std::string_view content);
void write_text_file(const WorkFile& file, std::string_view content);

// The same for a file that is rewritten over and over (once per sentence):
// the new content is written over the old from the start and the file is then
// cut to its length. Truncating a non-empty file to zero first would make the
// file system flush the old content on close and wait for that flush at the
// next rewrite, which costs a disk round trip per sentence.
bool rewrite_text_file(const std::filesystem::path& path, std::string_view content);
void rewrite_text_file(const WorkFile& file, std::string_view content);

// A file that is created empty and then only grows: reports and the
// all-parsed working files.
class AppendingFile {
 public:
  explicit AppendingFile(const std::filesystem::path& path);
  // A workspace file: a failure to create or write it is noted.
  explicit AppendingFile(const WorkFile& file);
  ~AppendingFile();
  AppendingFile(const AppendingFile&) = delete;
  AppendingFile& operator=(const AppendingFile&) = delete;

  void append(std::string_view text);
  // False once the file could not be created or written.
  bool ok() const { return static_cast<bool>(out_); }

 private:
  std::ofstream out_;
  std::optional<WorkFile> file_;
};

}  // namespace zentra
