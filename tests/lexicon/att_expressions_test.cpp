#include "lexicon/attributes/att_expressions.h"

#include <gtest/gtest.h>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/attribute_commands.h"
#include "shell/interpreter/interpreter.h"
#include "shell/lexp/lexp.h"
#include "shell/interpreter/name_space.h"
#include "shell/support/string_pool.h"

namespace velmo {
namespace {

// Yields the vector it was built with: a stand-in for any expression that
// produces an "AttVec*".
class FixedVecExp : public LExp {
 public:
  FixedVecExp() { set_types(nullptr, kAttVecType); }
  const char* name() const override { return "test-fixed-vec"; }
  LExpPtr clone() const override { return std::make_unique<FixedVecExp>(); }
  Word eval(Word, TypeId) override { return to_word(value); }
  static inline AttVec* value = nullptr;
};

class AttExpressionsTest : public ::testing::Test {
 protected:
  AttExpressionsTest() {
    if (!NameSpaces::current()) NameSpaces::set_current("STD");
    Interpreter& interpreter = Interpreter::instance();
    if (!interpreter.find_command("def-att-list")) register_attribute_commands(interpreter);
    if (!LExp::find_prototype("test-fixed-vec")) register_lexp(std::make_unique<FixedVecExp>());
    interpreter.set_prompt(false);
    if (!AttInterpreterList::find("expr_syn"))
      interpreter.execute_string(
          "(def-att-list expr_syn (defattribute sg BinAtt) (defattribute cat EnumAtt (allowable-values n v))"
          " (defattribute args ListAtt) (defattribute done StackAtt) (defattribute per SmIntAtt))");
    type = AttInterpreterList::find("expr_syn");
  }

  std::unique_ptr<AttVec> vec(std::string_view text) {
    return std::make_unique<AttVec>(type, *IRSlist::parse(text, store));
  }
  Word eval(std::string_view expression, AttVec& input) {
    LExpPtr exp = LExp::from_text(expression);
    EXPECT_NE(exp, nullptr);
    return exp ? exp->eval(to_word(&input), type_id(kAttVecType)) : 0;
  }

  StringPool store;
  AttInterpreterList* type = nullptr;
};

TEST_F(AttExpressionsTest, TypeNamesAreRegistered) {
  EXPECT_GT(type_id(kAttVecType), 0);
  EXPECT_EQ(type_name(type_id("attval")), "AttVal");
  EXPECT_EQ(type_name(type_id(kLBitSetType)), "LBitSet*");
}

TEST_F(AttExpressionsTest, DeleteFromAvlist) {
  auto v = vec("((args ((cat n)) ((cat v))))");
  AttVec shared(*v);
  EXPECT_EQ(eval("(delete-from-avlist args :interpreter expr_syn)", *v), to_word(v.get()));
  EXPECT_EQ(v->text(), "((args ((cat v))))");
  EXPECT_EQ(shared.text(), "((args ((cat n)) ((cat v))))");
  auto none = vec("(+sg)");
  eval("(delete-from-avlist args :interpreter expr_syn)", *none);
  EXPECT_EQ(none->text(), "(+sg)");
}

TEST_F(AttExpressionsTest, MoveAtt) {
  auto v = vec("((args ((cat n)) ((cat v))))");
  eval("(move-att args done :interpreter expr_syn)", *v);
  EXPECT_EQ(v->text(), "((args ((cat v))) (done ((cat n))))");
  eval("(move-att args done :interpreter expr_syn)", *v);
  EXPECT_EQ(v->text(), "((done ((cat n)) ((cat v))))");  // an emptied list goes
}

TEST_F(AttExpressionsTest, InsertAndRotate) {
  auto element = vec("((per 3))");
  FixedVecExp::value = element.get();
  auto v = vec("((args ((cat n)) ((cat v))))");
  AttVec shared(*v);
  eval("(insert-into-avlist args (test-fixed-vec) :interpreter expr_syn)", *v);
  EXPECT_EQ(v->text(), "((args ((per 3)) ((cat n)) ((cat v))))");
  auto w = vec("((args ((cat n)) ((cat v))))");
  eval("(rotate-and-insert-into-avlist args (test-fixed-vec) :interpreter expr_syn)", *w);
  EXPECT_EQ(w->text(), "((args ((per 3)) ((cat v)) ((cat n))))");
  EXPECT_EQ(shared.text(), "((args ((cat n)) ((cat v))))");
  element->set(type->index_of("sg"), 1);  // the lists hold copies
  EXPECT_EQ(v->text(), "((args ((per 3)) ((cat n)) ((cat v))))");
}

TEST_F(AttExpressionsTest, CurrentTypeIsTheDefault) {
  set_current_att_type(type);
  auto v = vec("((args ((cat n))))");
  eval("(delete-from-avlist args)", *v);
  EXPECT_EQ(v->text(), "()");
}

TEST_F(AttExpressionsTest, AttributesThatHoldNoListAreRefused) {
  ::testing::internal::CaptureStderr();
  LExpPtr exp = LExp::from_text("(delete-from-avlist cat :interpreter expr_syn)");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "The attribute cat does not hold a list of vectors\n");
  auto v = vec("((cat n))");
  exp->eval(to_word(v.get()), type_id(kAttVecType));
  EXPECT_EQ(v->text(), "((cat n))");
}

}  // namespace
}  // namespace velmo
