#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/attribute_commands.h"
#include "parser/forest/deps.h"
#include "parser/output/print_tree.h"
#include "parser/output/quoting.h"
#include "parser/output/result_format.h"
#include "shell/interpreter/interpreter.h"
#include "shell/interpreter/name_space.h"
#include "shell/reader/irslist.h"
#include "shell/support/string_pool.h"

namespace velmo {
namespace {

class OutputFormatsTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    Interpreter& interpreter = Interpreter::instance();
    if (!interpreter.find_command("def-att-list")) register_attribute_commands(interpreter);
  }
  void SetUp() override {
    Interpreter::instance().set_prompt(false);
    NameSpaces::delete_all();
    NameSpaces::set_current("STD");
    Interpreter::instance().execute_string(
        "(def-att-list syn (defattribute cat EnumAtt (allowable-values n v))"
        " (defattribute num EnumAtt (allowable-values sg pl)))");
    syn_ = AttInterpreterList::find("syn");
    ASSERT_NE(syn_, nullptr);
    result_format_flags() = ResultFormatFlags{};
  }
  void TearDown() override {
    result_format_flags() = ResultFormatFlags{};
    holder_.reset();  // the attribute vectors go before their type
    NameSpaces::delete_all();
  }

  std::unique_ptr<AttVec> vec(const char* text) {
    StringPool store;
    auto list = IRSlist::parse(text, store);
    return std::make_unique<AttVec>(syn_, *list);
  }

  // Ann sees Bob: sees under the top node, Ann (s) and Bob (obj) under it.
  void build_worked_example() {
    deps_.add_word("", "");
    deps_.add_word("Ann", "");
    deps_.add_word("sees", " ");
    deps_.add_word("Bob", " ");
    DepTree* top = deps_.new_node(-1, -1, -1);
    deps_.set_root(top);
    DepTree* sees = word_node(2, "see", "V", nullptr);
    top->append(sees);
    DepTree* ann = word_node(1, "Ann", "N", "s");
    ann->set_atts(vec("((cat n) (num sg))").get());
    sees->add_child_in_order(ann);
    sees->add_child_in_order(word_node(3, "Bob", "N", "obj"));
  }

  DepTree* word_node(int position, const char* root, const char* category, const char* relation) {
    DepTree* node = deps_.new_node(position, position, position);
    if (root) node->set_root(root);
    if (category) node->set_category(category);
    if (relation) node->set_relation(relation);
    return node;
  }

  std::string dependency(const std::vector<int>* shown = nullptr, const char* designator = "()") {
    PrintTree tree;
    tree.copy_from(deps_, shown);
    std::string out;
    print_dependency_format(out, tree, designator);
    return out;
  }

  AttInterpreterList* syn_ = nullptr;
  std::unique_ptr<Deps> holder_ = std::make_unique<Deps>();
  Deps& deps_ = *holder_;
};

TEST_F(OutputFormatsTest, WorkedExampleInTheDependencyFormat) {
  build_worked_example();
  EXPECT_EQ(dependency(),
            "(\n"
            "1\t(Ann\t~ N\t2\ts\t(gov see))\n"
            "2\t(sees\tsee V\t*\t)\n"
            "3\t(Bob\t~ N\t2\tobj\t(gov see))\n"
            ")");
}

// A node given a vector again (the tree reader gives a word node its own
// item's vector, then those of the items it heads) keeps a copy of the
// last one, apart from its source; no vector clears it.
TEST_F(OutputFormatsTest, ANodeGivenAVectorAgainKeepsACopyOfTheLast) {
  DepTree* node = deps_.new_node(1, 1, 1);
  auto noun = vec("((cat n) (num sg))");
  auto verb = vec("((cat v) (num pl))");
  node->set_atts(noun.get());
  node->set_atts(verb.get());
  ASSERT_NE(node->atts(), nullptr);
  EXPECT_NE(node->atts(), verb.get());
  EXPECT_TRUE(node->atts()->equals(*verb));
  EXPECT_FALSE(node->atts()->equals(*noun));
  noun.reset();
  verb.reset();
  EXPECT_TRUE(node->atts()->equals(*vec("((cat v) (num pl))")));
  node->set_atts(nullptr);
  EXPECT_EQ(node->atts(), nullptr);
}

// A node recycled for the next sentence has no vector until it is given
// one; then the block of its earlier vector of the same type serves again,
// holding the new values only.
TEST_F(OutputFormatsTest, ARecycledNodeReusesItsVectorsBlockForTheNextSentence) {
  DepTree* node = deps_.new_node(1, 1, 1);
  node->set_atts(vec("((cat n) (num sg))").get());
  const AttVec* block = node->atts();
  deps_.reset();
  DepTree* again = deps_.new_node(2, 2, 2);
  ASSERT_EQ(again, node);
  EXPECT_EQ(again->atts(), nullptr);
  again->set_atts(vec("((cat v))").get());
  EXPECT_EQ(again->atts(), block);
  EXPECT_TRUE(again->atts()->equals(*vec("((cat v))")));
  EXPECT_FALSE(again->atts()->equals(*vec("((cat v) (num sg))")));
}

TEST_F(OutputFormatsTest, WorkedExampleWithShownAttributesAndAsTriples) {
  build_worked_example();
  const std::vector<int> shown{syn_->index_of("num")};
  const std::string out = dependency(&shown);
  EXPECT_NE(out.find("1\t(Ann\t~ N\t2\ts\t(gov see)\t(atts (num sg)))\n"), std::string::npos) << out;
  EXPECT_NE(out.find("3\t(Bob\t~ N\t2\tobj\t(gov see))\n"), std::string::npos) << out;
  PrintTree tree;
  tree.copy_from(deps_, nullptr);
  std::string triples;
  print_triples_format(triples, tree);
  EXPECT_EQ(triples, "see\tV:s:N\tAnn\nsee\tV:obj:N\tBob\n");
}

TEST_F(OutputFormatsTest, ShownAttributesComeInIndexOrder) {
  build_worked_example();
  const std::vector<int> shown{syn_->index_of("num"), syn_->index_of("cat")};
  EXPECT_NE(dependency(&shown).find("(atts (cat n) (num sg))"), std::string::npos);
}

TEST_F(OutputFormatsTest, ATreeWithoutNodesPrintsTheParenthesesOnly) {
  EXPECT_EQ(dependency(), "(\n)");
  DepTree* top = deps_.new_node(-1, -1, -1);
  deps_.set_root(top);
  EXPECT_EQ(dependency(), "(\n)");
}

TEST_F(OutputFormatsTest, FragmentsHangUnderAWordlessNodeWithAnELabel) {
  deps_.add_word("", "");
  deps_.add_word("Ann", "");
  deps_.add_word("Bob", " ");
  DepTree* top = deps_.new_node(-1, -1, -1);
  deps_.set_root(top);
  DepTree* fragments = deps_.new_node(1, 2, -1);
  top->append(fragments);
  fragments->add_child_in_order(word_node(2, "Bob", "N", nullptr));
  fragments->add_child_in_order(word_node(1, "Ann", "N", nullptr));
  // The top node takes E0, the fragment node E1; the fragment node comes
  // right before its first child that does not lie before it.
  EXPECT_EQ(dependency(),
            "(\n"
            "E1\t(()\t U\t*\t)\n"
            "1\t(Ann\t~ N\tE1\t)\n"
            "2\t(Bob\t~ N\tE1\t)\n"
            ")");
}

TEST_F(OutputFormatsTest, EmptyNodesAntecedentsAndTheDesignator) {
  deps_.add_word("", "");
  deps_.add_word("Ann", "");
  deps_.add_word("tries", " ");
  deps_.add_word("to", " ");
  deps_.add_word("leave", " ");
  DepTree* top = deps_.new_node(-1, -1, -1);
  deps_.set_root(top);
  DepTree* tries = word_node(2, "try", "V", nullptr);
  top->append(tries);
  DepTree* ann = word_node(1, "Ann", "N", "subj");
  tries->add_child_in_order(ann);
  DepTree* leave = word_node(4, "leave", "V", "comp");
  tries->add_child_in_order(leave);
  leave->add_child_in_order(word_node(3, "to", "I", "aux"));
  DepTree* empty = deps_.new_node(5, 4, -1);
  empty->set_root("Ann");
  empty->set_category("N");
  empty->set_relation("subj");
  empty->set_antecedent(ann);
  leave->add_child_in_order(empty);
  EXPECT_EQ(dependency(nullptr, "[e]"),
            "(\n"
            "1\t(Ann\t~ N\t2\tsubj\t(gov try))\n"
            "2\t(tries\ttry V\t*\t)\n"
            "3\t(to\t~ I\t4\taux\t(gov leave))\n"
            "4\t(leave\t~ V\t2\tcomp\t(gov try))\n"
            "E1\t([e]\tAnn N\t4\tsubj\t(gov leave)\t(antecedent 1))\n"
            ")");
}

TEST_F(OutputFormatsTest, WordsWithBlanksAreQuotedAndTheirRootsShortened) {
  deps_.add_word("", "");
  deps_.add_word("New", "");
  deps_.add_word("York", " ");
  DepTree* top = deps_.new_node(-1, -1, -1);
  deps_.set_root(top);
  DepTree* york = deps_.new_node(1, 2, 2);
  york->set_root("new york");
  york->set_category("N");
  top->append(york);
  DepTree* new_word = word_node(1, nullptr, nullptr, "lex-mod");
  york->add_child_in_order(new_word);
  EXPECT_EQ(dependency(),
            "(\n"
            "1\t(New\t U\t2\tlex-mod\t(gov \"new york\"))\n"
            "2\t(\"New York\"\t~ N\t*\t)\n"
            ")");
}

TEST(TreeQuoting, SpecialBytesAreQuotedAndEscaped) {
  std::string out;
  append_tree_quoted(out, "plain");
  EXPECT_EQ(out, "plain");
  for (const char* text : {"a b", "a\tb", "a;b", "(x)", "caf\xc3\xa9", "a\\b", "say \"hi\""}) {
    out.clear();
    append_tree_quoted(out, text);
    EXPECT_EQ(out.front(), '"') << text;
  }
  out.clear();
  append_tree_quoted(out, "say \"a\\b\"");
  EXPECT_EQ(out, "\"say \\\"a\\\\b\\\"\"");
  out.clear();
  append_tree_quoted(out, "1,000");
  EXPECT_EQ(out, "1,000");
  out.clear();
  append_tree_quoted(out, "1,000", true);
  EXPECT_EQ(out, "\"1,000\"");
  out.clear();
  append_nested_word(out, "\"");
  EXPECT_EQ(out, " \"\\\"\"");
  out.clear();
  append_nested_word(out, "New York");
  EXPECT_EQ(out, " \"New York\"");
}

TEST_F(OutputFormatsTest, TriplesSkipNodesWithoutRelationButVisitTheirChildren) {
  deps_.add_word("", "");
  deps_.add_word("big", "");
  deps_.add_word("dog", " ");
  DepTree* top = deps_.new_node(-1, -1, -1);
  deps_.set_root(top);
  DepTree* dog = word_node(2, "dog", "N", nullptr);  // no relation: no line
  top->append(dog);
  dog->add_child_in_order(word_node(1, nullptr, nullptr, "mod"));  // no root, no category
  PrintTree tree;
  tree.copy_from(deps_, nullptr);
  std::string out;
  print_triples_format(out, tree);
  EXPECT_EQ(out, "dog\tN:mod:\t\n");
}

TEST_F(OutputFormatsTest, NestedFormat) {
  build_worked_example();
  PrintTree tree;
  tree.copy_from(deps_, nullptr);
  std::string out;
  print_nested_format(out, tree);
  EXPECT_EQ(out,
            "(\n"
            "  (V sees (root see)\n"
            "    (N Ann (root Ann) (relation s))\n"
            "    (N Bob (root Bob) (relation obj))))\n");
}

TEST_F(OutputFormatsTest, ResultFormatWithGapsWeightsAndProperties) {
  deps_.add_word("", "");
  deps_.add_word("Ann", "");
  deps_.add_word("sees", " ");
  deps_.add_word("Bob", " ");
  deps_.add_word("'s", "");
  deps_.add_word("dog", " ");
  deps_.add_word(".", "");
  deps_.set_id("7");
  DepTree* top = deps_.new_node(-1, -1, -1);
  deps_.set_root(top);
  DepTree* sees = word_node(2, "see", "V", nullptr);
  sees->set_weight(1.5f);
  top->append(sees);
  DepTree* bob = word_node(3, "Bob", "N", "poss");
  bob->set_weight(0.25f);
  DepTree* dog = word_node(5, "dog", "N", "obj");
  sees->add_child_in_order(dog);
  dog->add_child_in_order(bob);
  dog->set_property("ckroot", "yes");
  result_format_flags().print_gov = true;
  result_format_flags().print_deptree_weight = true;
  std::string out;
  print_result_format(out, deps_, nullptr);
  EXPECT_EQ(out,
            "(:id 7 ;;total-weight 1.75\n"
            "1\t(Ann)\n"
            "2\t(sees\tsee V\t* (w 1.5))\n"
            "3\t(Bob\t~ N\t5\tposs\t(gov dog) (w 0.25)) :nogap\n"
            "4\t('s)\n"
            "5\t(dog\t~ N\t2\tobj\t(gov see) (ckroot yes) (w 0)) :nogap\n"
            "6\t(.)\n"
            ")\n");
}

TEST_F(OutputFormatsTest, ResultFormatAssertionsAndAttributes) {
  build_worked_example();
  deps_.add_assertion("(likes Ann Bob)");
  deps_.set_id("");
  const std::vector<int> shown{syn_->index_of("num")};
  std::string out;
  print_result_format(out, deps_, &shown);
  EXPECT_EQ(out,
            "(\n"
            "1\t(Ann\t~ N\t2\ts\t(atts (num sg)))\n"
            "2\t(sees\tsee V\t*)\n"
            "3\t(Bob\t~ N\t2\tobj)\n"
            "assertions: (\n"
            " (likes Ann Bob)\n"
            " )\n"
            ")\n");
}

}  // namespace
}  // namespace velmo

#include "lexicon/attributes/byte_cursor.h"
#include "parser/forest/stored_deps.h"
#include "shell/support/str_bufs.h"

namespace velmo {
namespace {

TEST_F(OutputFormatsTest, StoredTreesReadBackTheSame) {
  build_worked_example();
  DepTree* ann = deps_.root()->child(0)->child(0);
  DepTree* empty = deps_.new_node(4, 3, -1);
  deps_.root()->child(0)->add_child_in_order(empty);
  empty->set_antecedent(ann);
  empty->set_relation("subj");
  ann->set_property("ckroot", "yes");
  ann->set_weight(2.5f);
  deps_.add_assertion("(likes Ann Bob)");
  StrBufs form;
  store_deps(deps_, form);
  Deps copy;
  ByteCursor in(form.data(), form.size());
  ASSERT_TRUE(load_deps(copy, in));
  EXPECT_TRUE(in.at_end());
  const std::vector<int> shown{syn_->index_of("num")};
  std::string before, after;
  print_result_format(before, deps_, &shown);
  print_result_format(after, copy, &shown);
  EXPECT_EQ(after, before);
  EXPECT_EQ(copy.id(), deps_.id());
  EXPECT_NE(after.find("(ante 1)"), std::string::npos) << after;
  // Every cut of the form is refused, never read past its end.
  for (std::size_t length = 0; length < form.size(); ++length) {
    ByteCursor cut(form.data(), length);
    Deps damaged;
    EXPECT_FALSE(load_deps(damaged, cut)) << length;
  }
}

TEST_F(OutputFormatsTest, AStoredTreeOfAnUnknownVectorTypeEndsTheProgram) {
  build_worked_example();
  StrBufs form;
  store_deps(deps_, form);
  std::string bytes = form.str();
  const std::size_t at = bytes.find("syn");
  ASSERT_NE(at, std::string::npos);
  bytes.replace(at, 3, "xyz");
  EXPECT_EXIT(
      {
        Deps copy;
        ByteCursor in(bytes.data(), bytes.size());
        load_deps(copy, in);
      },
      ::testing::ExitedWithCode(1), "The type of AttVec in dependency tree is not defined");
}

}  // namespace
}  // namespace velmo

#include "parser/output/tree_display.h"

namespace velmo {
namespace {

TEST_F(OutputFormatsTest, TreeDisplayMarksWhereTheParentLies) {
  build_worked_example();
  std::string out;
  print_tree_display(out, *deps_.root());
  EXPECT_EQ(out, "( (+++ sees\n   (--- Ann)\n   (+++ Bob)))");
}

}  // namespace
}  // namespace velmo
