#include "parser/forest/deps.h"

#include "shell/support/text.h"

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
  for (std::size_t i = 0; i < used_nodes_; ++i) nodes_[i]->recycle();
  used_nodes_ = 0;
  words_.clear();
  spaces_.clear();
  assertions_.clear();
  empty_labels_ = 0;
  texts_.clear();
  labels_.clear();
  label_count_ = 0;
  property_store_.release();
  ++changes_;
}

const char* Deps::keep_label(std::string_view text) {
  if (2 * (label_count_ + 1) > labels_.size()) {
    std::vector<const char*> old(labels_.empty() ? 32 : 2 * labels_.size(), nullptr);
    old.swap(labels_);
    for (const char* kept : old)
      if (kept)
        for (std::size_t slot = fnv1a_hash(kept) & (labels_.size() - 1);; slot = (slot + 1) & (labels_.size() - 1))
          if (!labels_[slot]) {
            labels_[slot] = kept;
            break;
          }
  }
  const std::size_t mask = labels_.size() - 1;
  std::size_t slot = fnv1a_hash(text) & mask;
  for (; labels_[slot]; slot = (slot + 1) & mask)
    if (text == labels_[slot]) return labels_[slot];
  ++label_count_;
  return labels_[slot] = texts_.add(text);
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
  if (used_nodes_ < nodes_.size()) {
    DepTree* node = nodes_[used_nodes_++].get();
    node->place(start, end, position);
    return node;
  }
  nodes_.push_back(std::make_unique<DepTree>(*this, start, end, position));
  ++used_nodes_;
  return nodes_.back().get();
}

}  // namespace velmo
