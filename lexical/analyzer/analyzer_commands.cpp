#include "lexical/analyzer/analyzer_commands.h"

#include <cstdlib>
#include <iostream>
#include <memory>
#include <vector>

#include "lexical/analyzer/lex_analyzer.h"
#include "lexical/analyzer/lex_rules.h"
#include "lexical/functions/antecedents.h"
#include "lexical/functions/lexical_functions.h"
#include "lexical/patterns/lpattern.h"
#include "lexicon/lexicon/lexicon.h"
#include "shell/interpreter/interpreter.h"
#include "shell/reader/irslist.h"
#include "shell/interpreter/name_space.h"
#include "shell/support/diagnostics.h"
#include "shell/support/sizes.h"

namespace velmo {

namespace {

Word as_word(const void* object) { return reinterpret_cast<Word>(object); }

constexpr const char* kMakeLexAnalyzerDoc =
    "(make-lex-analyzer <name> <sentence-length>      <name-of-lexicon>      <name-of-ending-list>      "
    "<name-of-lexical-rules>      [ <hook-to-lexical-items> ])     <name> is the name of the lexical item "
    "analyzer.     <sentence-length> is the estimated maximum length of input sentences";
constexpr const char* kDefRulesDoc =
    "(def-rules name rule1 rule2 ...) define a set of lexical rules. If the rule set so name is already defined, "
    "rule1 rule2 ... are appended at the end.";
constexpr const char* kInsertLexRulesDoc =
    "(insert-lex-rules rule-set anchor-rule rule1 ...) define new rules and insert them before the anchor-rule.";
constexpr const char* kDebugRulesDoc = "(debug-rules name-of-rule-set 0|1) set the debugging flag for a rule-set";
constexpr const char* kFocusMarkerDoc = "(set-lex-analyzer-focus-marker ANALYZER MARKER).";
constexpr const char* kPosMarkerDoc = "(set-lex-analyzer-pos-marker ANALYZER MARKER).";
constexpr const char* kMakeLLRuleDoc = "(make-llrule RULENAME PATTERN ACTION)";

LExpPtr expression_after(IRSlist& args, const char* keyword) {
  std::unique_ptr<IRSlist> node = args.take_value_node(keyword, true);
  return node ? LExp::get_exp(node.get()) : nullptr;
}

Word make_lex_analyzer_command(IRSlist& args) {
  long length = static_cast<long>(LexAnalyzer::kDefaultSentenceLength);
  args.integer_after(":suggested-sentence-length", length, true);
  args.take_value(":suggested-sentence-length", true);
  const char* lexicon_name = args.take_value(":lexicon", true);
  const char* rules_name = args.take_value(":lexical-rules", true);
  LExpPtr hook = expression_after(args, ":hook");
  LExpPtr selector = expression_after(args, ":meaning-selector");
  const char* name = args.take_atom();
  if (!name) return 0;
  // Sentences longer than the suggested length still fit: the arrays grow.
  const std::size_t suggested =
      checked_size(":suggested-sentence-length", length, 1, static_cast<std::size_t>(LexAnalyzer::kMaxPositions));
  auto analyzer = std::make_unique<LexAnalyzer>(suggested);
  if (lexicon_name)
    analyzer->set_lexicon(NameSpaces::lookup_as<Lexicon>(lexicon_name, Lexicon::kTypeText));
  else
    diag() << "make-lex-analyzer: no :lexicon given for " << name << '\n' << std::flush;
  if (rules_name) analyzer->set_rules(NameSpaces::lookup_as<LexRuleList>(rules_name, LexRuleList::kTypeText));
  analyzer->set_hook(std::move(hook));
  analyzer->set_meaning_selector(std::move(selector));
  LexAnalyzer* made = NameSpaces::define_owned(name, std::move(analyzer), LexAnalyzer::kTypeText);
  if (made) set_current_lex_analyzer(made);
  return as_word(made);
}

// Every remaining list of `args` read as a rule definition.
std::vector<std::unique_ptr<LexRule>> read_rules(IRSlist& args) {
  std::vector<std::unique_ptr<LexRule>> rules;
  while (std::unique_ptr<IRSlist> definition = args.take_first()) {
    if (!definition->is_list()) continue;
    if (std::unique_ptr<LexRule> rule = LexRule::read(*definition)) rules.push_back(std::move(rule));
  }
  return rules;
}

Word def_rules_command(IRSlist& args) {
  const char* name = args.take_atom();
  if (!name) return 0;
  auto* set = NameSpaces::lookup_as<LexRuleList>(name, LexRuleList::kTypeText, false);
  if (!set) set = NameSpaces::define_owned(name, std::make_unique<LexRuleList>(), LexRuleList::kTypeText);
  if (!set) return 0;
  for (std::unique_ptr<LexRule>& rule : read_rules(args)) set->append(std::move(rule));
  return as_word(set);
}

Word insert_lex_rules_command(IRSlist& args) {
  const char* name = args.take_atom();
  const char* anchor = args.take_atom();
  if (!name) return 0;
  auto* set = NameSpaces::lookup_as<LexRuleList>(name, LexRuleList::kTypeText, false);
  if (!set) {
    diag() << "(insert-lex-rules ...): the lexical rule set '" << name << "' is not defined\n" << std::flush;
    return 0;
  }
  set->insert_before(anchor ? anchor : "", read_rules(args));
  return as_word(set);
}

Word debug_rules_command(IRSlist& args) {
  const char* name = args.take_atom();
  if (!name) return 0;
  auto* set = NameSpaces::lookup_as<LexRuleList>(name, LexRuleList::kTypeText, false);
  if (!set) {
    diag() << "the lexical rules `" << name << "' are not found\n" << std::flush;
    return 0;
  }
  const char* pattern = args.take_atom();
  if (!set->toggle_debug(pattern)) return 0;
  return as_word(set);
}

LexAnalyzer* take_analyzer(IRSlist& args) {
  const char* name = args.take_atom();
  return name ? NameSpaces::lookup_as<LexAnalyzer>(name, LexAnalyzer::kTypeText) : nullptr;
}

Word set_focus_marker_command(IRSlist& args) {
  LexAnalyzer* analyzer = take_analyzer(args);
  const char* marker = args.take_atom();
  if (!analyzer || !marker) return 0;
  analyzer->set_focus_marker(marker[0]);
  return as_word(analyzer);
}

Word set_pos_marker_command(IRSlist& args) {
  LexAnalyzer* analyzer = take_analyzer(args);
  const char* marker = args.take_atom();
  if (!analyzer || !marker) return 0;
  analyzer->set_tag_marker(marker[0]);
  return as_word(analyzer);
}

Word make_llrule_command(IRSlist& args) {
  const char* name = args.take_atom();
  std::unique_ptr<IRSlist> elements = args.take_first();
  std::unique_ptr<IRSlist> action = args.take_first();
  if (!name || !elements) return 0;
  LLRule* rule = LLRule::read(*elements, action.get());
  if (!rule) return 0;
  rule->add_ref();  // the name space's reference
  bool inserted = false;
  NameSpaces::define_owned(name, rule, LLRule::kTypeText, &inserted);
  if (!inserted) {
    LLRule::drop_ref(rule);
    return 0;
  }
  return as_word(rule);
}

}  // namespace

void register_analyzer_commands(Interpreter& interpreter) {
  interpreter.add_command("make-lex-analyzer", &make_lex_analyzer_command, kMakeLexAnalyzerDoc);
  interpreter.add_command("def-rules", &def_rules_command, kDefRulesDoc);
  interpreter.add_command("insert-lex-rules", &insert_lex_rules_command, kInsertLexRulesDoc);
  interpreter.add_command("debug-rules", &debug_rules_command, kDebugRulesDoc);
  interpreter.add_command("set-lex-analyzer-focus-marker", &set_focus_marker_command, kFocusMarkerDoc);
  interpreter.add_command("set-lex-analyzer-pos-marker", &set_pos_marker_command, kPosMarkerDoc);
  interpreter.add_command("make-llrule", &make_llrule_command, kMakeLLRuleDoc);
  register_pattern_kinds();
  register_antecedent_commands(interpreter);
  if (!LExp::find_prototype("apply-llrule")) register_llrule_meaning();
  register_lexical_functions();
}

}  // namespace velmo
