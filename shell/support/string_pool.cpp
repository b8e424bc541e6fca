#include "shell/support/string_pool.h"

#include <algorithm>
#include <cstring>

namespace velmo {

const char* StringPool::add(std::string_view text) {
  const std::size_t needed = text.size() + 1;
  if (chunks_.empty() || chunks_.back().capacity - used_ < needed) {
    const std::size_t capacity = std::max(chunk_size_, needed);
    chunks_.push_back(Chunk{std::make_unique_for_overwrite<char[]>(capacity), capacity});
    used_ = 0;
  }
  char* copy = chunks_.back().bytes.get() + used_;
  if (!text.empty()) std::memcpy(copy, text.data(), text.size());
  copy[text.size()] = '\0';
  used_ += needed;
  return copy;
}

void StringPool::clear() {
  if (chunks_.size() > 1) chunks_.resize(1);
  used_ = 0;
}

}  // namespace velmo
