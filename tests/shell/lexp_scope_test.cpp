#include <gtest/gtest.h>

#include <string>

#include "lexp_fixture.h"
#include "shell/interpreter/interpreter.h"
#include "shell/interpreter/name_space.h"
#include "shell/lexp/forms.h"
#include "shell/lexp/lexp.h"
#include "shell/lexp/macro.h"
#include "shell/lexp/native.h"
#include "shell/lexp/scope.h"

namespace velmo {
namespace {

class LExpScopeTest : public testing::Test {
 protected:
  void SetUp() override {
    ensure_expression_language();
    register_native(
        "scope-sum", [](Word, Word a, Word b) -> Word { return a + b; }, nullptr, "int", nullptr);
  }
  void TearDown() override { set_debug_macro(std::nullopt); }

  static Word eval(const char* text, Word input = 0, TypeId type = kAnyType) {
    LExpPtr exp = LExp::from_text(text);
    return exp ? exp->eval(input, type) : 0;
  }
  static void run(const char* commands) { Interpreter::instance().execute_string(commands); }
  static std::string expand(const char* macro_name, const char* args_text) {
    StringPool store;
    std::unique_ptr<IRSlist> args = IRSlist::parse(args_text, store);
    Macro* macro = NameSpaces::current()->find_macro(macro_name);
    EXPECT_NE(macro, nullptr);
    std::string text;
    if (macro && args) macro->expand(*args, text);
    return text;
  }
};

// ---- Variable

TEST_F(LExpScopeTest, TypedVariableRefusesAnIncompatibleValue) {
  Variable variable("v", type_id("int"));
  EXPECT_TRUE(variable.assign(3, type_id("int")));
  testing::internal::CaptureStderr();
  EXPECT_FALSE(variable.assign(4, type_id("char*")));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "the variable v is assigned an incompatible type: char*. The expected type is: int\n");
  EXPECT_EQ(variable.value(), 3u);
}

TEST_F(LExpScopeTest, UntypedVariableTakesAnyValue) {
  Variable variable("u", kAnyType);
  EXPECT_TRUE(variable.assign(to_word("one"), type_id("char*")));
  EXPECT_TRUE(variable.assign(2, type_id("int")));
  EXPECT_EQ(variable.value(), 2u);
}

TEST_F(LExpScopeTest, SaveAcceptsAnyTypeUntilRestore) {
  Variable variable("s", type_id("int"));
  variable.assign(5, type_id("int"));
  variable.save();
  EXPECT_EQ(variable.value(), 5u);  // saving keeps the value
  EXPECT_TRUE(variable.assign(to_word("six"), type_id("char*")));
  variable.restore();
  EXPECT_EQ(variable.value(), 5u);
  EXPECT_EQ(variable.type(), type_id("int"));
  variable.restore();  // nothing saved: no change
  EXPECT_EQ(variable.value(), 5u);
}

TEST_F(LExpScopeTest, VariableKeepsItsOwnCopyOfATextOrList) {
  Variable variable("k", kAnyType);
  std::string text = "own copy";
  variable.assign(to_word(text.c_str()), type_id("char*"));
  text = "changed!";
  EXPECT_STREQ(from_word<const char>(variable.value()), "own copy");
  Slist list;
  list.append(1);
  list.append(2);
  variable.assign(to_word(&list), type_id("Slist*"));
  list.clear();
  EXPECT_EQ(from_word<const Slist>(variable.value())->length(), 2u);
}

TEST_F(LExpScopeTest, ValuesGivenUpStayUntilTheTopLevelCommandEnds) {
  DroppedValues::release();
  Variable variable("g", kAnyType);
  variable.assign(to_word("first"), type_id("char*"));
  const char* first = from_word<const char>(variable.value());
  variable.save();
  variable.assign(to_word("second"), type_id("char*"));
  const char* second = from_word<const char>(variable.value());
  variable.restore();  // as a function returning its parameter does
  EXPECT_STREQ(first, "first");
  EXPECT_STREQ(second, "second");
  EXPECT_EQ(DroppedValues::count(), 1u);
  run("(eval (t))");  // a top-level command ends
  EXPECT_EQ(DroppedValues::count(), 0u);
  EXPECT_STREQ(from_word<const char>(variable.value()), "first");
}

// ---- ScopeStack

TEST_F(LExpScopeTest, InnerScopesShadowAndDisappear) {
  ScopeStack& scopes = ScopeStack::instance();
  VariablePtr global = scopes.define_global("scope-shadowed", kAnyType);
  ASSERT_NE(global, nullptr);
  {
    ScopeGuard inner;
    VariablePtr local = scopes.define("SCOPE-SHADOWED", kAnyType);
    ASSERT_NE(local, nullptr);
    EXPECT_EQ(scopes.find("scope-shadowed"), local);
    testing::internal::CaptureStderr();
    EXPECT_EQ(scopes.define("scope-shadowed", kAnyType), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Duplicate definition of scope-shadowed\n");
  }
  EXPECT_EQ(scopes.find("scope-shadowed"), global);
}

// ---- setq, get-val, let

TEST_F(LExpScopeTest, UndefinedVariablesAreReported) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval("(setq scope-nowhere (int 3))"), 3u);
  EXPECT_EQ(eval("(get-val scope-nowhere)"), 0u);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "(setq ... ): the variable scope-nowhere is not defined\n"
            "(get-val ... ): the variable scope-nowhere is not defined\n");
}

TEST_F(LExpScopeTest, SetqWithoutExpressionAssignsTheInput) {
  run("(declare-var scope-input)");
  EXPECT_EQ(eval("(setq scope-input)", 12), 12u);
  EXPECT_EQ(eval("(get-val scope-input)"), 12u);
}

TEST_F(LExpScopeTest, SetqChecksTheTypeOfTheExpression) {
  run("(declare-var scope-typed int)");
  testing::internal::CaptureStderr();
  eval("(setq scope-typed (str abc))");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "the variable scope-typed is assigned an incompatible type: char*. The expected type is: int\n");
  eval("(setq scope-typed (int 9))");
  EXPECT_EQ(eval("(get-val scope-typed)"), 9u);
}

TEST_F(LExpScopeTest, GetValGivesTheValueToItsExpression) {
  run("(declare-var scope-base int (int 20))");
  EXPECT_EQ(eval("(get-val scope-base (scope-sum (ident) (int 1)))"), 21u);
  EXPECT_EQ(LExp::from_text("(get-val scope-base)")->output_type(), type_id("int"));
}

TEST_F(LExpScopeTest, LetRestoresWhatItsBodyAssigned) {
  LExpPtr exp = LExp::from_text("(let (scope-let) (prog1 (get-val scope-let) (setq scope-let (int 5))))");
  ASSERT_NE(exp, nullptr);
  EXPECT_EQ(exp->eval(0, kAnyType), 0u);
  EXPECT_EQ(exp->eval(0, kAnyType), 0u);  // the 5 was undone on exit
}

TEST_F(LExpScopeTest, LetDoesNotRestoreVariablesItDoesNotOwn) {
  run("(declare-var scope-global int (int 1))");
  EXPECT_EQ(eval("(let (scope-own) (setq scope-global (int 5)))"), 5u);
  EXPECT_EQ(eval("(get-val scope-global)"), 5u);
}

TEST_F(LExpScopeTest, LetVariablesMayBeTyped) {
  testing::internal::CaptureStderr();
  LExpPtr exp = LExp::from_text("(let ((scope-tl int)) (setq scope-tl (str x)) (get-val scope-tl))");
  ASSERT_NE(exp, nullptr);
  EXPECT_STREQ(from_word<const char>(exp->eval(0, kAnyType)), "x");
  // Saving on entry lifts the type for the duration of the let.
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(LExpScopeTest, LetKeepsAValueAcrossNestedEvaluationsAndRestoresIt) {
  LExpPtr exp = LExp::from_text(
      "(let ((scope-n int)) (setq scope-n (int 3)) (let (scope-m) (setq scope-n (int 4))) (get-val scope-n))");
  ASSERT_NE(exp, nullptr);
  EXPECT_EQ(exp->eval(0, kAnyType), 4u);  // the inner let does not own scope-n
  EXPECT_EQ(exp->eval(0, kAnyType), 4u);
}

TEST_F(LExpScopeTest, DeclareVarWithExpressionButNoType) {
  testing::internal::CaptureStderr();
  run("(declare-var scope-untyped (int 5))");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "expecting an atom. This is found instead:\n(int 5)\n");
  EXPECT_EQ(eval("(get-val scope-untyped)"), 0u);
  testing::internal::CaptureStderr();
  run("(declare-var scope-untyped)");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Duplicate definition of scope-untyped\n");
}

// ---- defun

TEST_F(LExpScopeTest, FunctionParametersAreDynamicallyScopedAndRestored) {
  run("(defun scope-add (a b) (scope-sum (get-val a) (get-val b)))");
  run("(defun scope-outer (a) (scope-add (get-val a) (int 100)))");
  EXPECT_EQ(eval("(scope-outer (int 5))"), 105u);
  // After the calls the parameters hold their values from before.
  EXPECT_EQ(eval("(scope-add (int 1) (int 2))"), 3u);
}

TEST_F(LExpScopeTest, FunctionSeesTheCallersBindingsDynamically) {
  run("(declare-var scope-dyn)");
  run("(defun scope-peek () (get-val scope-dyn))");
  run("(defun scope-bind (scope-dyn) (scope-peek))");
  // scope-peek resolved the global scope-dyn when built; scope-bind has its own parameter.
  EXPECT_EQ(eval("(scope-bind (int 7))"), 0u);
  run("(defun scope-set (x) (setq scope-dyn (get-val x)) (scope-peek))");
  EXPECT_EQ(eval("(scope-set (int 8))"), 8u);
}

TEST_F(LExpScopeTest, FunctionRunsOnTheCallersInput) {
  run("(defun scope-echo () (ident))");
  EXPECT_EQ(eval("(scope-echo)", 44), 44u);
}

TEST_F(LExpScopeTest, WrongArgumentCountIsReportedAndTheCallYieldsZero) {
  run("(defun scope-pair (a b) (t))");
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval("(scope-pair (int 1) (int 2) (int 3))"), 0u);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "scope-pair requires 2 arguments. 3 found.\n");
}

TEST_F(LExpScopeTest, EmptyFunctionYieldsZeroAndRedefinitionKeepsTheFirst) {
  run("(defun scope-empty ())");
  EXPECT_EQ(eval("(scope-empty)", 5), 0u);
  testing::internal::CaptureStderr();
  run("(defun scope-empty () (t))");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Duplicate definition of scope-empty\n");
  EXPECT_EQ(eval("(scope-empty)", 5), 0u);
}

TEST_F(LExpScopeTest, FunctionBodyCannotCallItself) {
  testing::internal::CaptureStderr();
  run("(defun scope-self () (scope-self))");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "LExp::get_exp:  unknown type: 'scope-self'\n");
}

TEST_F(LExpScopeTest, RecursionThroughCommandsIsBounded) {
  run("(defun scope-loop () (exec-commands (eval (scope-loop))))");
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval("(scope-loop)"), 0u);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("scope-loop: function calls nested more than 1000 levels deep\n"), std::string::npos);
}

// Readers of conditions look through a call of a function without
// parameters whose body is one expression, and into and, or and not.
TEST_F(LExpScopeTest, CallsWithoutParametersShowTheirBody) {
  run("(defun scope-both () (and (t) (nil)))");
  run("(defun scope-two-forms () (t) (nil))");
  run("(defun scope-one-parameter (a) (get-val a))");
  LExpPtr call = LExp::from_text("(scope-both)");
  ASSERT_NE(call, nullptr);
  const LExp* body = call->same_as();
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(body->connective(), LExp::Connective::kAnd);
  ASSERT_NE(body->operands(), nullptr);
  EXPECT_EQ(body->operands()->size(), 2u);
  EXPECT_EQ(call->connective(), LExp::Connective::kNone);
  EXPECT_EQ(LExp::from_text("(scope-two-forms)")->same_as(), nullptr);
  EXPECT_EQ(LExp::from_text("(scope-one-parameter (int 1))")->same_as(), nullptr);
  EXPECT_EQ(LExp::from_text("(or (t))")->connective(), LExp::Connective::kOr);
  EXPECT_EQ(LExp::from_text("(not (t))")->connective(), LExp::Connective::kNot);
  EXPECT_EQ(LExp::from_text("(t)")->operands(), nullptr);
}

// ---- eval and foreach commands

std::string& recorded() {
  static std::string text;
  return text;
}

TEST_F(LExpScopeTest, ForeachEvaluatesOnEachTextAsCharStar) {
  register_native(
      "scope-record",
      [](Word text) -> Word {
        recorded() += from_word<const char>(text);
        recorded() += '|';
        return 0;
      },
      "char*", nullptr, nullptr);
  recorded().clear();
  run("(foreach (alpha \"b c\" (skipped) gamma) :eval (scope-record))");
  EXPECT_EQ(recorded(), "alpha|b c|gamma|");
}

TEST_F(LExpScopeTest, EvalCommandEvaluatesEveryArgumentOnZero) {
  run("(declare-var scope-evals)");
  run("(eval (setq scope-evals (int 1)) (setq scope-evals (is-nil)))");
  EXPECT_EQ(eval("(get-val scope-evals)"), 1u);
}

// ---- macros

TEST_F(LExpScopeTest, MacroSubstitutesParametersCaseInsensitively) {
  run("(defmacro scope-m1 (Var value) (setq VAR value))");
  EXPECT_EQ(expand("scope-m1", "(x (int 3))"), "(setq x (int 3))\n");
}

TEST_F(LExpScopeTest, MacroListParameterSubstitutesOneLinePerElement) {
  run("(defmacro scope-m2 ((items)) (list items))");
  EXPECT_EQ(expand("scope-m2", "((a b c))"), "(list a\nb\nc\n)\n");
  EXPECT_EQ(expand("scope-m2", "(((t) (nil)))"), "(list (t)\n(nil)\n)\n");
}

TEST_F(LExpScopeTest, MacroKeepsQuotedTextsAndOtherTokens) {
  run("(defmacro scope-m3 (x) (foo \"a b\" \"plain\" x :key 1/2 x-y))");
  EXPECT_EQ(expand("scope-m3", "(z)"), "(foo \"a b\" plain z :key 1/2 x-y)\n");
}

TEST_F(LExpScopeTest, MacroWithWrongArgumentCountGoesOn) {
  run("(defmacro scope-m4 (a b) (f a b))");
  testing::internal::CaptureStderr();
  const std::string text = expand("scope-m4", "(1)");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Expecting 2 arguments for for 'scope-m4'. Found: 1\n");
  EXPECT_EQ(text, "(f 1 )\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(expand("scope-m4", "(1 2 3)"), "(f 1 2)\n");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Expecting 2 arguments for for 'scope-m4'. Found: 3\n");
}

TEST_F(LExpScopeTest, MacroRedefinitionKeepsTheFirst) {
  run("(defmacro scope-m5 () (t))");
  testing::internal::CaptureStderr();
  run("(defmacro scope-m5 () (nil))");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Duplicate definition of scope-m5\n");
  EXPECT_EQ(eval("(scope-m5)"), 1u);
}

TEST_F(LExpScopeTest, MacroAsCommand) {
  run("(declare-var scope-cmd)");
  run("(defmacro scope-m6 (v) (eval (setq scope-cmd (int v))))");
  run("(scope-m6 31)");
  EXPECT_EQ(eval("(get-val scope-cmd)"), 31u);
}

TEST_F(LExpScopeTest, DebugMacroShowsExpansions) {
  run("(defmacro scope-m7 (x) (int x))");
  run("(debug-macro scope-M7)");
  testing::internal::CaptureStderr();
  expand("scope-m7", "(1)");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Expand macro: scope-m7\n(int 1)\n\n");
  run("(debug-macro *)");
  testing::internal::CaptureStderr();
  expand("scope-m7", "(2)");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Expand macro: scope-m7\n(int 2)\n\n");
  run("(debug-macro other)");
  testing::internal::CaptureStderr();
  expand("scope-m7", "(3)");
  run("(debug-macro)");
  expand("scope-m7", "(4)");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace velmo
