#pragma once
// Set-up shared by the parser tests: the commands of the layers below and
// of the parser, the attribute vocabulary of the test grammars (syn.lsp),
// and helpers that run command text and read test grammar files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/attribute_commands.h"
#include "parser/grammar/builtin_attributes.h"
#include "parser/grammar/grammar_commands.h"
#include "parser/grammar/korvel_parser.h"
#include "shell/interpreter/interpreter.h"
#include "shell/lexp/lexp.h"
#include "shell/lib/commands.h"
#include "shell/interpreter/name_space.h"
#include "shell/support/diagnostics.h"

namespace velmo::testing {

inline std::string grammar_text(std::string_view file) {
  const std::filesystem::path path = std::filesystem::path(VELMO_TEST_GRAMMARS) / file;
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class GrammarFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Interpreter& interpreter = Interpreter::instance();
    if (!interpreter.find_command("def-att-list")) register_attribute_commands(interpreter);
    if (!interpreter.find_command("init-attributes")) register_builtin_attribute_commands(interpreter);
    if (!interpreter.find_command("defun")) register_expression_commands(interpreter);
    if (!interpreter.find_command("make-word-list")) register_library_commands(interpreter);
    if (!interpreter.find_command("def-korvel-parser")) register_grammar_commands(interpreter);
  }
  void SetUp() override {
    Interpreter::instance().set_prompt(false);
    NameSpaces::delete_all();
    NameSpaces::set_current("STD");
    run(grammar_text("syn.lsp"));
  }
  void TearDown() override { NameSpaces::delete_all(); }

  static void run(std::string_view text) { Interpreter::instance().execute_string(text); }
  // Runs the text and returns what it wrote on the standard output.
  static std::string output_of(std::string_view text) {
    ::testing::internal::CaptureStdout();
    run(text);
    return ::testing::internal::GetCapturedStdout();
  }
  static std::string errors_of(std::string_view text) {
    std::ostringstream errors;
    ScopedDiagnostics capture(errors);
    run(text);
    return errors.str();
  }

  static KorvelParser& parser() { return *current_parser(); }
  static GCate& cate(std::string_view name) {
    GCate* found = current_parser()->find(name);
    EXPECT_NE(found, nullptr) << name;
    return *found;
  }
  static int att(std::string_view name) { return builtin_attributes().type->index_of(name); }
};

}  // namespace velmo::testing
