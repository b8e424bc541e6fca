// The expression functions over dependency trees, and reading trees in the
// result format.
#include "parser/output/result_format.h"
#include "tree_fixture.h"

namespace velmo {
namespace {

class TreeFunctions : public TreeTest {};

TEST_F(TreeFunctions, ComponentsOfANode) {
  read(kSentence);
  EXPECT_EQ(text_on("(node2word)", at(3)), "dog");
  EXPECT_EQ(text_on("(node2maxp)", at(3)), "the big dog");
  EXPECT_EQ(text_on("(node2maxp)", at(4)), "the big dog saw a cat");
  EXPECT_EQ(text_on("(node2root)", at(4)), "see");
  EXPECT_EQ(text_on("(cat)", at(6)), "N_V");
  EXPECT_EQ(text_on("(rel)", at(6)), "obj");
  EXPECT_EQ(eval_on("(depnode-pos)", at(5)), 5u);
  EXPECT_EQ(eval_on("(dist-to-parent)", at(1)), 2u);
  EXPECT_EQ(text_on("(word-before)", at(3)), "big");
  EXPECT_EQ(text_on("(word-after)", at(3)), "saw");
  EXPECT_EQ(eval_on("(cat (str= N_V))", at(6)), 1u);  // an adaptor applies its inner expression
}

TEST_F(TreeFunctions, EdgesOfTheSentenceAndEmptyNodesGiveNothing) {
  read(kSentence);
  EXPECT_EQ(text_on("(word-before)", at(1)), "(nil)");
  EXPECT_EQ(text_on("(word-after)", at(6)), "(nil)");
  EXPECT_EQ(text_on("(node2word)", deps_->root()), "(nil)");  // the top node
  DepTree* empty = deps_->new_node(3, 2, -1);
  at(4)->add_child_in_order(empty);
  EXPECT_EQ(text_on("(node2word)", empty), "(nil)");
  // The parent of "saw" is the top node: its span start (-1) is the place.
  EXPECT_EQ(eval_on("(dist-to-parent)", at(4)), 5u);
}

TEST_F(TreeFunctions, DepNameUsesCategoryKeys) {
  read(kSentence);
  EXPECT_EQ(text_on("(dep-name)", at(6)), "V:obj:N");
  EXPECT_EQ(text_on("(r-dep-name)", at(6)), "N:r_obj:V");
  EXPECT_EQ(text_on("(dep-name)", deps_->root()), "(nil)");
  at(1)->set_category("_X");
  at(2)->set_category("NN");
  EXPECT_EQ(text_on("(dep-name)", at(1)), "N:det:N");
  EXPECT_EQ(text_on("(r-dep-name)", at(2)), "N:r_mod:N");
}

TEST_F(TreeFunctions, ParentChildAndProperties) {
  read(kSentence);
  EXPECT_EQ(from_word<RSTree>(eval_on("(get-parent SUBJ)", at(3))), at(4));
  EXPECT_EQ(from_word<RSTree>(eval_on("(get-parent obj)", at(3))), nullptr);
  EXPECT_EQ(from_word<RSTree>(eval_on("(get-child obj)", at(4))), at(6));
  EXPECT_EQ(from_word<RSTree>(eval_on("(before-parent)", at(3))), at(3));
  EXPECT_EQ(from_word<RSTree>(eval_on("(before-parent)", at(6))), nullptr);
  eval_on("(set-prop ckroot NP)", at(3));
  EXPECT_EQ(text_on("(get-prop ckroot)", at(3)), "NP");
  eval_on("(add-to-dep-prop-list tag x)", at(3));
  eval_on("(add-to-dep-prop-list tag y)", at(3));
  EXPECT_EQ(text_on("(get-prop tag y)", at(3)), "y");
  eval_on("(del-prop ckroot)", at(3));
  EXPECT_EQ(text_on("(get-prop ckroot)", at(3)), "(nil)");
}

TEST_F(TreeFunctions, AntecedentsAndSearches) {
  read(kSentence);
  eval_on("(set-prop ante (find-first-node (rel (str= subj))))", at(6));
  EXPECT_EQ(from_word<RSTree>(eval_on("(node2ante)", at(6))), at(3));
  EXPECT_EQ(from_word<RSTree>(eval_on("(get-antecedent)", at(6))), at(3));
  EXPECT_EQ(from_word<RSTree>(eval_on("(get-antecedent (cat (str= V)))", at(6))), nullptr);
  EXPECT_EQ(from_word<RSTree>(eval_on("(expand-node (node2word))", at(1))), at(4));
  EXPECT_EQ(from_word<RSTree>(eval_on("(minimal-across (cat (str= V_N)))", at(2))), at(4));
}

TEST_F(TreeFunctions, ReattachingRefusesCycles) {
  read(kSentence);
  EXPECT_EQ(from_word<RSTree>(eval_on("(reattach-node (find-first-node (cat (str= N_V))) mod)", at(2))), at(2));
  EXPECT_EQ(shape(deps_->root()), "*(saw(dog(the) cat(big a)))");
  EXPECT_EQ(text_on("(rel)", at(2)), "mod");
  std::ostringstream messages;
  ScopedDiagnostics capture(messages);
  EXPECT_EQ(eval_on("(reattach-node (find-first-node (cat (str= Det))))", at(4)), 0u);
  EXPECT_EQ(messages.str(), "RSTree::insert error.\n");
}

TEST_F(TreeFunctions, NodeArgumentsOfAnotherTypeAreRefused) {
  read(kSentence);
  const std::string before = shape(deps_->root());
  std::ostringstream messages;
  ScopedDiagnostics capture(messages);
  EXPECT_EQ(eval_on("(reattach-node (str dog) mod)", at(2)), 0u);
  EXPECT_EQ(eval_on("(add-rel-to-deps (get-parent subj) (str cat) obj)", at(3)), 0u);
  EXPECT_EQ(shape(deps_->root()), before);
  const std::string text = messages.str();
  EXPECT_NE(text.find("reattach-node received a wrong type of argument:'char*'"), std::string::npos);
  EXPECT_NE(text.find("add-rel-to-deps received a wrong type of argument:'char*'"), std::string::npos);
  // Texts likewise: a number is not read as a property value.
  eval_on("(set-prop ckroot (int 5))", at(3));
  EXPECT_EQ(text_on("(get-prop ckroot)", at(3)), "(nil)");
  EXPECT_NE(messages.str().find("int gives a value of type 'int' where a text is expected\n"), std::string::npos);
}

TEST_F(TreeFunctions, SpacesAndChunks) {
  read("(\n1\t(New\t~ N\t2\tnn)\n2\t(York\t~ N\t*) :nogap\n3\t(\"'s\"\t~ Pos\t2\tpos)\n4\t(mayor\t~ N\t*)\n)");
  DepTree* york = at(2);
  york->set_span(1, 3);
  EXPECT_EQ(text_on("(spaces-before)", york), " | ");  // "'s" follows without a blank
  york->set_property("ckroot", "NP");
  testing::internal::CaptureStdout();
  eval_on("(get-chunk)", york);
  EXPECT_EQ(captured(), "\n[NP New York 's] [SKIP mayor]\n");
}

TEST_F(TreeFunctions, ResultFormatReadsBackAsItWasWritten) {
  // Labels are given in pre-order from the top node, which takes E0.
  const std::string text =
      "(:id s1\n"
      "1\t(the\t~ Det\t2\tdet)\n"
      "2\t(dog\t~ N\t3\tsubj (ref E1)) :nogap\n"
      "3\t(barks\tbark V\t*)\n"
      "E1\t(()\tfin C\t3\ti (ante 2))\n"
      "4\t(.)\n"
      ")\n";
  read(text);
  std::string written;
  print_result_format(written, *deps_, nullptr);
  EXPECT_EQ(written, text);
  expressions_.push_back(LExp::from_text("(str2deps)"));
  Deps* deps = from_word<Deps>(expressions_.back()->eval(to_word(text.c_str()), type_id("char*")));
  ASSERT_TRUE(deps);
  EXPECT_EQ(deps->word_count(), 5);
  EXPECT_EQ(deps->space_before(3), "");
}

TEST_F(TreeFunctions, ResultFormatParentsByDirectionMarks) {
  // "<" looks to the right, ">" to the left; each mark passes one equal word.
  read("(\n1\t(a\t~ Det\t< dog)\n2\t(dog\t~ N\t<< bark)\n3\t(bark\t~ N\t*)\n4\t(bark\t~ V\t*)\n)");
  EXPECT_EQ(shape(deps_->root()), "*(bark bark(dog(a)))");
}

TEST_F(TreeFunctions, ResultFormatProblemsAreReported) {
  std::ostringstream messages;
  {
    ScopedDiagnostics capture(messages);
    read("(\n1\t(a\t~ Det\t< cat)\n2\t(dog\t~ N\t?? x)\n3\t(b\t~ N\t4)\n4\t(c\t~ N\t3)\n)");
  }
  EXPECT_EQ(messages.str(),
            "the parent of `a' is not found, specified as: < cat\n"
            "? is not a valid direction\n"
            "the parent of `c' is already its descendent: 3\n");
  // Nodes left without parent hang from the top node.
  EXPECT_EQ(shape(deps_->root()), "*(a dog c(b))");
}

}  // namespace
}  // namespace velmo
