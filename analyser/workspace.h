#pragma once

#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

namespace zentra {

// Names of the working files that every run rewrites in its directory.
inline constexpr std::string_view kSentencesFile = "sentences.txt";
inline constexpr std::string_view kEntriesFile = "dict_instr.txt";
inline constexpr std::string_view kParsedFile = "parsed.txt";
inline constexpr std::string_view kSingleSentenceFile = "single_sent.txt";
inline constexpr std::string_view kSingleParsedFile = "single_parsed.txt";
inline constexpr std::string_view kSingleParsedFilteredFile = "single_parsed_f.txt";
inline constexpr std::string_view kAllParsedFile = "all_parsed.txt";
inline constexpr std::string_view kAllParsedHyphenFile = "all-parsed.txt";
inline constexpr std::string_view kNoShowFile = "no_show.txt";
inline constexpr std::string_view kSectionIdFile = "Sect_Id.txt";

// The files a run could not write, each once, in the order first met.
class WriteFailures {
 public:
  void note(const std::filesystem::path& path) {
    for (const std::filesystem::path& known : paths_)
      if (known == path) return;
    paths_.push_back(path);
  }
  const std::vector<std::filesystem::path>& paths() const { return paths_; }

 private:
  std::vector<std::filesystem::path> paths_;
};

// A file of the workspace: its path, and the run's record of the files it
// could not write, where the writers note a failure.
class WorkFile {
 public:
  WorkFile(std::filesystem::path path, WriteFailures* failures) : path_(std::move(path)), failures_(failures) {}

  const std::filesystem::path& path() const { return path_; }
  operator const std::filesystem::path&() const { return path_; }
  void note_write_failure() const {
    if (failures_) failures_->note(path_);
  }

 private:
  std::filesystem::path path_;
  WriteFailures* failures_;
};

// The directory in which a run finds parsed.txt and no_show.txt and leaves
// its working files and reports. The program uses the current directory;
// tests use a scratch directory. Copies share one record of write failures.
class Workspace {
 public:
  explicit Workspace(std::filesystem::path dir) : dir_(std::move(dir)), failures_(std::make_shared<WriteFailures>()) {}

  WorkFile file(std::string_view name) const { return WorkFile(dir_ / name, failures_.get()); }
  // The files of this workspace that could not be written so far.
  const std::vector<std::filesystem::path>& failed_writes() const { return failures_->paths(); }

 private:
  std::filesystem::path dir_;
  std::shared_ptr<WriteFailures> failures_;
};

}  // namespace zentra
