#include "shell/interpreter/interpreter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace velmo {
namespace {

Word g_last_value = 0;
Word first_handler(IRSlist& args) { return g_last_value = static_cast<Word>(args.take_long()); }
Word second_handler(IRSlist&) { return g_last_value = 99; }

TEST(CommandTable, DuplicateRegistrationKeepsFirstHandler) {
  Interpreter& interpreter = Interpreter::instance();
  interpreter.add_command("Test-First", first_handler, "(test-first n)");
  testing::internal::CaptureStderr();
  interpreter.add_command("TEST-FIRST", second_handler, nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Duplicate definition of TEST-FIRST\n");
  EXPECT_EQ(interpreter.find_command("test-first"), first_handler);
  interpreter.add_or_replace_command("test-first", second_handler, nullptr);
  EXPECT_EQ(interpreter.find_command("Test-First"), second_handler);
}

TEST(CommandTable, ExecuteFormReturnsHandlerResult) {
  Interpreter& interpreter = Interpreter::instance();
  interpreter.add_command("test-value", first_handler, nullptr);
  StringPool store;
  IRSlistPtr form = IRSlist::parse("(TEST-VALUE 41)", store);
  EXPECT_EQ(interpreter.execute_form(*form), 41u);
  IRSlistPtr unknown = IRSlist::parse("(test-nothing-here x (y))", store);
  testing::internal::CaptureStderr();
  EXPECT_EQ(interpreter.execute_form(*unknown), 0u);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "unknown function test-nothing-here\nx (y)\n");
}

TEST(CommandTable, ExecuteFormsRunsEachListElement) {
  Interpreter& interpreter = Interpreter::instance();
  interpreter.add_command("test-set", first_handler, nullptr);
  StringPool store;
  IRSlistPtr forms = IRSlist::parse("((test-set 1) atom (test-set 5))", store);
  interpreter.execute_forms(*forms);
  EXPECT_EQ(g_last_value, 5u);
  EXPECT_EQ(forms->length(), 0u);
}

TEST(HelpListing, AnchoredSortedAndUndocumented) {
  std::ostringstream out;
  print_help_listing(out, {{"beta", nullptr}, {"alphaZ", "(alpha) first"}, {"Alphabet", "(alphabet)"}, {"xalpha", ""}},
                     "[Aa]lpha");
  EXPECT_EQ(out.str(), "Alphabet\n(alphabet)\n\nalphaZ\n(alpha) first\n\n");
  std::ostringstream all;
  print_help_listing(all, {{"b", nullptr}, {"A", "a"}}, nullptr);
  EXPECT_EQ(all.str(), "A\na\n\nb\nNo documentation provided\n\n");
  std::ostringstream anywhere;
  print_help_listing(anywhere, {{"def-tree-rules", nullptr}, {"tree", nullptr}, {"other", nullptr}}, ".*tree");
  EXPECT_EQ(anywhere.str(), "def-tree-rules\nNo documentation provided\n\ntree\nNo documentation provided\n\n");
}

class SearchPathTest : public testing::Test {
 protected:
  void SetUp() override {
    root_ = std::filesystem::temp_directory_path() / ("velmo_path_" + std::to_string(::getpid()));
    std::filesystem::create_directories(root_ / "a" / "sub");
    std::ofstream(root_ / "a" / "sub" / "f.lsp") << "(echo x)\n";
    std::ofstream(root_ / "top.lsp") << "\n";
  }
  void TearDown() override { std::filesystem::remove_all(root_); }
  std::filesystem::path root_;
};

TEST_F(SearchPathTest, SetAddsDotFirstAndDropsEmptyPieces) {
  SearchPath path;
  path.set("a:b::a", ":");
  EXPECT_EQ(path.directories(), (std::vector<std::string>{".", "a", "b"}));
}

TEST_F(SearchPathTest, FindTriesNameAsWrittenThenDirectoriesAndSetsLastFound) {
  SearchPath path;
  path.add(root_.string());
  path.add((root_ / "a").string());
  const auto found = path.find("sub/f.lsp");
  ASSERT_TRUE(found);
  EXPECT_EQ(*found, (root_ / "a" / "sub" / "f.lsp").string());
  EXPECT_EQ(path.last_found_directory(), (root_ / "a").string() + "/sub/");
  EXPECT_EQ(path.directories().front(), "");
  const auto direct = path.find((root_ / "top.lsp").string());
  ASSERT_TRUE(direct);
  EXPECT_EQ(path.last_found_directory(), root_.string() + "/");
  EXPECT_FALSE(path.find("sub"));  // directories are not files
}

TEST_F(SearchPathTest, OpenMessages) {
  SearchPath path;
  testing::internal::CaptureStderr();
  EXPECT_EQ(path.open("velmo-no-such-file.lsp"), nullptr);
  EXPECT_EQ(path.open("$HOME/x"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "The file velmo-no-such-file.lsp cannot be opened\n"
            "syntax error in $HOME/x\n"
            "The file $HOME/x cannot be opened\n");
}

TEST(EnvironmentReferences, ExpandAndReportSyntaxErrors) {
  ::setenv("VELMO_TEST_DIR", "dir", 1);
  ::unsetenv("VELMO_TEST_UNSET");
  EXPECT_EQ(expand_environment("$(VELMO_TEST_DIR)/x$(VELMO_TEST_UNSET).lsp"), "dir/x.lsp");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(expand_environment("a$(UNCLOSED"));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "syntax error in a$(UNCLOSED\n");
}

}  // namespace
}  // namespace velmo
