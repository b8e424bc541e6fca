#include "corpus/smoothed_triple_db.h"

#include <algorithm>
#include <cmath>

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

}  // namespace

SmoothedTripleDb::RelationCounts SmoothedTripleDb::relation_counts(const TripleEntry* entry,
                                                                   std::string_view relation) {
  RelationCounts counts;
  if (!entry) return counts;
  counts.all = entry->word_relations_total();
  counts.relations = entry->word_relations();
  if (!is_internal(relation)) counts.in_relation = entry->relation_total(relation);
  return counts;
}

// The counts over all heads, indexed once (on the first question): by
// relation, and for each modifier word the relations it was seen in.
SmoothedTripleDb::Summary& SmoothedTripleDb::make_summary() {
  summary_ = std::make_unique<Summary>();
  summary_changes_ = changes();
  summary_->prepositions = entry(kPrepositions);
  std::string key(kObjectClassesPrefix);
  key.append("any>");
  summary_->object_classes = entry(key);
  summary_->rare_modifiers = entry(kRareModifiers);
  const TripleEntry* all = entry(kAllHeads);
  summary_->all_heads = all;
  summary_->occurrences = occurrences(all);
  const TripleEntry* settings = entry(kSettings);
  summary_->association_power = setting(settings, kAssociationPower, 1.0);
  summary_->unknown_modifier_power = setting(settings, kUnknownModifierPower, 1.0);
  if (!all) return *summary_;
  summary_->total = all->word_relations_total();
  summary_->relations = all->word_relations();
  // A modifier word is seen in about three relations (the English
  // statistics: 38,027 pairs, 13,214 words): the table is made big enough
  // once instead of grown five times. A guess too small only grows it.
  summary_->by_modifier.reserve(all->size() / 3);
  all->for_each_folded_count([&](const TripleEntry::Count& pair) {
    if (is_internal(pair.relation)) return;
    Summary::Uses& uses = summary_->by_modifier[pair.modifier];
    uses.total += pair.count;
    ++uses.relations;
  });
  return *summary_;
}

std::uint64_t SmoothedTripleDb::relation_seen(std::string_view relation) {
  const TripleEntry* all = summary().all_heads;
  return all && !is_internal(relation) ? all->relation_total(relation) : 0;
}

const SmoothedTripleDb::Summary::Uses* SmoothedTripleDb::uses_of(std::string_view modifier) {
  const Summary& all = summary();
  const FoldedText wanted(modifier);
  return all.by_modifier.find(wanted.view());
}

// P(relation) over all dependencies, with half a count for every relation
// (and one more for a relation never seen).
double SmoothedTripleDb::relation_prior(std::string_view relation) {
  const std::uint64_t seen = relation_seen(relation);
  const Summary& all = summary();
  return (static_cast<double>(seen) + 0.5) /
         (static_cast<double>(all.total) + 0.5 * static_cast<double>(all.relations + 1));
}

const SmoothedTripleDb::ClassEntries& SmoothedTripleDb::class_entries(std::string_view head_class) {
  Summary& all = summary();
  for (const ClassEntries& known : all.classes)
    if (known.name == head_class) return known;
  std::string key(kClassPrefix);
  key.append(head_class);
  key.push_back('>');
  const TripleEntry* heads = entry(key);
  key.assign(kObjectClassesPrefix);
  key.append(head_class);
  key.push_back('>');
  return all.classes.emplace_back(ClassEntries{std::string(head_class), heads, entry(key)});
}

double SmoothedTripleDb::relation_given_class(std::string_view head_class, std::string_view relation) {
  const double prior = relation_prior(relation);
  if (head_class.empty()) return prior;
  const RelationCounts counts = relation_counts(class_entries(head_class).heads, relation);
  return interpolate(counts.in_relation, counts.all, counts.relations, prior);
}

double SmoothedTripleDb::relation_given_head(std::string_view head, std::string_view relation) {
  return relation_given_head(head_of(head), relation, name_number(relation));
}

std::uint32_t SmoothedTripleDb::name_number(std::string_view name) {
  Summary& all = summary();
  const FoldedText folded(name);
  if (const std::uint32_t* known = all.names.find(folded.view())) return *known;
  const std::string& kept = all.name_texts.emplace_back(folded.view());
  const auto number = static_cast<std::uint32_t>(all.name_texts.size());
  all.names[kept] = number;
  return number;
}

SmoothedTripleDb::RelationFacts SmoothedTripleDb::facts_of(std::string_view relation) {
  Summary& all = summary();
  if (const RelationFacts* known = all.relations_asked.find(relation)) return *known;
  const RelationFacts facts{name_number(relation), is_prepositional(relation)};
  all.relations_asked[all.relation_texts.emplace_back(relation)] = facts;
  return facts;
}

template <class Compute>
double SmoothedTripleDb::remembered(AnswerMemo Summary::*memo, const AnswerKey& key, Compute compute) {
  if (const double* known = (summary().*memo).find(key)) return *known;
  // The computation may ask the other memos: the slot is taken after it.
  const double answer = compute();
  (summary().*memo).find_or_add(key).first = answer;
  return answer;
}

// A head asked with its entry's category is known by its entry alone; one
// with a rare class by that too (the class names its category).
double SmoothedTripleDb::relation_given_head(const Head& head, std::string_view relation, std::uint32_t number) {
  const std::uintptr_t other = head.rare_class ? head.rare_class : (head.named_category ? name_number(head.category) : 0);
  return remembered(&Summary::head_relations, AnswerKey{head.entry, number, other},
                    [&] { return compute_relation_given_head(head, relation); });
}

double SmoothedTripleDb::compute_relation_given_head(const Head& head, std::string_view relation) {
  double backoff = relation_given_class(head.category, relation);
  if (head.rare_class) {
    const RelationCounts rare = relation_counts(class_entries(summary().name_texts[head.rare_class - 1]).heads, relation);
    backoff = interpolate(rare.in_relation, rare.all, rare.relations, backoff);
  }
  const RelationCounts counts = relation_counts(head.entry, relation);
  return interpolate(counts.in_relation, counts.all, counts.relations, backoff);
}

std::uint32_t SmoothedTripleDb::class_number(std::string_view category, std::string_view word) {
  std::string text(category);
  text.push_back(':');
  text.append(shape_of(word));
  return name_number(text);
}

// How often `modifier` stands in each relation, counted over the heads of
// `entry`.
SmoothedTripleDb::RelationCounts SmoothedTripleDb::modifier_counts(const TripleEntry* entry, std::string_view relation,
                                                                   std::string_view modifier) {
  if (!entry) return {};
  const TripleEntry::ModifierCounts seen = entry->modifier_counts(relation, modifier);
  return RelationCounts{seen.in_relation, seen.all, seen.relations};
}

double SmoothedTripleDb::relation_given_modifier(std::string_view relation, std::string_view modifier) {
  return relation_given_modifier(relation, name_number(relation), modifier, {});
}

double SmoothedTripleDb::relation_given_modifier(std::string_view relation, std::uint32_t number,
                                                 std::string_view modifier, std::string_view category) {
  // The modifier is known by its uses over all heads (the summary's, which
  // stay put); one without any by its class when it has a category, else
  // it has the relation's prior.
  const Summary::Uses* uses = uses_of(modifier);
  const TripleEntry* rare = summary().rare_modifiers;
  if (!uses && !category.empty() && rare) {
    const std::uint32_t modifier_class = class_number(category, modifier);
    return remembered(&Summary::modifier_relations, AnswerKey{rare, number, modifier_class}, [&] {
      return compute_relation_given_class(relation, summary().name_texts[modifier_class - 1]);
    });
  }
  return remembered(&Summary::modifier_relations, AnswerKey{nullptr, number, reinterpret_cast<std::uintptr_t>(uses)},
                    [&] { return compute_relation_given_modifier(relation, modifier); });
}

double SmoothedTripleDb::compute_relation_given_class(std::string_view relation, std::string_view modifier_class) {
  const RelationCounts counts = modifier_counts(summary().rare_modifiers, relation, modifier_class);
  return interpolate(counts.in_relation, counts.all, counts.relations, relation_prior(relation));
}

double SmoothedTripleDb::compute_relation_given_modifier(std::string_view relation, std::string_view modifier) {
  const double prior = relation_prior(relation);
  const Summary::Uses* uses = uses_of(modifier);
  if (!uses) return prior;
  const TripleEntry* all = summary().all_heads;
  const RelationCounts counts{is_internal(relation) ? 0 : all->count(relation, modifier), uses->total, uses->relations};
  return interpolate(counts.in_relation, counts.all, counts.relations, prior);
}

double SmoothedTripleDb::relation_given_pair(std::string_view head, std::string_view relation,
                                             std::string_view modifier) {
  const TripleEntry* words = head_entry(head);
  return relation_given_pair(Head{words, class_of(words)}, relation, name_number(relation), modifier, {});
}

double SmoothedTripleDb::relation_given_pair(const Head& head, std::string_view relation, std::uint32_t number,
                                             std::string_view modifier, std::string_view category) {
  const double backoff = 0.5 * (relation_given_head(head, relation, number) +
                                relation_given_modifier(relation, number, modifier, category));
  const RelationCounts counts = modifier_counts(head.entry, relation, modifier);
  return interpolate(counts.in_relation, counts.all, counts.relations, backoff);
}

bool SmoothedTripleDb::is_prepositional(std::string_view relation) {
  const TripleEntry* marks = summary().prepositions;
  return marks && marks->relation_total(relation) > 0;
}

// P(modifier | relation) over all heads, Witten-Bell interpolated with
// P(modifier) over all relations, which has half a count for every word
// and one unseen.
double SmoothedTripleDb::modifier_given_relation(std::string_view relation, std::string_view modifier) {
  const Summary::Uses* uses = uses_of(modifier);
  const std::uint64_t seen = uses ? uses->total : 0;
  const Summary& all = summary();
  const double prior = (static_cast<double>(seen) + 0.5) /
                       (static_cast<double>(all.total) + 0.5 * static_cast<double>(all.by_modifier.size() + 1));
  const TripleEntry* any = all.all_heads;
  if (!any) return prior;
  return interpolate(any->count(relation, modifier), any->relation_total(relation), any->relation_types(relation),
                     prior);
}

// How much more likely `modifier` is with this head than with any head in
// the relation: P(modifier | head, relation) / P(modifier | relation), the
// former interpolated towards the latter, so that a head never seen in the
// relation gives 1 and one seen often with other modifiers less than 1.
double SmoothedTripleDb::association(std::string_view head, std::string_view relation, std::string_view modifier) {
  return association(head_of(head), relation, modifier);
}

// A head the database lacks has the association of its category's objects
// (1 without a category).
double SmoothedTripleDb::association(const Head& head, std::string_view relation, std::string_view modifier) {
  const double of_class = class_association(head.category, relation, modifier);
  const std::uint64_t total = head.entry ? head.entry->relation_total(relation) : 0;
  if (total == 0) return of_class;
  const double backoff = modifier_given_relation(relation, modifier);
  const double smoothed = interpolate(head.entry->count(relation, modifier), total,
                                      head.entry->relation_types(relation), backoff * of_class);
  return smoothed / backoff;
}

std::string_view SmoothedTripleDb::word_class_of(std::string_view word) {
  const TripleEntry* word_entry = head_entry(word);
  return word_entry ? word_entry->first_modifier(kWordClass) : std::string_view();
}

// The association of the modifier's word class (a WordNet noun class for a
// prepositional object) with heads of the category in the relation:
// P(class | category, relation) / P(class | relation), each interpolated
// towards the next (the last towards an even share among the classes seen
// in the relation). 1 when the word or the head has no class.
double SmoothedTripleDb::class_association(std::string_view head_class, std::string_view relation,
                                           std::string_view modifier) {
  if (head_class.empty()) return 1.0;
  const std::string_view word_class = word_class_of(modifier);
  if (word_class.empty()) return 1.0;
  const TripleEntry* all = summary().object_classes;
  if (!all || all->relation_types(relation) == 0) return 1.0;
  const double even = 1.0 / static_cast<double>(all->relation_types(relation) + 1);
  const double in_relation =
      interpolate(all->count(relation, word_class), all->relation_total(relation), all->relation_types(relation), even);
  return modifier_given_head(class_entries(head_class).objects, relation, word_class, in_relation) / in_relation;
}

// P(modifier | the entry's head, relation), interpolated with `backoff`.
double SmoothedTripleDb::modifier_given_head(const TripleEntry* head_entry, std::string_view relation,
                                             std::string_view modifier, double backoff) {
  if (!head_entry) return backoff;
  return interpolate(head_entry->count(relation, modifier), head_entry->relation_total(relation),
                     head_entry->relation_types(relation), backoff);
}

double SmoothedTripleDb::setting(const TripleEntry* settings, std::string_view name, double fallback) {
  const std::uint64_t thousandths = settings ? settings->count(name, kAnyModifier) : 0;
  return thousandths > 0 ? static_cast<double>(thousandths) / 1000.0 : fallback;
}

std::uint64_t SmoothedTripleDb::occurrences(const TripleEntry* entry) {
  return entry ? entry->count(kOccurrences, kAnyModifier) : 0;
}

// How many phrases in the relation a word of the class takes per
// occurrence, backed off to the rate over all words (half a count added).
double SmoothedTripleDb::rate_given_class(std::string_view head_class, std::string_view relation) {
  const std::uint64_t seen = relation_seen(relation);
  const Summary& all = summary();
  const double prior =
      (static_cast<double>(seen) + 0.5) / (static_cast<double>(std::max<std::uint64_t>(all.occurrences, 1)) + 0.5);
  if (head_class.empty()) return prior;
  const TripleEntry* class_entry = class_entries(head_class).heads;
  const RelationCounts counts = relation_counts(class_entry, relation);
  return interpolate(counts.in_relation, occurrences(class_entry), counts.relations, prior);
}

// How many phrases in the relation the head takes per occurrence: unlike
// P(relation | head), not lowered for heads that take many dependents of
// other kinds (a verb's subject and objects do not make it less likely to
// take a prepositional phrase).
double SmoothedTripleDb::rate_given_head(std::string_view head, std::string_view relation) {
  return rate_given_head(head_of(head), relation, name_number(relation));
}

// Heads the database lacks share the null entry: their category is part of
// the memo's key.
double SmoothedTripleDb::rate_given_head(const Head& head, std::string_view relation, std::uint32_t number) {
  // A head with an entry that names its category has that category; any
  // other is known by the category of the question too.
  const std::uintptr_t category = head.entry && !head.named_category ? 0 : name_number(head.category);
  return remembered(&Summary::head_rates, AnswerKey{head.entry, number, category},
                    [&] { return compute_rate_given_head(head, relation); });
}

double SmoothedTripleDb::compute_rate_given_head(const Head& head, std::string_view relation) {
  const double backoff = rate_given_class(head.category, relation);
  const RelationCounts counts = relation_counts(head.entry, relation);
  return interpolate(counts.in_relation, occurrences(head.entry), counts.relations, backoff);
}

std::optional<std::pair<std::string_view, std::string_view>> SmoothedTripleDb::category_and_word(
    std::string_view head) {
  if (head.size() < 4 || head.front() != '<') return std::nullopt;
  const std::size_t close = head.find('>');
  if (close == std::string_view::npos || close < 2 || close + 1 >= head.size()) return std::nullopt;
  return std::pair{head.substr(1, close - 1), head.substr(close + 1)};
}

SmoothedTripleDb::Head SmoothedTripleDb::head_of(std::string_view head) {
  Summary& all = summary();
  if (const Head* known = all.heads.find(head)) return *known;
  // The key is kept first, so that a category the text names views it.
  const std::string& kept = all.head_texts.emplace_back(head);
  const Head found = find_head(kept);
  all.heads[kept] = found;
  return found;
}

SmoothedTripleDb::Head SmoothedTripleDb::find_head(std::string_view head) {
  const auto named = category_and_word(head);
  const TripleEntry* words = head_entry(named ? named->second : head);
  if (!named) return Head{words, class_of(words)};
  // A word seen only as the object of a preposition has an entry (its
  // word class) but no category of its own: the question's stands in.
  const std::string_view category = class_of(words);
  if (!category.empty()) return Head{words, category};
  return Head{words, named->first, true, class_number(named->first, named->second)};
}

std::string_view SmoothedTripleDb::class_of(const TripleEntry* head_entry) {
  return head_entry ? head_entry->first_modifier(kClassRelation) : std::string_view();
}

// A head word whose entry names a lemma is known by the lemma's entry.
const TripleEntry* SmoothedTripleDb::head_entry(std::string_view head) {
  if (is_internal(head)) return nullptr;
  const TripleEntry* words = entry(head);
  const std::string_view lemma = words ? words->first_modifier(kLemma) : std::string_view();
  if (lemma.empty() || is_internal(lemma)) return words;
  const TripleEntry* lemma_words = entry(lemma);
  return lemma_words ? lemma_words : words;
}

bool SmoothedTripleDb::knows_word(std::string_view word) {
  const TripleEntry* words = head_entry(word);
  return words && !class_of(words).empty() && uses_of(word);
}

std::string_view SmoothedTripleDb::shape_of(std::string_view word) {
  if (word.find('@') != std::string_view::npos || word.starts_with("http") || word.starts_with("www."))
    return "web";
  std::size_t letters = 0, small = 0;
  for (const char c : word) {
    if (c >= '0' && c <= '9') return "num";
    const bool lower = c >= 'a' && c <= 'z';
    // A byte of a multi-byte character counts as a letter of neither case.
    if (lower || (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) >= 0x80) ++letters;
    small += lower ? 1 : 0;
  }
  if (letters == 0) return "sym";
  if (word.front() < 'A' || word.front() > 'Z') return "low";
  return letters >= 2 && small == 0 ? "caps" : "cap";
}

std::optional<double> SmoothedTripleDb::probability(std::string_view head, std::string_view relation,
                                                    std::string_view modifier) {
  // The parser names a word the database lacks with its category.
  std::string_view modifier_category;
  if (const auto named = category_and_word(modifier)) {
    modifier_category = named->first;
    modifier = named->second;
  }
  const bool unknown_modifier = modifier.empty() || modifier == "~" || compare_nocase(modifier, relation) == 0;
  const Summary& powers = summary();
  const RelationFacts facts = facts_of(relation);
  if (facts.prepositional) {
    const Head known = head_of(head);
    const double rate = rate_given_head(known, relation, facts.number);
    if (unknown_modifier) return std::min(kCeiling, std::pow(rate, powers.unknown_modifier_power));
    return std::min(kCeiling, rate * std::pow(association(known, relation, modifier), powers.association_power));
  }
  // Two words the database lacks are known by their classes; a question
  // that knows one of them asks as if it named no categories (a head that
  // names none is the one found already).
  const Head named = head_of(head);
  const bool both_lacked = !unknown_modifier && named.rare_class && !modifier_category.empty() && !uses_of(modifier);
  const auto category_named = category_and_word(head);
  const Head known = both_lacked || !category_named ? named : head_of(category_named->second);
  if (unknown_modifier)
    return std::pow(relation_given_head(known, relation, facts.number), powers.unknown_modifier_power);
  const std::string_view category = both_lacked ? modifier_category : "";
  const double answer = relation_given_pair(known, relation, facts.number, modifier, category);
  // A verb's object asked under the other object relation than the one
  // the treebank gives the pair (tell me about it: the grammar's only
  // object, the treebank's indirect one, as in tell me that) would be
  // charged as a pair that hardly goes together. A pair seen in the other
  // relation has the better of the two answers.
  const std::string_view other = object_counterpart(relation);
  if (!other.empty() && modifier_counts(known.entry, other, modifier).in_relation > 0)
    return std::min(kCeiling,
                    std::max(answer, relation_given_pair(known, other, facts_of(other).number, modifier, category)));
  return answer;
}

std::string_view SmoothedTripleDb::object_counterpart(std::string_view relation) {
  if (relation == kObject) return kSecondObject;
  if (relation == kSecondObject) return kObject;
  return {};
}

}  // namespace velmo
