#include "parser/forest/dependency_weigher.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string_view>

#include "lexical/items/lex_item.h"
#include "lexicon/attributes/att_list.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/trace_att.h"
#include "parser/chart/pitem.h"
#include "parser/forest/distance_table.h"
#include "parser/grammar/builtin_attributes.h"
#include "parser/grammar/category_names.h"
#include "parser/grammar/gcate.h"
#include "parser/grammar/glink.h"
#include "parser/grammar/korvel_parser.h"
#include "shell/support/diagnostics.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

// The binding lives as long as the process and is rebound in place: one
// reference to it spares a call for every attribute the weigher reads.
const BuiltinAttributes& builtins = builtin_attributes();

bool is_cat_p(const PItem& item) {
  const BuiltinAttributes& b = builtins;
  return b.cat >= 0 && b.cat_p != BuiltinAttributes::kNoValue && item.av.defined(b.cat) &&
         item.av.get(b.cat) == b.cat_p;
}

bool has(const PItem& item, int index) { return index >= 0 && item.av.defined(index); }

// The head word item of a head side: its lexical item when it has
// "lexitem" or is of "cat" p, else the item itself.
const PItem& head_word_item(const PItem& head_side) {
  const BuiltinAttributes& b = builtins;
  if (has(head_side, b.lexitem) || is_cat_p(head_side)) return head_side.lexical_head();
  return head_side;
}

std::string text_of(const AttVec& vec, int index) {
  return index >= 0 && vec.defined(index) ? vec.str_val(index) : std::string();
}

// The text of a role value kept in a trace record.
std::string role_text(Word role) {
  const BuiltinAttributes& b = builtins;
  if (!b.type || b.role < 0 || role == 0) return {};
  return b.type->attribute(b.role).str_val(role);
}

// The role recorded in the trace of the head side's first moved element
// whose "slash" shares a bit with the link's slash-check mask; 0 for none.
Word moved_role(const PItem& head_side, std::uint32_t mask) {
  const BuiltinAttributes& b = builtins;
  if (mask == 0 || !has(head_side, b.move) || b.slash < 0 || b.trace < 0) return 0;
  const auto* moved = reinterpret_cast<const AttList*>(head_side.av.get(b.move));
  for (std::size_t i = 0; moved && i < moved->size(); ++i) {
    const AttVec* element = moved->at(i);
    if (!element || !element->defined(b.slash) || !element->defined(b.trace)) continue;
    if ((static_cast<std::uint32_t>(element->get(b.slash)) & mask) == 0) continue;
    const auto* traces = reinterpret_cast<const TraceList*>(element->get(b.trace));
    if (traces && !traces->records().empty()) return traces->records().front().role;
  }
  return 0;
}

const TraceList* trace_list(const PItem& item) {
  const BuiltinAttributes& b = builtins;
  if (!has(item, b.trace)) return nullptr;
  return reinterpret_cast<const TraceList*>(item.av.get(b.trace));
}

// The item's lexical item: its own, or the one its "lexitem" carries.
const LexItem* lexical_item_of(const PItem& item) {
  if (item.lex_item) return item.lex_item;
  const int index = builtins.lexitem;
  return has(item, index) ? reinterpret_cast<const LexItem*>(item.av.get(index)) : nullptr;
}

}  // namespace

DependencyWeigher::DependencyWeigher(std::size_t max_cached_triples)
    : max_cached_triples_(max_cached_triples),
      subj_(intern("subj")),
      conj_(intern("conj")),
      clause_key_(intern("C")),
      copula_key_(intern("VBE")),
      s_(intern("s")),
      expl_(intern("expl")),
      prep_(intern("Prep")),
      pcomp_(intern("pcomp")),
      any_preposition_(intern(kAnyPreposition)),
      verb_key_(intern("V")),
      no_word_(intern("~")),
      empty_(intern("")) {}

const char* DependencyWeigher::intern(std::string_view text) {
  const auto known = interned_.find(text);
  return known != interned_.end() ? known->c_str() : interned_.emplace(text).first->c_str();
}

const char* DependencyWeigher::intern_word(std::string_view text) {
  const auto known = words_.find(text);
  return known != words_.end() ? known->c_str() : words_.emplace(text).first->c_str();
}

void DependencyWeigher::set_sources(Sources sources) {
  sources_ = std::move(sources);
  begin_sentence();
}

void DependencyWeigher::begin_sentence() {
  // The words may go with the cache: no memo of the sentence before is
  // kept.
  if (triples_.size() >= max_cached_triples_) {
    triples_.clear();
    words_.clear();
    known_words_.clear();
  }
  categories_.clear();
  link_relations_.clear();
  value_texts_.clear();
  merges_.clear();
  // The rows are keyed by lasting texts: they hold across sentences while
  // the table keeps its rows.
  const std::uint64_t table_changes = sources_.distances ? sources_.distances->changes() : 0;
  if (sources_.distances != rows_table_ || table_changes != rows_table_changes_) {
    distance_rows_.clear();
    rows_table_ = sources_.distances;
    rows_table_changes_ = table_changes;
  }
  roots_.clear();
  category_heads_.clear();
  sides_.clear();
  modifier_sides_.clear();
  side_lists_.clear();
  skipped_before_.clear();
}

void DependencyWeigher::clear_cache() { triples_.clear(); }

std::size_t DependencyWeigher::TripleKeyHash::operator()(const TripleKey& key) const {
  const auto mix = [](std::size_t h, const void* p) {
    const auto bits = reinterpret_cast<std::uintptr_t>(p);
    return (h ^ (bits >> 3)) * 0x9E3779B97F4A7C15ull;
  };
  return mix(mix(mix(0, key.head), key.relation), key.modifier) >> 17;
}

std::size_t DependencyWeigher::ValueKeyHash::operator()(const ValueKey& key) const {
  const std::size_t bits = static_cast<std::size_t>(key.value) ^ (static_cast<std::size_t>(key.index) << 40);
  return (bits * 0x9E3779B97F4A7C15ull) >> 20;
}

std::size_t DependencyWeigher::MergeKeyHash::operator()(const MergeKey& key) const {
  return TripleKeyHash()(
      TripleKey{reinterpret_cast<const char*>(key.head), key.relation, reinterpret_cast<const char*>(key.modifier)});
}

const char* DependencyWeigher::value_text(const AttVec& vec, int index) {
  if (index < 0 || !vec.defined(index)) return empty_;
  auto [text, added] = value_texts_.find_or_add(ValueKey{index, vec.get(index)});
  if (added) text = intern(vec.str_val(index));
  return text;
}

// Role values are kept as values of "role"; -1 stands for that attribute in
// the memo of value texts, whose key is the value alone here.
const char* DependencyWeigher::role_text_of(Word role) {
  auto [text, added] = value_texts_.find_or_add(ValueKey{-1, role});
  if (added) text = intern(role_text(role));
  return text;
}

std::string DependencyWeigher::word_of(const PItem& item) {
  const LexItem* lex = lexical_item_of(item);
  if (lex && lex->root) return lex->root;
  const std::string cform = text_of(item.av, builtins.cform);
  return cform.empty() ? std::string("~") : cform;
}

int DependencyWeigher::position_of(const PItem& item) {
  const LexItem* lex = lexical_item_of(item);
  return lex ? lex->head : item.start;
}

std::string DependencyWeigher::category_key(const PItem& item) {
  if (!item.cate) return {};
  const std::string& name = item.cate->name();
  if (name.empty() || name[0] == '_' || name == "Appo" || name == "PRO" || name == "NN") return "N";
  const std::string stem(name_stem(name));
  return stem == "I" ? "V" : stem;
}

const char* DependencyWeigher::category_of(const PItem& item) {
  auto [key, added] = categories_.find_or_add(item.cate);
  if (added) key = intern(category_key(item));
  return key;
}

DependencyWeigher::Side DependencyWeigher::side_of(const PItem& item) {
  // A head or modifier item takes part in many dependencies.
  auto [side, added] = sides_.find_or_add(&item);
  if (added) side = make_side(item);
  return side;
}

DependencyWeigher::Side DependencyWeigher::make_side(const PItem& item) {
  Side side{no_word_, category_of(item), item.start, is_cat_p(item)};
  const LexItem* lex = lexical_item_of(item);
  if (lex) side.position = lex->head;
  if (lex && lex->root) {
    // Roots are pooled for the sentence: many items share one.
    auto [word, added] = roots_.find_or_add(lex->root);
    if (added) word = intern_word(lex->root);
    side.word = word;
  } else {
    const char* cform = value_text(item.av, builtins.cform);
    if (*cform) side.word = intern_word(cform);
  }
  side.asked = asked_text(side.word, side.category);
  return side;
}

const char* DependencyWeigher::asked_text(const char* word, const char* category) {
  if (word == no_word_ || !sources_.knows_word) return word;
  auto [known, added] = known_words_.find_or_add(word);
  if (added) known = sources_.knows_word(word);
  return known ? word : category_head(Side{word, category, 0, false});
}

int DependencyWeigher::distance(int head_position, int modifier_position) const {
  const int low = std::min(head_position, modifier_position), high = std::max(head_position, modifier_position);
  int skipped = 0;
  const int from = std::max(low + 1, 0);
  if (sources_.is_skipped && high - low <= 4 * DistanceTable::kMaxDistance && from < high) {
    // skipped_before_[p] counts the skipped positions from 0 to p - 1.
    if (skipped_before_.empty()) skipped_before_.push_back(0);
    for (int p = static_cast<int>(skipped_before_.size()) - 1; p < high; ++p)
      skipped_before_.push_back(skipped_before_.back() + (sources_.is_skipped(p) ? 1 : 0));
    skipped = skipped_before_[static_cast<std::size_t>(high)] - skipped_before_[static_cast<std::size_t>(from)];
  }
  const int d = modifier_position - head_position;
  return d > 0 ? d - skipped : d + skipped;
}

const char* DependencyWeigher::relation_of(const PItem& head_side, const PItem& modifier, const GLink& link,
                                           bool moved_roles) {
  const BuiltinAttributes& b = builtins;
  if (is_cat_p(modifier)) {
    const char* pform = value_text(modifier.av, b.pform);
    if (*pform) return pform;
  }
  auto [named, added] = link_relations_.find_or_add(&link);
  if (added) named = LinkRelation{intern(link.relation()), link.relation().starts_with("comp")};
  if (named.complement && has(head_side, b.args)) {
    const auto* args = reinterpret_cast<const AttList*>(head_side.av.get(b.args));
    const int k = link.position - 1;
    if (args && k >= 0 && static_cast<std::size_t>(k) < args->size() && args->at(static_cast<std::size_t>(k))) {
      const char* role = value_text(*args->at(static_cast<std::size_t>(k)), b.role);
      if (*role) return role;
    }
  }
  const Word moved = moved_roles ? moved_role(head_side, link.slash_mask) : 0;
  const char* role = moved ? role_text_of(moved) : empty_;
  return *role ? role : named.relation;
}

float DependencyWeigher::merge_weight(const PItem& merged, const PItem& head_side, const PItem& modifier,
                                      const GLink& link) {
  const PItem& head = head_word_item(head_side);
  // A merge that fills a gap (its trace is new: the head side has none) is
  // weighed as the filler in its role under the word that lost it. When the
  // head is a word, the dependency the filler makes on the surface counts
  // too, whichever is cheaper (a controller is also the subject of its own
  // verb); under a word-less clause head the surface relation says nothing.
  // Later merges keep the trace in their vectors but make ordinary
  // dependencies.
  const TraceList* traces = trace_list(merged);
  if (traces && !trace_list(head_side)) {
    const BuiltinAttributes& b = builtins;
    const PItem& filler = has(modifier, b.move) ? head : modifier;
    float best = kTraceCeiling;
    if (lexical_item_of(head))
      best = std::min(best, surface_weight(head, modifier, relation_of(head_side, modifier, link, false)));
    for (const TraceRecord& record : traces->records()) {
      const auto* entry = reinterpret_cast<const PItem*>(record.item);
      if (entry) best = std::min(best, single_weight(entry->lexical_head(), filler, role_text(record.role)));
    }
    return best;
  }
  const char* relation = relation_of(head_side, modifier, link, true);
  if (relation == conj_) {
    if (const PItem* verb = clause_verb(head)) return clause_conjunct_weight(head, *verb, modifier);
    if (is_complementiser(head)) return complementised_conjunct_weight(head, modifier);
    const float weight = surface_weight(head, modifier, relation);
    return verb_forms_agree(head_side, modifier) ? weight : weight + kConjunctFormWeight;
  }
  return surface_weight(head, modifier, relation);
}

const PItem* DependencyWeigher::verb_phrase(const PItem& item) {
  for (const PItem* phrase = &item; phrase; phrase = phrase->head_child) {
    const char* key = category_of(*phrase);
    if (key == verb_key_ || key == copula_key_) return phrase;
  }
  return nullptr;
}

// Conjoined verbs share their form (came and went, to call and ask, is
// running and jumping), either as words or as phrases, where the first
// auxiliary gives the phrase its form (does not work and needs repair,
// loved it and will go back), and a shared auxiliary leaves the word of one
// to agree with the phrase of the other (should have or be getting). On the
// train split 2.6% of verb conjuncts agree with their first conjunct in no
// such way, against 44% of the other verbs before them: the weight is about
// -ln of that ratio.
bool DependencyWeigher::verb_forms_agree(const PItem& first, const PItem& later) {
  const int index = builtins.vform;
  if (index < 0) return true;
  const PItem* first_phrase = verb_phrase(first);
  const PItem* later_phrase = verb_phrase(later);
  if (!first_phrase || !later_phrase) return true;
  const auto form = [index](const PItem& item) -> Word { return item.av.defined(index) ? item.av.get(index) : 0; };
  const Word first_word = form(first_phrase->lexical_head()), later_word = form(later_phrase->lexical_head());
  const Word first_lead = form(*first_phrase), later_lead = form(*later_phrase);
  if (!first_word || !later_word || !first_lead || !later_lead) return true;
  return ((first_word | first_lead) & (later_word | later_lead)) != 0;
}

const PItem* DependencyWeigher::clause_verb(const PItem& item) {
  if (lexical_item_of(item) || category_of(item) != clause_key_) return nullptr;
  const PItem& verb = item.lexical_head();
  const LexItem* lex = verb.lex_item;
  if (!lex || !lex->root) return nullptr;
  const char* key = category_of(verb);
  return key == verb_key_ || key == copula_key_ ? &verb : nullptr;
}

bool DependencyWeigher::is_complementiser(const PItem& item) {
  const LexItem* lex = lexical_item_of(item);
  return lex && lex->root && category_of(item) == clause_key_;
}

// Two clauses opened by the same complementiser (that it works and that it
// is cheap) are two conjoined clauses: the statistics know no complementiser
// as the head of a conjunct (they hang the second clause from the verb of
// the first), so the pair is asked as two clauses joined, where the
// complementisers stand. Against any other conjunct the complementiser is
// asked as it is.
float DependencyWeigher::complementised_conjunct_weight(const PItem& head, const PItem& modifier) {
  auto [memo, added] = merges_.find_or_add(MergeKey{&head, &modifier, conj_});
  if (!added) return memo;
  const Side head_words = side_of(head);
  float best = -1.0f;
  for (const PItem* alt = &modifier; alt; alt = alt->next_alt) {
    const Side side = side_of(*alt);
    float weight;
    if (side.word == head_words.word && is_complementiser(*alt)) {
      const char* clause = intern_word("fin");
      const Side first{clause, clause_key_, head_words.position, false, false, clause};
      const Side later{clause, clause_key_, side.position, false, false, clause};
      weight = weight_of(first, later, conj_);
    } else {
      weight = weight_of(head_words, side, conj_);
    }
    if (best < 0.0f || weight < best) best = weight;
  }
  memo = best;
  return best;
}

bool DependencyWeigher::has_subject(const PItem& clause) {
  for (const PItem* item = &clause; item; item = item->head_child) {
    if (!item->second || !item->link) continue;
    const char* relation = link_relation(*item->link);
    if (relation == s_ || relation == expl_) return true;
  }
  return false;
}

// A clause without subject conjoined to a clause is what the statistics
// count as a verb phrase conjoined to a verb (came and left, call and get
// the details): it is asked as the pair of verbs, where they stand, so that
// it weighs as much as the same conjunct joined to the verb itself, and
// does not pass for a conjoined clause with a subject (fin under fin, which
// says nothing of the words).
float DependencyWeigher::clause_conjunct_weight(const PItem& head, const PItem& head_verb, const PItem& modifier) {
  auto [memo, added] = merges_.find_or_add(MergeKey{&head, &modifier, conj_});
  if (!added) return memo;
  const Side head_words = side_of(head_verb);
  const Side head_clause = side_of(head);
  float best = -1.0f;
  for (const PItem* alt = &modifier; alt; alt = alt->next_alt) {
    const PItem* verb = has_subject(*alt) ? nullptr : clause_verb(*alt);
    float weight = verb ? weight_of(head_words, side_of(*verb), conj_) : weight_of(head_clause, side_of(*alt), conj_);
    if (!verb_forms_agree(head, *alt)) weight += kConjunctFormWeight;
    if (best < 0.0f || weight < best) best = weight;
  }
  memo = best;
  return best;
}

float DependencyWeigher::surface_weight(const PItem& head, const PItem& modifier, const char* relation) {
  auto [memo, added] = merges_.find_or_add(MergeKey{&head, &modifier, relation});
  if (!added) return memo;
  const Side head_words = side_of(head);
  const SideRange sides = modifier_sides(modifier);
  float best = weight_of(head_words, side_lists_[sides.begin], relation);
  for (std::uint32_t i = sides.begin + 1; i < sides.end; ++i)
    best = std::min(best, weight_of(head_words, side_lists_[i], relation));
  memo = best;
  return best;
}

// Packed alternatives mostly share their word, position and category: a
// side met before in the chain weighs the same again and is listed once
// (of the first few distinct ones; a later repeat is listed again, which
// changes no least weight). A modifier is weighed under many heads, so its
// list is kept for the sentence.
DependencyWeigher::SideRange DependencyWeigher::modifier_sides(const PItem& modifier) {
  auto [range, added] = modifier_sides_.find_or_add(&modifier);
  if (!added) return range;
  const bool prepositional = is_cat_p(modifier) && *value_text(modifier.av, builtins.pform);
  Side remembered[kRememberedSides];
  std::size_t remembered_count = 0;
  const auto begin = static_cast<std::uint32_t>(side_lists_.size());
  const LexItem* previous_word = nullptr;
  const GCate* previous_category = nullptr;
  for (const PItem* alt = &modifier; alt; alt = alt->next_alt) {
    // An alternative on the same word (one with a root) and of the same
    // category as the alternative just before it makes the same side but
    // perhaps for cat_p, which weighing a modifier does not read: it is
    // passed over without making its side.
    const LexItem* word = lexical_item_of(*alt);
    if (!word || !word->root) word = nullptr;
    const bool repeated = !prepositional && word && word == previous_word && alt->cate == previous_category;
    previous_word = word;
    previous_category = alt->cate;
    if (repeated) continue;
    const Side side = modifier_side(*alt, prepositional);
    if (std::find(remembered, remembered + remembered_count, side) != remembered + remembered_count) continue;
    if (remembered_count < kRememberedSides) remembered[remembered_count++] = side;
    side_lists_.push_back(side);
  }
  range = SideRange{begin, static_cast<std::uint32_t>(side_lists_.size())};
  return range;
}

const char* DependencyWeigher::link_relation(const GLink& link) {
  auto [named, added] = link_relations_.find_or_add(&link);
  if (added) named = LinkRelation{intern(link.relation()), link.relation().starts_with("comp")};
  return named.relation;
}

// A prepositional phrase is known by its preposition as the relation; the
// word that tells where it attaches is the preposition's object (eat pizza
// with a fork: eat-with-fork against pizza-with-fork). The side keeps the
// preposition's position and category, which the distance table is keyed
// by; a stranded preposition (no object) keeps its own word.
DependencyWeigher::Side DependencyWeigher::modifier_side(const PItem& modifier, bool prepositional) {
  Side side = side_of(modifier);
  if (!prepositional) return side;
  side.prepositional = true;
  if (const PItem* object = prepositional_object(modifier)) {
    const Side object_side = side_of(*object);
    if (object_side.word != no_word_) {
      side.word = object_side.word;
      side.asked = object_side.asked;
    }
  }
  return side;
}

// The object of a prepositional phrase: the modifier of the merge through a
// "pcomp" link on the phrase's head-child chain.
const PItem* DependencyWeigher::prepositional_object(const PItem& phrase) {
  for (const PItem* item = &phrase; item; item = item->head_child)
    if (item->second && item->link && link_relation(*item->link) == pcomp_) return item->second;
  return nullptr;
}

float DependencyWeigher::single_weight(const PItem& head, const PItem& modifier, std::string_view relation) {
  return weight_of(side_of(head), side_of(modifier), intern(relation));
}

float DependencyWeigher::weight_of(const Side& head, const Side& modifier, const char* relation) {
  const int d = distance(head.position, modifier.position);
  // A predicative preposition takes its subject as a verb does.
  const bool verb_like = relation == subj_ && head.cat_p;
  const float dw =
      distance_weight(verb_like ? verb_key_ : head.category, relation, modifier.category, d, modifier.prepositional);
  if (relation == prep_) return dw;
  const char* head_word = modifier.prepositional ? category_head(head) : head.asked;
  const TripleWeight triple = triple_of(TripleKey{head_word, relation, modifier.asked}, dw, d);
  return triple.bad ? kBadTripleWeight : triple.weight + dw;
}

const char* DependencyWeigher::category_head(const Side& head) {
  auto [text, added] = category_heads_.find_or_add(TripleKey{head.category, head.word, nullptr});
  if (added) {
    std::string named = "<";
    named += head.category;
    named += '>';
    named += head.word;
    text = intern_word(named);
  }
  return text;
}

float DependencyWeigher::distance_weight(const char* head_key, const char* relation, const char* modifier_key, int d,
                                         bool prepositional) {
  if (!sources_.distances) return DistanceTable::kFloorWeight;
  int row = distance_row(head_key, relation, modifier_key);
  // Without a row the floor would make a rare preposition (among, via,
  // due to) equally cheap at any distance under any head: it would take
  // the farthest head the grammar offers as readily as the nearest.
  if (row == DistanceTable::kNoRow && prepositional) row = distance_row(head_key, any_preposition_, modifier_key);
  return sources_.distances->row_weight(row, d);
}

int DependencyWeigher::distance_row(const char* head_key, const char* relation, const char* modifier_key) {
  auto [row, added] = distance_rows_.find_or_add(TripleKey{head_key, relation, modifier_key});
  if (added) {
    std::string key = head_key;
    key += ':';
    key += relation;
    key += ':';
    key += modifier_key;
    row = sources_.distances->find_row(key);
  }
  return row;
}

DependencyWeigher::TripleWeight DependencyWeigher::triple_of(const TripleKey& key, float distance_weight,
                                                             int distance) {
  // The cache holds bad triples too (the parser's list of them is read
  // once, with the grammar): a triple seen before is not looked up in that
  // list again.
  auto [cached, added] = triples_.find_or_add(key);
  if (added) {
    // Neither source adds to the cache: `cached` stays valid.
    const bool bad = sources_.is_bad_triple && sources_.is_bad_triple(key.head, key.relation, key.modifier);
    cached = bad ? kBadTripleMark : triple_weight(key, distance_weight, distance);
  }
  return cached == kBadTripleMark ? TripleWeight{0.0f, true} : TripleWeight{cached, false};
}

std::string_view DependencyWeigher::triple_text(const TripleKey& key) {
  triple_text_.assign(key.head);
  triple_text_ += '\t';
  triple_text_ += key.relation;
  triple_text_ += '\t';
  triple_text_ += key.modifier;
  return triple_text_;
}

// The weight of a triple that is not bad and not cached, without the
// distance weight, from the relation database.
float DependencyWeigher::triple_weight(const TripleKey& key, float distance_weight, int distance) {
  std::optional<double> p;
  if (sources_.probability) p = sources_.probability(key.head, key.relation, key.modifier);
  // No answer, or certainty, costs nothing (and prints as 0, not -0).
  const double value = p && *p > 0.0 && *p < 1.0 ? *p : 1.0;
  const float weight = value < 1.0 ? static_cast<float>(-std::log(value)) : 0.0f;
  if (weight_debugging())
    diag() << triple_text(key) << ' ' << weight << " dist=" << distance_weight << " distp=" << distance << '\n'
           << std::flush;
  return weight;
}

}  // namespace velmo
