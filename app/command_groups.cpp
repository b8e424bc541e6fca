#include "app/command_groups.h"

#include "corpus/corpus_commands.h"
#include "lexical/analyzer/analyzer_commands.h"
#include "lexical/items/ending_commands.h"
#include "lexical/patterns/pattern_commands.h"
#include "lexicon/attributes/attribute_commands.h"
#include "lexicon/lexicon/lexicon_commands.h"
#include "lexicon/tokenizer/tokenizer_commands.h"
#include "parser/grammar/builtin_attributes.h"
#include "parser/grammar/grammar_commands.h"
#include "parser/output/output_commands.h"
#include "shell/interpreter/interpreter.h"
#include "treerules/rules/tree_rules.h"
#include "treerules/functions/tree_functions.h"
#include "shell/interpreter/shell_commands.h"
#include "shell/lexp/lexp.h"
#include "shell/lib/commands.h"

namespace velmo {

void register_command_groups(Interpreter& interpreter) {
  register_shell_commands(interpreter);
  register_tokenizer_commands(interpreter);
  register_expression_commands(interpreter);
  register_library_commands(interpreter);
  register_attribute_commands(interpreter);
  register_lexicon_commands(interpreter);
  register_ending_commands(interpreter);
  register_pattern_commands(interpreter);
  register_analyzer_commands(interpreter);
  register_corpus_commands(interpreter);
  register_builtin_attribute_commands(interpreter);
  register_grammar_commands(interpreter);
  register_output_commands(interpreter);
  register_tree_rule_commands(interpreter);
  register_tree_functions(interpreter);
}

}  // namespace velmo
