// Tree patterns, tree conditions and the access functions on matches.
#include "tree_fixture.h"

namespace velmo {
namespace {

class TreePatterns : public TreeTest {
 protected:
  // The match of a pattern at a node; the pattern keeps it.
  TreeMatch* match(std::string_view pattern, RSTree* node) { return from_word<TreeMatch>(eval_on(pattern, node)); }
};

TEST_F(TreePatterns, TreeNeedsADifferentChildForEachPattern) {
  read(kSentence);
  // dog has two children, but only one noun-free determiner.
  EXPECT_TRUE(match("(tree (cat (str= N)) (node (cat (str= Det))) (node (cat (str= A))))", at(3)));
  EXPECT_FALSE(match("(tree (cat (str= N)) (node (cat (str= Det))) (node (cat (str= Det))))", at(3)));
  TreeMatch* m = match("(tree (cat (str= N)) (node (cat (str= A))) (node (cat (str= Det))))", at(3));
  ASSERT_TRUE(m);
  ASSERT_EQ(m->sub_count(), 2u);
  EXPECT_EQ(m->sub(1)->node(), at(2));
  EXPECT_EQ(m->sub(2)->node(), at(1));
}

TEST_F(TreePatterns, TreeqTakesTheChildrenInOrderTreeDoesNot) {
  read(kSentence);
  const char* a_then_det = "(%s (cat (str= N)) (node (cat (str= A))) (node (cat (str= Det))))";
  char text[200];
  std::snprintf(text, sizeof text, a_then_det, "treeq");
  EXPECT_FALSE(match(text, at(3)));  // the determiner precedes the adjective
  std::snprintf(text, sizeof text, a_then_det, "treeu");
  EXPECT_FALSE(match(text, at(3)));
  std::snprintf(text, sizeof text, a_then_det, "tree");
  EXPECT_TRUE(match(text, at(3)));
  EXPECT_TRUE(match("(treeq (cat (str= N)) (node (cat (str= Det))) (node (cat (str= A))))", at(3)));
}

TEST_F(TreePatterns, OptionalChildPatternsGiveEmptySubMatches) {
  read(kSentence);
  TreeMatch* m = match("(tree (cat (str= N)) (t? (node (cat (str= Prep)))) (node (cat (str= A))))", at(3));
  ASSERT_TRUE(m);
  EXPECT_TRUE(m->sub(1)->is_empty());
  EXPECT_EQ(m->sub(2)->node(), at(2));
}

TEST_F(TreePatterns, PatternVariablesHoldTheMatchedNodes) {
  read(kSentence);
  expressions_.push_back(
      LExp::from_text("(let (found) (prog (tree V (cat (str= V_N)) (node D (rel (str= subj)))) "
                      "(get-val D)))"));
  EXPECT_EQ(from_word<RSTree>(expressions_.back()->eval(node_word(at(4)), TreeTypes::get().node)), at(3));
}

TEST_F(TreePatterns, PathFollowsADescendantChainAndTplusRepeats) {
  read(kSentence);
  TreeMatch* m = match("(path (node (cat (str= V_N))) (node (rel (str= subj))) (node (cat (str= A))))", at(4));
  ASSERT_TRUE(m);
  EXPECT_EQ(m->node(), at(2));  // the last node reached
  EXPECT_EQ(m->sub(1)->node(), at(3));
  EXPECT_EQ(m->sub(1)->sub(1)->node(), at(2));
  EXPECT_FALSE(match("(path (node (cat (str= V_N))) (node (cat (str= A))))", at(4)));

  TreeMatch* chain = match("(t+ (node (depnode-pos)))", deps_->root());
  ASSERT_TRUE(chain);  // top -> saw -> dog -> the, following first children
  EXPECT_EQ(chain->node(), deps_->root());
  EXPECT_EQ(chain->innermost()->node(), at(1));
}

TEST_F(TreePatterns, AttachmentPointsGoUpTheAncestorsAndDownTheRightEdge) {
  read(kSentence);
  TreeMatch* m = match("(attachment-points (node2word) (cat) (cat))", at(6));
  ASSERT_TRUE(m);
  ASSERT_EQ(m->sub_count(), 3u);
  EXPECT_EQ(m->sub(1)->node(), at(4));  // the parent; above it the top node has no category
  EXPECT_EQ(m->sub(2)->node(), at(3));  // the preceding sibling
  EXPECT_EQ(m->sub(3)->node(), at(2));  // and its last child
}

TEST_F(TreePatterns, ConditionsOnChildrenAndAncestors) {
  read(kSentence);
  DepTree* top = deps_->root();
  EXPECT_EQ(from_word<RSTree>(eval_on("(first-child)", top)), top);  // the root counts as first and last
  EXPECT_EQ(from_word<RSTree>(eval_on("(last-child)", top)), top);
  EXPECT_EQ(from_word<RSTree>(eval_on("(first-child)", at(2))), nullptr);
  EXPECT_EQ(from_word<RSTree>(eval_on("(exist-child (rel (str= obj)))", at(4))), at(6));
  EXPECT_EQ(eval_on("(num-children)", at(4)), 2u);
  EXPECT_EQ(eval_on("(num-children (cat (str= Det)))", at(3)), 1u);
  EXPECT_EQ(from_word<RSTree>(eval_on("(all-children (node2word))", at(3))), at(3));
  EXPECT_EQ(from_word<RSTree>(eval_on("(exist-decendent (cat (str= A)))", at(4))), at(2));
  // BLOCK keeps the search out of the subject.
  EXPECT_EQ(from_word<RSTree>(eval_on("(exist-decendent (cat (str= A)) (rel (str= subj)))", at(4))), nullptr);
  EXPECT_EQ(from_word<RSTree>(eval_on("(self-or-exist-ancestor (cat (str= V_N)))", at(1))), at(4));
  EXPECT_EQ(from_word<RSTree>(eval_on("(exist-c-commander (cat (str= N)))", at(5))), at(3));
  EXPECT_EQ(from_word<RSTree>(eval_on("(exist-c-commander (cat (str= Det)))", at(3))), at(1));
  EXPECT_EQ(from_word<RSTree>(eval_on("(exist-c-commander (rel (str= subj)))", at(6))), at(3));
  EXPECT_EQ(from_word<RSTree>(eval_on("(exist-c-commander-or-ancestor (cat (str= V_N)))", at(6))), at(4));
  EXPECT_EQ(from_word<RSTree>(eval_on("(exist-c-commander (rel (str= subj)) (cat (str= V_N)))", at(6))), nullptr);
  EXPECT_EQ(from_word<RSTree>(eval_on("(ancestor-of (get-node (rel (str= subj))) (parent))", at(4))), nullptr);
  EXPECT_EQ(from_word<RSTree>(eval_on("(ancestor-of (tree-root) (get-node (rel (str= det))))", at(3))), at(3));
  EXPECT_EQ(from_word<RSTree>(eval_on("(get-node (rel (str= subj)) (cat (str= A)))", at(4))), at(2));
  EXPECT_EQ(from_word<RSTree>(eval_on("(tree-root)", at(1))), top);
  EXPECT_EQ(from_word<RSTree>(eval_on("(is-leaf)", at(1))), at(1));
  EXPECT_EQ(from_word<RSTree>(eval_on("(is-leaf)", at(3))), nullptr);
}

TEST_F(TreePatterns, ExistMatchRunsItsActionOnTheFirstPostOrderMatch) {
  read(kSentence);
  testing::internal::CaptureStdout();
  EXPECT_EQ(from_word<RSTree>(eval_on("(exist-match (node (cat (str= Det))) :action (comp (match) (node2word "
                                      "(print-str :suffix \"\\n\"))))",
                                      at(4))),
            at(4));
  EXPECT_EQ(captured(), "the\n");
}

TEST_F(TreePatterns, MatchSelectsSubMatchesAndReportsMissingOnes) {
  read(kSentence);
  TreeMatch* m = match("(tree (cat (str= V_N)) (tree (rel (str= subj)) (node (cat (str= A)))))", at(4));
  ASSERT_TRUE(m);
  expressions_.push_back(LExp::from_text("(match 1 1)"));
  EXPECT_EQ(from_word<RSTree>(expressions_.back()->eval(to_word(m), TreeTypes::get().match)), at(2));
  expressions_.push_back(LExp::from_text("(match 2 1)"));
  std::ostringstream messages;
  {
    ScopedDiagnostics capture(messages);
    EXPECT_EQ(expressions_.back()->eval(to_word(m), TreeTypes::get().match), 0u);
  }
  EXPECT_EQ(messages.str(), "(match ...) resulted in nil\n");

  expressions_.push_back(LExp::from_text("(let (n) (forall-subtree-matches n 1 (comp (get-val n) (node2word))))"));
  EXPECT_EQ(expressions_.back()->eval(to_word(m), TreeTypes::get().match), 1u);
}

// Conditions that start with (cat (str= ...)) or (rel (str= ...)) are
// decided by a direct comparison where that comparison fails; the answers
// must be those of the full evaluation.
TEST_F(TreePatterns, CategoryAndRelationTestsDecideAsTheFullEvaluation) {
  read(kSentence);
  EXPECT_TRUE(match("(node (cat (str= v_n)))", at(4)));  // case is ignored
  EXPECT_FALSE(match("(node (cat (str= V)))", at(4)));   // a prefix is not equal
  EXPECT_FALSE(match("(node (cat (str= V_NP)))", at(4)));
  EXPECT_FALSE(match("(node (cat (str=)))", at(4)));
  EXPECT_EQ(run("(eval (node (rel (str= subj))))"), "");  // the root has no relation
  EXPECT_FALSE(match("(node (rel (str= subj)))", deps_->root()));
  EXPECT_TRUE(match("(node (and (cat (str= N)) (exist-child (rel (str= det)))))", at(3)));
  EXPECT_FALSE(match("(node (and (cat (str= N)) (exist-child (rel (str= obj)))))", at(3)));
  EXPECT_TRUE(match("(tree (and (cat (str= n))) (node (rel (str= DET))))", at(3)));
  EXPECT_TRUE(match("(t+ (node (cat (str= V_N))))", at(4)));
  EXPECT_FALSE(match("(t* (node (cat (str= N))))", at(4)));
}

TEST_F(TreePatterns, ARejectedNodeBindsNoVariableAndOnlyTheLeadingTestIsSkipped) {
  read(kSentence);
  expressions_.push_back(LExp::from_text("(let (X) (prog (node X (cat (str= Det))) (get-val X)))"));
  EXPECT_EQ(expressions_.back()->eval(node_word(at(3)), TreeTypes::get().node), 0u);
  // A condition that does something before its category test does it at
  // every node.
  testing::internal::CaptureStdout();
  for (int p = 1; p <= 6; ++p) eval_on("(node (and (node2word (print-str :suffix \" \")) (cat (str= N))))", at(p));
  EXPECT_EQ(captured(), "the big dog saw a cat ");
  // After the category test, the other conjuncts run in order where it
  // holds, and decide: print-str yields 0.
  testing::internal::CaptureStdout();
  bool matched = false;
  for (int p = 1; p <= 6; ++p)
    matched |= match("(node (and (cat (str= N)) (node2word (print-str :suffix \" \")) (t)))", at(p)) != nullptr;
  EXPECT_EQ(captured(), "dog ");
  EXPECT_FALSE(matched);
  EXPECT_TRUE(match("(node (and (cat (str= N)) (node2word) (is-leaf)))", at(6)) == nullptr);
  EXPECT_TRUE(match("(node (and (cat (str= Det)) (node2word) (is-leaf)))", at(5)) != nullptr);
}

TEST_F(TreePatterns, BadArgumentsAreReported) {
  EXPECT_EQ(run("(eval (path (node) (int 3)))"), "PathCond: all arguments must be LExps that return 'TreeMatch*'\n");
  EXPECT_EQ(run("(eval (tree (node2word) (is-leaf)))"),
            "is-leaf cannot be used as a subtree condition in (tree ...) \n");
  EXPECT_EQ(run("(eval (t+ (is-leaf)))"), "In (t+ <LEXP>) <LEXP> must return TreeMatch*\n");
}

}  // namespace
}  // namespace velmo
