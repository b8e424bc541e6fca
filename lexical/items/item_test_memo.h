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
    if (++epoch_ == 0) {  // wrapped: stale entries could look fresh again
      for (Entry& entry : entries_) entry.epoch = 0;
      epoch_ = 1;
    }
  }

  // The kept answer of `test` on `item`: 0 or 1, or -1 when none is kept.
  int find(const void* test, const LexItem* item) const {
    if (!active_ || entries_.empty()) return -1;
    const Entry& entry = entries_[slot(test, item)];
    if (entry.epoch != epoch_ || entry.test != test || entry.item != item) return -1;
    return entry.value ? 1 : 0;
  }
  void keep(const void* test, const LexItem* item, bool value) {
    if (!active_) return;
    if (entries_.empty()) entries_.resize(std::size_t{1} << kSlotBits);
    entries_[slot(test, item)] = Entry{test, item, epoch_, value};
  }

 private:
  struct Entry {
    const void* test = nullptr;
    const LexItem* item = nullptr;
    std::uint32_t epoch = 0;
    bool value = false;
  };

  static std::size_t slot(const void* test, const LexItem* item) {
    const auto a = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(test));
    const auto b = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(item));
    const std::uint64_t mixed = (a * 0x9E3779B97F4A7C15ULL) ^ (b * 0xC2B2AE3D27D4EB4FULL);
    return static_cast<std::size_t>(mixed >> (64 - kSlotBits));
  }

  std::vector<Entry> entries_;
  std::uint32_t epoch_ = 1;
  bool active_ = false;
};

// Starts and ends with nothing kept, and restores whether the memo was
// keeping answers: the shared ground of a pause and a scope.
class ItemTestWindow {
 public:
  ItemTestWindow(const ItemTestWindow&) = delete;
  ItemTestWindow& operator=(const ItemTestWindow&) = delete;

 protected:
  ItemTestWindow(ItemTestMemo& memo, bool keep_answers) : memo_(memo), was_active_(memo.active()) {
    memo_.forget();
    memo_.set_active(keep_answers);
  }
  ~ItemTestWindow() {
    memo_.forget();
    memo_.set_active(was_active_);
  }

 private:
  ItemTestMemo& memo_;
  bool was_active_;
};

// Runs an expression that may change items or the lattice: the memo keeps
// nothing while it runs and forgets everything once it is done.
class ItemTestPause : private ItemTestWindow {
 public:
  explicit ItemTestPause(ItemTestMemo& memo) : ItemTestWindow(memo, false) {}
};

// Keeps answers for the lifetime of the scope (a run of a rule set).
class ItemTestScope : private ItemTestWindow {
 public:
  explicit ItemTestScope(ItemTestMemo& memo) : ItemTestWindow(memo, true) {}
};

}  // namespace velmo
