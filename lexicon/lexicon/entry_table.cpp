#include "lexicon/lexicon/entry_table.h"

#include <algorithm>

#include "shell/support/text.h"

namespace velmo {
namespace {

bool key_before(const std::unique_ptr<LexEntry>& entry, std::string_view key) {
  return compare_nocase(entry->key(), key) < 0;
}

}  // namespace

EntryTable::EntryTable(std::size_t buckets) : buckets_(std::max<std::size_t>(buckets, 1)) {}

EntryTable::Bucket& EntryTable::bucket_of(std::string_view key) {
  return buckets_[elf_hash_nocase(key) % buckets_.size()];
}

const EntryTable::Bucket& EntryTable::bucket_of(std::string_view key) const {
  return buckets_[elf_hash_nocase(key) % buckets_.size()];
}

LexEntry* EntryTable::find(std::string_view key) const {
  const Bucket& bucket = bucket_of(key);
  auto it = std::lower_bound(bucket.begin(), bucket.end(), key, key_before);
  return it != bucket.end() && equal_nocase((*it)->key(), key) ? it->get() : nullptr;
}

LexEntry* EntryTable::insert(std::unique_ptr<LexEntry> entry) {
  Bucket& bucket = bucket_of(entry->key());
  auto it = std::lower_bound(bucket.begin(), bucket.end(), std::string_view(entry->key()), key_before);
  if (it != bucket.end() && equal_nocase((*it)->key(), entry->key())) return it->get();
  ++size_;
  return bucket.insert(it, std::move(entry))->get();
}

void EntryTable::clear() {
  for (Bucket& bucket : buckets_) bucket.clear();
  size_ = 0;
}

}  // namespace velmo
