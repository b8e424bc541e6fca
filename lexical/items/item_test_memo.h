#pragma once
// Results of side-effect-free tests on lexical items, kept while nothing can
// change an item. The lexical rules of a rule set ask the same questions of
// the same items over and over ("is it a noun reading?"): one answer per
// test and item serves every rule until an action, a precondition or any
// other expression that may change the lattice runs.
//
// The memo only keeps answers while it is active (the rule set turns it on
// for its run and every expression that may change something pauses it);
// whenever it is paused, reactivated or the sentence is reset, every kept
// answer is forgotten. It is a fixed-size cache: a later answer may push an
// earlier one out, which then is computed again.
//
// An answer that depends on nothing but the item's own attribute vector
// ("own", kept with keep_own) also outlives a pause for an expression that
// can only take items out of the lattice (ItemDeletionPause): a deletion
// changes no item's vector. Deletions are most of what rule actions do.
#include <cstdint>
#include <vector>

namespace velmo {

class LexItem;

class ItemTestMemo {
 public:
  static constexpr unsigned kSlotBits = 12;

  bool active() const { return active_; }
  void set_active(bool on) { active_ = on; }
  // Every kept answer becomes stale.
  void forget() {
    forget_but_own();
    ++own_generation_;
    if (++own_epoch_ == 0) wrap();
  }
  // Moves whenever the own answers are forgotten, and never comes back to
  // an earlier value: what was found under one generation about the items'
  // vectors holds for as long as it stays.
  std::uint64_t own_generation() const { return own_generation_; }
  // Every kept answer but the own ones becomes stale.
  void forget_but_own() {
    if (++epoch_ == 0) wrap();
  }

  // The kept answer of `test` on `item`: 0 or 1, or -1 when none is kept.
  // A test's answers are kept either all with keep or all with keep_own.
  int find(const void* test, const LexItem* item) const {
    if (!active_ || entries_.empty()) return -1;
    const Entry& entry = entries_[slot(test, item)];
    if (entry.test != test || entry.item != item || entry.epoch != (entry.own ? own_epoch_ : epoch_)) return -1;
    return entry.value ? 1 : 0;
  }
  void keep(const void* test, const LexItem* item, bool value) { put(Entry{test, item, epoch_, value, false}); }
  // Keeps an answer that depends on the item's attribute vector alone.
  void keep_own(const void* test, const LexItem* item, bool value) {
    put(Entry{test, item, own_epoch_, value, true});
  }

 private:
  struct Entry {
    const void* test = nullptr;
    const LexItem* item = nullptr;
    std::uint32_t epoch = 0;
    bool value = false;
    bool own = false;
  };

  void put(const Entry& entry) {
    if (!active_) return;
    if (entries_.empty()) entries_.resize(std::size_t{1} << kSlotBits);
    entries_[slot(entry.test, entry.item)] = entry;
  }
  // A counter wrapped: stale entries could look fresh again, so all go.
  void wrap() {
    for (Entry& entry : entries_) entry.epoch = 0;
    epoch_ = 1;
    own_epoch_ = 1;
  }

  static std::size_t slot(const void* test, const LexItem* item) {
    const auto a = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(test));
    const auto b = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(item));
    const std::uint64_t mixed = (a * 0x9E3779B97F4A7C15ULL) ^ (b * 0xC2B2AE3D27D4EB4FULL);
    return static_cast<std::size_t>(mixed >> (64 - kSlotBits));
  }

  std::vector<Entry> entries_;
  std::uint32_t epoch_ = 1;
  std::uint32_t own_epoch_ = 1;
  std::uint64_t own_generation_ = 0;
  bool active_ = false;
};

// Starts and ends with nothing kept, and restores whether the memo was
// keeping answers: the shared ground of a pause and a scope.
class ItemTestWindow {
 public:
  ItemTestWindow(const ItemTestWindow&) = delete;
  ItemTestWindow& operator=(const ItemTestWindow&) = delete;

 protected:
  ItemTestWindow(ItemTestMemo& memo, bool keep_answers, bool keep_own = false)
      : memo_(memo), was_active_(memo.active()), keep_own_(keep_own) {
    forget();
    memo_.set_active(keep_answers);
  }
  ~ItemTestWindow() {
    forget();
    memo_.set_active(was_active_);
  }

 private:
  void forget() {
    if (keep_own_)
      memo_.forget_but_own();
    else
      memo_.forget();
  }

  ItemTestMemo& memo_;
  bool was_active_;
  bool keep_own_;
};

// Runs an expression that may change items or the lattice: the memo keeps
// nothing while it runs and forgets everything once it is done.
class ItemTestPause : private ItemTestWindow {
 public:
  explicit ItemTestPause(ItemTestMemo& memo) : ItemTestWindow(memo, false) {}
};

// Runs an expression that may take items out of the lattice and does
// nothing else: as a pause, but the own answers stay.
class ItemDeletionPause : private ItemTestWindow {
 public:
  explicit ItemDeletionPause(ItemTestMemo& memo) : ItemTestWindow(memo, false, true) {}
};

// Keeps answers for the lifetime of the scope (a run of a rule set).
class ItemTestScope : private ItemTestWindow {
 public:
  explicit ItemTestScope(ItemTestMemo& memo) : ItemTestWindow(memo, true) {}
};

}  // namespace velmo
