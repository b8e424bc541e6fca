#include "corpus/smoothed_triple_db.h"

#include "shell/support/text.h"

namespace velmo {
namespace {

// Witten-Bell interpolation: the observed share, with as much weight left
// for the back-off as there are distinct outcomes seen.
double interpolate(std::uint64_t seen, std::uint64_t total, std::uint64_t types, double backoff) {
  if (total == 0) return backoff;
  return (static_cast<double>(seen) + static_cast<double>(types) * backoff) /
         static_cast<double>(total + types);
}

bool is_internal(std::string_view relation) { return !relation.empty() && relation.front() == '<'; }

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

// P(relation) over all dependencies, with half a count for every relation
// (and one more for a relation never seen).
double SmoothedTripleDb::relation_prior(std::string_view relation) {
  const RelationCounts counts = relation_counts(entry(kAllHeads), relation);
  return (static_cast<double>(counts.in_relation) + 0.5) /
         (static_cast<double>(counts.all) + 0.5 * static_cast<double>(counts.relations + 1));
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
SmoothedTripleDb::RelationCounts SmoothedTripleDb::modifier_counts(const TripleEntry* entry,
                                                                   std::string_view relation,
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
  const RelationCounts counts = modifier_counts(entry(kAllHeads), relation, modifier);
  return interpolate(counts.in_relation, counts.all, counts.relations, relation_prior(relation));
}

double SmoothedTripleDb::relation_given_pair(std::string_view head, std::string_view relation,
                                             std::string_view modifier) {
  const double backoff = 0.5 * (relation_given_head(head, relation) + relation_given_modifier(relation, modifier));
  const TripleEntry* head_entry = is_internal(head) ? nullptr : entry(head);
  const RelationCounts counts = modifier_counts(head_entry, relation, modifier);
  return interpolate(counts.in_relation, counts.all, counts.relations, backoff);
}

std::optional<double> SmoothedTripleDb::probability(std::string_view head, std::string_view relation,
                                                    std::string_view modifier) {
  const bool unknown_modifier = modifier.empty() || modifier == "~" || compare_nocase(modifier, relation) == 0;
  if (unknown_modifier) return relation_given_head(head, relation);
  return relation_given_pair(head, relation, modifier);
}

}  // namespace velmo
