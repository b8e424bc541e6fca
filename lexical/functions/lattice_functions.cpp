#include "lexical/functions/lattice_functions.h"

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "lexical/analyzer/lex_analyzer.h"
#include "lexical/functions/match_exp.h"
#include "lexical/patterns/match.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/lexicon/av_meaning.h"
#include "lexicon/lexicon/meaning.h"
#include "shell/support/diagnostics.h"

namespace velmo {

namespace {

TypeId item_type() {
  static const TypeId id = type_id(kLexItemType);
  return id;
}
TypeId text_type() { return ShellTypes::get().text; }

Word item_word(LexItem* item) { return to_word(item); }

// Items are 16-bit positioned: values outside are refused.
bool valid_position(long value) { return value >= 0 && value < LexAnalyzer::kMaxPositions; }

// ---------------------------------------------------------------- modifiers

Word set_high(MatchCall& call) {
  auto* item = call.pointer<LexItem>(0);
  if (!item) {
    diag() << "Cannot set-high a nil lexitem.\n" << std::flush;
    return 0;
  }
  if (!valid_position(call.integer(1))) return 0;
  call.analyzer->delete_item(item);
  item->high = static_cast<std::uint16_t>(call.integer(1));
  return item_word(call.analyzer->add_item(item, true));
}

Word set_low(MatchCall& call) {
  auto* item = call.pointer<LexItem>(0);
  if (!item) {
    diag() << "Cannot set-low a nil lexitem.\n" << std::flush;
    return 0;
  }
  if (!valid_position(call.integer(1))) return 0;
  item->low = static_cast<std::uint16_t>(call.integer(1));
  return item_word(item);
}

Word set_head(MatchCall& call) {
  auto* item = call.pointer<LexItem>(0);
  if (!item) return 0;
  item->head = static_cast<std::int16_t>(call.integer(1));
  return item_word(item);
}

Word set_weight(MatchCall& call) {
  auto* item = call.pointer<LexItem>(0);
  if (!item) return 0;
  item->weight = static_cast<std::int16_t>(call.integer(1));
  return item_word(item);
}

Word add_weight(MatchCall& call) {
  auto* item = call.pointer<LexItem>(0);
  if (!item) return 0;
  item->weight = static_cast<std::int16_t>(item->weight + call.integer(1));
  return item_word(item);
}

Word set_lexitem_root(MatchCall& call) {
  auto* item = call.pointer<LexItem>(0);
  const char* root = call.text(1);
  if (!item || !root) return 0;
  // The root belongs to the head word: follow the components that share
  // the item's head down to the innermost one.
  LexItem* target = item;
  for (int depth = 0; depth < 64; ++depth) {
    auto same_head = std::find_if(target->sub_items.begin(), target->sub_items.end(),
                                  [target](const LexItem* sub) { return sub->head == target->head; });
    if (same_head == target->sub_items.end()) break;
    target = *same_head;
  }
  target->root = call.analyzer->intern(root);
  if (target->lattice) target->lattice->root_changed(*target);
  return item_word(item);
}

Word assert_item(MatchCall& call) {
  auto* item = call.pointer<LexItem>(0);
  return item ? item_word(call.analyzer->add_item(item, true)) : 0;
}

Word duplicate_item(MatchCall& call) {
  auto* item = call.pointer<LexItem>(0);
  return item ? item_word(call.analyzer->lattice().copy_item(*item)) : 0;
}

Word delete_item(MatchCall& call) {
  auto* item = call.pointer<LexItem>(0);
  if (!item) return 0;
  call.analyzer->delete_item(item);
  return item_word(item);
}

// ---------------------------------------------------------------- queries

// The words low..high joined, with `separator` between them; words
// beginning with "-" are given to `replace` first.
template <class F>
std::string join_words(const LexAnalyzer& analyzer, int low, int high, F&& replace) {
  std::string text;
  for (int p = low; p <= high; ++p) {
    const char* word = analyzer.word_at(p);
    if (!word) continue;
    if (word[0] == '-')
      replace(text, word);
    else
      text.append(word);
  }
  return text;
}

Word look_up(MatchCall& call) {
  LexAnalyzer& analyzer = *call.analyzer;
  const long low = call.integer(0);
  const long high = call.integer(1);
  if (low < 1 || high < low || high >= analyzer.positions()) return 0;
  const int lo = static_cast<int>(low), hi = static_cast<int>(high);
  if (call.given[2]) {
    if (const char* word = call.text(2)) analyzer.look_up_word(word, lo, hi);
    return call.input;
  }
  auto keep = [](std::string& text, const char* word) { text.append(word); };
  const std::string joined = join_words(analyzer, lo, hi, keep);
  analyzer.look_up_word(joined, lo, hi);
  bool hyphenated = false;
  for (int p = lo; p <= hi; ++p)
    if (const char* word = analyzer.word_at(p); word && word[0] == '-') hyphenated = true;
  if (!hyphenated) return call.input;
  std::string blanks = joined;
  std::replace(blanks.begin(), blanks.end(), '-', ' ');
  analyzer.look_up_word(blanks, lo, hi);
  if (const char* last = analyzer.word_at(hi)) {
    std::string phrasal(last);
    phrasal.append(", ");
    phrasal.append(join_words(analyzer, lo, hi - 2, [](std::string& text, const char*) { text.push_back(' '); }));
    analyzer.look_up_word(phrasal, lo, hi);
  }
  analyzer.look_up_word(join_words(analyzer, lo, hi, [](std::string&, const char*) {}), lo, hi);
  return call.input;
}

Word exist_lexitem(MatchCall& call) {
  const long low = call.integer(0);
  const long high = call.integer(1);
  if (!valid_position(high)) return 0;
  for (LexItem* item : call.analyzer->by_end(static_cast<int>(high))) {
    if (low >= 0 && item->low != low) continue;
    if (call.holds(item_word(item), item_type())) return item_word(item);
  }
  return 0;
}

Word exist_word_in_sentence(MatchCall& call) {
  const long from = std::max(1L, call.integer(0));
  const long to = std::min(static_cast<long>(call.analyzer->positions()), call.integer(1));
  for (long p = from; p < to; ++p) {
    const char* word = call.analyzer->word_at(static_cast<int>(p));
    if (word && call.holds(to_word(word), text_type())) return to_word(word);
  }
  return 0;
}

Word exist_covering_lexitem(MatchCall& call) {
  const long low = call.integer(0);
  const long high = call.integer(1);
  if (high < 0) return 0;
  const long last = std::min(high + 6, static_cast<long>(call.analyzer->positions()) - 1);
  for (long h = high; h <= last; ++h)
    for (LexItem* item : call.analyzer->by_end(static_cast<int>(h)))
      if (item->low <= low && call.holds(item_word(item), item_type())) return item_word(item);
  return 0;
}

Word exist_overlapping_lexitem(MatchCall& call) {
  const long low = call.integer(0);
  const long high = call.integer(1);
  if (low < 0 || high < low) return 0;
  const long n = call.analyzer->positions();
  for (long e = std::min(high, n - 1); e >= low; --e)
    for (LexItem* item : call.analyzer->by_end(static_cast<int>(e)))
      if (item->low < low && call.holds(item_word(item), item_type())) return item_word(item);
  for (long s = low; s <= high && s < n; ++s)
    for (LexItem* item : call.analyzer->by_start(static_cast<int>(s)))
      if (item->high > high && call.holds(item_word(item), item_type())) return item_word(item);
  return 0;
}

Word delete_smaller(MatchCall& call) {
  call.analyzer->delete_items_inside(static_cast<int>(call.integer(0)), static_cast<int>(call.integer(1)));
  return call.input;
}

// Deletes the items lying within low..high (high clamped to the last
// position) for which `doomed` holds.
template <class F>
void delete_within(LexAnalyzer& analyzer, long low, long high, F&& doomed) {
  high = std::min(high, static_cast<long>(analyzer.positions()) - 1);
  for (long e = std::max(0L, low); e <= high; ++e) {
    const std::vector<LexItem*> items = analyzer.by_end(static_cast<int>(e));
    for (LexItem* item : items)
      if (item->low >= low && doomed(item)) analyzer.delete_item(item);
  }
}

Word delete_if(MatchCall& call) {
  if (!call.condition) return 0;
  delete_within(*call.analyzer, call.integer(0), call.integer(1),
                [&](LexItem* item) { return call.holds(item_word(item), item_type()); });
  return call.input;
}

Word delete_except(MatchCall& call) {
  auto* kept = call.pointer<LexItem>(2);
  if (kept && kept->is_deleted()) return call.input;
  delete_within(*call.analyzer, call.integer(0), call.integer(1), [&](LexItem* item) { return item != kept; });
  return call.input;
}

Word del_following(MatchCall& call) {
  if (!call.match || !call.condition) return 0;
  const std::vector<LexItem*> items = call.analyzer->by_start(call.match->high + 1);
  for (LexItem* item : items)
    if (call.holds(item_word(item), item_type())) call.analyzer->delete_item(item);
  return call.input;
}

Word keep_tags(MatchCall& call) {
  if (!call.match || !call.condition) return 0;
  if (call.match->high < 0) return 0;
  const std::vector<LexItem*> items = call.analyzer->by_end(call.match->high);
  for (LexItem* item : items)
    if (item->low == call.match->low && !call.holds(item_word(item), item_type())) call.analyzer->delete_item(item);
  return 0;
}

Word followed_by(MatchCall& call) {
  if (!call.match) return 0;
  for (LexItem* item : call.analyzer->by_start(call.match->high + 1))
    if (call.holds(item_word(item), item_type())) return item_word(item);
  return 0;
}

Word followed_by_word(MatchCall& call) {
  if (!call.match || !call.condition) return 0;
  const char* word = call.analyzer->word_at(call.match->high + 1);
  if (!word) return 0;
  const auto result = static_cast<std::intptr_t>(call.condition->eval(to_word(word), text_type()));
  return result > 0 ? call.input : 0;
}

Word preceded_by_word(MatchCall& call) {
  if (!call.match || !call.condition || call.match->low <= 1) return 0;
  const char* word = call.analyzer->word_at(call.match->low - 1);
  if (!word) return 0;
  return call.condition->eval(to_word(word), text_type()) ? call.input : 0;
}

Word remove_punctuation_marks(MatchCall& call) {
  call.analyzer->split_trailing_punctuation(static_cast<int>(call.integer(0)));
  return call.input;
}

// Keeps, from the end backwards, only the longest item ending at each
// position and forgets what ends inside it.
Word rm_non_max(MatchCall& call) {
  LexAnalyzer& analyzer = *call.analyzer;
  ItemLattice& lattice = analyzer.lattice();
  int p = analyzer.positions() - 1;
  while (p >= 1) {
    const std::vector<LexItem*>& items = analyzer.by_end(p);
    if (items.empty()) {
      --p;
      continue;
    }
    LexItem* longest = items.front();
    for (LexItem* item : items)
      if (item->low < longest->low) longest = item;
    lattice.keep_only_by_end(p, longest);
    if (longest->is_empty() || longest->low >= p) {
      --p;
      continue;
    }
    for (int inside = longest->low; inside < p; ++inside) lattice.clear_by_end(inside);
    p = longest->low - 1;
  }
  return call.input;
}

Word skip(MatchCall& call) {
  const long p = call.integer(0);
  if (valid_position(p)) call.analyzer->skipped().set(static_cast<std::size_t>(p));
  return call.input;
}

void flag_span(LBitSet& set, const LexItem* item) {
  if (!item) return;
  for (int p = item->low; p <= item->high; ++p) set.set(static_cast<std::size_t>(p));
}

Word flag_adv(MatchCall& call) {
  flag_span(call.analyzer->adverbs(), call.pointer<LexItem>(0));
  return call.input;
}

Word flag_first_conjunction(MatchCall& call) {
  flag_span(call.analyzer->first_conjunctions(), call.pointer<LexItem>(0));
  return call.input;
}

Word flag_last_conjunction(MatchCall& call) {
  flag_span(call.analyzer->last_conjunctions(), call.pointer<LexItem>(0));
  return call.input;
}

// ---------------------------------------------------------------- construction

Word retrieve_lexitem(MatchCall& call) {
  const long low = call.integer(0);
  const long high = call.integer(1);
  const auto* meaning = call.pointer<Meaning>(2);
  if (!meaning || !valid_position(high)) return 0;
  for (LexItem* item : call.analyzer->by_end(static_cast<int>(high))) {
    if (item->low != low || !item->meaning) continue;
    const int order = item->meaning->compare(*meaning);
    if (order == 0 || order == 1) return item_word(item);
  }
  return 0;
}

// Sub-items stay ordered by low.
void add_sub_item(LexItem& item, LexItem* component) {
  auto at = std::find_if(item.sub_items.begin(), item.sub_items.end(),
                         [component](const LexItem* other) { return other->low > component->low; });
  item.sub_items.insert(at, component);
}

Word add_components(MatchCall& call) {
  auto* item = call.pointer<LexItem>(0);
  const long low = call.integer(1);
  const long high = std::min(call.integer(2), static_cast<long>(call.analyzer->positions()) - 1);
  if (!item || low < 0) return 0;
  LexItem* copy = call.analyzer->lattice().copy_item(*item);
  long e = high;
  while (e >= low) {
    LexItem* chosen = nullptr;
    for (LexItem* candidate : call.analyzer->by_end(static_cast<int>(e))) {
      if (candidate == item || candidate->is_empty() || candidate->low < low) continue;
      if (!call.holds(item_word(candidate), item_type())) continue;
      if (!chosen || candidate->low < chosen->low) chosen = candidate;
    }
    if (!chosen) {
      --e;
      continue;
    }
    add_sub_item(*copy, chosen);
    copy->low = std::min(copy->low, chosen->low);
    copy->high = std::max(copy->high, chosen->high);
    e = chosen->low - 1;
  }
  return item_word(call.analyzer->add_item(copy, true));
}

// Whether `item` is `within` or one of its components, at any depth.
bool contains(const LexItem* within, const LexItem* item, int depth = 0) {
  if (within == item) return true;
  if (depth > 1000) return true;  // deeper than any sentence: treat as a cycle
  for (const LexItem* sub : within->sub_items)
    if (contains(sub, item, depth + 1)) return true;
  return false;
}

Word add_component(MatchCall& call) {
  auto* item = call.pointer<LexItem>(0);
  auto* component = call.pointer<LexItem>(1);
  // An item never becomes a component of itself, directly or through its
  // components: printing, copying and hooks walk the components.
  if (!item || !component || contains(component, item)) return 0;
  add_sub_item(*item, component);
  if (component->low < item->low) item->low = component->low;
  if (component->high > item->high) {
    call.analyzer->delete_item(item);
    item->high = component->high;
    call.analyzer->add_item(item, false);
  }
  if (call.given[2] && call.text(2)) component->relation = call.analyzer->intern(call.text(2));
  return item_word(item);
}

const AttVec* vector_of(const Meaning* meaning) {
  const auto* avm = dynamic_cast<const AVMeaning*>(meaning);
  return avm ? &avm->vector() : nullptr;
}

Word insert_empty_category(MatchCall& call) {
  const long pos = call.integer(0);
  const auto* meaning = call.pointer<Meaning>(1);
  if (!valid_position(pos) || pos + 1 >= LexAnalyzer::kMaxPositions) return 0;
  const AttVec* wanted = vector_of(meaning);
  for (LexItem* item : call.analyzer->by_end(static_cast<int>(pos))) {
    if (!item->is_empty() || !item->meaning) continue;
    const AttVec* have = vector_of(item->meaning.get());
    if (!have || !wanted || have->type() != wanted->type() || !have->unifiable(*wanted)) continue;
    const_cast<AttVec*>(have)->unify(*wanted);
    return item_word(item);
  }
  LexItem* empty = call.analyzer->make_item("", meaning, static_cast<int>(pos) + 1, static_cast<int>(pos));
  return item_word(call.analyzer->add_item(empty, true));
}

}  // namespace

void register_lattice_functions() {
  const char* item = kLexItemType;
  const char* match = kMatchType;
  register_match_exp("set-high", "li", item, &set_high,
                     "(set-high ITEM INT) move the end of the item, re-entering it with duplicate checking");
  register_match_exp("set-low", "li", item, &set_low, "(set-low ITEM INT) set the start of the item");
  register_match_exp("set-head", "li", item, &set_head, "(set-head ITEM INT) set the head position of the item");
  register_match_exp("set-weight", "li", item, &set_weight, "(set-weight ITEM INT) set the weight of the item");
  register_match_exp("add-weight", "li", item, &add_weight, "(add-weight ITEM INT) add to the weight of the item");
  register_match_exp("set-lexitem-root", "ls", item, &set_lexitem_root,
                     "(set-lexitem-root ITEM STRING) set the root of the item (of its head component)");
  register_match_exp("assert", "l", item, &assert_item,
                     "(assert ITEM) enter the item in the lattice with duplicate checking");
  register_match_exp("duplicate-lexitem", "l", item, &duplicate_item,
                     "(duplicate-lexitem ITEM) a deep copy of the item, not entered in the lattice");
  register_match_exp("delete", "l", item, &delete_item, "(delete ITEM) take the item out of the lattice");

  register_match_exp("look-up", "iiS", match, &look_up,
                     "(look-up LOW HIGH [WORD]) look the words LOW..HIGH (or WORD) up as one item over the span");
  register_match_exp("exist-lexitem", "iiC", item, &exist_lexitem,
                     "(exist-lexitem LOW HIGH [LEXP]) the first item over LOW..HIGH (any low when LOW < 0) "
                     "satisfying LEXP", MatchEffect::kReadsItems);
  register_match_exp("exist-word-in-sentence", "iiC", "char*", &exist_word_in_sentence,
                     "(exist-word-in-sentence FROM TO [LEXP]) the first word at FROM..TO-1 satisfying LEXP", MatchEffect::kReadsWords);
  register_match_exp("exist-covering-lexitem", "iiC", item, &exist_covering_lexitem,
                     "(exist-covering-lexitem LOW HIGH [LEXP]) the first item satisfying LEXP that starts at or "
                     "before LOW and ends within HIGH..HIGH+6", MatchEffect::kReadsItems);
  register_match_exp("exist-overlapping-lexitem", "iiC", item, &exist_overlapping_lexitem,
                     "(exist-overlapping-lexitem LOW HIGH [LEXP]) the first item satisfying LEXP that crosses a "
                     "border of LOW..HIGH", MatchEffect::kReadsItems);
  register_match_exp("delete-smaller", "ii", match, &delete_smaller,
                     "(delete-smaller LOW HIGH) delete the items strictly inside LOW..HIGH");
  register_match_exp("delete-if", "iic", match, &delete_if,
                     "(delete-if LOW HIGH LEXP) delete the items within LOW..HIGH that satisfy LEXP");
  register_match_exp("delete-except", "iil", match, &delete_except,
                     "(delete-except LOW HIGH ITEM) delete the items within LOW..HIGH except ITEM");
  register_match_exp("del-following", "c", match, &del_following,
                     "(del-following LEXP) delete the items right after the match that satisfy LEXP");
  register_match_exp("keep-tags", "c", "int", &keep_tags,
                     "(keep-tags LEXP) delete the items over the match's span that do not satisfy LEXP");
  register_match_exp("followed-by", "c", item, &followed_by,
                     "(followed-by LEXP) the first item right after the match that satisfies LEXP", MatchEffect::kReadsItems);
  register_match_exp("followed-by-word", "c", match, &followed_by_word,
                     "(followed-by-word LEXP) true when LEXP yields a positive value for the word after the match", MatchEffect::kReadsWords);
  register_match_exp("preceded-by-word", "c", match, &preceded_by_word,
                     "(preceded-by-word LEXP) true when LEXP holds for the word before the match", MatchEffect::kReadsWords);
  register_match_exp("remove-punctuation-marks", "i", match, &remove_punctuation_marks,
                     "(remove-punctuation-marks POS) cut the final punctuation off the last word at or before POS");
  register_match_exp("rm-non-max", "", match, &rm_non_max,
                     "(rm-non-max) keep only the longest items, scanning from the end of the sentence");
  register_match_exp("skip", "i", match, &skip, "(skip POS) add POS to the skipped positions");
  register_match_exp("flag-adv", "l", match, &flag_adv, "(flag-adv ITEM) add the item's span to the adverb positions");
  register_match_exp("flag-first-conjunction", "l", match, &flag_first_conjunction,
                     "(flag-first-conjunction ITEM) add the item's span to the first-conjunction positions");
  register_match_exp("flag-last-conjunction", "l", match, &flag_last_conjunction,
                     "(flag-last-conjunction ITEM) add the item's span to the last-conjunction positions");

  register_match_exp("retrieve-lexitem", "iim", item, &retrieve_lexitem,
                     "(retrieve-lexitem LOW HIGH MEANING) the first item over LOW..HIGH whose meaning is MEANING or "
                     "more specific");
  register_match_exp("add-components", "liic", item, &add_components,
                     "(add-components ITEM LOW HIGH LEXP) a copy of ITEM with the longest items within LOW..HIGH "
                     "satisfying LEXP as components");
  register_match_exp("add-component", "llS", item, &add_component,
                     "(add-component ITEM COMPONENT [RELATION]) add COMPONENT to ITEM, widening it");
  register_match_exp("insert-empty-category", "im", item, &insert_empty_category,
                     "(insert-empty-category POS MEANING) an empty item after POS with MEANING");
}

}  // namespace velmo
