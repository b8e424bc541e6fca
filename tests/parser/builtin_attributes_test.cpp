#include "parser/grammar/builtin_attributes.h"

#include <gtest/gtest.h>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/attribute_commands.h"
#include "shell/interpreter/interpreter.h"
#include "shell/interpreter/name_space.h"

namespace velmo {
namespace {

class BuiltinAttributesTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    Interpreter& interpreter = Interpreter::instance();
    if (!interpreter.find_command("def-att-list")) register_attribute_commands(interpreter);
    if (!interpreter.find_command("init-attributes")) register_builtin_attribute_commands(interpreter);
  }
  void SetUp() override {
    Interpreter::instance().set_prompt(false);
    NameSpaces::delete_all();
    NameSpaces::set_current("STD");
  }
  void TearDown() override { NameSpaces::delete_all(); }
};

TEST_F(BuiltinAttributesTest, BindsAttributesAndCategoryValuesOfSyn) {
  Interpreter::instance().execute_string(
      "(def-att-list syn (defattribute cat EnumAtt (allowable-values n v p j i d c a x))"
      " (defattribute slash EnumAtt (allowable-values wh rel)) (defattribute trace BinAtt)"
      " (defattribute args BinAtt))"
      "(init-attributes)");
  const BuiltinAttributes& b = builtin_attributes();
  ASSERT_NE(b.type, nullptr);
  EXPECT_EQ(b.cat, 0);
  EXPECT_EQ(b.slash, 1);
  EXPECT_EQ(b.trace, 2);
  EXPECT_EQ(b.args, 3);
  EXPECT_EQ(b.role, -1);
  EXPECT_NE(b.cat_n, b.cat_v);
  EXPECT_NE(b.slash_wh, BuiltinAttributes::kNoValue);
  EXPECT_EQ(b.cat_short_name(b.cat_n), "N");
  EXPECT_EQ(b.cat_short_name(b.cat_d), "Det");
  EXPECT_EQ(b.cat_short_name(b.cat_j), "Conn");
  const Word x = b.type->attribute(b.cat).get_val("x");
  EXPECT_EQ(b.cat_short_name(x), "");
}

TEST_F(BuiltinAttributesTest, DeletingSynResetsTheBinding) {
  Interpreter::instance().execute_string(
      "(def-att-list syn (defattribute cat EnumAtt (allowable-values n v)))"
      "(init-attributes)");
  ASSERT_NE(builtin_attributes().type, nullptr);
  ASSERT_EQ(builtin_attributes().cat, 0);
  NameSpaces::delete_all();
  EXPECT_EQ(builtin_attributes().type, nullptr);
  EXPECT_EQ(builtin_attributes().cat, -1);
  EXPECT_EQ(builtin_attributes().cat_n, BuiltinAttributes::kNoValue);
}

TEST_F(BuiltinAttributesTest, MissingSynIsReportedAndLeavesBindingAlone) {
  builtin_attributes() = BuiltinAttributes{};
  testing::internal::CaptureStderr();
  Interpreter::instance().execute_string("(init-attributes)");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "The named object 'syn' (type=AttInterpreterList) is not found\n");
  EXPECT_EQ(builtin_attributes().type, nullptr);
}

}  // namespace
}  // namespace velmo
