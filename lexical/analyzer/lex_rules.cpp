#include "lexical/analyzer/lex_rules.h"

#include <climits>
#include <cstring>
#include <iostream>
#include <typeinfo>

#include "lexical/analyzer/lex_analyzer.h"
#include "lexical/analyzer/match_condition.h"
#include "lexical/functions/match_exp.h"
#include "lexical/patterns/lpattern.h"
#include "lexical/patterns/match.h"
#include "shell/reader/irslist.h"
#include "shell/interpreter/name_space.h"
#include "shell/lexp/forms.h"
#include "shell/lexp/native.h"
#include "shell/interpreter/obj_factory.h"
#include "shell/support/regex.h"
#include "shell/support/diagnostics.h"

namespace velmo {

namespace {

TypeId match_type() {
  static const TypeId id = type_id("Match*");
  return id;
}

TypeId analyzer_type() {
  static const TypeId id = type_id(kLexAnalyzerType);
  return id;
}

}  // namespace

// ---------------------------------------------------------------- LexRule

namespace {

// The action as a (when COND ...) whose COND only reads, or null.
const SequenceExp* reading_when(const LExp* action) {
  if (!action || std::strcmp(action->name(), "when") != 0) return nullptr;
  const LExp* prototype = LExp::find_prototype("when");
  if (!prototype || typeid(*action) != typeid(*prototype)) return nullptr;
  const auto& when = static_cast<const SequenceExp&>(*action);
  if (when.empty() || !when.items().front() || !reads_only_on_match(*when.items().front())) return nullptr;
  return &when;
}

// Whether the action only deletes; the test of a reading when is known to
// read, so only the forms after it are looked into.
bool deletes_only(const LExp& action, const SequenceExp* reading) {
  if (!reading) return deletes_only_on_match(action);
  const LExpList& items = reading->items();
  for (std::size_t i = 1; i < items.size(); ++i)
    if (!items[i] || !deletes_only_on_match(*items[i])) return false;
  return true;
}

}  // namespace

LexRule::LexRule(std::string_view name, std::unique_ptr<LPattern> pattern, LExpPtr action)
    : name_(name),
      pattern_(std::move(pattern)),
      action_(std::move(action)),
      reading_when_(reading_when(action_.get())),
      only_deletes_(action_ && deletes_only(*action_, reading_when_)) {}

LexRule::~LexRule() = default;

std::unique_ptr<LexRule> LexRule::read(IRSlist& definition) {
  const char* name = definition.take_atom();
  if (!name) {
    diag() << "A lexical rule needs a name\n" << std::flush;
    return nullptr;
  }
  LExpPtr precondition;
  bool act_on_all = false;
  std::unique_ptr<IRSlist> pattern_form;
  std::unique_ptr<IRSlist> action_form;
  while (std::unique_ptr<IRSlist> element = definition.take_first()) {
    if (element->is_atom()) {
      const char* atom = element->atom();
      if (!atom) continue;
      if (std::strcmp(atom, ":precondition") == 0) {
        std::unique_ptr<IRSlist> condition = definition.take_first();
        if (condition) precondition = LExp::get_exp(condition.get());
      } else if (std::strcmp(atom, ":act-on-all-matches") == 0) {
        act_on_all = true;
      }
      continue;
    }
    if (!pattern_form)
      pattern_form = std::move(element);
    else if (!action_form)
      action_form = std::move(element);
  }
  if (!pattern_form || !action_form) {
    diag() << "The lexical rule " << name << " needs a pattern and an action\n" << std::flush;
    return nullptr;
  }
  std::unique_ptr<LPattern> pattern = LPattern::make(*pattern_form);
  const RuleWordGate::Form gate_form = RuleWordGate::read_form(*action_form);
  LExpPtr action = LExp::get_exp(action_form.get());
  if (!pattern || !action) {
    diag() << "The lexical rule " << name << " is left out: its pattern or action could not be built\n" << std::flush;
    return nullptr;
  }
  auto rule = std::make_unique<LexRule>(name, std::move(pattern), std::move(action));
  rule->set_precondition(std::move(precondition));
  rule->set_act_on_all_matches(act_on_all);
  rule->set_word_gate(RuleWordGate::of(gate_form, *rule->action_));
  return rule;
}

void LexRule::set_word_gate(const RuleWordGate& gate) { gate_ = pattern_->changes_nothing() ? gate : RuleWordGate(); }

void LexRule::apply(LexAnalyzer& analyzer) {
  ItemTestMemo& memo = analyzer.lattice().test_memo();
  if (precondition_) {
    ItemTestPause pause(memo);
    if (precondition_->eval(to_word(&analyzer), analyzer_type()) == 0) return;
  }
  // A debugged rule shows its matches even where they would do nothing.
  if (!debug_ && !gate_.may_pass(analyzer.lattice())) return;
  if (debug_) diag() << "\nLexical Rule: " << name_ << '\n' << std::flush;
  MatchList matches;
  pattern_->match_all(analyzer.lattice(), matches);
  int previous_high = INT_MIN;
  int run_low = INT_MIN;
  for (std::unique_ptr<Match>& match : matches) {
    if (debug_) match->print(diag(), 0);
    bool act = act_on_all_;
    if (match->high != previous_high) {
      act = true;
      run_low = match->low;
    } else if (match->low == run_low) {
      act = true;
    }
    previous_high = match->high;
    if (act) this->act(*match, memo);
    match.reset();
  }
  if (debug_) diag() << std::flush;
}

// A reading test keeps the memo's answers: most tests fail, and only an
// action that runs may change what the answers depend on. An action that
// only deletes keeps the answers on the items' own vectors.
void LexRule::act(const Match& match, ItemTestMemo& memo) {
  const Word input = to_word(&match);
  if (!reading_when_) {
    if (only_deletes_) {
      ItemDeletionPause pause(memo);
      action_->eval(input, match_type());
    } else {
      ItemTestPause pause(memo);
      action_->eval(input, match_type());
    }
    return;
  }
  const LExpList& items = reading_when_->items();
  if (items.front()->eval(input, match_type()) == 0) return;
  if (only_deletes_) {
    ItemDeletionPause pause(memo);
    for (std::size_t i = 1; i < items.size(); ++i) items[i]->eval(input, match_type());
  } else {
    ItemTestPause pause(memo);
    for (std::size_t i = 1; i < items.size(); ++i) items[i]->eval(input, match_type());
  }
}

// ---------------------------------------------------------------- LexRuleList

void LexRuleList::insert_before(std::string_view anchor, std::vector<std::unique_ptr<LexRule>> rules) {
  auto at = rules_.begin();
  for (; at != rules_.end(); ++at)
    if ((*at)->name() == anchor) break;
  rules_.insert(at, std::make_move_iterator(rules.begin()), std::make_move_iterator(rules.end()));
}

bool LexRuleList::toggle_debug(const char* regex) {
  if (!regex) {
    for (auto& rule : rules_) rule->toggle_debug();
    return true;
  }
  Regex pattern;
  if (!pattern.compile_anchored(regex)) {
    diag() << "debug-rules: " << pattern.error() << '\n' << std::flush;
    return false;
  }
  for (auto& rule : rules_)
    if (pattern.search(rule->name())) rule->toggle_debug();
  return true;
}

// While the rules run, item tests that change nothing keep their answers
// from one rule to the next (see ItemTestMemo).
void LexRuleList::apply(LexAnalyzer& analyzer) {
  ItemTestScope scope(analyzer.lattice().test_memo());
  for (auto& rule : rules_) rule->apply(analyzer);
}

// ---------------------------------------------------------------- LLRule

LLRule::LLRule(std::unique_ptr<LPattern> left, std::unique_ptr<LPattern> right, LExpPtr action)
    : left_(std::move(left)), right_(std::move(right)), action_(std::move(action)) {}

LLRule::~LLRule() = default;

namespace {

// The elements as one sequence pattern, (seq ELEMENT ...); null for none.
std::unique_ptr<LPattern> sequence_of(std::unique_ptr<IRSlist> elements, bool& failed) {
  if (!elements || elements->children().empty()) return nullptr;
  static const char kSeq[] = "seq";
  elements->prepend(std::make_unique<IRSlist>(kSeq));
  std::unique_ptr<LPattern> pattern = LPattern::make(*elements);
  if (!pattern) failed = true;
  return pattern;
}

}  // namespace

LLRule* LLRule::read(IRSlist& elements, IRSlist* action_form) {
  auto left = std::make_unique<IRSlist>();
  std::unique_ptr<IRSlist> right;
  while (std::unique_ptr<IRSlist> element = elements.take_first()) {
    if (element->is_atom() && element->atom() && std::strcmp(element->atom(), "~") == 0) {
      if (!right) right = std::make_unique<IRSlist>();
      continue;
    }
    (right ? right : left)->append(std::move(element));
  }
  bool failed = false;
  std::unique_ptr<LPattern> left_pattern = sequence_of(std::move(left), failed);
  std::unique_ptr<LPattern> right_pattern = sequence_of(std::move(right), failed);
  LExpPtr action = action_form ? LExp::get_exp(action_form) : nullptr;
  if (failed || !action) {
    diag() << "make-llrule: the rule's patterns or action could not be built\n" << std::flush;
    return nullptr;
  }
  return new LLRule(std::move(left_pattern), std::move(right_pattern), std::move(action));
}

int LLRule::apply(LexAnalyzer& analyzer, int low, int high) {
  MatchList lefts;
  MatchList rights;
  if (left_) {
    left_->matches_ending_at(analyzer.lattice(), low - 1, lefts);
    if (lefts.empty()) return 0;
  }
  if (right_) {
    right_->matches_starting_at(analyzer.lattice(), high + 1, rights);
    if (rights.empty()) return 0;
  }
  int ran = 0;
  if (left_) {
    for (std::unique_ptr<Match>& left : lefts) {
      left->sub_matches.push_back(std::make_unique<Match>(&analyzer.lattice(), low, high));
      left->high = high;
      for (const std::unique_ptr<Match>& right : rights) {
        left->sub_matches.push_back(right->copy());
        left->high = right->high;
      }
      {
        ItemTestPause pause(analyzer.lattice().test_memo());
        action_->eval(to_word(left.get()), match_type());
      }
      ran = 1;
      left.reset();
    }
    return ran;
  }
  for (std::unique_ptr<Match>& right : rights) {
    right->sub_matches.insert(right->sub_matches.begin(), std::make_unique<Match>(&analyzer.lattice(), low, high));
    right->low = low;
    {
      ItemTestPause pause(analyzer.lattice().test_memo());
      action_->eval(to_word(right.get()), match_type());
    }
    ran = 1;
    right.reset();
  }
  return ran;
}

// ---------------------------------------------------------------- LLRuleMeaning

LLRuleMeaning::LLRuleMeaning(LLRule* rule) : rule_(rule) {
  if (rule_) rule_->add_ref();
}

LLRuleMeaning::~LLRuleMeaning() { LLRule::drop_ref(rule_); }

void LLRuleMeaning::print_body(std::ostream& out) const { out << name_; }

std::unique_ptr<Meaning> LLRuleMeaning::clone() const {
  auto copy = std::make_unique<LLRuleMeaning>(rule_);
  copy->name_ = name_;
  return copy;
}

int LLRuleMeaning::compare(const Meaning& other) const {
  if (!dynamic_cast<const LLRuleMeaning*>(&other)) return -2;
  return &other == this ? 0 : 2;
}

void LLRuleMeaning::read_body(IRSlist& elements) {
  const IRSlist* first = elements.element_at(0);
  if (!first || !first->atom()) return;
  auto* rule = NameSpaces::lookup_as<LLRule>(first->atom(), LLRule::kTypeText);
  if (!rule) return;
  LLRule::drop_ref(rule_);
  rule_ = rule;
  rule_->add_ref();
  name_ = first->atom();
}

namespace {

// (apply-llrule): applies the LL rule of the match's item, if its meaning
// is one, around the match's span.
Word apply_llrule(Word input) {
  auto* match = from_word<Match>(input);
  if (!match || !match->item || !match->item->meaning) return 0;
  auto* meaning = dynamic_cast<const LLRuleMeaning*>(match->item->meaning.get());
  if (!meaning || !meaning->rule()) return 0;
  LexAnalyzer* analyzer = analyzer_of(match);
  if (!analyzer) return 0;
  meaning->rule()->apply(*analyzer, match->low, match->high);
  return input;
}

}  // namespace

void register_llrule_meaning() {
  register_meaning_kinds();
  if (!ObjFactory::instance().find_prototype(kMeaningClass, LLRuleMeaning::kTypeName))
    register_meaning_prototype(LLRuleMeaning::kTypeName, std::make_unique<LLRuleMeaning>());
  register_native("apply-llrule", &apply_llrule, "Match*", "Match*",
                  "(apply-llrule) apply the LL rule of the match's item around the match");
}

}  // namespace velmo
