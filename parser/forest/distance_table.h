#pragma once
// The distance table of the statistical dependency weight: for a key
// ("V:subj:N") and a signed word distance, the probability of that distance.
// The file format and the lookup rules are described in
// docs/distance-table.md.
#include <array>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <string_view>
#include <vector>

#include "shell/support/string_pool.h"
#include "shell/support/thash_table.h"

namespace velmo {

class DistanceTable {
 public:
  static constexpr std::size_t kBuckets = 1979;
  static constexpr int kMaxDistance = 20;
  // Weight for a key the table does not hold, and the floor of every weight.
  static constexpr float kFloorWeight = 0.1f;
  // Probability of an unlisted distance of a listed key without a "*" line.
  static constexpr float kUnseenProbability = 0.001f;

  DistanceTable();
  DistanceTable(const DistanceTable&) = delete;
  DistanceTable& operator=(const DistanceTable&) = delete;

  // Reads entries until the end of `in`; bad lines are reported with
  // `file_name` and their line number and skipped. Returns the number of
  // entries taken.
  std::size_t read(std::istream& in, std::string_view file_name);
  // Adds one entry; a repeated (key, distance) keeps the first value.
  // `distance` is ignored when `any_distance` is set (the "*" line).
  void add(std::string_view key, int distance, bool any_distance, float probability);
  void clear();
  bool empty() const { return rows_.empty(); }
  std::size_t key_count() const { return rows_.size(); }
  // Counts the changes that renumber rows (a new key, clear()): a row found
  // earlier stays the same key's row while this count stays.
  std::uint64_t changes() const { return changes_; }

  // -ln P for the key at the distance (clamped to +-20), raised to the floor.
  float weight(std::string_view key, int distance) const;
  // P itself; negative when the key is absent.
  float probability(std::string_view key, int distance) const;

  // The row of a key, or kNoRow: callers that weigh many distances of one
  // key look it up once.
  static constexpr int kNoRow = -1;
  int find_row(std::string_view key) const;
  // weight() and probability() for a row found by find_row.
  float row_weight(int row, int distance) const;
  float row_probability(int row, int distance) const;

 private:
  static constexpr int kSlots = 2 * kMaxDistance + 1;
  struct Row {
    std::array<float, kSlots> by_distance;  // 0 = not listed
    float any = 0.0f;                       // the "*" line; 0 = none
    // The weights of every distance, worked out when first asked.
    mutable std::array<float, kSlots> weights;
    mutable bool weighed = false;
  };
  // The row of a key, made (empty) when new.
  std::size_t row_for(std::string_view key);
  // Sets one probability of a row unless already set.
  static void set(Row& row, int distance, bool any_distance, float probability);
  static float weight_of(float probability);
  static int clamp(int distance);

  THashTableWithOrd<const char*, std::size_t> index_;
  std::vector<Row> rows_;
  StringPool keys_;
  std::uint64_t changes_ = 0;
};

}  // namespace velmo
