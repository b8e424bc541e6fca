#pragma once

#include <filesystem>
#include <string_view>

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

// The directory in which a run finds parsed.txt and no_show.txt and leaves
// its working files and reports. The program uses the current directory;
// tests use a scratch directory.
class Workspace {
 public:
  explicit Workspace(std::filesystem::path dir) : dir_(std::move(dir)) {}

  std::filesystem::path file(std::string_view name) const { return dir_ / name; }

 private:
  std::filesystem::path dir_;
};

}  // namespace zentra
