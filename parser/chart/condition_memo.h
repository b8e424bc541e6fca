#pragma once
// Results of link conditions on the items of one sentence. A complete item
// is offered to every link in which its category is the modifier, and a
// stored head is tested by every modifier that reaches it; many links repeat
// the same condition text. A condition is a function of the item (its
// vector, the items below it and the sentence's words), so its answer for an
// item is kept under the text's number and asked once: in the item itself
// for the first numbers (ItemAnswers), in a table for the others.
//
// A condition that only tests the words of the item's span (its head word
// matched against patterns or word lists) is answered once per span: items
// of many categories share a span. Its filters are asked about the words
// directly, without a call through the expressions. So is a test of the
// word before the item's start (once per start) or of the words from its
// end on (once per end). The same tests of the item's head child
// ((comp (pitem-head-child) (pitem-head-word) FILTER...)) are answered once
// per place of the head child: every item built on it shares the answer;
// so are tests of the span's words of a modifier found through a relation
// ((comp (get-modifier-by-type REL) (pitem-head-word) FILTER...), or a call
// of a function that makes such a test after the relation).
//
// A condition that changes anything while it is evaluated (the item's
// vector or weight, or the chart through the item-changing functions) is
// no function of the item: it is marked and from then on always evaluated.
// The chart's count of item-changing calls is watched at every evaluation;
// the item's vector, whose comparison costs as much as most conditions, is
// watched for the first `kWatchedEvaluations` evaluations of a condition.
//
// A plan over several conditions (ConditionPlan) is numbered too, by its
// shape: its answer for an item is kept like a condition's when every part
// it asked was answered from, or stored in, the memo; the next question
// would then ask the same parts with the same answers. A plan holding a
// part that turns out to change the item is from then on walked again.
//
// A part of one of the common shapes (ItemTest: a modifier through a
// relation, the head first or last, a test of the item's vector) is
// remembered like any other, but answered, the first time, by reading the
// item directly instead of evaluating the expression.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "parser/chart/condition_tree.h"
#include "parser/chart/pitem.h"
#include "parser/chart/place_answers.h"
#include "parser/forest/flat_memo.h"
#include "parser/functions/item_test.h"

namespace velmo {

class IRSlist;
class LExp;
class TextFilter;

class ConditionMemo {
 public:
  // The number of a condition text (equal texts, equal numbers); `exp`,
  // when given, is the condition built from it. A test of the span's words
  // is answered later through the filters of the first `exp`: the memo
  // keeps that expression alive (later plans of the same text share it).
  int number_of(std::string_view text, std::shared_ptr<LExp> exp = nullptr);
  // The number of an expression inside a function's body, shared by every
  // call of the function; `owner` keeps the expression alive while the
  // memo lives (so no later expression takes its address and number).
  int number_of(const LExp& part, std::shared_ptr<LExp> owner);
  std::size_t condition_count() const { return conditions_.size(); }
  // The number of conditions that read only the words about an item (the
  // place grid keeps the answers of the first PlaceAnswers::kSlots).
  std::size_t word_test_count() const;
  // The number of a plan by its shape (equal shapes, equal numbers); the
  // plan asks the conditions `parts`.
  int plan_number_of(const std::string& shape, const std::vector<int>& parts);
  std::size_t plan_count() const { return plans_.size(); }
  // The plan number of the gated call of function body `body`, read
  // through at `depth` (-1: the call has no gate's plan), kept from the
  // first time the body is met at that depth: its parts and their numbers
  // are then the same every time, and so is its plan. `number()` gives it
  // the first time.
  template <class Number>
  int call_plan_number(const LExp& body, int depth, Number number) {
    const auto known = call_plans_.find(&body);
    if (known != call_plans_.end() && known->second.depth == depth) return known->second.plan;
    const int plan = number();
    if (known == call_plans_.end()) call_plans_.emplace(&body, CallPlan{depth, plan});
    return plan;
  }
  // What a condition's answer depends on: the item, or only the words of
  // its span, the word before its start or the words from its end on.
  enum class Reads : std::uint8_t { kItem, kSpan, kStart, kEnd };
  // What condition `number` reads (kItem for an unknown number).
  Reads reads(int number) const {
    return number >= 0 && static_cast<std::size_t>(number) < conditions_.size()
               ? conditions_[static_cast<std::size_t>(number)].reads
               : Reads::kItem;
  }
  // A step from an item to the one whose words a condition reads: its
  // modifier through a relation, or (no relation) its head child.
  struct ReadStep {
    const std::string* relation = nullptr;
    std::uint64_t bit = 0;  // relation_bit(*relation)
  };
  // Whether some condition was found to change the item it was asked of.
  bool any_changing() const { return any_changing_; }
  // Whether condition `number` tests the words about an item by text
  // filters alone: asking it changes nothing and reads only the words.
  bool tests_words_only(int number) const {
    return number >= 0 && static_cast<std::size_t>(number) < conditions_.size() &&
           !conditions_[static_cast<std::size_t>(number)].filters.empty();
  }
  // Whether condition `number` reads only the words about the item itself
  // (no step to another item) and keeps its answers in the place grid.
  bool reads_own_place(int number) const {
    if (number < 0 || static_cast<std::size_t>(number) >= conditions_.size()) return false;
    return reads_own_place(conditions_[static_cast<std::size_t>(number)]);
  }
  // The answer of such a condition kept at the item's place (its span,
  // start or end): 1 or 0, -1 when none is kept there yet.
  int kept_place_answer(int number, const PItem& item) const {
    const Condition& asked = conditions_[static_cast<std::size_t>(number)];
    const auto [first, last] = answer_place(asked, item);
    const PlaceAnswers::Cell* cell = place_answers_.kept_cell(first, last);
    if (!cell || !cell->knows(asked.place_slot)) return -1;
    return cell->answer(asked.place_slot);
  }
  // The answer of such a condition for the item, from the answers kept per
  // place or by its filters; the caller keeps it in the item. Most spans
  // are refused by the first byte of their first word: that is read from a
  // byte per word, before the span's place is looked up.
  bool words_answer(LExp& condition, int number, PItem& item) {
    const Condition& asked = conditions_[static_cast<std::size_t>(number)];
    if (asked.path.empty() && refused_by_first_word(asked, item)) return false;
    return span_answer(condition, number, item);
  }

  // The condition's answer for the item, from the memo when it was asked
  // before; `changes` counts the chart's item-changing calls so far.
  bool accepts(LExp& condition, int number, PItem& item, const std::uint64_t& changes) {
    bool remembered = true;
    return accepts(condition, number, item, changes, remembered);
  }
  // As above; clears `remembered` when the answer was neither taken from
  // the memo nor stored in it.
  bool accepts(LExp& condition, int number, PItem& item, const std::uint64_t& changes, bool& remembered) {
    // Most questions are answered by the item's own bits: that path stays
    // inline, free of the table's key.
    if (number >= 0 && number < ItemAnswers::kConditions && static_cast<std::size_t>(number) < conditions_.size()) {
      const std::size_t word = static_cast<std::size_t>(number) / 64;
      const std::uint64_t bit = std::uint64_t{1} << (number % 64);
      if ((item.answers.known[word] & bit) && conditions_[static_cast<std::size_t>(number)].repeatable)
        return (item.answers.accepted[word] & bit) != 0;
    }
    return ask(condition, number, item, changes, remembered);
  }

  // The answer of condition `number`, which is the direct test `test`: from
  // the memo when it was asked before, else the test's (remembered). Only
  // while no condition has changed an item.
  bool accepts_test(const ItemTest& test, int number, PItem& item) {
    if (number >= 0 && number < ItemAnswers::kConditions && static_cast<std::size_t>(number) < conditions_.size()) {
      const std::size_t word = static_cast<std::size_t>(number) / 64;
      const std::uint64_t bit = std::uint64_t{1} << (number % 64);
      if (item.answers.known[word] & bit) return (item.answers.accepted[word] & bit) != 0;
      const bool answer = test.holds(item);
      item.answers.keep(word, bit, answer);
      return answer;
    }
    return test_in_table(test, number, item);
  }

  // The answer of condition `number` (below ItemAnswers::kConditions),
  // which the item's bits do not know yet, asked while no condition has
  // changed an item: as accepts() gives it, without its checks.
  bool ask_unknown(LExp& condition, int number, PItem& item, const std::uint64_t& changes, bool& remembered);

  // The remembered answer of plan `plan` for the item: 1 or 0, -1 when
  // there is none to use.
  int plan_answer(int plan, const PItem& item) const {
    if (plan < 0 || static_cast<std::size_t>(plan) >= plans_.size() ||
        !plans_[static_cast<std::size_t>(plan)].repeatable)
      return -1;
    if (plan < ItemAnswers::kPlans) {
      const int word = ItemAnswers::plan_word(plan);
      const std::uint64_t bit = std::uint64_t{1} << (plan % 64);
      if (!(item.answers.known[word] & bit)) return -1;
      return (item.answers.accepted[word] & bit) != 0;
    }
    const bool* known = answers_.find(Key{&item, item.revision, kPlanNumbers + plan});
    return known ? *known : -1;
  }
  // Whether plan `plan`'s answers are remembered (none of its parts has
  // changed an item so far).
  bool plan_answer_kept(int plan) const {
    return plan >= 0 && static_cast<std::size_t>(plan) < plans_.size() &&
           plans_[static_cast<std::size_t>(plan)].repeatable;
  }
  // Remembers the plan's answer for the item (when the plan may be).
  void remember_plan(int plan, PItem& item, bool answer) {
    if (plan < 0 || static_cast<std::size_t>(plan) >= plans_.size() ||
        !plans_[static_cast<std::size_t>(plan)].repeatable)
      return;
    if (plan >= ItemAnswers::kPlans) return remember_plan_in_table(plan, item, answer);
    const int word = ItemAnswers::plan_word(plan);
    const std::uint64_t bit = std::uint64_t{1} << (plan % 64);
    item.answers.keep(word, bit, answer);
  }

  // Forgets the answers (the items of a sentence are reused by the next).
  void clear() {
    answers_.clear();
    place_answers_.clear();
    first_word_bytes_read_ = false;
  }

 private:
  bool ask(LExp& condition, int number, PItem& item, const std::uint64_t& changes, bool& remembered);
  void remember_plan_in_table(int plan, const PItem& item, bool answer);
  bool test_in_table(const ItemTest& test, int number, PItem& item);
  // Marks the condition as one that changes the item, and every plan
  // asking it.
  void mark_changing(int number);

  struct Key {
    const PItem* item;
    std::uint32_t revision;  // the item's vector revision
    int number;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const {
      const auto bits = reinterpret_cast<std::uintptr_t>(key.item) ^ (static_cast<std::uintptr_t>(key.number) << 48) ^
                        (static_cast<std::uintptr_t>(key.revision) << 32);
      // Span keys have no item, their bits are all high: shifts bring
      // them down before and between the products.
      std::uint64_t mixed = (bits ^ (bits >> 30)) * 0xBF58476D1CE4E5B9ull;
      mixed = (mixed ^ (mixed >> 27)) * 0x94D049BB133111EBull;
      return static_cast<std::size_t>(mixed ^ (mixed >> 31));
    }
  };
  // Plans' answers in the table are keyed apart from conditions'.
  static constexpr int kPlanNumbers = 1 << 24;

  std::unordered_map<std::string, int> numbers_;
  std::unordered_map<const LExp*, int> part_numbers_;
  std::vector<std::shared_ptr<LExp>> owners_;
  static constexpr int kWatchedEvaluations = 256;

  struct Condition {
    bool repeatable = true;  // false once it changed something
    Reads reads = Reads::kItem;  // not kItem: answered once per span, start or end
    std::vector<ReadStep> path;  // of the item these steps lead to, not the item
    int watched = 0;         // evaluations whose effect on the item was checked
    // For a test of the span's words by filters alone (reg-match, in), the
    // filters, asked about the words directly; else empty.
    std::vector<const TextFilter*> filters;
    // The bytes the words of a passing span may begin with, when the
    // filters tell them: words beginning with another are refused without
    // a call of the filters (most are, as most filters' patterns begin with
    // a few letters). Worked out at the first question: the filters'
    // automata are built when first asked.
    enum class FirstBytes : std::uint8_t { kUnknown, kKnown, kNone };
    FirstBytes first_bytes_state = FirstBytes::kUnknown;
    std::array<std::uint64_t, 4> first_bytes{};
    // Whether a filter passes no text with a blank (worked out with the
    // first bytes): the words of a span of several words are refused
    // without a call of the filters.
    bool refuses_blank = false;
    // Not kItem: the condition's bit in the answers per place (-1: its
    // answers are kept in the table).
    int place_slot = -1;
  };
  static bool reads_own_place(const Condition& asked) {
    return asked.reads != Reads::kItem && asked.path.empty() && asked.place_slot >= 0;
  }
  // Numbers a new condition read from `exp`.
  void add_condition(const LExp* exp);
  static Condition condition_of(const LExp* exp);
  // The answer of a condition that tests the words of the item's span (or
  // those at its start or end) alone, from the answers kept per place or by
  // evaluation.
  bool span_answer(LExp& condition, int number, PItem& item);
  // Evaluates condition `asked` (number `number`) for the item into
  // `answer`; false, marking it as changing, when asking changed the item
  // or the chart (the answer is then not to be kept).
  bool answer_anew(Condition& asked, LExp& condition, int number, PItem& item, const std::uint64_t& changes,
                   bool& answer);
  // Whether the first byte of `words` refuses them for a test of the words
  // by filters alone (false: the filters must be asked).
  static bool refused_by_first_byte(Condition& asked, const char* words) {
    if (asked.first_bytes_state == Condition::FirstBytes::kUnknown) find_first_bytes(asked);
    if (asked.first_bytes_state != Condition::FirstBytes::kKnown) return false;
    const auto byte = static_cast<unsigned char>(*words);
    return !((asked.first_bytes[byte / 64] >> (byte % 64)) & 1u);
  }
  // Works out the condition's first bytes (kNone when no filter tells
  // them).
  static void find_first_bytes(Condition& asked);
  std::vector<Condition> conditions_;
  struct Plan {
    std::vector<int> parts;
    bool repeatable = true;  // false once a part changed something
  };
  bool any_changing_ = false;
  std::unordered_map<std::string, int> plan_numbers_;
  std::vector<Plan> plans_;
  struct CallPlan {
    int depth = 0;
    int plan = -1;
  };
  // By function body; the bodies stay alive with the parts' owners.
  std::unordered_map<const LExp*, CallPlan> call_plans_;
  FlatMemo<Key, bool, KeyHash> answers_{4096};
  PlaceAnswers place_answers_;
  // The first byte of the word at each position of the sentence, which the
  // words of every span starting there begin with (0: an empty word or no
  // word; the span's words are then looked at). Read at the first question
  // after clear().
  std::vector<unsigned char> first_word_bytes_;
  bool first_word_bytes_read_ = false;
  unsigned first_byte_of_word(const PItem& item) {
    if (!first_word_bytes_read_) read_first_word_bytes(item);
    // A negative start lies past the end; a span ending before its start
    // has no words.
    const auto position = static_cast<std::size_t>(item.start);
    return position < first_word_bytes_.size() && item.start <= item.end ? first_word_bytes_[position] : 0u;
  }
  void read_first_word_bytes(const PItem& item);
  // The place of a condition's answer in the grid: the span of the item it
  // reads, its start or its end (the other word -1). A number reads one
  // thing, so its places never meet another's.
  static std::pair<int, int> answer_place(const Condition& asked, const PItem& read) {
    return {asked.reads == Reads::kEnd ? -1 : read.start, asked.reads == Reads::kStart ? -1 : read.end};
  }
  // Whether the first byte of the first word of `read`'s span refuses it
  // for a test of the words by filters alone whose first bytes are known.
  bool refused_by_first_word(const Condition& asked, const PItem& read) {
    if (asked.first_bytes_state != Condition::FirstBytes::kKnown) return false;
    const unsigned byte = first_byte_of_word(read);
    return byte && !((asked.first_bytes[byte / 64] >> (byte % 64)) & 1u);
  }
};

// A link condition read as and, or and not over parts (calls of functions,
// tests), each part answered once per item through the memo: conditions
// of different links share their parts ((no-cc) in most of them). A call
// of a function without parameters is read through to its body, so the
// parts of functions that call each other ((full-clause) calls (no-cc) and
// (fin-clause)) are answered once per item too.
//
// The tree of and, or and not is compiled into one array of steps, one per
// part, each naming the step that follows a true and a false answer (or
// the plan's answer): walking it asks the parts in the expression's order
// and as far as its combination needs them. A plan of several parts keeps
// its whole answer per item as well.
//
// A call of several parts read through inside a plan (not the plan's whole
// condition) is numbered as a plan of its own too, whose answer the item's
// bits keep beside the conditions'. Its parts stay steps of the outer plan,
// behind a gate: while no condition has changed an item, a known answer at
// the gate leads past the call's steps at once, an unknown one into them,
// and the steps leave the call through two steps that note its answer. The
// many plans that share such a function ((full-clause) and the clauses
// built on it) so pass over it in one step once any of them answered it,
// and the parts are asked in the same order as without the gate.
class ConditionPlan {
 public:
  // The plan of a condition form; null when a part cannot be built.
  static std::shared_ptr<const ConditionPlan> build(const IRSlist& form, ConditionMemo& memo);

  // The condition's answer, as its expression would give it: the parts
  // are asked in the same order and as far as the combination needs them.
  // The item-bits place of the first part the plan asks when a false
  // answer of that part alone makes the plan false (bit 0: no such part).
  struct Refusal {
    std::uint8_t word = 0;
    std::uint64_t bit = 0;
  };
  Refusal first_refusal() const {
    if (refusal_step_ < 0) return {};
    const Step& step = steps_[static_cast<std::size_t>(refusal_step_)];
    return {step.word, step.bit};
  }
  // Whether the refusing first part is one part (not a call's answer) that
  // asking cannot change: a direct test of the item or a test of the words
  // about it. It may then be asked ahead of the plan.
  bool refusal_reads_only(const ConditionMemo& memo) const;
  // The refusing first part's answer for the item, asked as the plan asks
  // it (and kept in the item's bits). Only for a plan whose refusal reads
  // only.
  bool refusal_accepts(ConditionMemo& memo, PItem& item, const std::uint64_t& changes) const {
    bool remembered = true;
    return part_accepts(steps_[static_cast<std::size_t>(refusal_step_)], memo, item, changes, remembered);
  }

  // The item-bits place of the plan's own answer (bit 0: the plan keeps
  // none there; the word counts the conditions' words before the plans').
  // While no condition has changed an item, a known answer there is the
  // plan's.
  struct AnswerPlace {
    std::uint8_t word = 0;
    std::uint64_t bit = 0;
  };
  AnswerPlace answer_place() const { return in_item_ ? AnswerPlace{plan_word_, plan_bit_} : AnswerPlace{}; }

  // Whether asking the plan can change nothing: each part is a direct
  // test of the item or a test of the words about it.
  bool reads_only(const ConditionMemo& memo) const;

  bool accepts(ConditionMemo& memo, PItem& item, const std::uint64_t& changes) const {
    if (!memo.any_changing()) return accepts_pure(memo, item, changes);
    if (number_ >= 0) {
      const int known = memo.plan_answer(number_, item);
      if (known >= 0) return known != 0;
    }
    return walk(memo, item, changes, first_);
  }

 private:
  using Op = ConditionOp;
  // Calls read through within one another, at most (a guard: a function
  // is built before its name is known, so none can call itself); a deeper
  // call stays a part.
  static constexpr int kMaxReadThrough = 32;
  // A call of fewer parts is read through without a gate: passing its
  // parts costs about as much as passing the gate.
  static constexpr std::size_t kMinGatedParts = 3;
  // Step numbers that end the walk with an answer.
  static constexpr int kTrue = -1;
  static constexpr int kFalse = -2;

  // The tree as built: prefix order, each node followed by its operands.
  struct Node {
    Op op = Op::kPart;
    std::uint32_t end = 0;  // the index past the node's operands
    int number = -1;        // a part's condition number; a call's plan number (-1: no gate)
    LExp* part = nullptr;
  };
  // A step asks a part, or passes a gated call (kGate) or notes its answer
  // (kNote, going on to if_true).
  enum class Kind : std::uint8_t { kPart, kGate, kNote };
  // What a step does when the item's bits hold no answer for it, while no
  // condition has changed an item: answers its part by the direct test
  // (kVectorTest: one of the item's vector), by the words, or through the
  // memo (kAsk: the item's bits, kTable: the memo's table, kTableTest: a
  // direct test kept in the table), leads into a gated call's parts (kGate)
  // or notes the call's answer (kNote).
  enum class Act : std::uint8_t { kTest, kVectorTest, kWords, kAsk, kGate, kNote, kTableTest, kTable };
  struct Step {
    Kind kind = Kind::kPart;
    bool in_item = false;         // answered in the item's bits (a gate: the call's answer),
    std::uint8_t word = 0;        // in this word
    bool notes_accepted = false;  // kNote: the answer it notes
    int number = -1;              // the part's condition number (kNote: the call's plan number)
    std::uint64_t bit = 0;        // at this bit (0 when not in the item's bits, kNote included)
    int if_true = kTrue;          // the next step after each answer
    int if_false = kFalse;
    int body = -1;  // kGate: the first step of the call's parts
    LExp* part = nullptr;
    std::optional<ItemTest> test = std::nullopt;  // the part as a direct test
    bool words_only = false;  // the part tests the words about the item by filters alone
    Act act = Act::kAsk;      // in the padding here: a step grown to 240 bytes is dearer to index
  };
  // A part's answer: from the item's bits while no part of any plan has
  // changed an item, else from the memo; a direct test is answered from
  // the item the first time.
  static bool part_accepts(const Step& step, ConditionMemo& memo, PItem& item, const std::uint64_t& changes,
                           bool& remembered) {
    if (!memo.any_changing()) {
      if (step.in_item) {
        ItemAnswers& answers = item.answers;
        if (answers.known[step.word] & step.bit) return (answers.accepted[step.word] & step.bit) != 0;
        // Known to be unanswered: a direct test's answer, or that of a test
        // of the words (which changes nothing), goes straight to the bits.
        if (step.test) return keep(answers, step, step.test->holds(item));
        if (step.words_only) return keep(answers, step, memo.words_answer(*step.part, step.number, item));
        return memo.ask_unknown(*step.part, step.number, item, changes, remembered);
      } else if (step.test) {
        return memo.accepts_test(*step.test, step.number, item);
      }
    }
    return memo.accepts(*step.part, step.number, item, changes, remembered);
  }
  // Keeps the answer of the step's part in the item's bits.
  static bool keep(ItemAnswers& answers, const Step& step, bool answer) {
    answers.keep(step.word, step.bit, answer);
    return answer;
  }
  // The step after a gate or a noting step. While no condition has changed
  // an item, a gate whose call is answered leads past the call and a
  // noting step notes the call's answer; else the call's parts are asked
  // as if there were no gate.
  static int pass(const Step& step, const ConditionMemo& memo, PItem& item) {
    ItemAnswers& answers = item.answers;
    const bool kept = !memo.any_changing();
    if (step.kind == Kind::kGate) {
      if (kept && (answers.known[step.word] & step.bit))
        return (answers.accepted[step.word] & step.bit) ? step.if_true : step.if_false;
      return step.body;
    }
    if (kept) {
      answers.keep(step.word, noted_bit(step), step.notes_accepted);
    }
    return step.if_true;
  }
  // The bit at which a noting step notes the call's answer, in its word.
  static std::uint64_t noted_bit(const Step& step) { return std::uint64_t{1} << (step.number % 64); }

  bool add_node(const IRSlist& form, ConditionMemo& memo, std::vector<Node>& nodes);
  // Adds an expression inside the part `owner` (the body of a function it
  // calls, read through).
  void add_inside(LExp& exp, const std::shared_ptr<LExp>& owner, ConditionMemo& memo, int depth,
                  std::vector<Node>& nodes);
  // Adds the body of a function called inside the plan, read through;
  // behind a gate when it has several parts and its answer as a plan can
  // be kept in the item's bits.
  void add_call(LExp& body, const std::shared_ptr<LExp>& owner, ConditionMemo& memo, int depth,
                std::vector<Node>& nodes);
  // The plan number of the call whose nodes begin at `at` (its kCall node)
  // and run to the end of `nodes`; -1 when it has too few parts to gate.
  static int call_plan_number(const std::vector<Node>& nodes, std::size_t at, ConditionMemo& memo);
  // The step of the refusing part (see first_refusal) when the walk starts
  // at `at`; -1 when there is none.
  int refusal_step_at(int at) const;
  // Whether step `at` ends the walk false, past noting steps.
  bool leads_to_false(int at) const;
  // Compiles the node at `at` to steps going on to `if_true` or `if_false`;
  // returns its first step.
  int compile(const std::vector<Node>& nodes, std::size_t at, int if_true, int if_false);
  // Compiles the call at `at` (a kCall node) the same way.
  int compile_call(const std::vector<Node>& nodes, std::size_t at, int if_true, int if_false);
  void number_whole(ConditionMemo& memo);

  // While no condition has changed an item, every plan and part is
  // remembered: the plan's answer and the parts' are read straight from the
  // item's bits as far as they are known, and the walk goes on through the
  // memo from the first part not yet answered.
  bool accepts_pure(ConditionMemo& memo, PItem& item, const std::uint64_t& changes) const {
    ItemAnswers& answers = item.answers;
    if (in_item_) {
      if (answers.known[plan_word_] & plan_bit_) return (answers.accepted[plan_word_] & plan_bit_) != 0;
    } else if (number_ >= 0) {
      const int known = memo.plan_answer(number_, item);
      if (known >= 0) return known != 0;
    }
    return accepts_from_steps(memo, item, changes);
  }

 public:
  // As accepts(), for a plan whose answer has a place in the item's bits
  // (answer_place()) that holds none yet, while no condition has changed
  // an item: the caller read the place already.
  bool accepts_unanswered(ConditionMemo& memo, PItem& item, const std::uint64_t& changes) const {
    return accepts_from_steps(memo, item, changes);
  }

 private:
  // The rest of accepts_pure, past the plan's own answer.
  bool accepts_from_steps(ConditionMemo& memo, PItem& item, const std::uint64_t& changes) const {
    ItemAnswers& answers = item.answers;
    int at = first_;
    while (at >= 0) {
      const Step& step = steps_[static_cast<std::size_t>(at)];
      // A step answered elsewhere has no bit in the item's.
      if (!(answers.known[step.word] & step.bit)) return walk_unanswered(memo, item, changes, at);
      at = (answers.accepted[step.word] & step.bit) ? step.if_true : step.if_false;
    }
    return keep_answer(memo, item, at == kTrue);
  }
  // Keeps the plan's answer, found while no condition has changed an item
  // (the item's bits or the memo's table).
  bool keep_answer(ConditionMemo& memo, PItem& item, bool accepted) const {
    if (in_item_) {
      item.answers.keep(plan_word_, plan_bit_, accepted);
    } else if (number_ >= 0) {
      memo.remember_plan(number_, item, accepted);
    }
    return accepted;
  }
  // Walks the steps from `at`, asking the memo; `remembered` is false when
  // an answer asked before `at` was neither taken from the memo nor stored
  // in it.
  bool walk(ConditionMemo& memo, PItem& item, const std::uint64_t& changes, int at, bool remembered = true) const;
  // As walk(), while no condition has changed an item, from step `at`,
  // whose answer the item's bits do not hold; the steps the bits answer are
  // passed in a tight loop. Goes on as walk() once a part changed an item.
  bool walk_unanswered(ConditionMemo& memo, PItem& item, const std::uint64_t& changes, int at) const;

  std::vector<Step> steps_;
  int first_ = kTrue;                          // the first step
  int refusal_step_ = -1;                      // refusal_step_at(first_)
  std::vector<std::shared_ptr<LExp>> owners_;  // the expressions built from the form, holding the parts
  int number_ = -1;                            // the whole plan's number; -1 for a single part
  bool in_item_ = false;                       // the plan's answer is kept in the item's bits,
  std::uint8_t plan_word_ = 0;                 // in this word
  std::uint64_t plan_bit_ = 0;                 // at this bit
};

}  // namespace velmo
