#include "corpus/smoothed_triple_db.h"

#include "shell/support/text.h"

namespace velmo {
namespace {

// Witten-Bell interpolation: the observed share, with as much weight left
// for the back-off as there are distinct outcomes seen.
double interpolate(std::uint64_t seen, std::uint64_t total, std::uint64_t types, double backoff) {
  if (total == 0) return backoff;
  return (static_cast<double>(seen) + static_cast<double>(types) * backoff) / static_cast<double>(total + types);
}

bool is_internal(std::string_view relation) { return !relation.empty() && relation.front() == '<'; }

std::string lower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = ascii_lower(c);
  return result;
}

}  // namespace

SmoothedTripleDb::RelationCounts SmoothedTripleDb::relation_counts(const TripleEntry* entry,
                                                                   std::string_view relation) {
  RelationCounts counts;
  if (!entry) return counts;
  for (const auto& [name, total] : entry->relation_totals()) {
    if (is_internal(name)) continue;
    counts.all += total;
    ++counts.relations;
    if (compare_nocase(name, relation) == 0) counts.in_relation = total;
  }
  return counts;
}

// The counts over all heads, indexed once (on the first question): by
// relation, and for each modifier word the relations it was seen in.
const SmoothedTripleDb::Summary& SmoothedTripleDb::summary() {
  if (summary_) return *summary_;
  summary_ = std::make_unique<Summary>();
  const TripleEntry* all = entry(kAllHeads);
  if (!all) return *summary_;
  for (const auto& [pair, count] : all->counts()) {
    if (is_internal(pair.first)) continue;
    summary_->relations[lower(pair.first)] += count;
    summary_->total += count;
    summary_->by_modifier[lower(pair.second)].emplace_back(lower(pair.first), count);
  }
  return *summary_;
}

// P(relation) over all dependencies, with half a count for every relation
// (and one more for a relation never seen).
double SmoothedTripleDb::relation_prior(std::string_view relation) {
  const Summary& all = summary();
  const auto it = all.relations.find(lower(relation));
  const std::uint64_t seen = it == all.relations.end() ? 0 : it->second;
  return (static_cast<double>(seen) + 0.5) /
         (static_cast<double>(all.total) + 0.5 * static_cast<double>(all.relations.size() + 1));
}

double SmoothedTripleDb::relation_given_class(std::string_view head_class, std::string_view relation) {
  const double prior = relation_prior(relation);
  if (head_class.empty()) return prior;
  std::string key(kClassPrefix);
  key.append(head_class);
  key.push_back('>');
  const RelationCounts counts = relation_counts(entry(key), relation);
  return interpolate(counts.in_relation, counts.all, counts.relations, prior);
}

double SmoothedTripleDb::relation_given_head(std::string_view head, std::string_view relation) {
  const TripleEntry* head_entry = is_internal(head) ? nullptr : entry(head);
  std::string head_class;
  if (head_entry) {
    const auto& counts = head_entry->counts();
    const auto it = counts.lower_bound(TripleEntry::Pair(std::string(kClassRelation), std::string()));
    if (it != counts.end() && compare_nocase(it->first.first, kClassRelation) == 0) head_class = it->first.second;
  }
  const double backoff = relation_given_class(head_class, relation);
  const RelationCounts counts = relation_counts(head_entry, relation);
  return interpolate(counts.in_relation, counts.all, counts.relations, backoff);
}

// How often `modifier` stands in each relation, counted over the heads of
// `entry`.
SmoothedTripleDb::RelationCounts SmoothedTripleDb::modifier_counts(const TripleEntry* entry, std::string_view relation,
                                                                   std::string_view modifier) {
  RelationCounts counts;
  if (!entry) return counts;
  for (const auto& [name, total] : entry->relation_totals()) {
    if (is_internal(name)) continue;
    const std::uint64_t seen = entry->count(name, modifier);
    if (seen == 0) continue;
    counts.all += seen;
    ++counts.relations;
    if (compare_nocase(name, relation) == 0) counts.in_relation = seen;
  }
  return counts;
}

double SmoothedTripleDb::relation_given_modifier(std::string_view relation, std::string_view modifier) {
  const Summary& all = summary();
  const double prior = relation_prior(relation);
  const auto it = all.by_modifier.find(lower(modifier));
  if (it == all.by_modifier.end()) return prior;
  RelationCounts counts;
  const std::string wanted = lower(relation);
  for (const auto& [name, seen] : it->second) {
    counts.all += seen;
    ++counts.relations;
    if (name == wanted) counts.in_relation = seen;
  }
  return interpolate(counts.in_relation, counts.all, counts.relations, prior);
}

double SmoothedTripleDb::relation_given_pair(std::string_view head, std::string_view relation,
                                             std::string_view modifier) {
  const double backoff = 0.5 * (relation_given_head(head, relation) + relation_given_modifier(relation, modifier));
  const TripleEntry* head_entry = is_internal(head) ? nullptr : entry(head);
  const RelationCounts counts = modifier_counts(head_entry, relation, modifier);
  return interpolate(counts.in_relation, counts.all, counts.relations, backoff);
}

bool SmoothedTripleDb::populate(std::istream& in) {
  summary_.reset();
  return TripleDb::populate(in);
}

std::optional<double> SmoothedTripleDb::probability(std::string_view head, std::string_view relation,
                                                    std::string_view modifier) {
  const bool unknown_modifier = modifier.empty() || modifier == "~" || compare_nocase(modifier, relation) == 0;
  if (unknown_modifier) return relation_given_head(head, relation);
  return relation_given_pair(head, relation, modifier);
}

}  // namespace velmo
