#include "lexicon/attributes/attribute_commands.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "lexicon/attributes/alias_set.h"
#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_vec.h"
#include "shell/interpreter/interpreter.h"
#include "shell/interpreter/name_space.h"

namespace velmo {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::CaptureStdout;
using ::testing::internal::GetCapturedStderr;
using ::testing::internal::GetCapturedStdout;

class AttCommandsTest : public ::testing::Test {
 protected:
  AttCommandsTest() : interpreter(Interpreter::instance()) {
    if (!NameSpaces::current()) NameSpaces::set_current("STD");
    if (!interpreter.find_command("def-att-list")) register_attribute_commands(interpreter);
    interpreter.set_prompt(false);
  }

  void run(std::string_view text) { interpreter.execute_string(text); }
  std::string err_of(std::string_view text) {
    CaptureStderr();
    run(text);
    return GetCapturedStderr();
  }
  std::string out_of(std::string_view text) {
    CaptureStdout();
    run(text);
    return GetCapturedStdout();
  }
  // Declares a small type under `name` and makes it current.
  void declare(std::string_view name) {
    run("(def-att-list " + std::string(name) +
        " (defattribute sg BinAtt) (defattribute per SmIntAtt)"
        " (defattribute cat EnumAtt (allowable-values n v)) (defattribute agr VecAtt))");
  }

  Interpreter& interpreter;
};

TEST_F(AttCommandsTest, DefAttListDeclaresAndMakesCurrent) {
  declare("cmd_types");
  AttInterpreterList* type = AttInterpreterList::find("cmd_types");
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(current_att_type(), type);
  EXPECT_EQ(type->count(), 4);
  EXPECT_EQ(type->index_of("cat"), 2);
}

TEST_F(AttCommandsTest, DefAttListAddsToAnExistingType) {
  declare("cmd_grow");
  run("(def-att-list cmd_grow (defattribute late IntAtt) (echo between) (defattribute sg BinAtt))");
  const AttInterpreterList* type = AttInterpreterList::find("cmd_grow");
  EXPECT_EQ(type->count(), 5);
  EXPECT_EQ(type->index_of("late"), 4);
}

TEST_F(AttCommandsTest, DeclarationErrors) {
  EXPECT_EQ(err_of("(defattribute onlyname)"), "Missing argument: (defattribute <name> <type>)\n");
  EXPECT_EQ(err_of("(def-att-list)"), "Missing arguments in (def-att-list <name> ...)\n");
  EXPECT_EQ(err_of("(def-att-list cmd_err (defattribute a NoSuchAtt) (defattribute b BinAtt) (defattribute b IntAtt))"),
            "AttInterpreter::get_attitp:  unknown type: NoSuchAtt\nMutiplely defined attribute: b\n");
  EXPECT_EQ(AttInterpreterList::find("cmd_err")->count(), 1);
}

TEST_F(AttCommandsTest, PrototypesAreRegisteredUnderTheFactoryClass) {
  EXPECT_EQ(err_of("(def-att-list cmd_all (defattribute a BinAtt) (defattribute b SmIntAtt) (defattribute c EnumAtt)"
                   " (defattribute d Disj8Att) (defattribute e IntAtt) (defattribute f StrAtt) (defattribute g EntAtt)"
                   " (defattribute h DisjAtt) (defattribute i TraceAtt) (defattribute j ListAtt)"
                   " (defattribute k StackAtt) (defattribute l VecAtt))"),
            "");
  const AttInterpreterList* type = AttInterpreterList::find("cmd_all");
  ASSERT_EQ(type->count(), 12);
  EXPECT_STREQ(type->attribute(11).type_name(), "VecAtt");
}

TEST_F(AttCommandsTest, SetAttItpList) {
  declare("cmd_first");
  declare("cmd_second");
  run("(set-att-itp-list cmd_first)");
  EXPECT_EQ(current_att_type(), AttInterpreterList::find("cmd_first"));
  CaptureStderr();
  run("(set-att-itp-list cmd_missing)");
  GetCapturedStderr();
  EXPECT_EQ(current_att_type(), nullptr);
}

TEST_F(AttCommandsTest, AliasesAndPrinting) {
  declare("cmd_alias");
  run("(alias sg3 (make-av (+sg (per 3))))"
      "(alias noun (make-av cmd_alias ((cat n))))"
      "(alias nsg3 (make-av (sg3 (cat n))))");
  EXPECT_EQ(out_of("(print-alias *)"), "nsg3: (+sg (per 3) (cat n))\nsg3: (+sg (per 3))\nnoun: ((cat n))\n");
  EXPECT_EQ(out_of("(print-alias sg3)"), "(+sg (per 3))\n");
  EXPECT_EQ(out_of("(print-alias)"), "");
  EXPECT_EQ(err_of("(print-alias nope)"), "nope is not an alias\n");
}

TEST_F(AttCommandsTest, AliasWithTypeNameReadsTheVectorDirectly) {
  declare("cmd_alias_typed");
  run("(alias pl cmd_alias_typed (-sg))");
  EXPECT_EQ(out_of("(print-alias pl)"), "(-sg)\n");
}

TEST_F(AttCommandsTest, AliasIgnoresResultsThatAreNoVectors) {
  declare("cmd_alias_bad");
  CaptureStdout();
  run("(alias odd (echo hello))(alias odd2 (def-att-set cmd_alias_bad s sg))");
  GetCapturedStdout();
  EXPECT_TRUE(AttInterpreterList::find("cmd_alias_bad")->aliases().empty());
}

TEST_F(AttCommandsTest, ClearAliasNeedsAnArgument) {
  declare("cmd_clear");
  run("(alias sg3 (make-av (+sg (per 3))))(clear-alias)");
  EXPECT_EQ(AttInterpreterList::find("cmd_clear")->aliases().size(), 1u);
  run("(clear-alias x)");
  EXPECT_TRUE(AttInterpreterList::find("cmd_clear")->aliases().empty());
}

TEST_F(AttCommandsTest, MakeAvWithoutType) {
  run("(set-att-itp-list)");
  EXPECT_EQ(err_of("(make-av (+sg))"), "Creating AttVec with nil Interpreter\n");
}

TEST_F(AttCommandsTest, DefAttSet) {
  declare("cmd_set");
  EXPECT_EQ(err_of("(def-att-set)"), "(def-att-set type-of-attvec name att1 att2 ... attn)\n");
  EXPECT_EQ(err_of("(def-att-set cmd_set s1 +sg ~cat bogus)"),
            "AttInterpreterList::make_att_set bogus is not an attribute name\n");
  const LBitSet* set = AttInterpreterList::find("cmd_set")->find_att_set("s1");
  ASSERT_NE(set, nullptr);
  EXPECT_EQ(set->word(0), 0b101u);
  EXPECT_EQ(err_of("(def-att-set cmd_set s1 per)"), "Duplicate definition of s1\n");
}

TEST_F(AttCommandsTest, DefineAttributeAddsToTheCurrentType) {
  declare("cmd_define");
  run("(define-attribute extra IntAtt)");
  EXPECT_EQ(AttInterpreterList::find("cmd_define")->index_of("extra"), 4);
}

TEST_F(AttCommandsTest, LookupsByTypeName) {
  declare("cmd_lookup");
  EXPECT_EQ(AttInterpreterList::att_index("cmd_lookup", "+cat"), 2);
  EXPECT_EQ(AttInterpreterList::get_att("cmd_lookup", "cat", "v"), 2u);
  CaptureStderr();
  EXPECT_EQ(AttInterpreterList::att_index("cmd_lookup", "nope"), -1);
  EXPECT_EQ(AttInterpreterList::att_index("cmd_nolist", "cat"), -1);
  EXPECT_EQ(AttInterpreterList::get_att("cmd_lookup", "nope", "v"), 0u);
  EXPECT_EQ(AttInterpreterList::get_att("cmd_nolist", "cat", "v"), 0u);
  EXPECT_EQ(GetCapturedStderr(),
            "AttInterpreterList::get_att(\"cmd_lookup\", \"nope\"): \n\"nope\" is not an attribute\n"
            "AttInterpreterList::get_att(\"cmd_nolist\", \"cat\"): \n\"cmd_nolist\" is not a type of attribute "
            "value vector\n"
            "AttInterpreterList::get_att(\"cmd_lookup\", \"nope\"): \nnope is not an attribute\n"
            "AttInterpreterList::get_att(\"cmd_nolist\", \"cat\"): \ncmd_nolist is not a type of attribute value "
            "vector\n");
}

class AttFileCommandsTest : public AttCommandsTest {
 protected:
  AttFileCommandsTest() {
    char pattern[] = "/tmp/att_cmd_XXXXXX";
    dir = mkdtemp(pattern);
    saved_path = interpreter.search_path().directories();
    interpreter.search_path().set(dir, ":");
  }
  ~AttFileCommandsTest() override {
    for (const char* name : {"/al.dat", "/al", "/fallback.lsp"}) std::remove((dir + name).c_str());
    rmdir(dir.c_str());
    interpreter.search_path().clear();
    for (const std::string& d : saved_path) interpreter.search_path().add_raw(d);
  }
  std::string dir;
  std::vector<std::string> saved_path;
};

TEST_F(AttFileCommandsTest, SaveThenLoadFindsOnlyANameEndingInDat) {
  declare("cmd_files");
  run("(alias sg3 (make-av (+sg (per 3))))");
  run("(save-aliases " + dir + "/al)");
  run("(save-aliases " + dir + "/al.dat)");
  run("(clear-alias x)");
  run("(load-aliases al)");
  EXPECT_EQ(out_of("(print-alias *)"), "sg3: (+sg (per 3))\n");
}

TEST_F(AttFileCommandsTest, LoadFallsBackToACommandFile) {
  declare("cmd_fallback");
  std::ofstream(dir + "/fallback.lsp") << "(alias pl (make-av (-sg)))\n";
  run("(load-aliases fallback)");
  EXPECT_EQ(out_of("(print-alias *)"), "pl: (-sg)\n");
  EXPECT_EQ(err_of("(load-aliases nothing-here)"), "");
}

}  // namespace
}  // namespace velmo
