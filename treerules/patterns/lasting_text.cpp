#include "treerules/patterns/lasting_text.h"

#include <string>
#include <unordered_map>

namespace velmo {

LastingText keep_lasting_text(std::string_view text) {
  // A node-based map: the texts stay where they are as it grows.
  static std::unordered_map<std::string, std::uint32_t> texts;
  const auto [entry, added] = texts.try_emplace(std::string(text), static_cast<std::uint32_t>(texts.size()));
  return {entry->first.c_str(), entry->second};
}

}  // namespace velmo
