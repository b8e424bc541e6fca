#pragma once
// Lexical rules: a pattern over the item lattice and an action evaluated on
// each match (with an optional precondition on the analyzer), kept in order
// in a rule set; and LL rules, which look left and right of a given span and
// are reached through lexicon meanings of type "llrule".
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lexical/analyzer/rule_word_gate.h"
#include "lexicon/lexicon/meaning.h"
#include "shell/lexp/lexp.h"
#include "shell/support/named_object.h"
#include "shell/support/ref_ptr.h"

namespace velmo {

class IRSlist;
class ItemTestMemo;
class LPattern;
class LexAnalyzer;
class Match;
class SequenceExp;

class LexRule {
 public:
  LexRule(std::string_view name, std::unique_ptr<LPattern> pattern, LExpPtr action);
  ~LexRule();
  LexRule(const LexRule&) = delete;
  LexRule& operator=(const LexRule&) = delete;

  // (NAME [:precondition EXPR] [:act-on-all-matches] (PATTERN) (ACTION)):
  // null, after a message, when the name, pattern or action is missing.
  static std::unique_ptr<LexRule> read(IRSlist& definition);

  const std::string& name() const { return name_; }
  bool debug() const { return debug_; }
  void toggle_debug() { debug_ = !debug_; }
  bool act_on_all_matches() const { return act_on_all_; }
  void set_act_on_all_matches(bool on) { act_on_all_ = on; }
  void set_precondition(LExpPtr precondition) { precondition_ = std::move(precondition); }
  // A sentence that no gated rule can change skips its scan (see
  // RuleWordGate); a gate is taken only when the pattern changes nothing.
  void set_word_gate(const RuleWordGate& gate);
  bool word_gated() const { return gate_.active(); }

  // Collects every match of the pattern and acts on the first match of each
  // run of matches sharing a high (and on those with the run's low), or on
  // every match with ":act-on-all-matches".
  void apply(LexAnalyzer& analyzer);
  // Whether the action is a (when COND ...) whose COND only reads: COND then
  // runs with the item-test memo's answers kept, and the memo is paused only
  // for the body, when COND holds.
  bool keeps_memo_on_test() const { return reading_when_ != nullptr; }
  // Whether the action can at most delete items: the memo's answers on the
  // items' own vectors then outlive it (see ItemDeletionPause).
  bool only_deletes() const { return only_deletes_; }

 private:
  // Runs the action on one match.
  void act(const Match& match, ItemTestMemo& memo);

  std::string name_;
  std::unique_ptr<LPattern> pattern_;
  LExpPtr action_;
  // The action as a (when COND ...) with a reading COND, or null.
  const SequenceExp* reading_when_ = nullptr;
  bool only_deletes_ = false;
  LExpPtr precondition_;
  RuleWordGate gate_;
  bool act_on_all_ = false;
  bool debug_ = false;
};

class LexRuleList : public NamedObject {
 public:
  static constexpr const char* kTypeText = "LexRuleList";

  void append(std::unique_ptr<LexRule> rule) { rules_.push_back(std::move(rule)); }
  // Inserts the rules, in order, before the first rule named `anchor`
  // (case-sensitive); at the end when there is none.
  void insert_before(std::string_view anchor, std::vector<std::unique_ptr<LexRule>> rules);
  // Toggles the debug flag of every rule, or of those whose name matches the
  // regular expression anchored at the start. False when it does not compile.
  bool toggle_debug(const char* regex = nullptr);
  void apply(LexAnalyzer& analyzer);

  std::size_t size() const { return rules_.size(); }
  LexRule& at(std::size_t i) const { return *rules_[i]; }

 private:
  std::vector<std::unique_ptr<LexRule>> rules_;
};

// A rule applied around a span: a left pattern matched ending just before
// it and a right pattern matched starting just after it; the action sees a
// match covering both sides with the span in the middle. Shared by counted
// references from "llrule" meanings.
class LLRule : public NamedObject, public RefCounted<LLRule> {
 public:
  static constexpr const char* kTypeText = "LLRule";

  LLRule(std::unique_ptr<LPattern> left, std::unique_ptr<LPattern> right, LExpPtr action);
  ~LLRule() override;
  LLRule(const LLRule&) = delete;
  LLRule& operator=(const LLRule&) = delete;

  // (PATTERN-ELEMENT ... [~ PATTERN-ELEMENT ...]) and the action: null
  // after a message when a pattern or the action cannot be built.
  static LLRule* read(IRSlist& elements, IRSlist* action);

  // 1 when the action ran at least once.
  int apply(LexAnalyzer& analyzer, int low, int high);

  // The name space holds one reference.
  void release_from_space() override { drop_ref(this); }

 private:
  std::unique_ptr<LPattern> left_;
  std::unique_ptr<LPattern> right_;
  LExpPtr action_;
};

// A lexicon meaning that refers to an LL rule: (llrule RULENAME).
class LLRuleMeaning final : public Meaning {
 public:
  static constexpr const char* kTypeName = "llrule";

  LLRuleMeaning() = default;
  explicit LLRuleMeaning(LLRule* rule);
  ~LLRuleMeaning() override;

  std::string_view type_name() const override { return kTypeName; }
  void print_body(std::ostream& out) const override;
  std::unique_ptr<Meaning> clone() const override;
  // -2 for another type; 0 only for the very same object.
  int compare(const Meaning& other) const override;
  // Reads the name of a rule made by make-llrule.
  void read_body(IRSlist& elements) override;

  LLRule* rule() const { return rule_; }

 private:
  LLRule* rule_ = nullptr;
  std::string name_;
};

// Registers the "llrule" meaning kind and apply-llrule.
void register_llrule_meaning();

}  // namespace velmo
