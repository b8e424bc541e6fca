#pragma once
// The parse forest: one node per parse item of the chosen analyses, each
// with the lightest of its alternative analyses (lower weight is better;
// of equal weights the one offered first). Only that one is ever read, so
// the others are weighed and dropped.
// The packed items of the chart form an AND-OR graph; a node's alternative
// records are its OR branches, and a merged record ties a dependent (the
// modifier) to the alternatives of the head side.
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
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
  // The lightest alternative, null without any.
  const TAlternative* best() const { return best_; }
  // How many alternatives were offered to the node.
  std::size_t record_count() const { return count_; }
  // Total weight of the lightest alternative (0 without any).
  float best_weight() const { return best_ ? best_->total : 0.0f; }
  int extra_cost() const { return extra_cost_; }
  void set_extra_cost(int cost) { extra_cost_ = cost; }
  double analysis_count() const { return analyses_; }
  bool visited = false;

 private:
  friend class ParseForest;
  // Offers a record while the node is built: it is kept (copied into the
  // node's one record) when it is lighter than every record before it.
  void offer(const TAlternative& record);
  bool has_records() const { return count_ != 0; }

  ParseForest* forest_ = nullptr;
  PItem* item_ = nullptr;
  TAlternative* best_ = nullptr;  // in the forest's pool
  std::size_t count_ = 0;
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
  friend class TNode;  // takes its record from the pool

  // node_for, answered in place when the item's node is already known.
  TNode* child_node(PItem* item);
  void build_alternatives(TNode& node);
  void add_lexical(TNode& node, PItem* item);
  void add_projected(TNode& node, PItem* item);
  void add_packed(TNode& node, PItem* item);
  void add_merged(TNode& node, PItem* item);
  TAlternative* new_alternative();

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
  std::vector<TNode*> roots_;
};

}  // namespace velmo
