#include <gtest/gtest.h>

#include <sstream>

#include "shell/support/diagnostics.h"

#include <string>
#include <vector>

#include "parser/forest/deps.h"

namespace velmo {
namespace {

std::vector<int> positions_of_children(const DepTree& node) {
  std::vector<int> out;
  for (RSTree* c : node.children()) out.push_back(static_cast<DepTree*>(c)->order_position());
  return out;
}

TEST(RSTree, MisuseIsReportedAndChangesNothing) {
  Deps deps;
  DepTree* a = deps.new_node(1, 1, 1);
  DepTree* b = deps.new_node(2, 2, 2);
  DepTree* c = deps.new_node(3, 3, 3);
  ASSERT_TRUE(a->append(b));
  std::ostringstream messages;
  ScopedDiagnostics capture(messages);
  EXPECT_FALSE(a->del());      // the root has no parent
  EXPECT_FALSE(c->insert(b));  // b already hangs under a
  EXPECT_FALSE(c->append(b));
  EXPECT_FALSE(b->append(a));  // a cycle
  EXPECT_FALSE(a->append(a));
  EXPECT_EQ(messages.str(),
            "RSTree::del() cannot delete the root node of a RSTree\n"
            "RSTree::insert error.\n"
            "RSTree::append error.\n"
            "RSTree::append error.\n"
            "RSTree::append error.\n");
  EXPECT_EQ(b->parent(), a);
  EXPECT_EQ(a->children().size(), 1u);
  EXPECT_FALSE(c->has_children());
}

TEST(RSTree, DelInsertAppendAndSiblings) {
  Deps deps;
  DepTree* top = deps.new_node(-1, -1, -1);
  DepTree* n1 = deps.new_node(1, 1, 1);
  DepTree* n2 = deps.new_node(2, 2, 2);
  DepTree* n3 = deps.new_node(3, 3, 3);
  top->append(n2);
  top->append(n3);
  top->insert(n1);
  EXPECT_EQ(positions_of_children(*top), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(n2->next_sibling(), n3);
  EXPECT_EQ(n2->previous_sibling(), n1);
  EXPECT_EQ(n3->next_sibling(), nullptr);
  top->append(n1);  // a child of the same parent moves
  EXPECT_EQ(positions_of_children(*top), (std::vector<int>{2, 3, 1}));
  EXPECT_TRUE(n3->del());
  EXPECT_EQ(n3->parent(), nullptr);
  EXPECT_TRUE(top->insert_before(n3, n2));
  EXPECT_EQ(positions_of_children(*top), (std::vector<int>{3, 2, 1}));
  EXPECT_TRUE(top->insert_after(n3, n1));
  EXPECT_EQ(positions_of_children(*top), (std::vector<int>{2, 1, 3}));
}

TEST(RSTree, PreAndPostOrderIterators) {
  Deps deps;
  // top(1(2 3) 4(5))
  DepTree* top = deps.new_node(-1, -1, -1);
  DepTree* n[6];
  for (int i = 1; i <= 5; ++i) n[i] = deps.new_node(i, i, i);
  top->append(n[1]);
  n[1]->append(n[2]);
  n[1]->append(n[3]);
  top->append(n[4]);
  n[4]->append(n[5]);
  std::vector<int> pre, post, shallow;
  for (TPreIterator<DepTree> it(top); !it.done(); it.advance()) pre.push_back(it.current()->position());
  for (TPostIterator<DepTree> it(top); !it.done(); it.advance()) post.push_back(it.current()->position());
  for (TPreIterator<DepTree> it(top); !it.done(); it.advance()) {
    shallow.push_back(it.current()->position());
    if (it.current() == n[1]) it.skip_children();
  }
  EXPECT_EQ(pre, (std::vector<int>{-1, 1, 2, 3, 4, 5}));
  EXPECT_EQ(post, (std::vector<int>{2, 3, 1, 5, 4, -1}));
  EXPECT_EQ(shallow, (std::vector<int>{-1, 1, 4, 5}));
  // A subtree iterates on its own, without running into its siblings.
  std::vector<int> sub;
  for (TPreIterator<DepTree> it(n[1]); !it.done(); it.advance()) sub.push_back(it.current()->position());
  EXPECT_EQ(sub, (std::vector<int>{1, 2, 3}));
  std::vector<int> sub_post;
  for (TPostIterator<DepTree> it(n[4]); !it.done(); it.advance()) sub_post.push_back(it.current()->position());
  EXPECT_EQ(sub_post, (std::vector<int>{5, 4}));
}

TEST(RSTree, PreOrderStepsPastANodeThatIsDetached) {
  Deps deps;
  DepTree* top = deps.new_node(-1, -1, -1);
  DepTree* a = deps.new_node(1, 1, 1);
  DepTree* b = deps.new_node(2, 2, 2);
  DepTree* c = deps.new_node(3, 3, 3);
  top->append(a);
  a->append(b);
  top->append(c);
  std::vector<int> seen;
  for (TPreIterator<DepTree> it(top); !it.done();) {
    DepTree* node = it.current();
    seen.push_back(node->position());
    if (node == a) {
      it.step_past_current();
      a->del();
      continue;
    }
    it.advance();
  }
  EXPECT_EQ(seen, (std::vector<int>{-1, 1, 3}));
}

TEST(DepTree, ChildrenAreAddedInWordOrder) {
  Deps deps;
  DepTree* head = deps.new_node(3, 3, 3);
  DepTree* after = deps.new_node(5, 5, 5);
  DepTree* before = deps.new_node(1, 1, 1);
  DepTree* empty = deps.new_node(4, 3, -1);     // an empty node in the gap after word 3
  DepTree* wordless = deps.new_node(6, 7, -1);  // a word-less node over 6..7
  head->add_child_in_order(after);
  head->add_child_in_order(wordless);
  head->add_child_in_order(before);
  head->add_child_in_order(empty);
  EXPECT_EQ(head->child(0), before);
  EXPECT_EQ(head->child(1), empty);
  EXPECT_EQ(head->child(2), after);
  EXPECT_EQ(head->child(3), wordless);
}

TEST(DepTree, LabelsArePositionsOrCountedEmptyLabels) {
  Deps deps;
  DepTree* word = deps.new_node(2, 2, 2);
  DepTree* e1 = deps.new_node(3, 2, -1);
  DepTree* e2 = deps.new_node(-1, -1, -1);
  EXPECT_STREQ(e2->label(), "E0");
  EXPECT_STREQ(word->label(), "2");
  EXPECT_STREQ(e1->label(), "E1");
  EXPECT_STREQ(e2->label(), "E0");  // given once
  deps.reset();
  EXPECT_STREQ(deps.new_node(-1, -1, -1)->label(), "E0");  // the counter restarts per sentence
}

TEST(DepTree, AntecedentAndReferenceAreProperties) {
  Deps deps;
  DepTree* n = deps.new_node(1, 1, 1);
  DepTree* e = deps.new_node(3, 2, -1);
  e->set_antecedent(n);
  EXPECT_EQ(e->antecedent(), n);
  ASSERT_NE(n->find_property("ref"), nullptr);
  EXPECT_EQ(n->find_property("REF")->node, e);
  n->set_property("ckroot", "yes");
  n->set_property("ckroot", "no");
  EXPECT_STREQ(n->find_property("ckroot")->text, "no");
  EXPECT_EQ(n->properties().size(), 2u);
  EXPECT_TRUE(n->remove_property("ckroot"));
  EXPECT_FALSE(n->remove_property("ckroot"));
}

TEST(Deps, WordsWithSpacingAndCounting) {
  Deps* deps = new Deps;
  DepsRef holder(deps);
  {
    DepsRef second = holder;
    EXPECT_EQ(deps->refs(), 2);
  }
  EXPECT_EQ(deps->refs(), 1);
  deps->add_word("", "");
  deps->add_word("New", " ");
  deps->add_word("York", " ");
  deps->add_word("'s", "");
  EXPECT_EQ(deps->word_count(), 4);
  EXPECT_EQ(deps->words_between(1, 2), "New York");
  EXPECT_EQ(deps->words_between(2, 3), "York's");
  EXPECT_EQ(deps->words_between(0, 99), "New York's");
  EXPECT_EQ(deps->word(7), "");
  Deps other;
  EXPECT_NE(other.id(), deps->id());
}

TEST(Deps, NodesOfAnEarlierSentenceComeBackBare) {
  Deps deps;
  DepTree* top = deps.new_node(-1, -1, -1);
  DepTree* word = deps.new_node(1, 1, 1);
  DepTree* empty = deps.new_node(3, 2, -1);
  top->append(word);
  word->append(empty);
  word->set_category("N");
  word->set_relation("subj");
  word->set_root("dog");
  word->set_weight(2.5f);
  word->set_arg_index(1);
  EXPECT_STREQ(empty->label(), "E0");
  empty->set_antecedent(word);
  EXPECT_EQ(deps.node_count(), 3u);

  deps.reset();
  EXPECT_EQ(deps.node_count(), 0u);
  DepTree* again = deps.new_node(2, 4, 3);
  EXPECT_EQ(deps.node_count(), 1u);
  // Nodes are given out again in the order they were made.
  EXPECT_EQ(again, top);
  EXPECT_EQ(again->start(), 2);
  EXPECT_EQ(again->end(), 4);
  EXPECT_EQ(again->position(), 3);
  EXPECT_FALSE(again->has_children());
  DepTree* second = deps.new_node(5, 5, 5);
  EXPECT_EQ(second, word);
  EXPECT_EQ(second->parent(), nullptr);
  EXPECT_EQ(second->index_in_parent(), 0u);
  EXPECT_FALSE(second->has_children());
  EXPECT_EQ(second->category(), nullptr);
  EXPECT_EQ(second->relation(), nullptr);
  EXPECT_EQ(second->root(), nullptr);
  EXPECT_EQ(second->label_if_set(), nullptr);
  EXPECT_EQ(second->atts(), nullptr);
  EXPECT_EQ(second->weight(), 0.0f);
  EXPECT_EQ(second->arg_index(), -1);
  EXPECT_TRUE(second->properties().empty());
  DepTree* third = deps.new_node(6, 5, -1);
  EXPECT_EQ(third, empty);
  EXPECT_TRUE(third->properties().empty());
  EXPECT_STREQ(third->label(), "E0");  // the counter restarts too
  // Past the recycled ones, new nodes are made.
  DepTree* fourth = deps.new_node(7, 7, 7);
  EXPECT_NE(fourth, top);
  EXPECT_NE(fourth, word);
  EXPECT_NE(fourth, empty);
  EXPECT_EQ(deps.node_count(), 4u);
  third->set_property("ckroot", "yes");
  second->append(third);
  EXPECT_EQ(third->parent(), second);
  EXPECT_STREQ(third->find_property("ckroot")->text, "yes");
}

}  // namespace
}  // namespace velmo
