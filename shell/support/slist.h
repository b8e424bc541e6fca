#pragma once
// Circular singly linked list of machine words. The list object is one
// pointer to its last node, whose link points to the first node, so append,
// prepend and taking the first element are constant time. Nodes come from a
// process-wide free list fed in blocks of 250 and never returned.
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace velmo {

using Word = std::uintptr_t;

struct SlistNode {
  SlistNode* next;
  Word value;
};

// The process-wide node pool.
class SlistNodePool {
 public:
  static constexpr std::size_t kBlockNodes = 250;
  static SlistNode* acquire(Word value);
  static void release(SlistNode* node);
  static std::size_t free_count();
  static std::size_t blocks_allocated();
};

class Slist {
 public:
  Slist() = default;
  ~Slist() { clear(); }
  Slist(const Slist&) = delete;
  Slist& operator=(const Slist&) = delete;
  Slist(Slist&& other) noexcept : last_(other.last_) { other.last_ = nullptr; }
  Slist& operator=(Slist&& other) noexcept;

  bool empty() const { return last_ == nullptr; }
  std::size_t length() const;
  SlistNode* first_node() const { return last_ ? last_->next : nullptr; }
  SlistNode* last_node() const { return last_; }

  void append(Word value);
  void prepend(Word value);
  // Inserts after `pos`; at the front when `pos` is null; appends when `pos`
  // is the last node. Returns the new node.
  SlistNode* insert_after(SlistNode* pos, Word value);
  // Removes the first element; false when the list is empty.
  bool take_first(Word& value);
  // Value of the n-th element (0-based); false when out of range.
  bool nth(std::size_t n, Word& value) const;
  SlistNode* find(Word value) const;
  // Removes the first element equal to value; false when absent.
  bool remove(Word value);
  // Removes every element (the values are not freed).
  void clear();

  // Sorted lists: `cmp(a, b)` < 0 when a orders before b. The scan stops at
  // the first element that compares greater.
  template <class Cmp>
  SlistNode* find_sorted(Word value, Cmp cmp) const;
  // Returns the node holding an equal value, inserting `value` in order when
  // there is none; `inserted` tells which happened.
  template <class Cmp>
  SlistNode* find_or_insert_sorted(Word value, Cmp cmp, bool& inserted);
  template <class Cmp>
  bool remove_sorted(Word value, Cmp cmp);

  // Forward iterator that survives removal of the current element: after
  // remove_current() it stands on the element that followed.
  class Iterator {
   public:
    explicit Iterator(Slist& list);
    bool done() const { return current_ == nullptr; }
    Word value() const { return current_->value; }
    SlistNode* node() const { return current_; }
    void advance();
    void remove_current();

   private:
    Slist* list_;
    SlistNode* previous_;
    SlistNode* current_;
  };

  // Read-only range iteration over the values.
  class ConstIter {
   public:
    ConstIter(SlistNode* node, SlistNode* last) : node_(node), last_(last) {}
    Word operator*() const { return node_->value; }
    ConstIter& operator++() {
      node_ = node_ == last_ ? nullptr : node_->next;
      return *this;
    }
    bool operator!=(const ConstIter& other) const { return node_ != other.node_; }

   private:
    SlistNode* node_;
    SlistNode* last_;
  };
  ConstIter begin() const { return {first_node(), last_}; }
  ConstIter end() const { return {nullptr, last_}; }

 private:
  // Unlinks `node`, whose predecessor is `previous`, and frees it.
  void unlink(SlistNode* previous, SlistNode* node);

  SlistNode* last_ = nullptr;
};

template <class Cmp>
SlistNode* Slist::find_sorted(Word value, Cmp cmp) const {
  for (SlistNode* n = first_node(); n; n = n == last_ ? nullptr : n->next) {
    const int c = cmp(n->value, value);
    if (c == 0) return n;
    if (c > 0) return nullptr;
  }
  return nullptr;
}

template <class Cmp>
SlistNode* Slist::find_or_insert_sorted(Word value, Cmp cmp, bool& inserted) {
  SlistNode* previous = nullptr;
  for (SlistNode* n = first_node(); n; n = n == last_ ? nullptr : n->next) {
    const int c = cmp(n->value, value);
    if (c == 0) {
      inserted = false;
      return n;
    }
    if (c > 0) break;
    previous = n;
  }
  inserted = true;
  return insert_after(previous, value);
}

template <class Cmp>
bool Slist::remove_sorted(Word value, Cmp cmp) {
  SlistNode* previous = last_;
  for (SlistNode* n = first_node(); n; n = n == last_ ? nullptr : n->next) {
    const int c = cmp(n->value, value);
    if (c == 0) {
      unlink(previous, n);
      return true;
    }
    if (c > 0) return false;
    previous = n;
  }
  return false;
}

// Typed view of a list of pointers or integers.
template <class T>
class TSlist {
  static_assert(sizeof(T) <= sizeof(Word));

 public:
  static Word to_word(T v) {
    if constexpr (std::is_pointer_v<T>)
      return reinterpret_cast<Word>(v);
    else
      return static_cast<Word>(v);
  }
  static T from_word(Word w) {
    if constexpr (std::is_pointer_v<T>)
      return reinterpret_cast<T>(w);
    else
      return static_cast<T>(w);
  }

  bool empty() const { return list_.empty(); }
  std::size_t length() const { return list_.length(); }
  void append(T v) { list_.append(to_word(v)); }
  void prepend(T v) { list_.prepend(to_word(v)); }
  bool take_first(T& v) {
    Word w;
    if (!list_.take_first(w)) return false;
    v = from_word(w);
    return true;
  }
  T first() const { return list_.empty() ? T{} : from_word(list_.first_node()->value); }
  T last() const { return list_.empty() ? T{} : from_word(list_.last_node()->value); }
  T nth(std::size_t n) const {
    Word w;
    return list_.nth(n, w) ? from_word(w) : T{};
  }
  bool contains(T v) const { return list_.find(to_word(v)) != nullptr; }
  bool remove(T v) { return list_.remove(to_word(v)); }
  void clear() { list_.clear(); }
  Slist& raw() { return list_; }
  const Slist& raw() const { return list_; }

  class Iter {
   public:
    explicit Iter(Slist::ConstIter it) : it_(it) {}
    T operator*() const { return from_word(*it_); }
    Iter& operator++() {
      ++it_;
      return *this;
    }
    bool operator!=(const Iter& o) const { return it_ != o.it_; }

   private:
    Slist::ConstIter it_;
  };
  Iter begin() const { return Iter(list_.begin()); }
  Iter end() const { return Iter(list_.end()); }

 private:
  Slist list_;
};

}  // namespace velmo
