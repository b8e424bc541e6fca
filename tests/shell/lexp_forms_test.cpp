#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "lexp_fixture.h"
#include "shell/lexp/adaptors.h"
#include "shell/lexp/native.h"
#include "shell/reader/tokenizer.h"
#include "shell/interpreter/interpreter.h"
#include "shell/lexp/lexp.h"
#include "shell/lexp/forms.h"
#include "shell/interpreter/name_space.h"

namespace velmo {
namespace {

class LExpFormsTest : public testing::Test {
 protected:
  void SetUp() override { ensure_expression_language(); }

  static LExpPtr build(const char* text) {
    LExpPtr exp = LExp::from_text(text);
    EXPECT_NE(exp, nullptr) << text;
    return exp;
  }
  static Word eval(const char* text, Word input = 0, TypeId type = kAnyType) {
    LExpPtr exp = LExp::from_text(text);
    return exp ? exp->eval(input, type) : 0;
  }
  static void run(const char* commands) { Interpreter::instance().execute_string(commands); }
};

TEST_F(LExpFormsTest, ProgReturnsTheLastResultOrTheInputWhenEmpty) {
  EXPECT_EQ(eval("(prog (int 1) (int 2))"), 2u);
  EXPECT_EQ(eval("(prog)", 9), 9u);
}

TEST_F(LExpFormsTest, ProgLeavesOutArgumentsThatFailToBuild) {
  testing::internal::CaptureStderr();
  LExpPtr exp = build("(prog (int 1) junk (int 2))");
  testing::internal::GetCapturedStderr();
  auto* prog = dynamic_cast<ProgExp*>(exp.get());
  ASSERT_NE(prog, nullptr);
  EXPECT_EQ(prog->items().size(), 2u);
}

TEST_F(LExpFormsTest, Prog1ReturnsTheFirstResultEvenWhenLaterOnesChangeAVariable) {
  run("(declare-var forms-p1 \"int\" (int 4))");
  EXPECT_EQ(eval("(prog1 (get-val forms-p1) (setq forms-p1 (int 8)))"), 4u);
  EXPECT_EQ(eval("(get-val forms-p1)"), 8u);
  EXPECT_EQ(eval("(prog1)", 5), 0u);
}

TEST_F(LExpFormsTest, CompChainsResultsWithTheirTypes) {
  register_adaptor(
      "forms-inc", [](Word v) -> Word { return v + 1; }, "int", "int", nullptr);
  EXPECT_EQ(eval("(comp (int 1) (forms-inc) (forms-inc))"), 3u);
  EXPECT_EQ(eval("(comp)", 6), 6u);
  // The first receives the caller's input and type.
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval("(comp (forms-inc))", 1, type_id("char*")), 0u);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("forms-inc received a wrong type"), std::string::npos);
  EXPECT_EQ(build("(comp (int 1) (str x))")->output_type(), type_id("char*"));
}

TEST_F(LExpFormsTest, IfChoosesABranchAndYieldsZeroWithoutOne) {
  EXPECT_EQ(eval("(if (t) (int 1) (int 2))"), 1u);
  EXPECT_EQ(eval("(if (nil) (int 1) (int 2))"), 2u);
  EXPECT_EQ(eval("(if (nil) (int 1))"), 0u);
  EXPECT_EQ(eval("(if (t))"), 0u);
  EXPECT_EQ(eval("(if (nil))"), 0u);
  EXPECT_EQ(eval("(if (t) (int 1) (int 2) (int 3))"), 1u);
}

TEST_F(LExpFormsTest, WhileRepeatsUntilTheConditionIsZero) {
  register_native(
      "forms-less", [](Word, Word a, Word b) -> Word { return a < b ? 1 : 0; }, nullptr, "int", nullptr);
  register_adaptor(
      "forms-plus1", [](Word v) -> Word { return v + 1; }, nullptr, "int", nullptr);
  run("(declare-var forms-counter)");
  EXPECT_EQ(eval("(while (forms-less (get-val forms-counter) (int 10))"
                 "  (setq forms-counter (get-val forms-counter (forms-plus1))))"),
            0u);
  EXPECT_EQ(eval("(get-val forms-counter)"), 10u);
  EXPECT_EQ(eval("(while)"), 0u);
}

TEST_F(LExpFormsTest, WhenReturnsTheConditionNotTheBody) {
  EXPECT_EQ(eval("(when (int 7) (int 1) (int 2))"), 7u);
  EXPECT_EQ(eval("(when (nil) (int 1))"), 0u);
  EXPECT_EQ(eval("(when)"), 0u);
}

TEST_F(LExpFormsTest, WhenRunsTheBodyOnlyIfTheConditionHolds) {
  run("(declare-var forms-when)");
  eval("(when (nil) (setq forms-when (int 1)))");
  EXPECT_EQ(eval("(get-val forms-when)"), 0u);
  eval("(when (t) (setq forms-when (int 2)))");
  EXPECT_EQ(eval("(get-val forms-when)"), 2u);
}

TEST_F(LExpFormsTest, OneOfGivesEachResultToThePredicate) {
  register_native(
      "forms-is-three", [](Word v) -> Word { return v == 3 ? 30 : 0; }, nullptr, nullptr, nullptr);
  EXPECT_EQ(eval("(one-of (int 1) (int 3) (int 5) :is (forms-is-three))"), 30u);
  EXPECT_EQ(eval("(one-of (int 1) (int 5) :is (forms-is-three))"), 0u);
}

TEST_F(LExpFormsTest, CondRunsTheFirstClauseWhoseConditionHolds) {
  EXPECT_EQ(eval("(cond ((nil) (int 1)) ((t) (int 2) (int 3)) ((t) (int 4)))"), 3u);
  EXPECT_EQ(eval("(cond ((nil) (int 1)) ((int 6)))"), 6u);
  EXPECT_EQ(eval("(cond ((nil) (int 1)))"), 0u);
  EXPECT_EQ(eval("(cond)"), 0u);
}

TEST_F(LExpFormsTest, ListReusesItsOneList) {
  LExpPtr exp = build("(list (ident) (int 2))");
  EXPECT_EQ(exp->output_type(), type_id("Slist*"));
  const Word first = exp->eval(10, kAnyType);
  const Word second = exp->eval(20, kAnyType);
  EXPECT_EQ(first, second);
  const Slist& list = *from_word<Slist>(second);
  ASSERT_EQ(list.length(), 2u);
  Word value = 0;
  ASSERT_TRUE(list.nth(0, value));
  EXPECT_EQ(value, 20u);
  ASSERT_TRUE(list.nth(1, value));
  EXPECT_EQ(value, 2u);
}

TEST_F(LExpFormsTest, NotReturnsItsInputWhenNothingIsTrue) {
  EXPECT_EQ(eval("(not (nil))"), 0u);  // input 0: "true" is the input itself
  EXPECT_EQ(eval("(not (nil))", 42), 42u);
  EXPECT_EQ(eval("(not (t))", 42), 0u);
  EXPECT_EQ(eval("(not (nil) (t))", 42), 0u);
  EXPECT_EQ(eval("(not)"), 1u);
  EXPECT_EQ(eval("(not)", 3), 0u);
}

TEST_F(LExpFormsTest, OrAndAndWithoutSubExpressionsReturnTheInput) {
  EXPECT_EQ(eval("(or)", 5), 5u);
  EXPECT_EQ(eval("(and)", 5), 5u);
  EXPECT_EQ(eval("(xor)", 5), 0u);
}

TEST_F(LExpFormsTest, OrReturnsTheFirstNonZeroResult) {
  EXPECT_EQ(eval("(or (nil) (int 4) (int 5))"), 4u);
  EXPECT_EQ(eval("(or (nil) (nil))", 9), 0u);
}

TEST_F(LExpFormsTest, AndStopsAtTheFirstZeroAndOtherwiseReturnsTheLast) {
  run("(declare-var forms-and)");
  EXPECT_EQ(eval("(and (int 1) (nil) (setq forms-and (int 1)))"), 0u);
  EXPECT_EQ(eval("(get-val forms-and)"), 0u);
  EXPECT_EQ(eval("(and (int 1) (int 2) (int 3))"), 3u);
}

TEST_F(LExpFormsTest, XorCountsTrueResultsAndEvaluatesAll) {
  EXPECT_EQ(eval("(xor (t) (nil) (int 5))"), 0u);
  EXPECT_EQ(eval("(xor (t) (int 9) (int 5))"), 1u);
  EXPECT_EQ(eval("(xor (nil) (int 9))"), 1u);
}

TEST_F(LExpFormsTest, SimpleForms) {
  EXPECT_EQ(eval("(t)", 0), 1u);
  EXPECT_EQ(eval("(nil)", 3), 0u);
  EXPECT_EQ(eval("(is-nil)", 0), 1u);
  EXPECT_EQ(eval("(is-nil)", 3), 0u);
  EXPECT_EQ(eval("(ident)", 33), 33u);
}

TEST_F(LExpFormsTest, EqComparesWordsAndIsFalseWithAMissingSide) {
  EXPECT_EQ(eval("(eq (int 3) (int 3))"), 1u);
  EXPECT_EQ(eval("(eq (int 3) (ident))", 4), 0u);
  EXPECT_EQ(eval("(eq (int 0))"), 0u);
  EXPECT_EQ(eval("(eq)"), 0u);
}

TEST_F(LExpFormsTest, PairPartsPickTheirValueWithItsType) {
  TwoArgs pair{to_word("left"), type_id("char*"), 7, type_id("int")};
  const TypeId pair_type = type_id("TwoArgs*");
  EXPECT_EQ(eval("(1/2)", to_word(&pair), pair_type), to_word("left"));
  EXPECT_EQ(eval("(2/2)", to_word(&pair), pair_type), 7u);
  EXPECT_EQ(eval("(1/2)", 0, pair_type), 0u);
  register_native(
      "forms-int-only", [](Word v) -> Word { return v * 3; }, "int", nullptr, nullptr);
  EXPECT_EQ(eval("(2/2 (forms-int-only))", to_word(&pair), pair_type), 21u);
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval("(1/2 (forms-int-only))", to_word(&pair), pair_type), 0u);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("forms-int-only received a wrong type of argument:'char*'"),
            std::string::npos);
}

TEST_F(LExpFormsTest, QuoteLexpGivesTheTextFormMadeWhenBuilt) {
  LExpPtr exp = build("(quote-lexp (a \"b c\" (d)))");
  EXPECT_STREQ(from_word<const char>(exp->eval(0, kAnyType)), "(a \"b c\" (d))");
  EXPECT_EQ(exp->output_type(), type_id("char*"));
  EXPECT_EQ(eval("(quote-lexp)"), 0u);
}

TEST_F(LExpFormsTest, ExecCommandsRunsItsFormsAtEveryEvaluation) {
  run("(declare-var forms-exec)");
  LExpPtr exp = build("(exec-commands (eval (setq forms-exec (get-val forms-exec (forms-plus-one)))))");
  register_adaptor(
      "forms-plus-one", [](Word v) -> Word { return v + 1; }, nullptr, "int", nullptr);
  EXPECT_EQ(exp->eval(5, kAnyType), 0u);
  EXPECT_EQ(exp->eval(5, kAnyType), 0u);
  EXPECT_EQ(eval("(get-val forms-exec)"), 2u);
  EXPECT_EQ(eval("(exec-commands)"), 0u);
}

TEST_F(LExpFormsTest, OpenFileWritesThroughCreatedDirectoriesAndCloseFileClosesIt) {
  const std::filesystem::path base = std::filesystem::temp_directory_path() / "lexp_forms_open_file";
  std::filesystem::remove_all(base);
  const std::string name = (base / "one/two/out.txt").string();
  register_native(
      "forms-write-hello",
      [](Word stream) -> Word {
        *as_output_stream(stream, ShellTypes::get().stream) << "hello";
        return stream;
      },
      "stream*", "stream*", nullptr);
  EXPECT_EQ(eval("(open-file :write (comp (forms-write-hello) (close-file)))", to_word(name.c_str()), type_id("char*")),
            0u);
  std::ifstream in(name);
  std::string content;
  std::getline(in, content);
  EXPECT_EQ(content, "hello");
  std::filesystem::remove_all(base);
}

TEST_F(LExpFormsTest, OpenFileOnANullNameOrMissingFile) {
  EXPECT_EQ(eval("(open-file)", 0, type_id("char*")), 0u);
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval("(open-file (t))", to_word("/no/such/file"), type_id("char*")), 0u);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Can't open file: /no/such/file\n");
}

TEST_F(LExpFormsTest, CloseFileRefusesWhatOpenFileDidNotOpen) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval("(close-file)", to_word<std::istream>(&std::cin), kAnyType), 0u);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "close-file: the input is not a file opened by open-file\n");
}

TEST_F(LExpFormsTest, SetTokenizerStringInputFeedsANamedTokenizer) {
  static Tokenizer tokenizer(tokenizer_configs::kWhitespace);
  NameSpaces::define("forms-tokenizer", &tokenizer, "Tokenizer/TokenizerBase");
  EXPECT_EQ(eval("(set-tokenizer-string-input forms-tokenizer (str \"alpha beta\"))"), to_word(&tokenizer));
  const char* token = tokenizer.next_significant_token();
  ASSERT_NE(token, nullptr);
  EXPECT_STREQ(token, "alpha");
  EXPECT_EQ(eval("(set-tokenizer-string-input forms-tokenizer (str))"), 0u);
}

TEST_F(LExpFormsTest, SetTokenizerInputReadsTheStreamOfAnExpression) {
  static Tokenizer tokenizer(tokenizer_configs::kWhitespace);
  static std::istringstream source("gamma delta");
  NameSpaces::define("forms-stream-tokenizer", &tokenizer, "Tokenizer/TokenizerBase");
  register_native(
      "forms-source", [](Word) -> Word { return to_word<std::istream>(&source); }, nullptr, nullptr, nullptr);
  EXPECT_EQ(eval("(set-tokenizer-input forms-stream-tokenizer (forms-source))"), to_word(&tokenizer));
  const char* token = tokenizer.next_significant_token();
  ASSERT_NE(token, nullptr);
  EXPECT_STREQ(token, "gamma");
}

}  // namespace
}  // namespace velmo
