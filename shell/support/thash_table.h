#pragma once
// Typed hash table with ordered buckets: the bucket count is fixed at
// creation, keys are hashed by a hash function and each bucket is kept in
// ascending order of a three-way comparison function, so a lookup is a binary
// search within one short bucket.
//
// Entries live in stable storage: pointers to an entry's value stay valid
// until that entry is erased or the table is cleared, however many entries
// are inserted meanwhile. The table does not own what pointer keys or values
// point to.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

#include "shell/support/text.h"

namespace velmo {

// Default hash and comparison per key type: texts hash with the ELF-style hash
// over lower-cased bytes and compare ignoring ASCII case; other pointers and
// integers by value.
template <class K, class Enable = void>
struct THashTraits {
  static std::uint32_t hash(const K& key) { return static_cast<std::uint32_t>(std::hash<K>{}(key)); }
  static int compare(const K& a, const K& b) { return a < b ? -1 : (b < a ? 1 : 0); }
};

template <>
struct THashTraits<const char*> {
  static std::uint32_t hash(const char* const& key) { return elf_hash_nocase(key ? key : ""); }
  static int compare(const char* const& a, const char* const& b) { return compare_nocase(a ? a : "", b ? b : ""); }
};

template <class P>
struct THashTraits<P*, std::enable_if_t<!std::is_same_v<P*, const char*>>> {
  // Heap addresses share their low bits; dropping them spreads the buckets.
  static std::uint32_t hash(P* const& key) {
    const auto bits = reinterpret_cast<std::uintptr_t>(key);
    return static_cast<std::uint32_t>((bits >> 4) ^ (bits >> 32));
  }
  static int compare(P* const& a, P* const& b) { return std::less<P*>{}(a, b) ? -1 : (std::less<P*>{}(b, a) ? 1 : 0); }
};

// Exact (case-sensitive) comparison of texts, for tables that must tell
// "Word" from "word". The case-insensitive hash stays valid with it: texts
// that are equal exactly are equal ignoring case.
inline int compare_text_exact(const char* const& a, const char* const& b) {
  return compare_exact(a ? a : "", b ? b : "");
}

template <class K, class V>
class THashTableWithOrd {
 public:
  using HashFn = std::uint32_t (*)(const K&);
  using CompareFn = int (*)(const K&, const K&);

  struct Entry {
    K key;
    V value;
  };

  explicit THashTableWithOrd(std::size_t buckets, HashFn hash = &THashTraits<K>::hash,
                             CompareFn compare = &THashTraits<K>::compare)
      : buckets_(std::max<std::size_t>(buckets, 1)), hash_(hash), compare_(compare) {}
  virtual ~THashTableWithOrd() = default;
  THashTableWithOrd(const THashTableWithOrd&) = delete;
  THashTableWithOrd& operator=(const THashTableWithOrd&) = delete;

  Entry* find_entry(const K& key) {
    auto& bucket = bucket_of(key);
    auto it = lower_bound(bucket, key);
    return (it != bucket.end() && compare_((*it)->key, key) == 0) ? *it : nullptr;
  }
  const Entry* find_entry(const K& key) const { return const_cast<THashTableWithOrd*>(this)->find_entry(key); }

  V* find(const K& key) {
    Entry* entry = find_entry(key);
    return entry ? &entry->value : nullptr;
  }
  const V* find(const K& key) const { return const_cast<THashTableWithOrd*>(this)->find(key); }
  bool contains(const K& key) const { return find_entry(key) != nullptr; }

  // Inserts key -> value unless an equal key is present; returns the entry
  // in the table and whether it was inserted.
  std::pair<Entry*, bool> insert(K key, V value) {
    auto& bucket = bucket_of(key);
    auto it = lower_bound(bucket, key);
    if (it != bucket.end() && compare_((*it)->key, key) == 0) return {*it, false};
    Entry* entry = allocate(std::move(key), std::move(value));
    bucket.insert(it, entry);
    ++size_;
    return {entry, true};
  }

  bool erase(const K& key) {
    auto& bucket = bucket_of(key);
    auto it = lower_bound(bucket, key);
    if (it == bucket.end() || compare_((*it)->key, key) != 0) return false;
    free_.push_back(*it);
    bucket.erase(it);
    --size_;
    return true;
  }

  void clear() {
    for (auto& bucket : buckets_) bucket.clear();
    storage_.clear();
    free_.clear();
    size_ = 0;
  }

  // Visits every entry, bucket by bucket, each bucket in ascending order.
  template <class F>
  void for_each(F&& f) {
    for (auto& bucket : buckets_)
      for (Entry* entry : bucket) f(*entry);
  }
  template <class F>
  void for_each(F&& f) const {
    for (const auto& bucket : buckets_)
      for (const Entry* entry : bucket) f(*entry);
  }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  std::size_t bucket_count() const { return buckets_.size(); }
  // Length of the longest bucket, for profiling the hash function.
  std::size_t longest_bucket() const {
    std::size_t longest = 0;
    for (const auto& bucket : buckets_) longest = std::max(longest, bucket.size());
    return longest;
  }
  CompareFn compare_fn() const { return compare_; }

 private:
  using Bucket = std::vector<Entry*>;

  Bucket& bucket_of(const K& key) { return buckets_[hash_(key) % buckets_.size()]; }

  typename Bucket::iterator lower_bound(Bucket& bucket, const K& key) const {
    return std::lower_bound(bucket.begin(), bucket.end(), key,
                            [this](const Entry* entry, const K& k) { return compare_(entry->key, k) < 0; });
  }

  Entry* allocate(K key, V value) {
    if (!free_.empty()) {
      Entry* entry = free_.back();
      free_.pop_back();
      entry->key = std::move(key);
      entry->value = std::move(value);
      return entry;
    }
    storage_.push_back(Entry{std::move(key), std::move(value)});
    return &storage_.back();
  }

  std::vector<Bucket> buckets_;
  std::deque<Entry> storage_;  // a deque never moves its elements on push_back
  std::vector<Entry*> free_;   // erased slots, reused by later inserts
  HashFn hash_;
  CompareFn compare_;
  std::size_t size_ = 0;
};

}  // namespace velmo
