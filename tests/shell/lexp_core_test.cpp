#include <gtest/gtest.h>

#include <string>

#include "lexp_fixture.h"
#include "shell/interpreter/interpreter.h"
#include "shell/lexp/adaptors.h"
#include "shell/lexp/lexp.h"
#include "shell/lexp/forms.h"
#include "shell/interpreter/name_space.h"
#include "shell/interpreter/obj_factory.h"
#include "shell/lexp/native.h"

namespace velmo {
namespace {

// Other tests of this program may destroy the factory's prototypes or the
// name spaces; every test starts with both in place.
class LExpCoreTest : public testing::Test {
 protected:
  void SetUp() override { ensure_expression_language(); }

  static Word eval(const char* text, Word input = 0, TypeId type = kAnyType) {
    LExpPtr exp = LExp::from_text(text);
    return exp ? exp->eval(input, type) : 0;
  }
  static std::string text_of(Word value) { return value ? from_word<const char>(value) : "(null)"; }
};

Word add(Word, Word a, Word b) { return a + b; }
Word three(Word, Word a, Word b, Word c) { return a * 100 + b * 10 + c; }
Word four(Word input, Word a, Word b, Word c, Word d) { return input + a + b + c + d; }
Word first_letter(Word input) { return input ? static_cast<Word>(from_word<const char>(input)[0]) : 0; }
Word twice(Word input) { return input * 2; }
Word second_of(Word, Word a) { return a; }

TEST_F(LExpCoreTest, TypeIdsAreStableCaseInsensitiveAndNamed) {
  const TypeId id = type_id("LExpCoreTest*");
  EXPECT_GE(id, 1);
  EXPECT_EQ(type_id("lexpcoretest*"), id);
  EXPECT_EQ(type_name(id), "LExpCoreTest*");
  EXPECT_EQ(type_id(static_cast<const char*>(nullptr)), kAnyType);
  EXPECT_EQ(type_name(kAnyType), "void*");
  EXPECT_GT(type_id("LExpCoreTest2*"), id);
}

TEST_F(LExpCoreTest, UnknownTypeIdIsReportedAndNamesNothing) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(type_name(0), "");
  EXPECT_EQ(type_name(-7), "");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Unknown type id: 0\nUnknown type id: -7\n");
}

TEST_F(LExpCoreTest, AtomWhereAnExpressionIsExpected) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(LExp::from_text("banana"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "LExp::get_exp: banana is not a LExp\n");
}

TEST_F(LExpCoreTest, UnknownNameIsReported) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(LExp::from_text("(no-such-expression 1 2)"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "LExp::get_exp:  unknown type: 'no-such-expression'\n");
}

TEST_F(LExpCoreTest, NoNodeBuildsNothingQuietly) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(LExp::get_exp(nullptr), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(LExpCoreTest, NamesOfExpressionsIgnoreCase) { EXPECT_EQ(eval("(T)"), 1u); }

TEST_F(LExpCoreTest, TwoArgFunctionWithThreeArgumentsGetsZeros) {
  register_native("core-test-add", &add, nullptr, "int", "(core-test-add A B)");
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval("(core-test-add (int 1) (int 2) (int 3))"), 0u);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Incorrect number of arguments in core-test-add. Expected: 2 Actual: 3\n");
  EXPECT_EQ(eval("(core-test-add (int 4) (int 5))"), 9u);
}

TEST_F(LExpCoreTest, MissingArgumentsArePaddedWithZero) {
  register_native("core-test-three", &three, nullptr, nullptr, nullptr);
  EXPECT_EQ(eval("(core-test-three (int 1))"), 100u);
  EXPECT_EQ(eval("(core-test-three (int 1) (int 2))"), 120u);
  EXPECT_EQ(eval("(core-test-three (int 1) (int 2) (int 3))"), 123u);
}

TEST_F(LExpCoreTest, ArgumentThatFailsToBuildCountsAsZeroInItsPosition) {
  register_native("core-test-three-b", &three, nullptr, nullptr, nullptr);
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval("(core-test-three-b (int 1) oops (int 3))"), 103u);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "LExp::get_exp: oops is not a LExp\n");
}

TEST_F(LExpCoreTest, FourArgFunctionReceivesInputAndArguments) {
  register_native("core-test-four", &four, nullptr, nullptr, nullptr);
  EXPECT_EQ(eval("(core-test-four (int 1) (int 2) (int 3) (int 4))", 1000), 1010u);
}

TEST_F(LExpCoreTest, ArgumentsAreEvaluatedOnTheSameInput) {
  register_native("core-test-second", &second_of, nullptr, nullptr, nullptr);
  EXPECT_EQ(eval("(core-test-second (ident))", 77), 77u);
}

TEST_F(LExpCoreTest, ZeroArgFunctionEvaluatesItsArgumentWithoutPassingIt) {
  register_native("core-test-letter", &first_letter, "char*", "int", nullptr);
  ASSERT_TRUE(LExp::find_prototype("core-test-letter"));
  // The argument runs (the assignment is visible) but is not passed on.
  Interpreter::instance().execute_string("(declare-var core-zero-seen)");
  EXPECT_EQ(eval("(core-test-letter (setq core-zero-seen (int 5)))", to_word("xyz"), type_id("char*")),
            static_cast<Word>('x'));
  EXPECT_EQ(eval("(get-val core-zero-seen)"), 5u);
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval("(core-test-letter (t) (t))", to_word("xyz"), type_id("char*")), static_cast<Word>('x'));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Incorrect number of arguments in core-test-letter. Expected: 1 Actual: 2\n");
}

TEST_F(LExpCoreTest, WrongInputTypeIsReportedAndYieldsZero) {
  register_native("core-test-text-only", &first_letter, "char*", "int", nullptr);
  const TypeId lex_item = type_id("LexItem*");
  const TypeId text = type_id("char*");
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval("(core-test-text-only)", to_word("abc"), lex_item), 0u);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "core-test-text-only received a wrong type of argument:'LexItem*' (" + std::to_string(lex_item) +
                ")\nThe expected type of argument is:'char*' (" + std::to_string(text) + ")\n");
  EXPECT_EQ(eval("(core-test-text-only)", to_word("abc"), kAnyType), static_cast<Word>('a'));
}

TEST_F(LExpCoreTest, ArgumentTypesAreRecorded) {
  auto exp =
      std::make_unique<TwoArgExp>("core-typed", &add, "int", "int", std::initializer_list<const char*>{"int", "char*"});
  ASSERT_EQ(exp->arg_types().size(), 2u);
  EXPECT_EQ(exp->arg_types()[1], type_id("char*"));
  EXPECT_EQ(exp->input_type(), type_id("int"));
  LExpPtr copy = exp->clone();
  EXPECT_STREQ(copy->name(), "core-typed");
  EXPECT_EQ(copy->output_type(), type_id("int"));
}

TEST_F(LExpCoreTest, RepeatedRegistrationKeepsTheFirst) {
  ASSERT_TRUE(register_native("core-test-dup", &twice, nullptr, nullptr, nullptr));
  testing::internal::CaptureStderr();
  EXPECT_FALSE(register_native("CORE-TEST-DUP", &add, nullptr, nullptr, nullptr));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Duplicate definition of CORE-TEST-DUP\n");
  EXPECT_EQ(eval("(core-test-dup)", 4), 8u);
}

TEST_F(LExpCoreTest, AdaptorPassesTheConvertedValueToItsInnerExpression) {
  register_adaptor("core-twice", &twice, nullptr, "int", "(core-twice [LEXP])");
  EXPECT_EQ(eval("(core-twice)", 21), 42u);
  EXPECT_EQ(eval("(core-twice (core-twice))", 5), 20u);
  LExpPtr bare = LExp::from_text("(core-twice)");
  EXPECT_EQ(bare->output_type(), type_id("int"));
  LExpPtr wrapped = LExp::from_text("(core-twice (str x))");
  EXPECT_EQ(wrapped->output_type(), type_id("char*"));
}

TEST_F(LExpCoreTest, AdaptorChecksItsInputType) {
  register_adaptor("core-int-twice", &twice, "int", "int", nullptr);
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval("(core-int-twice)", 3, type_id("char*")), 0u);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("core-int-twice received a wrong type of argument:'char*'"),
            std::string::npos);
  EXPECT_EQ(eval("(core-int-twice)", 3, type_id("int")), 6u);
}

TEST_F(LExpCoreTest, StrConstantCopiesItsTextAndIsNullWithoutOne) {
  LExpPtr quoted = LExp::from_text("(str \"a b\")");
  EXPECT_EQ(text_of(quoted->eval(0, kAnyType)), "a b");
  EXPECT_EQ(eval("(str)"), 0u);
  LExpPtr exp = LExp::from_text("(str hello)");
  EXPECT_EQ(exp->output_type(), type_id("char*"));
}

TEST_F(LExpCoreTest, IntConstantReadsALeadingInteger) {
  EXPECT_EQ(eval("(int 42)"), 42u);
  EXPECT_EQ(static_cast<std::intptr_t>(eval("(int -3)")), -3);
  EXPECT_EQ(LExp::from_text("(int 1)")->output_type(), type_id("int"));
}

TEST_F(LExpCoreTest, NamedObjectConstant) {
  struct CoreThing : NamedObject {
    int value = 5;
  };
  static CoreThing object;
  NameSpaces::define("core-test-object", &object, "CoreThing");
  EXPECT_EQ(eval("(named-obj core-test-object CoreThing)"), to_word(&object));
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval("(named-obj core-test-object)"), 0u);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "the type of 'core-test-object' is not defined\n");
}

TEST_F(LExpCoreTest, PredConstantYieldsItsExpression) {
  LExpPtr exp = LExp::from_text("(pred (t))");
  auto* inner = from_word<LExp>(exp->eval(0, kAnyType));
  ASSERT_NE(inner, nullptr);
  EXPECT_STREQ(inner->name(), "t");
  EXPECT_EQ(exp->output_type(), type_id("LExp*"));
}

TEST_F(LExpCoreTest, StreamConstantsFallBackToStandardStreams) {
  EXPECT_EQ(eval("(input)"), to_word<std::istream>(&std::cin));
  EXPECT_EQ(eval("(output -)"), to_word<std::ostream>(&std::cout));
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval("(input /no/such/dir/file)"), to_word<std::istream>(&std::cin));
  EXPECT_EQ(eval("(output /no/such/dir/file)"), to_word<std::ostream>(&std::cout));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Can't open file: /no/such/dir/file\nCan't open file: /no/such/dir/file\n");
}

TEST_F(LExpCoreTest, MacroExpandingToTwoFormsBuildsAProg) {
  Interpreter::instance().execute_string("(defmacro core-two () (int 1) (int 2))");
  LExpPtr exp = LExp::from_text("(core-two)");
  ASSERT_NE(exp, nullptr);
  EXPECT_STREQ(exp->name(), "prog");
  EXPECT_EQ(exp->eval(0, kAnyType), 2u);
}

TEST_F(LExpCoreTest, MacroExpandingToOneFormBuildsIt) {
  Interpreter::instance().execute_string("(defmacro core-one (x) (int x))");
  LExpPtr exp = LExp::from_text("(core-one 7)");
  ASSERT_NE(exp, nullptr);
  EXPECT_STREQ(exp->name(), "int");
  EXPECT_EQ(exp->eval(0, kAnyType), 7u);
}

TEST_F(LExpCoreTest, MacroTakesPrecedenceOverAPrototype) {
  Interpreter::instance().execute_string("(defmacro core-shadow () (int 3))");
  register_native("core-shadow", &twice, nullptr, nullptr, nullptr);
  EXPECT_EQ(eval("(core-shadow)", 100), 3u);
}

TEST_F(LExpCoreTest, DeepNestingIsReportedNotOverflowed) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "(not ";
  for (int i = 0; i < 5000; ++i) text += ")";
  testing::internal::CaptureStderr();
  LExpPtr exp = LExp::from_text(text);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "LExp::get_exp: expression nested more than 1000 levels deep\n");
  ASSERT_NE(exp, nullptr);  // the outer levels are kept, the deepest part is left out
  // A nesting within the bound builds silently.
  std::string fine;
  for (int i = 0; i < 500; ++i) fine += "(prog ";
  fine += "(int 9)";
  for (int i = 0; i < 500; ++i) fine += ")";
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval(fine.c_str()), 9u);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(LExpCoreTest, SelfExpandingMacroStopsAtTheNestingBound) {
  Interpreter::instance().execute_string("(defmacro core-forever () (prog (core-forever)))");
  testing::internal::CaptureStderr();
  LExpPtr exp = LExp::from_text("(core-forever)");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "LExp::get_exp: expression nested more than 1000 levels deep\n");
}

TEST_F(LExpCoreTest, ObjectsListsExpressionsWithTheirDocStrings) {
  std::ostringstream listing;
  ObjFactory::instance().list_objects(listing, "is-nil", "LExp");
  EXPECT_EQ(listing.str(), "is-nil\n(is-nil)\n  Returns true if the input is 0. Returns false otherwise.\n\n");
  std::ostringstream eq;
  ObjFactory::instance().list_objects(eq, "eq$", "LExp");
  EXPECT_EQ(eq.str(), "eq\nNo documentation provided\n\n");
}

}  // namespace
}  // namespace velmo
