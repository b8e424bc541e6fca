#include "lexical/items/item_lattice.h"

#include <algorithm>
#include <cstring>
#include <typeinfo>

#include "lexicon/lexicon/av_meaning.h"
#include "lexicon/lexicon/meaning.h"

namespace velmo {
namespace {

// The list of all items starts at six times the suggested sentence length.
constexpr std::size_t kItemsPerPosition = 6;

bool same_root(const char* a, const char* b) {
  if (!a || !b) return a == b;
  return std::strcmp(a, b) == 0;
}

}  // namespace

ItemLattice::ItemLattice(std::size_t suggested_length, LexAnalyzer* owner)
    : suggested_length_(suggested_length ? suggested_length : kDefaultSentenceLength),
      owner_(owner),
      pool_(kPoolBytes) {
  words_.reserve(suggested_length_);
  spacing_.reserve(suggested_length_);
  tags_.reserve(suggested_length_);
  by_end_.reserve(suggested_length_);
  by_start_.reserve(suggested_length_);
  all_items_.reserve(suggested_length_ * kItemsPerPosition);
  span_text_.reserve(kPoolBytes);
}

ItemLattice::~ItemLattice() = default;

void ItemLattice::reset() {
  test_memo_.forget();  // the items go, and their addresses come back
  admitted_items_.clear();
  ++list_generation_;
  item_texts_.clear();
  for (std::size_t i = 0; i < live_items_; ++i) recycle(*all_items_[i]);
  live_items_ = 0;
  for (auto& list : by_end_) list.clear();
  for (auto& list : by_start_) list.clear();
  words_.clear();
  spacing_.clear();
  tags_.clear();
  pool_.clear();
  span_text_.clear();
  forget_spans();
}

// Per-position arrays grow by a quarter of their capacity plus 4 entries.
template <class T>
void ItemLattice::grow_for(std::vector<T>& array, std::size_t size) const {
  if (size <= array.capacity()) return;
  const std::size_t step = array.capacity() + array.capacity() / 4 + 4;
  array.reserve(std::max(size, step));
}

// ---------------------------------------------------------------- words

void ItemLattice::ensure_sentinel() {
  if (!words_.empty()) return;
  forget_spans();
  words_.push_back(intern(""));
}

int ItemLattice::add_word(std::string_view word) {
  forget_spans();
  ensure_sentinel();
  const std::size_t position = words_.size();
  grow_for(words_, position + 1);
  words_.push_back(intern(word));
  grow_for(spacing_, position);
  if (spacing_.size() < position) spacing_.resize(position, nullptr);
  grow_for(tags_, position);
  if (tags_.size() < position) tags_.resize(position, nullptr);
  return static_cast<int>(position);
}

void ItemLattice::add_spacing(std::string_view text) {
  forget_spans();
  ensure_sentinel();
  const std::size_t next = words_.size();
  grow_for(spacing_, next + 1);
  if (spacing_.size() < next) spacing_.resize(next, nullptr);
  if (spacing_.size() == next) {
    spacing_.push_back(intern(text));
    return;
  }
  append_spacing(static_cast<int>(next), text);
}

void ItemLattice::set_word(int p, std::string_view word) {
  if (p < 1 || p >= positions()) return;
  forget_spans();
  words_[p] = intern(word);
}

void ItemLattice::append_spacing(int p, std::string_view text) {
  if (p < 0) return;
  forget_spans();
  const auto index = static_cast<std::size_t>(p);
  grow_for(spacing_, index + 1);
  if (spacing_.size() <= index) spacing_.resize(index + 1, nullptr);
  const char* old = spacing_[index];
  if (!old || !*old) {
    spacing_[index] = intern(text);
    return;
  }
  std::string joined(old);
  joined.append(text);
  spacing_[index] = intern(joined);
}

void ItemLattice::set_tag(int p, std::string_view tag) {
  if (p < 1 || p >= positions()) return;
  const auto index = static_cast<std::size_t>(p);
  grow_for(tags_, index + 1);
  if (tags_.size() <= index) tags_.resize(index + 1, nullptr);
  tags_[index] = intern(tag);
}

const char* ItemLattice::word_at(int p) const {
  if (p < 1 || p >= positions()) return nullptr;
  return words_[p];
}

const ItemTextFilter& ItemLattice::word_texts() {
  if (word_texts_valid_) return word_texts_;
  word_texts_.clear();
  word_bits_.assign(words_.size(), 0);
  for (int p = 1; p < positions(); ++p) {
    if (!words_[p]) continue;
    const std::uint16_t bit = ItemTextFilter::bit_of(words_[p]);
    word_bits_[static_cast<std::size_t>(p)] = bit;
    word_texts_.note_bit(bit);
  }
  word_texts_valid_ = true;
  return word_texts_;
}

const char* ItemLattice::spacing_at(int p) const {
  if (p < 0 || static_cast<std::size_t>(p) >= spacing_.size() || !spacing_[p]) return "";
  return spacing_[p];
}

const char* ItemLattice::tag_at(int p) const {
  if (p < 0 || static_cast<std::size_t>(p) >= tags_.size()) return nullptr;
  return tags_[p];
}

bool ItemLattice::tight(int p) const {
  const char* spacing = spacing_at(p);
  return spacing[0] == '\0' || spacing[0] == '<';
}

const char* ItemLattice::join_span(int low, int high) {
  span_text_.clear();
  const int last = positions() - 1;
  low = std::max(low, 0);
  high = std::min(high, last);
  if (low > high) return span_text_.c_str();
  if (low == high) return words_[low];
  const bool cached = high - low < kCachedSpanWords;
  const std::size_t slot = static_cast<std::size_t>(low) * kCachedSpanWords + static_cast<std::size_t>(high - low);
  if (cached) {
    const std::size_t slots = cached_span_slots();
    if (span_cache_.size() < slots) span_cache_.resize(slots);
    if (span_cache_[slot].generation == span_generation_) return span_cache_[slot].text;
  }
  const std::uint32_t key = static_cast<std::uint32_t>(low) << 16 | static_cast<std::uint32_t>(high);
  if (!cached) {
    if (auto known = long_spans_.find(key); known != long_spans_.end()) return known->second;
  }
  if (!joined_valid_) join_words();
  const std::uint32_t start = word_starts_[static_cast<std::size_t>(low)];
  const std::string_view text(joined_.data() + start, word_ends_[static_cast<std::size_t>(high)] - start);
  if (cached) {
    span_cache_[slot] = CachedSpan{intern(text), span_generation_};
    return span_cache_[slot].text;
  }
  if (long_span_bytes_ + text.size() > kLongSpanBytes) {
    span_text_.assign(text);
    return span_text_.c_str();
  }
  long_span_bytes_ += text.size() + 1;
  return long_spans_[key] = intern(text);
}

// Between two words stands one blank when the spacing before the second is
// not empty; a span from low to high is then the text from the start of its
// first word to the end of its last.
void ItemLattice::join_words() {
  joined_.clear();
  word_starts_.clear();
  word_ends_.clear();
  for (int p = 0; p < positions(); ++p) {
    if (p > 0 && spacing_at(p)[0] != '\0') joined_ += ' ';
    word_starts_.push_back(static_cast<std::uint32_t>(joined_.size()));
    joined_ += words_[static_cast<std::size_t>(p)];
    word_ends_.push_back(static_cast<std::uint32_t>(joined_.size()));
  }
  joined_valid_ = true;
}

void ItemLattice::forget_spans() {
  ++list_generation_;
  joined_valid_ = false;
  word_texts_valid_ = false;
  if (++span_generation_ == 0) {  // the counter wrapped: wipe once
    for (CachedSpan& span : span_cache_) span.generation = 0;
    span_generation_ = 1;
  }
  if (long_spans_.empty()) return;
  long_spans_.clear();
  long_span_bytes_ = 0;
}

void ItemLattice::print_words(std::ostream& out, int low, int high) const {
  const int first = std::max(low, 0);
  const int last = std::min(high, positions() - 1);
  for (int p = first; p <= last; ++p) {
    const char* word = words_[p];
    if (p > first && static_cast<unsigned char>(word[0]) < 0x80) {
      for (const char* c = spacing_at(p); *c; ++c) out << (*c == '\n' ? ' ' : *c);
    }
    out << word;
  }
}

// ---------------------------------------------------------------- items

LexItem* ItemLattice::new_item() {
  if (live_items_ < all_items_.size()) return all_items_[live_items_++].get();
  grow_for(all_items_, all_items_.size() + 1);
  all_items_.push_back(std::make_unique<LexItem>());
  ++live_items_;
  LexItem* item = all_items_.back().get();
  item->lattice = this;
  return item;
}

// Most items are attribute vector meanings copied from the lexicon: the
// copy goes into the block of a spare vector instead of a new meaning and
// vector of its own.
std::unique_ptr<Meaning> ItemLattice::copy_meaning(const Meaning& meaning) {
  if (spare_meanings_.empty() || typeid(meaning) != typeid(AVMeaning)) return meaning.clone();
  std::unique_ptr<AVMeaning> spare = std::move(spare_meanings_.back());
  spare_meanings_.pop_back();
  if (!spare->copy_in_place(static_cast<const AVMeaning&>(meaning))) return meaning.clone();
  return spare;
}

void ItemLattice::recycle(LexItem& item) {
  if (item.meaning && typeid(*item.meaning) == typeid(AVMeaning) &&
      static_cast<const AVMeaning&>(*item.meaning).recyclable())
    spare_meanings_.emplace_back(static_cast<AVMeaning*>(item.meaning.release()));
  item.meaning.reset();
  item.high = item.low = 0;
  item.head = item.deleted = item.weight = 0;
  item.reserved = 0;
  item.affixes.clear();
  item.sub_items.clear();
  item.root = item.relation = item.category = nullptr;
  item.entry = nullptr;
}

LexItem* ItemLattice::make_item(std::string_view root, const Meaning* meaning, int low, int high,
                                std::span<const std::string_view> affixes) {
  LexItem* item = new_item();
  item->low = static_cast<std::uint16_t>(low);
  item->high = static_cast<std::uint16_t>(high);
  item->head = static_cast<std::int16_t>(low);
  if (meaning) item->meaning = copy_meaning(*meaning);
  if (root.data()) item->root = intern(root);
  item->affixes.reserve(affixes.size());
  for (std::string_view affix : affixes) item->affixes.push_back(affix.data() ? intern(affix) : nullptr);
  return item;
}

LexItem* ItemLattice::copy_item(const LexItem& source) {
  LexItem* copy = new_item();
  copy->high = source.high;
  copy->low = source.low;
  copy->head = source.head;
  copy->weight = source.weight;
  copy->reserved = source.reserved;
  if (source.meaning) copy->meaning = copy_meaning(*source.meaning);
  copy->affixes = source.affixes;
  copy->root = source.root;
  copy->relation = source.relation ? intern(source.relation) : nullptr;
  copy->category = source.category;
  copy->entry = source.entry;
  copy->sub_items.reserve(source.sub_items.size());
  for (const LexItem* sub_item : source.sub_items) copy->sub_items.push_back(copy_item(*sub_item));
  return copy;
}

LexItem* ItemLattice::find_duplicate(const LexItem& item) const {
  if (!item.meaning) return nullptr;
  for (LexItem* other : by_end(item.high)) {
    if (other->low != item.low || !other->meaning) continue;
    if (same_root(other->root, item.root) && other->meaning->compare(*item.meaning) == 0) return other;
  }
  return nullptr;
}

LexItem* ItemLattice::add_item(LexItem* item, bool check_duplicates) {
  if (!item) return nullptr;
  const std::vector<LexItem*>& ending_here = by_end(item->high);
  // An item already in the lists is not entered a second time.
  if (std::find(ending_here.begin(), ending_here.end(), item) != ending_here.end()) return item;
  item->deleted = 0;
  if (check_duplicates) {
    if (LexItem* existing = find_duplicate(*item)) return existing;
  }
  if (hook_) call_hook(*item);
  item_texts_.note(*item);
  ++list_generation_;
  insert_by_end(list_at(by_end_, item->high), item);
  insert_by_start(list_at(by_start_, item->low), item);
  return item;
}

void ItemLattice::call_hook(LexItem& item) {
  hook_(item);
  for (LexItem* sub_item : item.sub_items) call_hook(*sub_item);
}

void ItemLattice::delete_item(LexItem* item) {
  if (!item) return;
  item->deleted = 1;
  if (item->high < by_end_.size()) remove_from(by_end_[item->high], item);
  if (item->low < by_start_.size()) remove_from(by_start_[item->low], item);
}

void ItemLattice::delete_inside_span(int low, int high) {
  if (low == high) return;
  low = std::max(low, 0);
  high = std::min(high, positions() - 1);
  for (int end = high; end >= low; --end) {
    if (end >= static_cast<int>(by_end_.size())) continue;
    const std::vector<LexItem*> candidates = by_end_[end];
    for (LexItem* item : candidates) {
      if (item->low > low || (item->low == low && item->high < high)) delete_item(item);
    }
  }
}

void ItemLattice::clear_by_end(int p) {
  ++list_generation_;
  if (p >= 0 && static_cast<std::size_t>(p) < by_end_.size()) by_end_[p].clear();
}

void ItemLattice::keep_only_by_end(int p, LexItem* item) {
  if (p < 0 || static_cast<std::size_t>(p) >= by_end_.size()) return;
  ++list_generation_;
  if (item) item_texts_.note(*item);
  by_end_[p].assign(1, item);
}

std::vector<LexItem*>& ItemLattice::list_at(std::vector<std::vector<LexItem*>>& lists, int p) {
  const auto index = static_cast<std::size_t>(p);
  if (lists.size() <= index) {
    grow_for(lists, index + 1);
    lists.resize(index + 1);
  }
  return lists[index];
}

// Shortest first: before the first item that is empty or starts at or
// before the new one; a new empty item goes last.
void ItemLattice::insert_by_end(std::vector<LexItem*>& list, LexItem* item) {
  if (item->is_empty()) {
    list.push_back(item);
    return;
  }
  auto at = std::find_if(list.begin(), list.end(),
                         [item](const LexItem* other) { return other->is_empty() || other->low <= item->low; });
  list.insert(at, item);
}

// Longest first: before the first item that is empty or ends at or before
// the new one; a new empty item goes last.
void ItemLattice::insert_by_start(std::vector<LexItem*>& list, LexItem* item) {
  if (item->is_empty()) {
    list.push_back(item);
    return;
  }
  auto at = std::find_if(list.begin(), list.end(),
                         [item](const LexItem* other) { return other->is_empty() || other->high <= item->high; });
  list.insert(at, item);
}

void ItemLattice::remove_from(std::vector<LexItem*>& list, const LexItem* item) {
  auto at = std::find(list.begin(), list.end(), item);
  if (at != list.end()) list.erase(at);
}

}  // namespace velmo
