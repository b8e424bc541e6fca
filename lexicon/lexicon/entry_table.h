#pragma once
// The entry table of a lexicon: a fixed number of buckets chosen at creation,
// keys hashed over lower-cased bytes (bytes of value 128 and above added as
// they are), each bucket kept sorted by key ignoring case so a search stops at
// the first greater key.
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "lexicon/lexicon/lex_entry.h"

namespace velmo {

class EntryTable {
 public:
  explicit EntryTable(std::size_t buckets);

  LexEntry* find(std::string_view key) const;
  // Inserts `entry` unless its key is present; returns the entry in the table.
  LexEntry* insert(std::unique_ptr<LexEntry> entry);
  // Destroys the entries for which `doomed(entry)` is true; returns how many.
  template <class Pred>
  std::size_t remove_if(Pred doomed);
  void clear();

  template <class F>
  void for_each(F&& f) const {
    for (const Bucket& bucket : buckets_)
      for (const auto& entry : bucket) f(*entry);
  }
  std::size_t size() const { return size_; }
  std::size_t bucket_count() const { return buckets_.size(); }

 private:
  using Bucket = std::vector<std::unique_ptr<LexEntry>>;
  Bucket& bucket_of(std::string_view key);
  const Bucket& bucket_of(std::string_view key) const;

  std::vector<Bucket> buckets_;
  std::size_t size_ = 0;
};

template <class Pred>
std::size_t EntryTable::remove_if(Pred doomed) {
  std::size_t removed = 0;
  for (Bucket& bucket : buckets_) {
    const auto before = bucket.size();
    std::erase_if(bucket, [&](const std::unique_ptr<LexEntry>& entry) { return doomed(*entry); });
    removed += before - bucket.size();
  }
  size_ -= removed;
  return removed;
}

}  // namespace velmo
