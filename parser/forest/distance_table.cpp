#include "parser/forest/distance_table.h"

#include <charconv>
#include <cmath>
#include <string>

#include "shell/support/diagnostics.h"

namespace velmo {
namespace {

// Splits off the next field separated by blanks or tabs.
bool is_separator(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// (A loop over the three separators: the library's search for any of a
// set of characters costs several times more on the table's short lines.)
std::string_view next_field(std::string_view& line) {
  std::size_t start = 0;
  while (start < line.size() && is_separator(line[start])) ++start;
  if (start == line.size()) {
    line = {};
    return {};
  }
  std::size_t end = start;
  while (end < line.size() && !is_separator(line[end])) ++end;
  const std::string_view field = line.substr(start, end - start);
  line.remove_prefix(end);
  return field;
}

bool parse_int(std::string_view text, int& value) {
  const char* last = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), last, value);
  return ec == std::errc() && ptr == last;
}

// Read in place, without a copy for strtof (thousands of lines at
// start-up); both round the decimal text to the nearest float. A leading
// "+" is taken as strtof takes it.
bool parse_probability(std::string_view text, float& value) {
  if (text.starts_with('+')) text.remove_prefix(1);
  const char* last = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), last, value);
  return !text.empty() && ec == std::errc() && ptr == last && value > 0.0f && value <= 1.0f;
}

}  // namespace

DistanceTable::DistanceTable() : index_(kBuckets, &THashTraits<const char*>::hash, &compare_text_exact) {}

int DistanceTable::clamp(int distance) {
  return distance < -kMaxDistance ? -kMaxDistance : (distance > kMaxDistance ? kMaxDistance : distance);
}

std::size_t DistanceTable::read(std::istream& in, std::string_view file_name) {
  std::string line;
  std::size_t line_number = 0, taken = 0;
  // The lines of one key come together: its row is looked up once.
  std::string last_key;
  std::size_t last_row = 0;
  bool have_row = false;
  while (std::getline(in, line)) {
    ++line_number;
    std::string_view rest = line;
    const std::string_view key = next_field(rest);
    if (key.empty() || key[0] == '#' || key[0] == ';') continue;
    const std::string_view distance_text = next_field(rest);
    const std::string_view probability_text = next_field(rest);
    int distance = 0;
    float probability = 0.0f;
    const bool any = distance_text == "*";
    if ((!any && !parse_int(distance_text, distance)) || !parse_probability(probability_text, probability) ||
        !next_field(rest).empty()) {
      diag() << file_name << ':' << line_number << ": bad distance entry" << '\n' << std::flush;
      continue;
    }
    if (!have_row || key != last_key) {
      last_row = row_for(key);
      last_key.assign(key);
      have_row = true;
    }
    set(rows_[last_row], distance, any, probability);
    ++taken;
  }
  return taken;
}

void DistanceTable::add(std::string_view key, int distance, bool any_distance, float probability) {
  set(rows_[row_for(key)], distance, any_distance, probability);
}

std::size_t DistanceTable::row_for(std::string_view key) {
  const std::string copy(key);
  if (const std::size_t* found = index_.find(copy.c_str())) return *found;
  const std::size_t row_index = rows_.size();
  ++changes_;
  rows_.push_back(Row{});
  rows_.back().by_distance.fill(0.0f);
  index_.insert(keys_.add(key), row_index);
  return row_index;
}

void DistanceTable::set(Row& row, int distance, bool any_distance, float probability) {
  row.weighed = false;
  float& slot = any_distance ? row.any : row.by_distance[static_cast<std::size_t>(clamp(distance) + kMaxDistance)];
  if (slot == 0.0f) slot = probability;
}

void DistanceTable::clear() {
  ++changes_;
  index_.clear();
  rows_.clear();
  keys_.clear();
}

int DistanceTable::find_row(std::string_view key) const {
  const std::string copy(key);
  const std::size_t* found = index_.find(copy.c_str());
  return found ? static_cast<int>(*found) : kNoRow;
}

float DistanceTable::row_probability(int row_index, int distance) const {
  if (row_index < 0 || static_cast<std::size_t>(row_index) >= rows_.size()) return -1.0f;
  const Row& row = rows_[static_cast<std::size_t>(row_index)];
  const float listed = row.by_distance[static_cast<std::size_t>(clamp(distance) + kMaxDistance)];
  if (listed > 0.0f) return listed;
  return row.any > 0.0f ? row.any : kUnseenProbability;
}

float DistanceTable::weight_of(float probability) {
  if (probability <= 0.0f) return kFloorWeight;
  const float w = -std::log(probability);
  return w < kFloorWeight ? kFloorWeight : w;
}

float DistanceTable::row_weight(int row_index, int distance) const {
  if (row_index < 0 || static_cast<std::size_t>(row_index) >= rows_.size()) return kFloorWeight;
  const Row& row = rows_[static_cast<std::size_t>(row_index)];
  if (!row.weighed) {
    for (int d = -kMaxDistance; d <= kMaxDistance; ++d)
      row.weights[static_cast<std::size_t>(d + kMaxDistance)] = weight_of(row_probability(row_index, d));
    row.weighed = true;
  }
  return row.weights[static_cast<std::size_t>(clamp(distance) + kMaxDistance)];
}

float DistanceTable::probability(std::string_view key, int distance) const {
  return row_probability(find_row(key), distance);
}

float DistanceTable::weight(std::string_view key, int distance) const { return row_weight(find_row(key), distance); }

}  // namespace velmo
