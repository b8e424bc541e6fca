#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>
#include <unordered_set>

namespace zentra {

// The sentence numbers listed in no_show.txt: such sentences are counted but
// neither examined nor reported. The file is read once per run; words that
// are not plain decimal numbers are ignored.
class NoShowList {
 public:
  static NoShowList parse(std::string_view text);
  static NoShowList load(const std::filesystem::path& path);

  bool contains(std::size_t sentence) const { return numbers_.count(sentence) != 0; }

 private:
  std::unordered_set<std::size_t> numbers_;
};

}  // namespace zentra
