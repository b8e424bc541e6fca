#pragma once
// The parse forest: one node per parse item of the chosen analyses, each
// with its alternative analyses sorted by total weight (lower is better).
// The packed items of the chart form an AND-OR graph; a node's alternative
// records are its OR branches, and a merged record ties a dependent (the
// modifier) to the alternatives of the head side.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <iosfwd>
#include <memory>
#include <span>
#include <vector>

#include "shell/support/thash_table.h"

namespace velmo {

class DependencyWeigher;
class GCate;
class GLink;
class ParseForest;
class TNode;
struct PItem;

// One way of analysing a forest node.
struct TAlternative {
  enum class Kind { kLexical, kProjected, kMerged };

  Kind kind = Kind::kLexical;
  bool head = false;                // the head flag
  PItem* source = nullptr;          // the item (of the node's packed chain) it came from
  PItem* dependent = nullptr;       // the modifier, the head child, or the item itself
  GLink* link = nullptr;            // absent for lexical records
  TNode* dependent_node = nullptr;  // absent for lexical records
  TNode* head_side = nullptr;       // merged records: the node whose alternatives form the head side
  float total = 0.0f;
  float local = 0.0f;
};

class TNode {
 public:
  TNode() = default;
  TNode(ParseForest& forest, PItem* item);

  ParseForest& forest() const { return *forest_; }
  PItem* item() const { return item_; }
  GCate* category() const;
  std::span<TAlternative* const> alternatives() const { return {alternatives_, count_}; }
  const TAlternative* best() const { return count_ == 0 ? nullptr : alternatives_[0]; }
  // Total weight of the first alternative (0 without any).
  float best_weight() const { return count_ == 0 ? 0.0f : alternatives_[0]->total; }
  int extra_cost() const { return extra_cost_; }
  void set_extra_cost(int cost) { extra_cost_ = cost; }
  double analysis_count() const { return analyses_; }
  bool visited = false;

 private:
  friend class ParseForest;
  // Adds a record while the node is built (to the forest's list for the
  // node's depth of building); sort_alternatives() then orders them by
  // ascending total weight, records of equal weight in the order they were
  // added.
  void insert(TAlternative* alternative);
  void sort_alternatives();
  bool has_records() const { return building_ ? !building_list_->empty() : count_ != 0; }

  ParseForest* forest_ = nullptr;
  PItem* item_ = nullptr;
  // The sorted records, kept by the forest once the node is built.
  TAlternative* const* alternatives_ = nullptr;
  std::size_t count_ = 0;
  std::vector<TAlternative*>* building_list_ = nullptr;
  float lightest_ = 0.0f;  // the least total of the records so far
  int extra_cost_ = 0;
  double analyses_ = 0.0;
  bool building_ = false;
  bool is_root_ = false;
};

class ParseForest : public THashTableWithOrd<PItem*, TNode*> {
 public:
  static constexpr std::size_t kBuckets = 101;

  ParseForest();
  ~ParseForest() override;

  // Weighs the dependencies of merged items statistically while set.
  void set_weigher(DependencyWeigher* weigher) { weigher_ = weigher; }

  // The node of an item, made (with the nodes below it) on first use. Null
  // for a null item, and for an item reached again while its own node is
  // being made (a cycle of packed projections).
  TNode* node_for(PItem* item);

  // ---- Roots (filled by the root collection and the cover of the chart).
  const std::vector<TNode*>& roots() const { return roots_; }
  void add_root(TNode* node);
  // Replaces the roots (the cover keeps only its own).
  void set_roots(std::vector<TNode*> roots);

  // "TNodes:", then per node its category, analysis count, best weight and
  // its item (by the item printer).
  virtual void print(std::ostream& out);
  // Frees every node.
  virtual void clear_nodes();

 private:
  // node_for, answered in place when the item's node is already known.
  TNode* child_node(PItem* item);
  void build_alternatives(TNode& node);
  void add_lexical(TNode& node, PItem* item);
  void add_projected(TNode& node, PItem* item);
  void add_packed(TNode& node, PItem* item);
  void add_merged(TNode& node, PItem* item);
  TAlternative* new_alternative();
  // A lasting copy of a built node's records.
  TAlternative* const* keep_records(const std::vector<TAlternative*>& records);

  // A new generation number, never used before by any forest: items
  // remember their node with the generation that made it.
  static std::uint32_t next_generation();

  // Objects of one sentence in blocks that are kept for the next: a
  // sentence after the first allocates nothing for them.
  template <class T>
  class BlockPool {
   public:
    static constexpr std::size_t kBlock = 4096;
    // Room for `count` objects in a row (default-made), valid until clear().
    T* take(std::size_t count) {
      if (count > static_cast<std::size_t>(limit_ - cursor_)) return take_from_next_block(count);
      T* taken = cursor_;
      cursor_ += count;
      for (std::size_t i = 0; i < count; ++i) taken[i] = T{};
      return taken;
    }
    void clear();
    template <class F>
    void for_each(F&& visit);

   private:
    T* take_from_next_block(std::size_t count);

    std::vector<std::unique_ptr<T[]>> blocks_;
    std::vector<std::unique_ptr<T[]>> oversized_;  // runs longer than a block
    std::vector<std::size_t> filled_;              // objects taken from each block before the current one
    T* cursor_ = nullptr;                          // the free room of the current block
    T* limit_ = nullptr;
  };

  DependencyWeigher* weigher_ = nullptr;
  std::uint32_t generation_ = next_generation();
  BlockPool<TNode> nodes_;
  BlockPool<TAlternative> alternatives_;
  BlockPool<TAlternative*> records_;
  // One list per depth of nodes being built inside each other.
  std::deque<std::vector<TAlternative*>> building_lists_;
  std::size_t building_depth_ = 0;
  std::vector<TNode*> roots_;
};

}  // namespace velmo
