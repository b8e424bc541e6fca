// The orders the tree rules walk in, and the nodes listed by category and
// relation.
#include "treerules/rules/tree_order.h"

#include "tree_fixture.h"

namespace velmo {
namespace {

class TreeOrderTest : public TreeTest {
 protected:
  // The words of the nodes at `places` of the walk, blank-separated ("*"
  // for the top node).
  std::string words(const TreeOrder& order, WalkOrder walk, std::span<const std::uint32_t> places) {
    std::string out;
    for (const std::uint32_t place : places) {
      const auto* node = static_cast<const DepTree*>(order.nodes(walk)[place]);
      if (!out.empty()) out += ' ';
      out += node->position() > 0 ? std::string(node->deps().word(node->position())) : "*";
    }
    return out;
  }
  std::string all_words(const TreeOrder& order, WalkOrder walk) {
    std::vector<std::uint32_t> places(order.nodes(walk).size());
    for (std::size_t i = 0; i < places.size(); ++i) places[i] = static_cast<std::uint32_t>(i);
    return words(order, walk, places);
  }
  NodeGuard guard(std::string_view condition) {
    expressions_.push_back(LExp::from_text(condition));
    return NodeGuard::of(expressions_.back().get());
  }
};

TEST_F(TreeOrderTest, ListsTheNodesInBothWalkOrders) {
  read(kSentence);
  TreeOrder order;
  order.prepare(deps_->root());
  EXPECT_EQ(all_words(order, WalkOrder::kPre), "* saw dog the big cat a");
  EXPECT_EQ(all_words(order, WalkOrder::kPost), "the big dog a cat saw *");
  // A subtree on its own.
  order.prepare(at(3));
  EXPECT_EQ(all_words(order, WalkOrder::kPre), "dog the big");
  EXPECT_EQ(all_words(order, WalkOrder::kPost), "the big dog");
}

TEST_F(TreeOrderTest, AdmitsTheNodesAGuardWouldWithoutRegardToCase) {
  read(kSentence);
  TreeOrder order;
  order.prepare(deps_->root());
  const NodeGuard det = guard("(cat (str= DET))");
  EXPECT_EQ(words(order, WalkOrder::kPre, order.admitted(WalkOrder::kPre, det)), "the a");
  EXPECT_EQ(words(order, WalkOrder::kPost, order.admitted(WalkOrder::kPost, det)), "the a");
  EXPECT_EQ(words(order, WalkOrder::kPost, order.admitted(WalkOrder::kPost, guard("(rel (str= subj))"))), "dog");
  EXPECT_TRUE(order.admitted(WalkOrder::kPre, guard("(cat (str= Adv))")).empty());
  // Without a guard: every node.
  EXPECT_EQ(order.admitted(WalkOrder::kPre, guard("(node2word)")).size(), 7u);
}

// Conditions that try the children with a text test first pass over the
// nodes none of whose children has that text; the others are not filtered.
TEST_F(TreeOrderTest, AdmitsOnlyNodesWithAChildTheConditionTestsFirst) {
  read(kSentence);
  TreeOrder order;
  order.prepare(deps_->root());
  const auto admitted = [&](WalkOrder walk, std::string_view condition) {
    return words(order, walk, order.admitted(walk, guard(condition)));
  };
  EXPECT_EQ(admitted(WalkOrder::kPre, "(tree (rel (str= subj)) (node (rel (str= mod))))"), "dog");
  EXPECT_EQ(admitted(WalkOrder::kPre, "(tree (rel (str= obj)) (node (rel (str= mod))))"), "");
  EXPECT_EQ(admitted(WalkOrder::kPost, "(treeu (cat (str= v_n)) (node (rel (str= OBJ))) (node (cat (str= A))))"),
            "saw");
  EXPECT_EQ(admitted(WalkOrder::kPost, "(node (and (cat (str= V_N)) (exist-child (rel (str= obj)))))"), "saw");
  EXPECT_EQ(admitted(WalkOrder::kPost, "(and (cat (str= V_N)) (exist-child (rel (str= det))))"), "");
  // No test of the node's own: every node with such a child.
  EXPECT_EQ(admitted(WalkOrder::kPost, "(exist-child (cat (str= Det)))"), "dog cat");
  // A text no node has.
  EXPECT_EQ(admitted(WalkOrder::kPre, "(tree (rel (str= subj)) (node (rel (str= conj))))"), "");
  // An optional first child, or a test of the node's own that is more than
  // the guard, may do something first: those nodes stay.
  EXPECT_EQ(admitted(WalkOrder::kPre, "(tree (rel (str= obj)) (t? (node (rel (str= mod)))))"), "cat");
  EXPECT_EQ(admitted(WalkOrder::kPre, "(tree (and (rel (str= obj)) (node2word)) (node (rel (str= mod))))"), "cat");
  EXPECT_EQ(admitted(WalkOrder::kPost, "(and (cat (str= V_N)) (node2word) (exist-child (rel (str= det))))"), "saw");
}

TEST_F(TreeOrderTest, IsReadAgainAfterTheTreeChanged) {
  read(kSentence);
  TreeOrder order;
  order.prepare(deps_->root());
  EXPECT_TRUE(order.current());
  at(2)->set_property("seen", "yes");  // properties do not count
  EXPECT_TRUE(order.current());
  at(2)->set_category("Det");
  EXPECT_FALSE(order.current());
  order.prepare(deps_->root());
  EXPECT_EQ(words(order, WalkOrder::kPre, order.admitted(WalkOrder::kPre, guard("(cat (str= det))"))), "the big a");
  at(5)->del();
  EXPECT_FALSE(order.current());
  order.prepare(deps_->root());
  EXPECT_EQ(all_words(order, WalkOrder::kPost), "the big dog cat saw *");
}

// One order serves tree after tree: what it remembers of a text in one tree
// (its number, the nodes that have it) does not carry over to the next.
TEST_F(TreeOrderTest, ServesOneTreeAfterAnother) {
  read(kSentence);
  DepsRef first = deps_;
  TreeOrder order;
  const NodeGuard det = guard("(cat (str= Det))");
  const NodeGuard noun_with_det = guard("(tree (cat (str= N)) (node (rel (str= det))))");
  order.prepare(first->root());
  EXPECT_EQ(words(order, WalkOrder::kPre, order.admitted(WalkOrder::kPre, det)), "the a");
  EXPECT_EQ(words(order, WalkOrder::kPre, order.admitted(WalkOrder::kPre, noun_with_det)), "dog");
  read(
      "(\n"
      "1\t(cats\t~ N\t2\tsubj)\n"
      "2\t(sleep\t~ V\t*)\n"
      "3\t(the\t~ Det\t4\tdet)\n"
      "4\t(day\t~ N\t2\tmod)\n"
      ")");
  order.forget();
  order.prepare(deps_->root());
  EXPECT_EQ(words(order, WalkOrder::kPost, order.admitted(WalkOrder::kPost, det)), "the");
  EXPECT_EQ(words(order, WalkOrder::kPost, order.admitted(WalkOrder::kPost, noun_with_det)), "day");
  EXPECT_EQ(words(order, WalkOrder::kPost, order.admitted(WalkOrder::kPost, guard("(cat (str= v))"))), "sleep");
  order.forget();
  order.prepare(first->root());
  EXPECT_EQ(words(order, WalkOrder::kPost, order.admitted(WalkOrder::kPost, noun_with_det)), "dog");
}

// The order numbers texts by pointer first: a tree keeps each category and
// relation once.
TEST_F(TreeOrderTest, EqualCategoriesAndRelationsAreKeptOnce) {
  read(kSentence);
  EXPECT_EQ(at(1)->category(), at(5)->category());  // Det
  EXPECT_EQ(at(1)->relation(), at(5)->relation());  // det
  EXPECT_STREQ(at(1)->category(), "Det");
  EXPECT_NE(deps_->keep_label("Det"), deps_->keep_label("det"));
  at(2)->set_category("Det");
  EXPECT_EQ(at(2)->category(), at(1)->category());
}

}  // namespace
}  // namespace velmo
