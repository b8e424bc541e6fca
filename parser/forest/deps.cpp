#include "parser/forest/deps.h"

namespace velmo {
namespace {

// Ids of trees, process-wide, in the order the trees are made.
int next_deps_id() {
  static int counter = 0;
  return ++counter;
}

}  // namespace

Deps::Deps() : id_(std::to_string(next_deps_id())), texts_(1024) {}

Deps::~Deps() = default;

void Deps::reset() {
  root_ = nullptr;
  nodes_.clear();
  words_.clear();
  spaces_.clear();
  assertions_.clear();
  empty_labels_ = 0;
  texts_.clear();
  ++changes_;
}

void Deps::set_id(std::string_view id) { id_.assign(id.data(), id.size()); }

void Deps::add_word(std::string_view word, std::string_view space_before) {
  words_.push_back(texts_.add(word));
  spaces_.push_back(texts_.add(space_before));
}

std::string_view Deps::word(int position) const {
  if (position < 0 || position >= word_count()) return {};
  return words_[static_cast<std::size_t>(position)];
}

std::string_view Deps::space_before(int position) const {
  if (position < 0 || position >= word_count()) return {};
  return spaces_[static_cast<std::size_t>(position)];
}

std::string Deps::words_between(int start, int end) const {
  std::string text;
  if (start < 1) start = 1;
  if (end >= word_count()) end = word_count() - 1;
  for (int p = start; p <= end; ++p) {
    if (p > start && !space_before(p).empty()) text += ' ';
    text += word(p);
  }
  return text;
}

DepTree* Deps::new_node(int start, int end, int position) {
  nodes_.push_back(std::make_unique<DepTree>(*this, start, end, position));
  return nodes_.back().get();
}

}  // namespace velmo
