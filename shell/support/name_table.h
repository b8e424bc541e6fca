#pragma once
// Hash table keyed by names: a fixed bucket count, the ELF-style hash over
// lower-cased bytes, and each bucket kept in ascending order of names compared
// case-insensitively, so a lookup stops at the first greater name. Names are
// copied into the table's own string store.
#include <algorithm>
#include <cstddef>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/support/string_pool.h"
#include "shell/support/text.h"

namespace velmo {

template <class V>
class NameTable {
 public:
  struct Item {
    const char* name;
    V value;
  };

  explicit NameTable(std::size_t buckets) : buckets_(std::max<std::size_t>(buckets, 11)) {}

  V* find(std::string_view name) {
    Item* item = find_item(name);
    return item ? &item->value : nullptr;
  }
  const V* find(std::string_view name) const { return const_cast<NameTable*>(this)->find(name); }

  Item* find_item(std::string_view name) {
    for (auto& item : bucket_of(name)) {
      const int c = compare_nocase(item->name, name);
      if (c == 0) return item.get();
      if (c > 0) break;
    }
    return nullptr;
  }

  // Inserts name -> value unless the name is present; returns the item in the
  // table and whether it was inserted.
  std::pair<Item*, bool> insert(std::string_view name, V value) {
    auto& bucket = bucket_of(name);
    auto it = bucket.begin();
    for (; it != bucket.end(); ++it) {
      const int c = compare_nocase((*it)->name, name);
      if (c == 0) return {it->get(), false};
      if (c > 0) break;
    }
    auto item = std::make_unique<Item>(Item{names_.add(name), std::move(value)});
    Item* raw = item.get();
    bucket.insert(it, std::move(item));
    ++size_;
    return {raw, true};
  }

  bool erase(std::string_view name) {
    auto& bucket = bucket_of(name);
    for (auto it = bucket.begin(); it != bucket.end(); ++it) {
      if (compare_nocase((*it)->name, name) == 0) {
        bucket.erase(it);
        --size_;
        return true;
      }
    }
    return false;
  }

  template <class F>
  void for_each(F&& f) {
    for (auto& bucket : buckets_)
      for (auto& item : bucket) f(*item);
  }
  template <class F>
  void for_each(F&& f) const {
    for (const auto& bucket : buckets_)
      for (const auto& item : bucket) f(static_cast<const Item&>(*item));
  }

  void clear() {
    for (auto& bucket : buckets_) bucket.clear();
    names_.clear();
    size_ = 0;
  }
  std::size_t size() const { return size_; }
  std::size_t bucket_count() const { return buckets_.size(); }

 private:
  std::vector<std::unique_ptr<Item>>& bucket_of(std::string_view name) {
    return buckets_[elf_hash_nocase(name) % buckets_.size()];
  }

  std::vector<std::vector<std::unique_ptr<Item>>> buckets_;
  StringPool names_;
  std::size_t size_ = 0;
};

}  // namespace velmo
