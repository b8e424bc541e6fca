#pragma once
// The statistical weight of a dependency, used in the forest when the
// parser has a relation database: the weight of the word triple (head word,
// relation, modifier word) from the database plus a distance weight from the
// distance table (docs/distance-table.md). Bad triples cost 40.0. Triple
// weights are cached by their text.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "shell/support/string_pool.h"
#include "shell/support/thash_table.h"

namespace velmo {

class DistanceTable;
class GLink;
struct PItem;

class DependencyWeigher {
 public:
  static constexpr std::size_t kCacheBuckets = 200011;
  static constexpr float kBadTripleWeight = 40.0f;
  static constexpr float kTraceCeiling = 40.0f;

  // What the weigher asks of the rest of the system.
  struct Sources {
    const DistanceTable* distances = nullptr;
    // Whether the text "head\trelation\tmodifier" is a bad triple.
    std::function<bool(std::string_view)> is_bad_triple;
    // The relation database: a probability-like value in (0, 1], or nothing.
    std::function<std::optional<double>(std::string_view, std::string_view, std::string_view)> probability;
    // Whether the lexical analyzer skips the word at a position.
    std::function<bool(int)> is_skipped;
  };

  DependencyWeigher();
  void set_sources(Sources sources) { sources_ = std::move(sources); }
  bool active() const { return static_cast<bool>(sources_.probability); }
  // Empties the cache of triple weights.
  void clear_cache();

  // The weight of the dependency that merged item `merged` made between its
  // head side and its modifier through `link`.
  float merge_weight(const PItem& merged, const PItem& head_side, const PItem& modifier, const GLink& link);
  // The weight of one dependency between a head word item and a modifier.
  float single_weight(const PItem& head, const PItem& modifier, std::string_view relation);

  // ---- Parts, open for tests.
  static std::string word_of(const PItem& item);
  static int position_of(const PItem& item);
  // The category key of an item for the distance table.
  static std::string category_key(const PItem& item);
  int distance(int head_position, int modifier_position) const;

 private:
  // The relation under which the statistics know the dependency.
  static std::string relation_name(const PItem& head_side, const PItem& modifier, const GLink& link);
  float triple_weight(const std::string& triple, float distance_weight, int distance);

  Sources sources_;
  THashTableWithOrd<const char*, float> cache_;
  StringPool cache_texts_;
};

}  // namespace velmo
