#include "parser/output/conllu_output.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "parser/forest/deps.h"
#include "parser/ud/conllu.h"

namespace velmo {
namespace {

class ConlluOutputTest : public ::testing::Test {
 protected:
  // "Ann doesn't sleep." as a parser would leave it: an empty clause head
  // "fin", an empty subject with its antecedent, no node for the full stop.
  void build() {
    for (const auto& [word, space] :
         {std::pair{"", ""}, {"Ann", ""}, {"does", " "}, {"n't", ""}, {"sleep", " "}, {".", ""}})
      deps_.add_word(word, space);
    DepTree* top = deps_.new_node(-1, -1, -1);
    deps_.set_root(top);
    DepTree* fin = deps_.new_node(1, 0, -1);
    fin->set_root("fin");
    fin->set_category("C");
    top->append(fin);
    DepTree* sleep = node(4, "sleep", "V", "i");
    fin->add_child_in_order(sleep);
    DepTree* ann = node(1, "Ann", "N", "s");
    sleep->add_child_in_order(ann);
    sleep->add_child_in_order(node(2, "does", "VB", "aux"));
    sleep->add_child_in_order(node(3, "n't", "Adv", "mod"));
    DepTree* subject = deps_.new_node(5, 4, -1);
    subject->set_root("Ann");
    subject->set_category("N");
    subject->set_relation("subj");
    subject->set_antecedent(ann);
    sleep->append(subject);
  }

  DepTree* node(int position, const char* root, const char* category, const char* relation) {
    DepTree* n = deps_.new_node(position, position, position);
    n->set_root(root);
    n->set_category(category);
    n->set_relation(relation);
    return n;
  }

  std::unique_ptr<Deps> holder_ = std::make_unique<Deps>();
  Deps& deps_ = *holder_;
};

TEST_F(ConlluOutputTest, ThePlainTreeKeepsWordsEmptyNodesAndAntecedents) {
  build();
  ud::PlainTree tree = plain_tree_of(deps_);
  ASSERT_EQ(tree.tokens.size(), 5u);
  EXPECT_EQ(tree.text, "Ann doesn't sleep.");
  EXPECT_FALSE(tree.tokens[2].space_before);
  ASSERT_EQ(tree.nodes.size(), 6u);
  EXPECT_EQ(tree.nodes[0].root, "fin");
  EXPECT_TRUE(tree.nodes[0].is_empty());
  EXPECT_EQ(tree.nodes[0].head, ud::kTop);
  EXPECT_EQ(tree.nodes[1].word, "sleep");
  EXPECT_EQ(tree.nodes[1].head, 0);
  const ud::PlainNode& subject = tree.nodes[5];
  EXPECT_EQ(subject.relation, "subj");
  ASSERT_GE(subject.antecedent, 0);
  EXPECT_EQ(tree.nodes[subject.antecedent].word, "Ann");
}

// Antecedents are linked by address among the copied nodes, whichever
// comes first in pre-order; one outside the tree links nothing.
TEST_F(ConlluOutputTest, EveryAntecedentInTheTreeIsLinkedAndOthersAreNot) {
  build();
  DepTree* fin = deps_.root()->child(0);
  DepTree* sleep = fin->child(0);
  DepTree* before = deps_.new_node(6, 4, -1);
  before->set_relation("obj");
  before->set_antecedent(sleep);  // its antecedent is its head, copied before it
  fin->append(before);
  DepTree* stray = deps_.new_node(7, 4, -1);  // in no tree
  DepTree* outside = deps_.new_node(8, 4, -1);
  outside->set_relation("dep");
  outside->set_antecedent(stray);
  sleep->append(outside);
  ud::PlainTree tree = plain_tree_of(deps_);
  ASSERT_EQ(tree.nodes.size(), 8u);
  int linked = 0;
  for (const ud::PlainNode& node : tree.nodes) {
    if (node.relation == "obj") {
      EXPECT_EQ(node.antecedent, 1);
      ++linked;
    } else if (node.relation == "dep") {
      EXPECT_EQ(node.antecedent, -1);
    } else if (node.relation == "subj") {
      ASSERT_GE(node.antecedent, 0);
      EXPECT_EQ(tree.nodes[node.antecedent].word, "Ann");
      ++linked;
    }
  }
  EXPECT_EQ(linked, 2);
  EXPECT_EQ(tree.nodes[1].word, "sleep");
}

TEST_F(ConlluOutputTest, PrintsValidConlluWithTheContractionAsOneToken) {
  build();
  std::ostringstream out;
  print_conllu(out, &deps_, "Ann doesn't sleep.", 7);  // the root keeps the capital: a name
  EXPECT_EQ(out.str(),
            "# sent_id = 7\n"
            "# text = Ann doesn't sleep.\n"
            "1\tAnn\tAnn\tPROPN\t_\t_\t4\tnsubj\t_\tRel=s|Cat=N\n"
            "2-3\tdoesn't\t_\t_\t_\t_\t_\t_\t_\t_\n"
            "2\tdoes\tdo\tAUX\t_\t_\t4\taux\t_\tRel=aux|Cat=VB\n"
            "3\tn't\tnot\tPART\t_\t_\t4\tadvmod\t_\tRel=mod|Cat=Adv\n"
            "4\tsleep\tsleep\tVERB\t_\t_\t0\troot\t_\tSpaceAfter=No|Rel=i|Cat=V\n"
            "5\t.\t.\tPUNCT\t_\t_\t4\tpunct\t_\t_\n");
  std::istringstream in(out.str() + "\n");
  std::vector<ud::ConlluProblem> problems;
  EXPECT_EQ(ud::read_conllu(in, &problems).size(), 1u);
  EXPECT_TRUE(problems.empty());
}

// The tokens spell the line as written, whatever the tokenizer made of it:
// two hyphen words print as the line's "--", and a full stop the words left
// out still gets its token.
TEST_F(ConlluOutputTest, TokensFollowTheLineNotTheTokenizer) {
  for (const auto& [word, space] : {std::pair{"", ""}, {"Wait", ""}, {"-", " "}, {"-", ""}, {"now", " "}})
    deps_.add_word(word, space);
  DepTree* top = deps_.new_node(-1, -1, -1);
  deps_.set_root(top);
  DepTree* wait = node(1, "wait", "V", "");
  top->append(wait);
  wait->add_child_in_order(node(4, "now", "Adv", "mod"));
  std::ostringstream out;
  print_conllu(out, &deps_, "Wait -- now.", 2);
  EXPECT_EQ(out.str(),
            "# sent_id = 2\n"
            "# text = Wait -- now.\n"
            "1\tWait\twait\tVERB\t_\t_\t0\troot\t_\tCat=V\n"
            "2\t--\t--\tPUNCT\t_\t_\t3\tpunct\t_\t_\n"
            "3\tnow\tnow\tADV\t_\t_\t1\tadvmod\t_\tSpaceAfter=No|Rel=mod|Cat=Adv\n"
            "4\t.\t.\tPUNCT\t_\t_\t1\tpunct\t_\t_\n");
}

TEST_F(ConlluOutputTest, WithoutTreeTheLineStillGivesASentence) {
  std::ostringstream out;
  print_conllu(out, nullptr, "  No parser here. ", 1);
  EXPECT_EQ(out.str(),
            "# sent_id = 1\n"
            "# text = No parser here.\n"
            "1\tNo\tNo\tX\t_\t_\t0\troot\t_\t_\n"
            "2\tparser\tparser\tX\t_\t_\t1\tdep\t_\t_\n"
            "3\there\there\tX\t_\t_\t1\tdep\t_\tSpaceAfter=No\n"
            "4\t.\t.\tPUNCT\t_\t_\t1\tpunct\t_\t_\n");
  std::ostringstream nothing;
  print_conllu(nothing, nullptr, " \t", 2);
  EXPECT_EQ(nothing.str(), "");
}

}  // namespace
}  // namespace velmo
