#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace zentra {

// A set of words with exact, case-sensitive lookup by view.
class WordSet {
 public:
  WordSet() = default;
  template <typename Words>
  explicit WordSet(const Words& words) {
    for (const auto& word : words) insert(word);
  }

  void insert(std::string_view word) { words_.emplace(word); }
  bool contains(std::string_view word) const { return words_.find(word) != words_.end(); }

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  std::unordered_set<std::string, Hash, std::equal_to<>> words_;
};

}  // namespace zentra
