#include "parser/chart/condition_memo.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "lexicon/attributes/att_vec.h"
#include "parser/chart/pitem.h"
#include "parser/chart/sentence_view.h"
#include "parser/functions/pitem_functions.h"
#include "shell/lexp/forms.h"
#include "shell/lib/text_filter.h"
#include "shell/lexp/lexp.h"
#include "shell/lexp/types.h"
#include "shell/reader/irslist.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

// Appends the decimal digits of `number` (as std::to_string writes them,
// without building a string of its own).
template <class Number>
void append_number(std::string& text, Number number) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
  text.append(digits, end);
}

TypeId pitem_type() {
  static const TypeId id = type_id("PItem*");
  return id;
}

bool evaluate(LExp& condition, PItem& item) { return condition.eval(reinterpret_cast<Word>(&item), pitem_type()) != 0; }

// Whether every item of `items` after the one at `from` is a text filter.
bool rest_filters_text(const LExpList& items, std::size_t from) {
  for (std::size_t i = from + 1; i < items.size(); ++i) {
    const auto* filter = dynamic_cast<const TextFilter*>(items[i].get());
    if (!filter || !filter->passes(nullptr)) return false;
  }
  return true;
}

// What the items of a comp from `from` on read (as reads_of below tells).
ConditionMemo::Reads reads_of_items(const LExpList& items, std::size_t from) {
  using Reads = ConditionMemo::Reads;
  if (items.size() < from + 2) return Reads::kItem;
  if (std::string_view(items[from]->name()) == "pitem-head-word") {
    // Any tests of the text alone: their answer depends on the span.
    for (std::size_t i = from + 1; i < items.size(); ++i) {
      const std::string_view name = items[i]->name();
      if (name != "reg-match" && name != "in") return Reads::kItem;
    }
    return Reads::kSpan;
  }
  if (!rest_filters_text(items, from)) return Reads::kItem;
  if (is_preceding_word(*items[from])) return Reads::kStart;
  if (reads_end_words_only(*items[from])) return Reads::kEnd;
  return Reads::kItem;
}

// The comp's items from `from` on when they are one call, read through to
// its body, whose items are then read instead; else null.
const LExpList* called_items(const LExpList& items, std::size_t from) {
  if (items.size() != from + 1) return nullptr;
  const LExp* body = items[from]->same_as();
  if (!body || std::string_view(body->name()) != "comp") return nullptr;
  const auto* sequence = dynamic_cast<const SequenceExp*>(body);
  return sequence ? &sequence->items() : nullptr;
}

// Where a word test inside a comp begins, after the items that lead from
// the item to the one whose words it reads ((pitem-head-child) and
// (get-modifier-by-type REL) steps, the latter only before a test of the
// span's words). Its items and what it reads; `path` gets the steps.
struct WordTest {
  const LExpList* items = nullptr;
  std::size_t from = 0;
  ConditionMemo::Reads reads = ConditionMemo::Reads::kItem;
};
WordTest word_test_of(const LExpList& items, std::vector<ConditionMemo::ReadStep>* path) {
  using Reads = ConditionMemo::Reads;
  bool by_modifier = false;
  for (std::size_t from = 0; from < items.size(); ++from) {
    Reads reads = reads_of_items(items, from);
    const LExpList* called = called_items(items, from);
    if (reads == Reads::kItem && called && reads_of_items(*called, 0) == Reads::kSpan)
      return WordTest{called, 0, Reads::kSpan};
    if (reads != Reads::kItem) {
      if (by_modifier && reads != Reads::kSpan) return {};
      return WordTest{&items, from, reads};
    }
    if (is_head_child(*items[from])) {
      if (path) path->push_back(ConditionMemo::ReadStep{});
    } else if (const std::string* relation = modifier_relation_of(*items[from])) {
      by_modifier = true;
      if (path) path->push_back(ConditionMemo::ReadStep{relation, relation_bit(*relation)});
    } else {
      return {};
    }
  }
  return {};
}

// What the condition's answer depends on: the words of the item's span
// ((comp (pitem-head-word) FILTER...)), the word before its start
// ((comp (pitem-preceding-word) FILTER...)), the words from its end on
// ((pitem-following-word FILTER), (pitem-followed-by-or-end-with-word
// FILTER), alone or followed by filters in a comp), or the item itself.
// The same tests after (pitem-head-child) read the words about the head
// child; a test of the span's words after (get-modifier-by-type REL) reads
// the modifier's, and it may be a call of a function that makes it.
ConditionMemo::Reads reads_of(const LExp* exp) {
  using Reads = ConditionMemo::Reads;
  if (!exp) return Reads::kItem;
  if (reads_end_words_only(*exp)) return Reads::kEnd;
  if (std::string_view(exp->name()) != "comp") return Reads::kItem;
  const auto* sequence = dynamic_cast<const SequenceExp*>(exp);
  if (!sequence) return Reads::kItem;
  return word_test_of(sequence->items(), nullptr).reads;
}

// The filters of a span test whose parts after (pitem-head-word) all
// filter texts; empty when one does not. `from` is the place of
// (pitem-head-word) among the items.
std::vector<const TextFilter*> span_filters(const LExpList& items, std::size_t from) {
  std::vector<const TextFilter*> filters;
  if (!is_span_words(*items[from])) return filters;
  for (std::size_t i = from + 1; i < items.size(); ++i) {
    const auto* filter = dynamic_cast<const TextFilter*>(items[i].get());
    if (!filter || !filter->passes(nullptr)) return {};
    filters.push_back(filter);
  }
  return filters;
}

// Whether the words pass every filter (none: no words to pass).
bool filters_pass(const std::vector<const TextFilter*>& filters, const char* words) {
  if (!words) return false;
  for (const TextFilter* filter : filters)
    if (!*filter->passes(words)) return false;
  return true;
}

// Whether the words of the item's span pass every filter.
bool filters_pass(const std::vector<const TextFilter*>& filters, const PItem& item) {
  return filters_pass(filters, span_words(item));
}

}  // namespace

ConditionMemo::Condition ConditionMemo::condition_of(const LExp* exp) {
  Condition condition;
  condition.reads = reads_of(exp);
  if (condition.reads == Reads::kItem || std::string_view(exp->name()) != "comp") return condition;
  const WordTest test = word_test_of(static_cast<const SequenceExp&>(*exp).items(), &condition.path);
  if (condition.reads == Reads::kSpan) condition.filters = span_filters(*test.items, test.from);
  return condition;
}

void ConditionMemo::add_condition(const LExp* exp) {
  conditions_.push_back(condition_of(exp));
  Condition& added = conditions_.back();
  if (added.reads != Reads::kItem) added.place_slot = place_answers_.add_slot();
}

std::size_t ConditionMemo::word_test_count() const {
  return static_cast<std::size_t>(std::count_if(conditions_.begin(), conditions_.end(),
                                                [](const Condition& condition) { return condition.reads != Reads::kItem; }));
}

int ConditionMemo::number_of(std::string_view text, std::shared_ptr<LExp> exp) {
  auto [at, added] = numbers_.try_emplace(std::string(text), static_cast<int>(conditions_.size()));
  if (added) {
    add_condition(exp.get());
    if (!conditions_.back().filters.empty()) owners_.push_back(std::move(exp));
  }
  return at->second;
}

int ConditionMemo::number_of(const LExp& part, std::shared_ptr<LExp> owner) {
  auto [at, added] = part_numbers_.try_emplace(&part, static_cast<int>(conditions_.size()));
  if (added) {
    add_condition(&part);
    owners_.push_back(std::move(owner));
  }
  return at->second;
}

int ConditionMemo::plan_number_of(const std::string& shape, const std::vector<int>& parts) {
  auto [at, added] = plan_numbers_.try_emplace(shape, static_cast<int>(plans_.size()));
  if (added) {
    plans_.push_back(Plan{parts, true});
    // A plan built after one of its parts was found to change the item.
    for (int part : parts)
      if (part < 0 || static_cast<std::size_t>(part) >= conditions_.size() ||
          !conditions_[static_cast<std::size_t>(part)].repeatable)
        plans_.back().repeatable = false;
  }
  return at->second;
}

void ConditionMemo::remember_plan_in_table(int plan, const PItem& item, bool answer) {
  answers_.find_or_add(Key{&item, item.revision, kPlanNumbers + plan}).first = answer;
}

bool ConditionMemo::test_in_table(const ItemTest& test, int number, PItem& item) {
  if (number < 0 || static_cast<std::size_t>(number) >= conditions_.size() ||
      !conditions_[static_cast<std::size_t>(number)].repeatable)
    return test.holds(item);
  auto [answer, added] = answers_.find_or_add(Key{&item, item.revision, number});
  if (added) answer = test.holds(item);
  return answer;
}

void ConditionMemo::mark_changing(int number) {
  any_changing_ = true;
  conditions_[static_cast<std::size_t>(number)].repeatable = false;
  for (Plan& plan : plans_)
    if (std::find(plan.parts.begin(), plan.parts.end(), number) != plan.parts.end()) plan.repeatable = false;
}

bool ConditionMemo::ask(LExp& condition, int number, PItem& item, const std::uint64_t& changes, bool& remembered) {
  if (number < 0 || static_cast<std::size_t>(number) >= conditions_.size()) {
    remembered = false;
    return evaluate(condition, item);
  }
  Condition& known_condition = conditions_[static_cast<std::size_t>(number)];
  if (!known_condition.repeatable) {
    remembered = false;
    return evaluate(condition, item);
  }
  // The first numbers are answered in the item itself, the others here.
  const bool in_item = number < ItemAnswers::kConditions;
  const std::size_t word = static_cast<std::size_t>(number) / 64;
  const std::uint64_t bit = std::uint64_t{1} << (number % 64);
  const Key key{&item, item.revision, number};
  if (in_item) {
    if (item.answers.known[word] & bit) return (item.answers.accepted[word] & bit) != 0;
  } else if (const bool* known = answers_.find(key)) {
    return *known;
  }
  bool answer = false;
  if (!answer_anew(known_condition, condition, number, item, changes, answer)) {
    remembered = false;
    return answer;
  }
  if (in_item) {
    item.answers.keep(word, bit, answer);
  } else {
    answers_.find_or_add(key).first = answer;
  }
  return answer;
}

bool ConditionMemo::ask_unknown(LExp& condition, int number, PItem& item, const std::uint64_t& changes,
                                bool& remembered) {
  const std::size_t word = static_cast<std::size_t>(number) / 64;
  const std::uint64_t bit = std::uint64_t{1} << (number % 64);
  // A test of the words about the item asked before for another item of
  // its place: the answer kept there, which asking it again would give
  // without evaluating anything.
  // (The number is one of the conditions': no range check.)
  Condition& asked = conditions_[static_cast<std::size_t>(number)];
  if (reads_own_place(asked))
    if (const int kept = kept_place_answer(number, item); kept >= 0) {
      item.answers.keep(word, bit, kept != 0);
      return kept != 0;
    }
  bool answer = false;
  if (!answer_anew(asked, condition, number, item, changes, answer)) {
    remembered = false;
    return answer;
  }
  item.answers.keep(word, bit, answer);
  return answer;
}

bool ConditionMemo::answer_anew(Condition& asked, LExp& condition, int number, PItem& item,
                                const std::uint64_t& changes, bool& answer) {
  const float weight = item.weight;
  const std::uint64_t changes_before = changes;
  bool changed = false;
  if (asked.reads != Reads::kItem) {
    answer = span_answer(condition, number, item);
  } else if (asked.watched < kWatchedEvaluations) {
    ++asked.watched;
    const AttVec before(item.av);
    answer = evaluate(condition, item);
    changed = !item.av.equals(before);
  } else {
    answer = evaluate(condition, item);
  }
  if (changed || changes != changes_before || item.weight != weight) {
    mark_changing(number);
    return false;
  }
  return true;
}

void ConditionMemo::find_first_bytes(Condition& asked) {
  using FirstBytes = Condition::FirstBytes;
  // Every filter must pass: the first byte must be one each allows.
  asked.first_bytes_state = FirstBytes::kNone;
  for (const TextFilter* filter : asked.filters)
    if (filter->passes_no_text_with(' ')) asked.refuses_blank = true;
  for (const TextFilter* filter : asked.filters) {
    const std::optional<TextFilter::ByteSet> bytes = filter->first_bytes();
    if (!bytes) continue;
    if (asked.first_bytes_state == FirstBytes::kNone) {
      asked.first_bytes = *bytes;
      asked.first_bytes_state = FirstBytes::kKnown;
    } else {
      for (std::size_t w = 0; w < bytes->size(); ++w) asked.first_bytes[w] &= (*bytes)[w];
    }
  }
}

void ConditionMemo::read_first_word_bytes(const PItem& item) {
  first_word_bytes_read_ = true;
  first_word_bytes_.clear();
  const SentenceView* sentence = sentence_of_item(item);
  if (!sentence) return;
  // Position 0 holds no word: its spans are looked at.
  first_word_bytes_.assign(static_cast<std::size_t>(std::max(sentence->positions(), 0)), 0);
  for (int p = 1; p < sentence->positions(); ++p)
    if (const char* word = sentence->word_at(p))
      first_word_bytes_[static_cast<std::size_t>(p)] = static_cast<unsigned char>(*word);
}

bool ConditionMemo::span_answer(LExp& condition, int number, PItem& item) {
  Condition& asked = conditions_[static_cast<std::size_t>(number)];
  // The item whose words are read: the item's head child or modifier for
  // a test through them, which the items of every category built on them
  // share. Without the modifier the test has no words, and its filters
  // pass none.
  const PItem* reached = &item;
  for (const ReadStep& step : asked.path) {
    reached = step.relation ? modifier_by_type(*reached, *step.relation, step.bit) : &head_child_of(*reached);
    if (!reached) return asked.filters.empty() ? evaluate(condition, item) : false;
  }
  const PItem& read = *reached;
  if (!asked.path.empty() && refused_by_first_word(asked, read)) return false;
  const auto [first, last] = answer_place(asked, read);
  const int slot = asked.place_slot;
  if (PlaceAnswers::Cell* cell = slot >= 0 ? place_answers_.cell(first, last) : nullptr) {
    if (cell->knows(slot)) return cell->answer(slot);
    // The expression may ask the memo in turn; the cell stays put.
    bool answer = false;
    if (asked.filters.empty()) {
      answer = evaluate(condition, item);
    } else {
      // Only span tests have filters: the cell is the span's, and the
      // span's words, once joined, serve its other tests.
      const char* words = cell->words;
      if (!words) {
        bool lasting = false;
        words = span_words(read, lasting);
        if (lasting) cell->words = words;
      }
      answer = words && !refused_by_first_byte(asked, words) && !(asked.refuses_blank && std::strchr(words, ' ')) &&
               filters_pass(asked.filters, words);
    }
    cell->keep(slot, answer);
    return answer;
  }
  const auto start = static_cast<std::uint32_t>(static_cast<std::uint16_t>(read.start));
  const auto end = static_cast<std::uint32_t>(static_cast<std::uint16_t>(read.end));
  std::uint32_t place = start << 16 | end;
  switch (asked.reads) {
    case Reads::kStart:
      place = start;
      break;
    case Reads::kEnd:
      place = end;
      break;
    default:
      break;
  }
  const Key key{nullptr, place, number};
  if (asked.filters.empty()) {
    // The expression may ask the memo in turn: its answer is added after.
    if (const bool* known = answers_.find(key)) return *known;
    const bool answer = evaluate(condition, item);
    answers_.find_or_add(key).first = answer;
    return answer;
  }
  // The filters never ask the memo: one probe finds the answer or its slot.
  auto [answer, added] = answers_.find_or_add(key);
  if (added) answer = filters_pass(asked.filters, read);
  return answer;
}

std::shared_ptr<const ConditionPlan> ConditionPlan::build(const IRSlist& form, ConditionMemo& memo) {
  auto plan = std::make_shared<ConditionPlan>();
  std::vector<Node> nodes;
  if (!plan->add_node(form, memo, nodes)) return nullptr;
  plan->first_ = plan->compile(nodes, 0, kTrue, kFalse);
  plan->refusal_step_ = plan->refusal_step_at(plan->first_);
  // The first answer of a part of a common shape is read from the item.
  // A test of the words by filters alone is answered without the checks
  // for changes.
  for (Step& step : plan->steps_) {
    if (step.part) step.test = ItemTest::of(*step.part);
    step.words_only = step.kind == Kind::kPart && memo.tests_words_only(step.number);
    step.act = step.kind == Kind::kGate   ? Act::kGate
               : step.kind == Kind::kNote ? Act::kNote
               : step.in_item             ? (step.test   ? (step.test->tests_vector() ? Act::kVectorTest : Act::kTest)
                                             : step.words_only ? Act::kWords
                                                               : Act::kAsk)
                                          : (step.test ? Act::kTableTest : Act::kTable);
  }
  plan->number_whole(memo);
  return plan;
}

bool ConditionPlan::reads_only(const ConditionMemo& memo) const {
  for (const Step& step : steps_)
    if (step.kind == Kind::kPart && !step.test && memo.reads(step.number) == ConditionMemo::Reads::kItem) return false;
  return true;
}

bool ConditionPlan::add_node(const IRSlist& form, ConditionMemo& memo, std::vector<Node>& nodes) {
  const IRSlist* head = form.is_list() ? form.element_at(0) : nullptr;
  const char* name = head && head->is_atom() ? head->atom() : nullptr;
  if (name && (equal_nocase(name, "and") || equal_nocase(name, "or") || equal_nocase(name, "not"))) {
    const std::size_t at = nodes.size();
    nodes.push_back(Node{equal_nocase(name, "and") ? Op::kAnd : equal_nocase(name, "or") ? Op::kOr : Op::kNot});
    for (std::size_t i = 1; i < form.length(); ++i)
      if (!add_node(*form.element_at(i), memo, nodes)) return false;
    nodes[at].end = static_cast<std::uint32_t>(nodes.size());
    return true;
  }
  const std::string text = form.text();
  std::shared_ptr<LExp> part = LExp::from_text(text);
  if (!part) return false;
  if (LExp* body = part->same_as()) {
    // The whole condition is read through; a call inside it may be gated.
    if (nodes.empty())
      add_inside(*body, part, memo, 1, nodes);
    else
      add_call(*body, part, memo, 1, nodes);
  } else {
    nodes.push_back(
        Node{Op::kPart, static_cast<std::uint32_t>(nodes.size() + 1), memo.number_of(text, part), part.get()});
  }
  owners_.push_back(std::move(part));
  return true;
}

void ConditionPlan::add_inside(LExp& exp, const std::shared_ptr<LExp>& owner, ConditionMemo& memo, int depth,
                               std::vector<Node>& nodes) {
  if (depth < kMaxReadThrough) {
    if (LExp* body = exp.same_as()) {
      if (nodes.empty()) return add_inside(*body, owner, memo, depth + 1, nodes);
      return add_call(*body, owner, memo, depth + 1, nodes);
    }
  }
  if (add_combination(exp, nodes, [&](LExp& operand) { add_inside(operand, owner, memo, depth, nodes); })) return;
  nodes.push_back(Node{Op::kPart, static_cast<std::uint32_t>(nodes.size() + 1), memo.number_of(exp, owner), &exp});
}

void ConditionPlan::add_call(LExp& body, const std::shared_ptr<LExp>& owner, ConditionMemo& memo, int depth,
                             std::vector<Node>& nodes) {
  const std::size_t at = nodes.size();
  nodes.push_back(Node{Op::kCall});  // no gate unless one is given below
  add_inside(body, owner, memo, depth, nodes);
  nodes[at].end = static_cast<std::uint32_t>(nodes.size());
  // A function called in many conditions is compiled as a plan once.
  const int plan = memo.call_plan_number(body, depth, [&nodes, at, &memo] { return call_plan_number(nodes, at, memo); });
  if (plan >= 0 && plan < ItemAnswers::kPlans && memo.plan_answer_kept(plan)) nodes[at].number = plan;
}

int ConditionPlan::call_plan_number(const std::vector<Node>& nodes, std::size_t at, ConditionMemo& memo) {
  std::vector<Node> call_nodes(nodes.begin() + static_cast<std::ptrdiff_t>(at + 1), nodes.end());
  const auto parts =
      std::count_if(call_nodes.begin(), call_nodes.end(), [](const Node& node) { return node.op == Op::kPart; });
  if (static_cast<std::size_t>(parts) < kMinGatedParts) return -1;
  // The call's steps as a plan of their own give the number its answer is
  // kept under.
  for (Node& node : call_nodes) node.end -= static_cast<std::uint32_t>(at + 1);
  ConditionPlan call;
  call.first_ = call.compile(call_nodes, 0, kTrue, kFalse);
  call.number_whole(memo);
  return call.number_;
}

int ConditionPlan::compile(const std::vector<Node>& nodes, std::size_t at, int if_true, int if_false) {
  auto compile_part = [this, &nodes](const Node& node, int part_true, int part_false) {
    if (node.op == Op::kCall)
      return compile_call(nodes, static_cast<std::size_t>(&node - nodes.data()), part_true, part_false);
    Step step{.number = node.number, .if_true = part_true, .if_false = part_false, .part = node.part};
    if (node.number >= 0 && node.number < ItemAnswers::kConditions) {
      step.in_item = true;
      step.word = static_cast<std::uint8_t>(node.number / 64);
      step.bit = std::uint64_t{1} << (node.number % 64);
    }
    steps_.push_back(step);
    return static_cast<int>(steps_.size() - 1);
  };
  return compile_condition_tree(nodes, at, if_true, if_false, compile_part);
}

int ConditionPlan::compile_call(const std::vector<Node>& nodes, std::size_t at, int if_true, int if_false) {
  const Node& node = nodes[at];
  if (node.number < 0) return compile(nodes, at + 1, if_true, if_false);
  // The call's parts leave through steps that note its answer.
  const auto word = static_cast<std::uint8_t>(ItemAnswers::plan_word(node.number));
  const std::uint64_t bit = std::uint64_t{1} << (node.number % 64);
  steps_.push_back(
      Step{.kind = Kind::kNote, .word = word, .notes_accepted = true, .number = node.number, .if_true = if_true});
  const int noted_true = static_cast<int>(steps_.size() - 1);
  steps_.push_back(Step{.kind = Kind::kNote, .word = word, .number = node.number, .if_true = if_false});
  const int noted_false = static_cast<int>(steps_.size() - 1);
  const int body = compile(nodes, at + 1, noted_true, noted_false);
  steps_.push_back(Step{.kind = Kind::kGate,
                        .in_item = true,
                        .word = word,
                        .bit = bit,
                        .if_true = if_true,
                        .if_false = if_false,
                        .body = body});
  return static_cast<int>(steps_.size() - 1);
}

// Plans of one shape ask the same parts in the same way, so they share a
// number; a single part is remembered as the part itself.
void ConditionPlan::number_whole(ConditionMemo& memo) {
  if (steps_.size() == 1 && first_ == 0 && steps_[0].if_true == kTrue && steps_[0].if_false == kFalse) return;
  std::string shape;
  append_number(shape, first_);
  shape += ' ';
  std::vector<int> parts;
  for (const Step& step : steps_) {
    if (step.kind == Kind::kPart) parts.push_back(step.number);
    // Gates and noting steps name the place of the call's answer, apart from
    // the parts' numbers.
    switch (step.kind) {
      case Kind::kPart:
        append_number(shape, step.number);
        break;
      case Kind::kGate:
        shape += 'g';
        append_number(shape, step.body);
        break;
      case Kind::kNote:
        shape += step.notes_accepted ? 't' : 'f';
        break;
    }
    if (step.kind != Kind::kPart) {
      append_number(shape, step.word);
      shape += '/';
      append_number(shape, step.kind == Kind::kNote ? noted_bit(step) : step.bit);
    }
    shape += ':';
    append_number(shape, step.if_true);
    shape += ':';
    append_number(shape, step.if_false);
    shape += ' ';
  }
  number_ = memo.plan_number_of(shape, parts);
  if (number_ < ItemAnswers::kPlans && memo.plan_answer_kept(number_)) {
    in_item_ = true;
    plan_word_ = static_cast<std::uint8_t>(ItemAnswers::plan_word(number_));
    plan_bit_ = std::uint64_t{1} << (number_ % 64);
  }
}

int ConditionPlan::refusal_step_at(int at) const {
  if (at < 0) return -1;
  const Step& step = steps_[static_cast<std::size_t>(at)];
  if (!step.in_item || !leads_to_false(step.if_false)) return -1;
  // The first part of a gated call, when it refuses the call alone, refuses
  // the plan too, and is known as early as without the gate.
  if (step.kind == Kind::kGate)
    if (const int inner = refusal_step_at(step.body); inner >= 0) return inner;
  return at;
}

bool ConditionPlan::refusal_reads_only(const ConditionMemo& memo) const {
  if (refusal_step_ < 0) return false;
  const Step& step = steps_[static_cast<std::size_t>(refusal_step_)];
  return step.kind == Kind::kPart && (step.test || memo.reads(step.number) != ConditionMemo::Reads::kItem);
}

bool ConditionPlan::leads_to_false(int at) const {
  while (at >= 0 && steps_[static_cast<std::size_t>(at)].kind == Kind::kNote)
    at = steps_[static_cast<std::size_t>(at)].if_true;
  return at == kFalse;
}

bool ConditionPlan::walk(ConditionMemo& memo, PItem& item, const std::uint64_t& changes, int at,
                         bool remembered) const {
  while (at >= 0) {
    const Step& step = steps_[static_cast<std::size_t>(at)];
    if (step.kind != Kind::kPart) {
      at = pass(step, memo, item);
      continue;
    }
    at = part_accepts(step, memo, item, changes, remembered) ? step.if_true : step.if_false;
  }
  const bool accepted = at == kTrue;
  if (!remembered) return accepted;
  // While no condition has changed an item, a plan given a place in the
  // item's bits keeps its answer there (no part has stopped it being kept).
  if (in_item_ && !memo.any_changing()) {
    item.answers.keep(plan_word_, plan_bit_, accepted);
  } else if (number_ >= 0) {
    memo.remember_plan(number_, item, accepted);
  }
  return accepted;
}

bool ConditionPlan::walk_unanswered(ConditionMemo& memo, PItem& item, const std::uint64_t& changes, int at) const {
  ItemAnswers& answers = item.answers;
  for (;;) {
    const Step& step = steps_[static_cast<std::size_t>(at)];
    switch (step.act) {
      case Act::kTest:
        at = keep(answers, step, step.test->holds(item)) ? step.if_true : step.if_false;
        break;
      case Act::kVectorTest:
        at = keep(answers, step, step.test->vector_holds(item)) ? step.if_true : step.if_false;
        break;
      case Act::kWords:
        at = keep(answers, step, memo.words_answer(*step.part, step.number, item)) ? step.if_true : step.if_false;
        break;
      case Act::kTableTest:
        at = memo.accepts_test(*step.test, step.number, item) ? step.if_true : step.if_false;
        break;
      case Act::kGate:
        at = step.body;
        break;
      case Act::kNote:
        answers.keep(step.word, noted_bit(step), step.notes_accepted);
        at = step.if_true;
        break;
      case Act::kAsk:
      case Act::kTable: {
        // Evaluating the part may change the item: from then on the walk
        // asks as walk() does.
        bool remembered = true;
        const bool answer = step.act == Act::kAsk ? memo.ask_unknown(*step.part, step.number, item, changes, remembered)
                                       : memo.accepts(*step.part, step.number, item, changes, remembered);
        at = answer ? step.if_true : step.if_false;
        if (!remembered || memo.any_changing()) return walk(memo, item, changes, at, remembered);
        break;
      }
      default:  // build() gives every step one of the actions above
        __builtin_unreachable();
    }
    // The steps the item's bits answer (a step answered elsewhere has no
    // bit there).
    while (at >= 0) {
      const Step& next = steps_[static_cast<std::size_t>(at)];
      if (!(answers.known[next.word] & next.bit)) break;
      at = (answers.accepted[next.word] & next.bit) ? next.if_true : next.if_false;
    }
    if (at < 0) return keep_answer(memo, item, at == kTrue);
  }
}

}  // namespace velmo
