#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "lexical/items/item_lattice.h"
#include "parser/chart/pitem.h"
#include "parser/forest/dependency_weigher.h"
#include "parser/forest/deps.h"
#include "parser/forest/distance_table.h"
#include "parser/forest/parse_forest.h"
#include "parser/forest/sentence_result.h"
#include "parser/forest/tree_reader.h"
#include "parser/grammar/gcate.h"
#include "parser/grammar/glink.h"
#include "parser/chart/chart_parser.h"
#include "parser/chart/item_pool.h"
#include "parser/chart/sentence.h"
#include "parser/chart_fixture.h"
#include "parser/grammar_fixture.h"
#include "parser/output/sentence_parse.h"
#include "parser/output/print_tree.h"
#include "shell/support/diagnostics.h"

namespace velmo {
namespace {

// Parse items, categories and links made by hand, so that each step of
// the forest can be given exactly the analyses it is to choose from.
class ForestTest : public testing::GrammarFixture {
 protected:
  void SetUp() override {
    GrammarFixture::SetUp();
    lattice_.ensure_sentinel();
  }
  void TearDown() override {
    items_.clear();
    result_.reset();
    GrammarFixture::TearDown();
  }

  void words(std::initializer_list<const char*> list) {
    for (const char* w : list) {
      lattice_.add_spacing(" ");
      lattice_.add_word(w);
    }
  }
  GCate* category(const char* name) {
    categories_.push_back(std::make_unique<GCate>(nullptr, name));
    return categories_.back().get();
  }
  GLink* link(GCate* modifiee, GCate* modifier, const char* relation, int position, float weight = 1.0f) {
    GLink* l = modifiee->add_link(position, modifier);
    if (relation) l->set_relation(relation);
    l->weight = weight;
    return l;
  }
  PItem* item(GCate* cate, int start, int end, float weight, const char* vector = "(cat n)") {
    items_.push_back(std::make_unique<PItem>(builtin_attributes().type));
    PItem* made = items_.back().get();
    made->cate = cate;
    made->start = static_cast<std::int16_t>(start);
    made->end = static_cast<std::int16_t>(end);
    made->weight = weight;
    set_vector(*made, vector);
    return made;
  }
  // A lexical item over one word with "lexitem" set.
  PItem* word_item(GCate* cate, int position, float weight, const char* vector = "(cat n)") {
    LexItem* lex = lattice_.make_item(lattice_.word_at(position), nullptr, position, position);
    lattice_.add_item(lex, false);
    PItem* made = item(cate, position, position, weight, vector);
    made->lex_item = lex;
    made->av.set(builtin_attributes().lexitem, reinterpret_cast<Word>(lex));
    return made;
  }
  PItem* merge(PItem* head, PItem* modifier, GLink* l, float link_weight = 1.0f) {
    PItem* made = item(head->cate, std::min(head->start, modifier->start), std::max(head->end, modifier->end),
                       head->weight + modifier->weight + link_weight, nullptr);
    made->av = head->av;
    made->head_child = head;
    made->second = modifier;
    made->link = l;
    return made;
  }
  PItem* project(PItem* below, GCate* into, GLink* l, float extra = 0.0f) {
    PItem* made = item(into, below->start, below->end, below->weight + extra, nullptr);
    made->av = below->av;
    made->head_child = below;
    made->link = l;
    return made;
  }
  void set_vector(PItem& p, const char* vector) {
    if (!vector) return;
    StringPool store;
    std::string text = "(";
    text.append(vector).append(")");
    auto list = IRSlist::parse(text, store);
    p.av.read(*list);
  }

  // The dependency format of the tree read off `roots`.
  std::string tree_of(std::vector<PItem*> roots) {
    std::vector<TNode*> nodes;
    for (PItem* root : roots) nodes.push_back(result_->forest().node_for(root));
    result_->forest().set_roots(nodes);
    Deps& deps = result_->build(&lattice_, nullptr);
    PrintTree tree;
    tree.copy_from(deps, nullptr);
    std::string out;
    print_dependency_format(out, tree, "()");
    return out;
  }

  // Gives the weigher a database that answers 0.5 to every triple and
  // records the relation of each question; returns the record.
  const std::vector<std::string>& weigh_recording_relations() {
    DependencyWeigher::Sources sources;
    sources.distances = &no_distances_;
    sources.probability = [this](std::string_view, std::string_view relation,
                                 std::string_view) -> std::optional<double> {
      asked_relations_.emplace_back(relation);
      return 0.5;
    };
    result_->weigher().set_sources(sources);
    return asked_relations_;
  }

  ItemLattice lattice_;
  std::vector<std::unique_ptr<GCate>> categories_;
  std::vector<std::unique_ptr<PItem>> items_;
  DistanceTable no_distances_;
  std::vector<std::string> asked_relations_;
  std::unique_ptr<SentenceResult> result_ = std::make_unique<SentenceResult>();
};

TEST_F(ForestTest, TheLightestAlternativeIsKept) {
  words({"dogs", "bark"});
  GCate* n = category("N");
  GCate* v = category("V");
  GLink* subj = link(v, n, "subj", 0);
  PItem* dogs = word_item(n, 1, 18.0f);
  PItem* bark = word_item(v, 2, 18.0f, "(cat v)");
  PItem* heavy = merge(bark, dogs, subj, 5.0f);
  PItem* light = merge(bark, dogs, subj, 1.0f);
  heavy->next_alt = light;  // packed: the heavier one came first
  TNode* node = result_->forest().node_for(heavy);
  ASSERT_EQ(node->record_count(), 2u);
  EXPECT_EQ(node->best()->source, light);
  // Local weight: item weight minus both parts (the link weight), plus a
  // tenth of the link's own weight.
  EXPECT_FLOAT_EQ(node->best()->local, 1.0f + 0.1f);
  EXPECT_FLOAT_EQ(node->best_weight(), 18.0f + 18.0f + 1.1f);
  EXPECT_DOUBLE_EQ(node->analysis_count(), 2.0);
}

// Of alternatives of equal weight the one offered first is kept, also when
// they come through a packed projection, which makes every record below
// heavier by the same amount.
TEST_F(ForestTest, OfEqualAlternativesTheFirstIsKept) {
  words({"dogs", "bark"});
  GCate* n = category("N");
  GCate* v = category("V");
  GCate* s = category("S");
  GLink* subj = link(v, n, "subj", 0);
  PItem* dogs = word_item(n, 1, 18.0f);
  PItem* bark = word_item(v, 2, 18.0f, "(cat v)");
  PItem* heavy = merge(bark, dogs, subj, 5.0f);
  PItem* first = merge(bark, dogs, subj, 1.0f);
  PItem* second = merge(bark, dogs, subj, 1.0f);
  heavy->next_alt = first;
  first->next_alt = second;
  TNode* node = result_->forest().node_for(heavy);
  ASSERT_EQ(node->record_count(), 3u);
  EXPECT_EQ(node->best()->source, first);
  // Packed: a head child without a link or a modifier.
  PItem* packed = item(s, 1, 2, heavy->weight + 0.5f, nullptr);
  packed->head_child = heavy;
  TNode* above = result_->forest().node_for(packed);
  ASSERT_NE(above, nullptr);
  EXPECT_EQ(above->best()->source, first);
  EXPECT_FLOAT_EQ(above->best_weight(), node->best_weight() + 0.5f);
}

// The forest keeps its nodes in blocks of a few thousand: a forest larger
// than one block keeps and prints every node, and a node offered more
// records than a block holds counts them all and keeps the lightest.
TEST_F(ForestTest, NodesBeyondOneBlockAreAllKept) {
  words({"dogs", "bark"});
  GCate* n = category("N");
  GCate* v = category("V");
  GLink* subj = link(v, n, "subj", 0);
  PItem* dogs = word_item(n, 1, 1.0f);
  PItem* bark = word_item(v, 2, 1.0f, "(cat v)");
  constexpr int kMerges = 5000;
  PItem* chain = nullptr;
  for (int i = 0; i < kMerges; ++i) {
    PItem* merged = merge(bark, dogs, subj, static_cast<float>(kMerges - i));
    merged->next_alt = chain;
    chain = merged;
  }
  TNode* node = result_->forest().node_for(chain);
  ASSERT_NE(node, nullptr);
  ASSERT_EQ(node->record_count(), static_cast<std::size_t>(kMerges));
  EXPECT_FLOAT_EQ(node->best_weight(), 1.0f + 1.0f + 1.1f);
  std::vector<PItem*> lone;
  for (int i = 0; i < kMerges; ++i) lone.push_back(word_item(n, 1, static_cast<float>(i)));
  for (PItem* word : lone) ASSERT_NE(result_->forest().node_for(word), nullptr);
  std::ostringstream printed;
  result_->forest().print(printed);
  std::size_t nodes = 0;
  std::istringstream lines(printed.str());
  for (std::string line; std::getline(lines, line);)
    if (line.starts_with("N: (") || line.starts_with("V: (")) ++nodes;
  EXPECT_EQ(nodes, static_cast<std::size_t>(kMerges + 3));  // the chain, its two words and the lone words
}

// With a relation database a dependency weighs at least nothing: a record
// whose parts alone weigh as much as an earlier record is not weighed (it
// could not become the best, equal weights keeping the earlier one).
TEST_F(ForestTest, ARecordThatCannotBeLighterIsNotWeighed) {
  words({"dogs", "bark"});
  GCate* n = category("N");
  GCate* v = category("V");
  GLink* subj = link(v, n, "subj", 0);
  GLink* obj = link(v, n, "obj", 0);
  GLink* agent = link(v, n, "agent", 0);
  PItem* dogs = word_item(n, 1, 18.0f);
  PItem* heavy_dogs = word_item(n, 1, 25.0f);
  PItem* bark = word_item(v, 2, 18.0f, "(cat v)");
  PItem* first = merge(bark, dogs, subj);
  PItem* equal = merge(bark, dogs, obj);  // could tie: weighed
  PItem* heavy = merge(bark, heavy_dogs, agent);
  first->next_alt = equal;
  equal->next_alt = heavy;
  const std::vector<std::string>& asked = weigh_recording_relations();
  TNode* node = result_->forest().node_for(first);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->best()->source, first);
  // The heavy record's parts alone outweigh the first record.
  EXPECT_EQ(asked, (std::vector<std::string>{"subj", "obj"}));
  EXPECT_DOUBLE_EQ(node->analysis_count(), 3.0);
  EXPECT_FLOAT_EQ(node->best_weight(), 18.0f + 18.0f + (-std::log(0.5f) + 0.1f) + 0.1f);
}

// A dependency weighs at least the distance table's floor (0.1): a record
// whose parts and that least weight reach the best total is not weighed
// either.
TEST_F(ForestTest, ARecordWithinTheLeastDependencyWeightIsNotWeighed) {
  words({"dogs", "bark"});
  GCate* n = category("N");
  GCate* v = category("V");
  GLink* subj = link(v, n, "subj", 0);
  GLink* agent = link(v, n, "agent", 0);
  PItem* dogs = word_item(n, 1, 18.0f);
  PItem* near_dogs = word_item(n, 1, 18.75f);
  PItem* bark = word_item(v, 2, 18.0f, "(cat v)");
  PItem* first = merge(bark, dogs, subj);
  PItem* near = merge(bark, near_dogs, agent);  // 36.75 + 0.1 + 0.1 >= 36.89
  first->next_alt = near;
  const std::vector<std::string>& asked = weigh_recording_relations();
  TNode* node = result_->forest().node_for(first);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->best()->source, first);
  EXPECT_EQ(asked, (std::vector<std::string>{"subj"}));
  EXPECT_FLOAT_EQ(node->best_weight(), 18.0f + 18.0f + (-std::log(0.5f) + 0.1f) + 0.1f);
}

TEST_F(ForestTest, AGuestDependencyCostsTenMore) {
  words({"dogs", "bark"});
  GCate* n = category("N");
  GCate* v = category("V");
  GLink* guest = link(v, n, "guest", 0);
  GLink* other = link(v, n, "subj", 0);
  PItem* dogs = word_item(n, 1, 18.0f);
  PItem* bark = word_item(v, 2, 18.0f, "(cat v)");
  TNode* as_guest = result_->forest().node_for(merge(bark, dogs, guest));
  TNode* as_subject = result_->forest().node_for(merge(bark, dogs, other));
  EXPECT_FLOAT_EQ(as_guest->best_weight() - as_subject->best_weight(), 10.0f);
}

TEST_F(ForestTest, OneRootHangsUnderTheTopNode) {
  words({"dogs", "bark"});
  GCate* n = category("N");
  GCate* v = category("V");
  GLink* subj = link(v, n, "subj", 0);
  PItem* clause = merge(word_item(v, 2, 18.0f, "(cat v)"), word_item(n, 1, 18.0f), subj);
  EXPECT_EQ(tree_of({clause}),
            "(\n"
            "1\t(dogs\t~ N\t2\tsubj\t(gov bark))\n"
            "2\t(bark\t~ V\t*\t)\n"
            ")");
  Deps& deps = *result_->deps();
  ASSERT_EQ(deps.root()->children().size(), 1u);
  EXPECT_EQ(deps.root()->child(0)->position(), 2);
}

TEST_F(ForestTest, ThreeFragmentsHangUnderOneWordlessNode) {
  words({"dogs", "cats", "birds"});
  GCate* n = category("N");
  PItem* a = word_item(n, 1, 18.0f);
  PItem* b = word_item(n, 2, 18.0f);
  PItem* c = word_item(n, 3, 18.0f);
  EXPECT_EQ(tree_of({a, b, c}),
            "(\n"
            "E1\t(()\t U\t*\t)\n"
            "1\t(dogs\t~ N\tE1\t)\n"
            "2\t(cats\t~ N\tE1\t)\n"
            "3\t(birds\t~ N\tE1\t)\n"
            ")");
  Deps& deps = *result_->deps();
  ASSERT_EQ(deps.root()->children().size(), 1u);
  EXPECT_EQ(deps.root()->child(0)->children().size(), 3u);
  EXPECT_FALSE(deps.root()->child(0)->has_word());
}

TEST_F(ForestTest, AnEmptyCoverLeavesTheTopNodeAlone) {
  words({"!"});
  EXPECT_EQ(tree_of({}), "(\n)");
  ASSERT_NE(result_->deps()->root(), nullptr);
  EXPECT_FALSE(result_->deps()->root()->has_children());
}

TEST_F(ForestTest, AHeadWithoutLexicalItemGetsAnEmptyNode) {
  words({"dogs", "bark"});
  GCate* n = category("N");
  GCate* v = category("V");
  GCate* s = category("S");
  GLink* pred = link(s, v, "pred", 1);
  GLink* subj = link(s, n, "subj", 0);
  PItem* verb = word_item(v, 2, 18.0f, "(cat v)");
  PItem* projected = project(verb, s, pred);
  projected->av.clear();  // no "lexitem": the clause gets a head of its own
  set_vector(*projected, "(cform fin)");
  PItem* clause = merge(projected, word_item(n, 1, 18.0f), subj);
  EXPECT_EQ(tree_of({clause}),
            "(\n"
            "E0\t(()\tfin S\t*\t)\n"
            "1\t(dogs\t~ N\tE0\tsubj\t(gov fin))\n"
            "2\t(bark\t~ V\tE0\tpred\t(gov fin))\n"
            ")");
}

TEST_F(ForestTest, SubcatLinksAndPrepositionsKeepTheirOwnHead) {
  words({"to", "dogs"});
  GCate* n = category("N");
  GCate* p = category("P");
  GCate* p_n = category("P_N");
  GLink* subcat = link(p, p_n, "subcat", 0);
  GLink* obj = link(p_n, n, "pobj", 1);
  PItem* to = word_item(p_n, 1, 18.0f, "(cat p)");
  PItem* phrase = merge(to, word_item(n, 2, 18.0f), obj);
  PItem* up = project(phrase, p, subcat);
  up->av.clear();  // neither "lexitem" nor "cat": the subcat link decides
  EXPECT_EQ(tree_of({up}),
            "(\n"
            "1\t(to\t~ P_N\t*\t)\n"
            "2\t(dogs\t~ N\t1\tpobj\t(gov to))\n"
            ")");
  // A projection of "cat" p through another link is its own head too.
  result_ = std::make_unique<SentenceResult>();
  GLink* other = link(p, p_n, "pp", 0);
  PItem* up2 = project(phrase, p, other);
  up2->av.clear();
  set_vector(*up2, "(cat p)");
  EXPECT_EQ(tree_of({up2}).find("E"), std::string::npos);
}

TEST_F(ForestTest, ArgumentRolesBecomeRelations) {
  words({"dogs", "chase", "cats"});
  GCate* n = category("N");
  GCate* v = category("V_N");
  GLink* comp = link(v, n, "comp1", 1);
  PItem* verb = word_item(v, 2, 18.0f, "(cat v) (args ((cat n) (role obj)))");
  PItem* clause = merge(verb, word_item(n, 3, 18.0f), comp);
  EXPECT_NE(tree_of({clause}).find("3\t(cats\t~ N\t2\tobj\t(gov chase))"), std::string::npos);
}

TEST_F(ForestTest, ATwoWordItemHeadedByItsLastWordHasALexModChild) {
  words({"New", "York"});
  GCate* n = category("N");
  LexItem* lex = lattice_.make_item("New York", nullptr, 1, 2);
  lex->head = 2;
  lattice_.add_item(lex, false);
  PItem* city = item(n, 1, 2, 18.0f);
  city->lex_item = lex;
  city->av.set(builtin_attributes().lexitem, reinterpret_cast<Word>(lex));
  EXPECT_EQ(tree_of({city}),
            "(\n"
            "1\t(New\t U\t2\tlex-mod\t(gov \"New York\"))\n"
            "2\t(\"New York\"\t~ N\t*\t)\n"
            ")");
}

TEST_F(ForestTest, SubItemsOfAMultiWordItemBecomeItsSubtree) {
  words({"New", "York", "City"});
  GCate* n = category("N");
  LexItem* lex = lattice_.make_item("New York City", nullptr, 1, 3);
  LexItem* state = lattice_.make_item("New York", nullptr, 1, 2);
  LexItem* city_word = lattice_.make_item("city", nullptr, 3, 3);
  lex->head = 3;
  lex->sub_items = {state, city_word};
  state->relation = "nn";
  PItem* city = item(n, 1, 3, 18.0f);
  city->lex_item = lex;
  const std::string out = tree_of({city});
  EXPECT_NE(out.find("3\t(City\t~ U\t*\t)"), std::string::npos) << out;
  EXPECT_NE(out.find("1\t(\"New York\"\t~ U\t3\tnn\t(gov city))"), std::string::npos) << out;
  EXPECT_NE(out.find("2\t(York\t U\t1\tlex-mod\t(gov \"New York\"))"), std::string::npos) << out;
}

TEST_F(ForestTest, ACycleOfPackedProjectionsIsCutNotFollowed) {
  words({"dogs"});
  GCate* n = category("N");
  GCate* np = category("NP");
  GLink* up = link(np, n, "head", 0);
  GLink* down = link(n, np, "head", 0);
  PItem* dogs = word_item(n, 1, 18.0f);
  PItem* phrase = project(dogs, np, up);
  PItem* again = project(phrase, n, down);
  dogs->next_alt = again;  // packed into the item it came from
  TNode* node = result_->forest().node_for(dogs);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->record_count(), 1u);
  EXPECT_NE(tree_of({dogs}).find("1\t(dogs"), std::string::npos);
}

// Two packed analyses of "saw man with telescope": the phrase attaches to
// the verb or to the noun. The chart prefers the noun; the relation
// database prefers the verb.
class RelationDatabaseTest : public ForestTest {
 protected:
  PItem* sentence() {
    words({"saw", "man", "with", "telescope"});
    GCate* v = category("V");
    GCate* n = category("N");
    GCate* p = category("P");
    GLink* obj = link(v, n, "obj", 1);
    GLink* vmod = link(v, p, "mod", 1);
    GLink* nmod = link(n, p, "mod", 1);
    GLink* pobj = link(p, n, "pcomp", 1);
    PItem* saw = word_item(v, 1, 18.0f, "(cat v)");
    PItem* man = word_item(n, 2, 18.0f);
    PItem* pp = merge(word_item(p, 3, 18.0f, "(cat p)"), word_item(n, 4, 18.0f), pobj);
    PItem* to_noun = merge(saw, merge(man, pp, nmod), obj, 1.0f);
    PItem* to_verb = merge(merge(saw, man, obj), pp, vmod, 3.0f);
    to_noun->next_alt = to_verb;
    return to_noun;
  }
};

TEST_F(RelationDatabaseTest, WithoutDatabaseTheChartWeightsDecide) {
  const std::string out = tree_of({sentence()});
  EXPECT_NE(out.find("3\t(with\t~ P\t2\tmod"), std::string::npos) << out;
}

TEST_F(RelationDatabaseTest, TheDatabaseChangesWhichTreeWins) {
  DistanceTable distances;
  DependencyWeigher::Sources sources;
  sources.distances = &distances;
  sources.probability = [](std::string_view head, std::string_view relation,
                           std::string_view modifier) -> std::optional<double> {
    if (relation == "mod" && modifier == "with") return head == "saw" ? 0.9 : 0.01;
    return std::nullopt;
  };
  result_->weigher().set_sources(sources);
  const std::string out = tree_of({sentence()});
  EXPECT_NE(out.find("3\t(with\t~ P\t1\tmod"), std::string::npos) << out;
}

// A modifier's packed alternatives are weighed each by its own word and the
// lightest decides; alternatives with the same word, position and category
// are weighed once.
TEST_F(RelationDatabaseTest, PackedModifiersAreWeighedOncePerDistinctWord) {
  words({"saw", "man"});
  GCate* v = category("V");
  GCate* n = category("N");
  GLink* obj = link(v, n, "obj", 1);
  PItem* saw = word_item(v, 1, 18.0f, "(cat v)");
  PItem* man = word_item(n, 2, 18.0f);
  PItem* man_again = word_item(n, 2, 18.0f);
  PItem* men = item(n, 2, 2, 18.0f);
  men->lex_item = lattice_.make_item("men", nullptr, 2, 2);
  PItem* men_alone = item(n, 2, 2, 18.0f);
  men_alone->lex_item = men->lex_item;
  man->next_alt = man_again;
  man_again->next_alt = men;
  std::vector<std::string> asked;
  DependencyWeigher::Sources sources;
  sources.probability = [&asked](std::string_view head, std::string_view relation,
                                 std::string_view modifier) -> std::optional<double> {
    asked.push_back(std::string(head) + " " + std::string(relation) + " " + std::string(modifier));
    return modifier == "men" ? 0.5 : 0.01;
  };
  DependencyWeigher& weigher = result_->weigher();
  weigher.set_sources(sources);
  const float packed = weigher.merge_weight(*merge(saw, man, obj), *saw, *man, *obj);
  EXPECT_EQ(asked, (std::vector<std::string>{"saw obj man", "saw obj men"}));
  const float alone = weigher.merge_weight(*merge(saw, men_alone, obj), *saw, *men_alone, *obj);
  EXPECT_FLOAT_EQ(packed, alone);
  PItem* man_alone = word_item(n, 2, 18.0f);
  EXPECT_LT(alone, weigher.merge_weight(*merge(saw, man_alone, obj), *saw, *man_alone, *obj));
}

// The distinct words of a modifier's packed alternatives are found once in
// a sentence and serve every head it is weighed under; each head gets the
// lightest of them by its own answers.
TEST_F(RelationDatabaseTest, AModifiersPackedWordsServeEveryHead) {
  words({"saw", "man", "left"});
  GCate* v = category("V");
  GCate* n = category("N");
  GLink* obj = link(v, n, "obj", 1);
  GLink* subj = link(v, n, "subj", 1);
  PItem* saw = word_item(v, 1, 18.0f, "(cat v)");
  PItem* left = word_item(v, 3, 18.0f, "(cat v)");
  PItem* man = word_item(n, 2, 18.0f);
  PItem* men = item(n, 2, 2, 18.0f);
  men->lex_item = lattice_.make_item("men", nullptr, 2, 2);
  man->next_alt = men;
  std::vector<std::string> asked;
  DependencyWeigher::Sources sources;
  sources.probability = [&asked](std::string_view head, std::string_view relation,
                                 std::string_view modifier) -> std::optional<double> {
    asked.push_back(std::string(head) + " " + std::string(relation) + " " + std::string(modifier));
    if (head == "saw") return modifier == "men" ? 0.5 : 0.25;
    return modifier == "men" ? 0.125 : 0.75;
  };
  DependencyWeigher& weigher = result_->weigher();
  weigher.set_sources(sources);
  const float under_saw = weigher.merge_weight(*merge(saw, man, obj), *saw, *man, *obj);
  const float under_left = weigher.merge_weight(*merge(left, man, subj), *left, *man, *subj);
  EXPECT_EQ(asked, (std::vector<std::string>{"saw obj man", "saw obj men", "left subj man", "left subj men"}));
  PItem* men_alone = item(n, 2, 2, 18.0f);
  men_alone->lex_item = men->lex_item;
  PItem* man_alone = word_item(n, 2, 18.0f);
  // Under "saw" the men reading is the lighter (-ln 0.5), under "left" the
  // man reading (-ln 0.75).
  EXPECT_FLOAT_EQ(under_saw, weigher.merge_weight(*merge(saw, men_alone, obj), *saw, *men_alone, *obj));
  EXPECT_FLOAT_EQ(under_left, weigher.merge_weight(*merge(left, man_alone, subj), *left, *man_alone, *subj));
  EXPECT_LT(under_saw, weigher.merge_weight(*merge(saw, man_alone, obj), *saw, *man_alone, *obj));
  EXPECT_LT(under_left, weigher.merge_weight(*merge(left, men_alone, subj), *left, *men_alone, *subj));
}

// A word the database lacks is asked about with the category the parser
// gave it, "<N>Adz", as head and as modifier; a word it knows as itself.
TEST_F(RelationDatabaseTest, AWordTheDatabaseLacksIsAskedWithItsCategory) {
  words({"saw", "Adz", "zorp", "man"});
  GCate* v = category("V");
  GCate* n = category("N");
  GLink* obj = link(v, n, "obj", 1);
  PItem* saw = word_item(v, 1, 18.0f, "(cat v)");
  PItem* adz = word_item(n, 2, 18.0f);
  PItem* zorp = word_item(v, 3, 18.0f, "(cat v)");
  PItem* man = word_item(n, 4, 18.0f);
  std::vector<std::string> asked;
  DependencyWeigher::Sources sources;
  sources.probability = [&asked](std::string_view head, std::string_view relation,
                                 std::string_view modifier) -> std::optional<double> {
    asked.push_back(std::string(head) + " " + std::string(relation) + " " + std::string(modifier));
    return 0.5;
  };
  sources.knows_word = [](std::string_view word) { return word == "saw" || word == "man"; };
  DependencyWeigher& weigher = result_->weigher();
  weigher.set_sources(sources);
  weigher.merge_weight(*merge(saw, adz, obj), *saw, *adz, *obj);
  weigher.merge_weight(*merge(zorp, man, obj), *zorp, *man, *obj);
  EXPECT_EQ(asked, (std::vector<std::string>{"saw obj <N>Adz", "<V>zorp obj man"}));
}

TEST_F(RelationDatabaseTest, APrepositionalPhraseIsAskedWithItsObject) {
  std::vector<std::string> asked;
  DependencyWeigher::Sources sources;
  sources.probability = [&asked](std::string_view head, std::string_view relation,
                                 std::string_view modifier) -> std::optional<double> {
    asked.push_back(std::string(head) + " " + std::string(relation) + " " + std::string(modifier));
    if (relation == "with" && modifier == "telescope") return head == "<V>saw" ? 0.9 : 0.01;
    return std::nullopt;
  };
  result_->weigher().set_sources(sources);
  PItem* root = sentence();
  // The preposition carries its form: the relation is "with".
  for (auto& made : items_)
    if (made->cate && made->cate->name() == "P") set_vector(*made, "(cat p) (pform with)");
  const std::string out = tree_of({root});
  EXPECT_NE(out.find("3\t(with\t~ P\t1\tmod"), std::string::npos) << out;
  // The head is named with its category; other dependencies by the word.
  EXPECT_NE(std::find(asked.begin(), asked.end(), "<V>saw with telescope"), asked.end())
      << ::testing::PrintToString(asked);
  EXPECT_NE(std::find(asked.begin(), asked.end(), "<N>man with telescope"), asked.end());
  EXPECT_NE(std::find(asked.begin(), asked.end(), "saw obj man"), asked.end());
  EXPECT_EQ(std::find(asked.begin(), asked.end(), "<V>saw with with"), asked.end());
}

// A preposition without a distance row of its own under the head's
// category is weighed by the row of all prepositions there; one with a row
// keeps it, and other dependencies without a row keep the floor.
TEST_F(RelationDatabaseTest, ARarePrepositionTakesThePooledDistanceRow) {
  words({"saw", "man", "among", "trees", "with", "telescope"});
  GCate* v = category("V");
  GCate* n = category("N");
  GCate* p = category("P");
  GLink* pobj = link(p, n, "pcomp", 1);
  PItem* saw = word_item(v, 1, 18.0f, "(cat v)");
  PItem* man = word_item(n, 2, 18.0f);
  PItem* among = merge(word_item(p, 3, 18.0f, "(cat p) (pform among)"), word_item(n, 4, 18.0f), pobj);
  PItem* with = merge(word_item(p, 5, 18.0f, "(cat p) (pform with)"), word_item(n, 6, 18.0f), pobj);
  DistanceTable distances;
  distances.add(std::string("V:") + DependencyWeigher::kAnyPreposition + ":P", 2, false, 0.5f);
  distances.add(std::string("V:") + DependencyWeigher::kAnyPreposition + ":P", 4, false, 0.5f);
  distances.add("V:with:P", 4, false, 0.25f);
  DependencyWeigher weigher;
  DependencyWeigher::Sources sources;
  sources.distances = &distances;
  sources.probability = [](std::string_view, std::string_view, std::string_view) -> std::optional<double> {
    return std::nullopt;
  };
  weigher.set_sources(sources);
  EXPECT_FLOAT_EQ(weigher.surface_weight(*saw, *among, "among"), -std::log(0.5f));
  EXPECT_FLOAT_EQ(weigher.surface_weight(*saw, *with, "with"), -std::log(0.25f));
  EXPECT_FLOAT_EQ(weigher.single_weight(*saw, *man, "among"), DistanceTable::kFloorWeight);
}

TEST_F(RelationDatabaseTest, BadTriplesCostFortyAndDebuggingWritesEachTriple) {
  DistanceTable distances;
  distances.add("V:obj:N", 1, false, 0.5f);
  DependencyWeigher weigher;
  DependencyWeigher::Sources sources;
  sources.distances = &distances;
  sources.probability = [](std::string_view, std::string_view, std::string_view) -> std::optional<double> {
    return 0.25;
  };
  sources.is_bad_triple = [](std::string_view head, std::string_view relation, std::string_view modifier) {
    return head == "saw" && relation == "pobj" && modifier == "telescope";
  };
  weigher.set_sources(sources);
  sentence();
  PItem* saw = items_[0].get();
  PItem* man = items_[1].get();
  EXPECT_FLOAT_EQ(weigher.single_weight(*saw, *man, "pobj"), 0.1f - std::log(0.25f));
  PItem telescope(builtin_attributes().type);
  telescope.lex_item = lattice_.make_item("telescope", nullptr, 4, 4);
  telescope.cate = man->cate;
  EXPECT_FLOAT_EQ(weigher.single_weight(*saw, telescope, "pobj"), 40.0f);
  // In a later sentence the bad triple comes from the cache (the list is not
  // asked again) and still costs forty.
  int bad_questions = 0;
  sources.is_bad_triple = [&bad_questions](std::string_view head, std::string_view relation,
                                           std::string_view modifier) {
    ++bad_questions;
    return head == "saw" && relation == "pobj" && modifier == "telescope";
  };
  weigher.set_sources(sources);
  EXPECT_FLOAT_EQ(weigher.single_weight(*saw, telescope, "pobj"), 40.0f);
  EXPECT_FLOAT_EQ(weigher.single_weight(*saw, *man, "pobj"), 0.1f - std::log(0.25f));
  EXPECT_EQ(bad_questions, 0);
  std::ostringstream messages;
  ScopedDiagnostics capture(messages);
  weight_debugging() = true;
  const float w = weigher.single_weight(*saw, *man, "obj");
  weight_debugging() = false;
  EXPECT_FLOAT_EQ(w, -std::log(0.25f) - std::log(0.5f));
  EXPECT_EQ(messages.str(), "saw\tobj\tman 1.38629 dist=0.693147 distp=1\n");
  // Cached: no second line.
  weigher.single_weight(*saw, *man, "obj");
  EXPECT_EQ(messages.str(), "saw\tobj\tman 1.38629 dist=0.693147 distp=1\n");
}

TEST_F(RelationDatabaseTest, TheCacheOfTripleWeightsIsEmptiedBetweenSentencesWhenFull) {
  DistanceTable distances;
  DependencyWeigher weigher(2);
  DependencyWeigher::Sources sources;
  sources.distances = &distances;
  int questions = 0;
  sources.probability = [&questions](std::string_view, std::string_view, std::string_view) -> std::optional<double> {
    ++questions;
    return 0.25;
  };
  weigher.set_sources(sources);
  sentence();
  PItem* saw = items_[0].get();
  PItem* man = items_[1].get();
  const float obj = weigher.single_weight(*saw, *man, "obj");
  weigher.set_sources(sources);
  EXPECT_FLOAT_EQ(weigher.single_weight(*saw, *man, "obj"), obj);
  EXPECT_EQ(questions, 1);  // one triple: kept across sentences
  weigher.single_weight(*saw, *man, "subj");
  EXPECT_EQ(weigher.cached_triples(), 2u);
  weigher.set_sources(sources);
  EXPECT_EQ(weigher.cached_triples(), 0u);
  EXPECT_FLOAT_EQ(weigher.single_weight(*saw, *man, "obj"), obj);
  EXPECT_EQ(questions, 3);  // asked again after the cache was emptied
}

// The cache is keyed by the texts of the words, not by where a sentence
// keeps them: a later sentence's copy of a word finds the triple.
TEST_F(RelationDatabaseTest, ACachedTripleIsFoundByTheTextsOfItsWords) {
  DistanceTable distances;
  DependencyWeigher weigher;
  DependencyWeigher::Sources sources;
  sources.distances = &distances;
  std::vector<std::string> asked;
  sources.probability = [&asked](std::string_view head, std::string_view relation,
                                 std::string_view modifier) -> std::optional<double> {
    asked.push_back(std::string(head) + " " + std::string(relation) + " " + std::string(modifier));
    return modifier == "man" ? 0.25 : 0.5;
  };
  weigher.set_sources(sources);
  sentence();
  PItem* saw = items_[0].get();
  PItem* man = items_[1].get();
  const float first = weigher.single_weight(*saw, *man, "obj");
  weigher.set_sources(sources);
  const std::string man_again = "man";
  const std::string woman = "woman";
  PItem other(builtin_attributes().type);
  other.lex_item = lattice_.make_item("man", nullptr, 2, 2);
  other.lex_item->root = man_again.c_str();
  other.cate = man->cate;
  EXPECT_FLOAT_EQ(weigher.single_weight(*saw, other, "obj"), first);
  EXPECT_EQ(asked, (std::vector<std::string>{"saw obj man"}));
  other.lex_item->root = woman.c_str();
  weigher.set_sources(sources);
  EXPECT_FLOAT_EQ(weigher.single_weight(*saw, other, "obj"), -std::log(0.5f) + DistanceTable::kFloorWeight);
  EXPECT_EQ(asked, (std::vector<std::string>{"saw obj man", "saw obj woman"}));
}

// A clause without subject conjoined to a clause (came and left) is asked
// as the pair of verbs where the verbs stand, under the verbs' categories;
// one with a subject (and she left) as the word-less clause heads.
TEST_F(RelationDatabaseTest, AConjoinedClauseWithoutSubjectIsAskedAsItsVerbs) {
  words({"came", "and", "left", "she", "went"});
  GCate* v = category("V");
  GCate* c = category("C");
  GCate* n = category("N");
  GLink* i = link(c, v, "i", 0);
  GLink* subj = link(v, n, "s", 1);
  GLink* conj = link(c, c, "conj", 1);
  // The empty clause head percolates no "lexitem" from its verb.
  const auto clause = [&](PItem* verb) {
    PItem* made = item(c, verb->start, verb->end, verb->weight, "(cat c) (cform fin)");
    made->head_child = verb;
    made->link = i;
    return made;
  };
  PItem* came = clause(word_item(v, 1, 18.0f, "(cat v)"));
  PItem* left = clause(word_item(v, 3, 18.0f, "(cat v)"));
  PItem* she_went = clause(merge(word_item(v, 5, 18.0f, "(cat v)"), word_item(n, 4, 18.0f), subj));
  DistanceTable distances;
  distances.add("V:conj:V", 2, false, 0.5f);
  distances.add("C:conj:C", 3, false, 0.25f);
  std::vector<std::string> asked;
  DependencyWeigher weigher;
  DependencyWeigher::Sources sources;
  sources.distances = &distances;
  sources.probability = [&asked](std::string_view head, std::string_view relation,
                                 std::string_view modifier) -> std::optional<double> {
    asked.push_back(std::string(head) + " " + std::string(relation) + " " + std::string(modifier));
    return 0.5;
  };
  weigher.set_sources(sources);
  EXPECT_FLOAT_EQ(weigher.merge_weight(*merge(came, left, conj), *came, *left, *conj),
                  -std::log(0.5f) - std::log(0.5f));
  EXPECT_EQ(asked, (std::vector<std::string>{"came conj left"}));
  // With a subject: fin under fin, from the clause's first word.
  EXPECT_FLOAT_EQ(weigher.merge_weight(*merge(came, she_went, conj), *came, *she_went, *conj),
                  -std::log(0.5f) - std::log(0.25f));
  EXPECT_EQ(asked, (std::vector<std::string>{"came conj left", "fin conj fin"}));
}

// Two clauses opened by the same complementiser (that it works and that it
// helps) are asked as two clauses joined, where the complementisers stand;
// any other conjunct of a complementiser is asked under the complementiser.
TEST_F(RelationDatabaseTest, ConjoinedComplementisedClausesAreAskedAsClauses) {
  words({"that", "it", "works", "and", "that", "it", "helps", "she", "went", "whether"});
  GCate* v = category("V");
  GCate* c = category("C");
  GCate* n = category("N");
  GLink* i = link(c, v, "i", 1);
  GLink* subj = link(v, n, "s", 1);
  GLink* conj = link(c, c, "conj", 1);
  GLink* fin_i = link(c, v, "i", 0);
  const auto complementised = [&](int position, PItem* verb) {
    return merge(word_item(c, position, 18.0f, "(cat c) (cform that)"), verb, i);
  };
  PItem* that_it_works = complementised(1, merge(word_item(v, 3, 18.0f, "(cat v)"), word_item(n, 2, 18.0f), subj));
  PItem* that_it_helps = complementised(5, merge(word_item(v, 7, 18.0f, "(cat v)"), word_item(n, 6, 18.0f), subj));
  PItem* whether_it_helps =
      merge(word_item(c, 10, 18.0f, "(cat c) (cform whether)"), word_item(v, 7, 18.0f, "(cat v)"), i);
  // The empty clause head percolates no "lexitem" from its verb.
  PItem* went = merge(word_item(v, 9, 18.0f, "(cat v)"), word_item(n, 8, 18.0f), subj);
  PItem* she_went = item(c, 8, 9, went->weight, "(cat c) (cform fin)");
  she_went->head_child = went;
  she_went->link = fin_i;
  DistanceTable distances;
  distances.add("C:conj:C", 4, false, 0.25f);
  std::vector<std::string> asked;
  DependencyWeigher weigher;
  DependencyWeigher::Sources sources;
  sources.distances = &distances;
  sources.probability = [&asked](std::string_view head, std::string_view relation,
                                 std::string_view modifier) -> std::optional<double> {
    asked.push_back(std::string(head) + " " + std::string(relation) + " " + std::string(modifier));
    return 0.5;
  };
  weigher.set_sources(sources);
  const auto weight = [&](PItem* first, PItem* later) {
    return weigher.merge_weight(*merge(first, later, conj), *first, *later, *conj);
  };
  EXPECT_FLOAT_EQ(weight(that_it_works, that_it_helps), -std::log(0.5f) - std::log(0.25f));
  EXPECT_EQ(asked, (std::vector<std::string>{"fin conj fin"}));
  // A clause without complementiser, or with another one, is a conjunct of
  // the complementiser itself.
  weight(that_it_works, she_went);
  weight(that_it_works, whether_it_helps);
  EXPECT_EQ(asked, (std::vector<std::string>{"fin conj fin", "that conj fin", "that conj whether"}));
}

// Conjoined verbs share a form, as words or as phrases opened by their
// first auxiliary; a conjunct that shares none costs more, under a verb and
// under a clause alike.
TEST_F(RelationDatabaseTest, AVerbConjunctOfNoSharedFormCostsMore) {
  words({"came", "left", "going", "will", "go", "should", "have", "be", "getting"});
  GCate* v = category("V");
  GCate* vb = category("VB");
  GCate* c = category("C");
  GLink* conj = link(v, v, "conj", 1);
  GLink* aux = link(v, vb, "aux", 1);
  GLink* i = link(c, v, "i", 0);
  GLink* clause_conj = link(c, c, "conj", 1);
  // An auxiliary gives its verb's phrase its own form, as the grammar's
  // auxiliary links do.
  const auto with_aux = [&](PItem* verb, PItem* auxiliary, const char* form) {
    PItem* made = merge(verb, auxiliary, aux);
    const int vform = builtin_attributes().vform;
    made->av.set(vform, builtin_attributes().type->attribute(vform).get_val(form));
    return made;
  };
  PItem* came = word_item(v, 1, 18.0f, "(cat v) (vform fin)");
  PItem* left = word_item(v, 2, 18.0f, "(cat v) (vform fin en)");
  PItem* going = word_item(v, 3, 18.0f, "(cat v) (vform ing)");
  PItem* will_go = with_aux(word_item(v, 5, 18.0f, "(cat v) (vform base)"),
                            word_item(vb, 4, 18.0f, "(cat v) (vform fin)"), "fin");
  PItem* should_have = with_aux(word_item(v, 7, 18.0f, "(cat v) (vform base)"),
                                word_item(vb, 6, 18.0f, "(cat v) (vform fin)"), "fin");
  PItem* be_getting = with_aux(word_item(v, 9, 18.0f, "(cat v) (vform ing)"),
                               word_item(vb, 8, 18.0f, "(cat v) (vform base)"), "base");
  DependencyWeigher weigher;
  DependencyWeigher::Sources sources;
  sources.probability = [](std::string_view, std::string_view, std::string_view) -> std::optional<double> {
    return 0.5;
  };
  weigher.set_sources(sources);
  const auto weight = [&](PItem* first, PItem* later) {
    return weigher.merge_weight(*merge(first, later, conj), *first, *later, *conj);
  };
  const float agreeing = weight(came, left);
  EXPECT_FLOAT_EQ(agreeing, -std::log(0.5f) + DistanceTable::kFloorWeight);
  // came ... going: fin against ing.
  EXPECT_FLOAT_EQ(weight(came, going), agreeing + DependencyWeigher::kConjunctFormWeight);
  // came ... will go: the phrase is finite.
  EXPECT_FLOAT_EQ(weight(came, will_go), agreeing);
  // should have or be getting: the auxiliary is shared, and "have" agrees
  // with the phrase "be getting".
  EXPECT_FLOAT_EQ(weight(should_have, be_getting), agreeing);
  // will go ... going: neither the words nor the phrases agree.
  EXPECT_FLOAT_EQ(weight(will_go, going), agreeing + DependencyWeigher::kConjunctFormWeight);
  // A subjectless clause conjoined to a clause is weighed the same way.
  const auto clause = [&](PItem* verb) {
    PItem* made = item(c, verb->start, verb->end, verb->weight, "(cat c) (cform fin)");
    made->head_child = verb;
    made->link = i;
    return made;
  };
  PItem* came_clause = clause(came);
  PItem* going_clause = clause(going);
  PItem* left_clause = clause(left);
  EXPECT_FLOAT_EQ(
      weigher.merge_weight(*merge(came_clause, going_clause, clause_conj), *came_clause, *going_clause, *clause_conj),
      agreeing + DependencyWeigher::kConjunctFormWeight);
  EXPECT_FLOAT_EQ(
      weigher.merge_weight(*merge(came_clause, left_clause, clause_conj), *came_clause, *left_clause, *clause_conj),
      agreeing);
}

TEST(DependencyWeigherKeys, CategoryKeysAndDistances) {
  PItem item(nullptr);
  GCate nn(nullptr, "NN"), aux(nullptr, "I_V"), num(nullptr, "_NUM"), verb(nullptr, "V_N_C");
  item.cate = &nn;
  EXPECT_EQ(DependencyWeigher::category_key(item), "N");
  item.cate = &aux;
  EXPECT_EQ(DependencyWeigher::category_key(item), "V");
  item.cate = &num;
  EXPECT_EQ(DependencyWeigher::category_key(item), "N");
  item.cate = &verb;
  EXPECT_EQ(DependencyWeigher::category_key(item), "V");
  DependencyWeigher weigher;
  DependencyWeigher::Sources sources;
  sources.is_skipped = [](int p) { return p == 3; };
  weigher.set_sources(sources);
  EXPECT_EQ(weigher.distance(2, 5), 2);  // word 3 is skipped
  EXPECT_EQ(weigher.distance(5, 2), -2);
  EXPECT_EQ(weigher.distance(5, 4), -1);
}

// The rows of the distance table found in one sentence serve the next
// while the table keeps its rows, and are found again after it changes.
TEST(DependencyWeigherKeys, DistanceRowsHoldAcrossSentencesUntilTheTableChanges) {
  GCate v(nullptr, "V"), n(nullptr, "N");
  PItem head(nullptr), modifier(nullptr);
  head.cate = &v;
  head.start = head.end = 1;
  modifier.cate = &n;
  modifier.start = modifier.end = 2;
  DistanceTable table;
  table.add("V:obj:N", 1, false, 0.5f);
  DependencyWeigher weigher;
  DependencyWeigher::Sources sources;
  sources.distances = &table;
  weigher.set_sources(sources);
  EXPECT_FLOAT_EQ(weigher.single_weight(head, modifier, "obj"), -std::log(0.5f));
  weigher.begin_sentence();
  EXPECT_FLOAT_EQ(weigher.single_weight(head, modifier, "obj"), -std::log(0.5f));
  // Read again in another order, the key's row is the second.
  table.clear();
  table.add("V:subj:N", 1, false, 0.75f);
  table.add("V:obj:N", 1, false, 0.125f);
  weigher.begin_sentence();
  EXPECT_FLOAT_EQ(weigher.single_weight(head, modifier, "obj"), -std::log(0.125f));
}

}  // namespace
}  // namespace velmo

namespace velmo {
namespace {

class ChartTreeTest : public testing::GrammarFixture {
 protected:
  void SetUp() override {
    GrammarFixture::SetUp();
    run(testing::grammar_text("chart.lsp"));
  }
  std::string tree_of(testing::TestSentence& s, const char* designator = "()") {
    reset_parser(parser());
    Deps* deps = parse_sentence(parser(), s.view(), s.lattice);
    if (!deps) return "no tree";
    PrintTree tree;
    tree.copy_from(*deps, nullptr);
    std::string out;
    print_dependency_format(out, tree, designator);
    return out;
  }
  std::vector<std::string> triples_asked(testing::TestSentence& s, double probability);
};

TEST_F(ChartTreeTest, AMovedElementLeavesAnEmptyNodeWithItsAntecedent) {
  run("(roots (Wh))");
  testing::TestSentence s;
  s.words("what see");
  s.item(1, 1, "(cat n) (check wh)");
  s.item(2, 2, "(cat v) (move ((slash wh) (role obj)))");
  EXPECT_EQ(tree_of(s, "*e*"),
            "(\n"
            "E0\t(*e*\t Wh\t*\t)\n"
            "1\t(what\t~ N\tE0\twh)\n"
            "2\t(see\t~ V\tE0\t)\n"
            "E2\t(*e*\twhat N\t2\tobj\t(gov see)\t(antecedent 1))\n"
            ")");
}

// The triples the relation database is asked about while the forest of
// the sentence is built; every answer is `probability`.
std::vector<std::string> ChartTreeTest::triples_asked(testing::TestSentence& s, double probability) {
  std::vector<std::string> asked;
  DependencyWeigher::Sources sources;
  sources.probability = [&asked, probability](std::string_view head, std::string_view relation,
                                              std::string_view modifier) -> std::optional<double> {
    asked.push_back(std::string(head) + " " + std::string(relation) + " " + std::string(modifier));
    return probability;
  };
  parser().result().weigher().set_sources(sources);
  reset_parser(parser());
  const SentenceView view = s.view();
  parser().chart().sentence = view;
  EXPECT_TRUE(ChartParser(parser(), view).run());
  std::vector<RootItem> roots = collect_roots(parser());
  EXPECT_FALSE(roots.empty());
  parser().result().begin_sentence();
  if (!roots.empty()) {
    EXPECT_NE(parser().result().forest().node_for(roots.front().item), nullptr);
  }
  parser().result().weigher().set_sources({});
  return asked;
}

bool contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST_F(ChartTreeTest, AFilledGapIsWeighedUnderItsRole) {
  run("(roots (Wh))");
  testing::TestSentence s;
  s.words("what see");
  s.item(1, 1, "(cat n) (check wh)");
  s.item(2, 2, "(cat v) (move ((slash wh) (role obj)))");
  const std::vector<std::string> asked = triples_asked(s, 0.5);
  // The filled gap is weighed as the verb's object; the clause item the
  // filler joins has no word of its own, so the surface relation says
  // nothing and is not asked about.
  EXPECT_TRUE(contains(asked, "see obj what")) << ::testing::PrintToString(asked);
  EXPECT_FALSE(contains(asked, "~ wh what")) << ::testing::PrintToString(asked);
}

TEST_F(ChartTreeTest, AFillerUnderAWordIsAlsoWeighedByItsSurfaceRelation) {
  run("(def-category Vw (visible-atts (cat move lexitem)))"
      "(def-modifiers Vw ((N (check-slash wh) (dep-type s))) (:head))"
      "(roots (Vw))");
  testing::TestSentence s;
  s.words("who left");
  s.item(1, 1, "(cat n) (check wh)");
  s.item(2, 2, "(node \"Vw\") (cat v) (move ((slash wh) (role obj)))");
  const std::vector<std::string> asked = triples_asked(s, 0.5);
  EXPECT_TRUE(contains(asked, "left obj who")) << ::testing::PrintToString(asked);
  EXPECT_TRUE(contains(asked, "left s who")) << ::testing::PrintToString(asked);
}

TEST_F(ChartTreeTest, MergesAfterTheFillingOneMakeOrdinaryDependencies) {
  run("(def-category Wh2 (visible-atts (cat)))"
      "(def-modifiers Wh2 ((A (dep-type amod))) ((N (check-slash wh) (dep-type wh))) (:head (V)))"
      "(roots (Wh2))");
  testing::TestSentence s;
  s.words("red what see");
  s.item(1, 1, "(cat a)");
  s.item(2, 2, "(cat n) (check wh)");
  s.item(3, 3, "(cat v) (move ((slash wh) (role obj)))");
  const std::vector<std::string> asked = triples_asked(s, 0.5);
  EXPECT_TRUE(contains(asked, "see obj what")) << ::testing::PrintToString(asked);
  // The adjective comes after the gap was filled: its item still carries
  // the trace, but it is no object of "see".
  EXPECT_TRUE(contains(asked, "~ amod red")) << ::testing::PrintToString(asked);
  EXPECT_FALSE(contains(asked, "see obj red")) << ::testing::PrintToString(asked);
}

TEST_F(ChartTreeTest, WithoutMovedElementsNoEmptyNodeIsAdded) {
  testing::TestSentence s;
  s.words("the dog");
  s.item(1, 1, "(cat d)");
  s.item(2, 2, "(cat n) (num sg)");
  EXPECT_EQ(tree_of(s).find("E"), tree_of(s).find("E0"));
  EXPECT_EQ(tree_of(s).find("antecedent"), std::string::npos);
}

TEST_F(ChartTreeTest, AnExhaustedPoolGivesATreeWithoutNodes) {
  testing::TestSentence s;
  s.words("the dog");
  s.item(1, 1, "(cat d)");
  s.item(2, 2, "(cat n) (num sg)");
  pitem_limit() = 1;
  const std::string out = tree_of(s);
  pitem_limit() = ItemPool::kDefaultLimit;
  EXPECT_EQ(out, "(\n)");
}

}  // namespace
}  // namespace velmo

namespace velmo {
namespace {

class WholeRootTest : public testing::GrammarFixture {
 protected:
  void SetUp() override {
    GrammarFixture::SetUp();
    run(testing::grammar_text("chart.lsp"));
  }
};

// When a root spans the whole sentence, the cover is the lightest such
// root: the roots over fewer words get no forest node (their weights would
// decide nothing), while every whole root gets one.
TEST_F(WholeRootTest, OnlyRootsOverTheWholeSentenceAreWeighedWhenOneExists) {
  testing::TestSentence s;
  s.words("dogs saw red cats");
  s.item(1, 1, "(cat n) (num pl)");
  s.item(2, 2, "(cat v)");
  s.item(3, 3, "(cat a)");
  s.item(4, 4, "(cat n) (num pl)");
  reset_parser(parser());
  ASSERT_NE(parse_sentence(parser(), s.view(), s.lattice), nullptr);
  const std::vector<RootItem> roots = collect_roots(parser());
  std::size_t whole = 0, unmade = 0;
  for (const RootItem& root : roots) {
    const bool made = parser().result().forest().find(root.item) != nullptr;
    if (root.item->start == 1 && root.item->end == 4) {
      ++whole;
      EXPECT_TRUE(made);
    } else if (!made) {
      ++unmade;
    }
  }
  EXPECT_GT(whole, 0u);
  EXPECT_GT(unmade, 0u);
}

}  // namespace
}  // namespace velmo
