// Tree rules: traversals, shallow flags, flat rules, rule sets and the
// restructuring functions with their refusals.
#include "tree_fixture.h"

namespace velmo {
namespace {

class TreeRules : public TreeTest {
 protected:
  // Defines the rules as the only rules of the set R and applies them to the tree.
  std::string define_and_apply(std::string_view rules) {
    std::string messages = run("(clear-tree-rules R)");
    messages += run(std::string("(def-tree-rules R ") + std::string(rules) + ")");
    std::ostringstream out;
    ScopedDiagnostics capture(out);
    if (TreeModifier* set = rule_set("R")) set->apply(deps_->root());
    return messages + out.str();
  }
};

TEST_F(TreeRules, DownRuleVisitsInPreOrderAndUpRuleInPostOrder) {
  read(kSentence);
  testing::internal::CaptureStdout();
  define_and_apply(
      "(down (node (node2word)) (comp (match) (node2word (print-str :suffix \" \")))) "
      "(up (node (node2word)) (comp (match) (node2word (print-str :suffix \" \"))))");
  EXPECT_EQ(captured(), "saw dog the big cat a the big dog a cat saw ");
}

// Literal property texts are not copied into the tree: they must stay valid
// once the rules are gone, and set-prop replaces a property whatever the
// case of its name.
TEST_F(TreeRules, PropertiesSetByRulesOutliveTheRules) {
  read(kSentence);
  define_and_apply(
      "(down (node (cat (str= N))) (comp (match) (set-prop Mark first))) "
      "(down (node (cat (str= N))) (comp (match) (set-prop mark second))) "
      "(down (node (cat (str= N))) (comp (match) (add-to-dep-prop-list tag x))) "
      "(down (node (cat (str= N))) (comp (match) (add-to-dep-prop-list tag y)))");
  run("(clear-tree-rules R)");
  run("(def-tree-rules R (down (node (cat (str= V))) (comp (match) (set-prop other texts))))");
  run("(clear-tree-rules R)");
  ASSERT_EQ(at(3)->properties().size(), 3u);
  EXPECT_STREQ(at(3)->properties()[0].name, "Mark");
  EXPECT_STREQ(at(3)->properties()[0].text, "second");
  EXPECT_EQ(text_on("(get-prop tag y)", at(3)), "y");
  EXPECT_EQ(text_on("(get-prop MARK)", at(3)), "second");
  EXPECT_EQ(text_on("(get-prop mark)", at(6)), "(nil)");  // N_V
}

TEST_F(TreeRules, ShallowDownRuleDoesNotVisitBelowAFiringNode) {
  read(kSentence);
  testing::internal::CaptureStdout();
  define_and_apply("(down shallow (node (node2word)) (prog (comp (match) (node2word (print-str :suffix \" \"))) (t)))");
  EXPECT_EQ(captured(), "saw ");
  testing::internal::CaptureStdout();
  define_and_apply("(down shallow (node (node2word)) (comp (match) (node2word (print-str :suffix \" \"))))");
  EXPECT_EQ(captured(), "saw dog the big cat a ");  // the action yields 0: no stop
}

TEST_F(TreeRules, ShallowDownRuleDoesNotVisitChildrenItMovedAway) {
  read(kSentence);
  testing::internal::CaptureStdout();
  // At "dog", "big" moves to the end of "saw"; "the", still below "dog", is
  // passed over, and "big" is visited where it now stands.
  define_and_apply(
      "(down shallow (tree X (rel (str= subj)) (node A (cat (str= A)))) "
      "(prog (append-node (get-val A) (comp (match) (parent))) (t))) "
      "(down (node (node2word)) (comp (match) (node2word (print-str :suffix \" \"))))");
  EXPECT_EQ(captured(), "saw dog the cat a big ");
  EXPECT_EQ(shape(deps_->root()), "*(saw(dog(the) cat(a) big))");
}

TEST_F(TreeRules, RootRuleRunsOnceOnTheRoot) {
  read(kSentence);
  testing::internal::CaptureStdout();
  define_and_apply("(root (comp (num-children) (int2str (print-str))))");
  EXPECT_EQ(captured(), "1");
}

TEST_F(TreeRules, FlatRuleFiresWhenAllConditionsAreSatisfiedThenStartsAgain) {
  read(kSentence);
  testing::internal::CaptureStdout();
  // Post-order: the big dog a cat saw. Det and N both satisfied first at
  // "dog" (the, dog), then again at "cat" (a, cat).
  define_and_apply(
      "(flat ((node (cat (str= Det))) (node (cat (reg-match N)))) "
      "(prog (comp (match 1) (node2word (print-str :suffix \"+\"))) "
      "(comp (match 2) (node2word (print-str :suffix \" \")))))");
  EXPECT_EQ(captured(), "the+dog a+cat ");
}

TEST_F(TreeRules, FlatRuleMaximalConditionKeepsTheLastMatch) {
  read(kSentence);
  testing::internal::CaptureStdout();
  define_and_apply(
      "(flat (:max (node (node2word)) (node (cat (str= V_N)))) "
      "(comp (match 1) (node2word (print-str))))");
  EXPECT_EQ(captured(), "saw");
}

TEST_F(TreeRules, ClearedRuleSetIsReusedByTheNextDefinition) {
  read(kSentence);
  run("(def-tree-rules R2 (root (int 1)) (root (int 2)))");
  TreeModifier* set = rule_set("R2");
  ASSERT_TRUE(set);
  EXPECT_EQ(set->size(), 2u);
  run("(clear-tree-rules R2)");
  EXPECT_EQ(set->size(), 0u);
  run("(def-tree-rules R2 (root (int 3)) (sideways (int 4)))");  // an unknown kind is skipped silently
  EXPECT_EQ(rule_set("R2"), set);
  EXPECT_EQ(set->size(), 1u);
  EXPECT_EQ(run("(clear-tree-rules NOSUCH)"), "");
}

TEST_F(TreeRules, ConditionOfTheWrongTypeIsReportedAndTheRuleKept) {
  read(kSentence);
  EXPECT_EQ(define_and_apply("(down (node2word) (int 1)) (flat ((is-leaf) (node (cat))) (int 1))"),
            "node2word cannot be used as a condition in tree rules.\n"
            "is-leaf cannot be used as a condition in tree rules.\n");
  EXPECT_EQ(rule_set("R")->size(), 2u);
}

TEST_F(TreeRules, InheritChildrenAndAdoptFollowing) {
  read(kSentence);
  define_and_apply("(down (tree (cat (str= V_N)) (node O (rel (str= obj)))) (inherit-children (get-val O)))");
  EXPECT_EQ(shape(deps_->root()), "*(saw(cat(dog(the big) a)))");
  read(kSentence);
  define_and_apply("(down (tree (cat (str= N)) (node D (cat (str= Det)))) (adopt-following (get-val D)))");
  EXPECT_EQ(shape(deps_->root()), "*(saw(dog(the(big)) cat(a)))");
}

TEST_F(TreeRules, InheritChildrenOnAnOnlyChildChangesNothing) {
  read(kSentence);
  define_and_apply("(down (tree (cat (str= N_V)) (node D (cat (str= Det)))) (inherit-children (get-val D)))");
  EXPECT_EQ(shape(deps_->root()), "*(saw(dog(the big) cat(a)))");
}

TEST_F(TreeRules, MovingFunctionsPlaceNodes) {
  read(kSentence);
  define_and_apply(
      "(down (tree (cat (str= V_N)) (node S (rel (str= subj))) (node O (rel (str= obj)))) "
      "(prog (insert-after (get-val S) (get-val O)) (insert-node (comp (get-val O) (get-node (rel (str= det)))) "
      "(get-val O))))");
  EXPECT_EQ(shape(deps_->root()), "*(saw(cat(a) dog(the big)))");
  read(kSentence);
  define_and_apply(
      "(down (tree (cat (str= V_N)) (node S (rel (str= subj))) (node O (rel (str= obj)))) "
      "(insert-before (get-val O) (comp (match) (get-node (rel (str= subj)) (cat (str= A))))))");
  EXPECT_EQ(shape(deps_->root()), "*(saw(dog(the cat(a) big)))");
}

TEST_F(TreeRules, RefusalsLeaveTheTreeUnchanged) {
  read(kSentence);
  const std::string before = shape(deps_->root());
  EXPECT_EQ(define_and_apply("(down (node (cat (str= V_N))) (prog (inherit-children (match)) "
                             "(insert-before (match) (comp (match) (get-node (rel (str= obj))))) "
                             "(insert-node (match) (comp (match) (get-node (rel (str= obj))))) "
                             "(append-node (match) (comp (match) (get-node (rel (str= obj)))))))"),
            "The root node of a tree match cannot inherit children\n"
            "Cannot insert the root node of a tree match\n"
            "Cannot insert the root node of a tree match\n"
            "Cannot append the root node of a tree match\n");
  EXPECT_EQ(shape(deps_->root()), before);
  // A node moved under its own descendant, and the top node detached.
  EXPECT_EQ(
      define_and_apply("(down (tree (cat (str= V_N)) (node S (rel (str= subj)))) "
                       "(prog (append-node (comp (match) (parent)) (comp (get-val S) (get-node (rel (str= det))))) "
                       "(detach-node (comp (match) (tree-root)))))"),
      "RSTree::insert error.\nRSTree::del() cannot delete the root node of a RSTree\n");
  EXPECT_EQ(shape(deps_->root()), before);
}

TEST_F(TreeRules, DetachingTheMatchedNodeStepsTheTraversalPastIt) {
  read(kSentence);
  testing::internal::CaptureStdout();
  define_and_apply(
      "(down (node (rel (str= subj))) (detach-node (match))) "
      "(up (node (rel (str= det))) (prog (comp (match) (node2word (print-str :suffix \" \"))) "
      "(detach-node (match))))");
  EXPECT_EQ(captured(), "a ");
  EXPECT_EQ(shape(deps_->root()), "*(saw(cat))");
}

// At "the", "a" is moved in front of it among dog's children: the walk
// must go on from the place "the" has now, not from where it reached it.
TEST_F(TreeRules, WalksGoOnFromWhereTheNodeIsAfterAnActionMovedItsSiblings) {
  const char* move_a_first_under_dog =
      "(let (a) (setq a (comp (match) (tree-root) (get-node (cat (str= V_N)) (rel (str= obj)) (rel (str= det))))) "
      "(detach-node (get-val a)) (insert-node (get-val a) (comp (match) (parent))))";
  const std::string print_then_find_the =
      "(node (and (parent) (prog (node2word (print-str :suffix \" \")) (node2word (str= the))))) ";
  read(kSentence);
  testing::internal::CaptureStdout();
  define_and_apply("(down " + print_then_find_the + move_a_first_under_dog + ")");
  EXPECT_EQ(captured(), "saw dog the big cat ");
  EXPECT_EQ(shape(deps_->root()), "*(saw(dog(a the big) cat))");
  read(kSentence);
  testing::internal::CaptureStdout();
  define_and_apply("(up " + print_then_find_the + move_a_first_under_dog + ")");
  EXPECT_EQ(captured(), "the big dog cat saw ");
  EXPECT_EQ(shape(deps_->root()), "*(saw(dog(a the big) cat))");
}

// Rules visit only the nodes their leading category test admits, but a
// category an action gives to a node ahead of the walk still counts.
TEST_F(TreeRules, WalksSeeCategoriesThatEarlierActionsGave) {
  read(kSentence);
  testing::internal::CaptureStdout();
  define_and_apply(
      "(down (node (cat (str= n))) (prog (comp (match) (node2word (print-str :suffix \" \"))) "
      "(set-cat (comp (match) (get-child det)) (str N))))");
  EXPECT_EQ(captured(), "dog the ");  // "the" became N when "dog" was visited
  read(kSentence);
  testing::internal::CaptureStdout();
  define_and_apply(
      "(up (node (cat (str= DET))) (prog (comp (match) (node2word (print-str :suffix \" \"))) "
      "(set-cat (comp (match) (parent) (get-child mod)) (str det))))");
  EXPECT_EQ(captured(), "the big a ");  // "big" comes after "the" in post-order
  read(kSentence);
  testing::internal::CaptureStdout();
  define_and_apply(
      "(flat ((node (cat (str= a))) (node (rel (str= obj)))) "
      "(comp (match 1) (node2word (print-str :suffix \" \"))))"
      "(flat ((node (cat (str= Det)))) (prog (comp (match 1) (node2word (print-str :suffix \" \"))) (set-cat (match 1) "
      "(str A))))"
      "(flat ((node (cat (str= a))) (node (rel (str= obj)))) "
      "(comp (match 1) (node2word (print-str :suffix \" \"))))");
  EXPECT_EQ(captured(), "big the a the ");
}

TEST_F(TreeRules, RulesThatKeepMovingNodesAheadOfTheTraversalStop) {
  read(kSentence);
  // Each determiner is moved to the end of the sentence, behind the other,
  // which the walk then meets again: without a bound this never ends.
  EXPECT_EQ(define_and_apply("(down :name ping-pong (node X (rel (str= det))) (let (top) (setq top (comp (match) "
                             "(tree-root))) (detach-node (match)) (append-node (match) (get-val top))))"),
            "Tree rule ping-pong stopped: its actions keep moving nodes ahead of its traversal\n");
}

}  // namespace
}  // namespace velmo
