#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>

#include "lexicon/attributes/att_vec.h"
#include "parser/chart/condition_memo.h"
#include "parser/grammar/category_names.h"
#include "parser/grammar/grammar_files.h"
#include "parser/grammar_fixture.h"

namespace velmo {
namespace {

using testing::GrammarFixture;
using testing::grammar_text;

class GrammarNetworkTest : public GrammarFixture {
 protected:
  void SetUp() override {
    GrammarFixture::SetUp();
    ::testing::internal::CaptureStdout();
    run(grammar_text("network.lsp"));
    network_output = ::testing::internal::GetCapturedStdout();
  }
  std::string network_output;
};

TEST_F(GrammarNetworkTest, ParserBecomesCurrentWithItsSettings) {
  ASSERT_NE(current_parser(), nullptr);
  EXPECT_EQ(parser().name(), "net");
  EXPECT_EQ(parser().att_type(), builtin_attributes().type);
  EXPECT_TRUE(parser().lexical_atts.test(static_cast<std::size_t>(att("args"))));
  EXPECT_FALSE(parser().lexical_atts.test(static_cast<std::size_t>(att("move"))));
  ASSERT_TRUE(parser().show_atts.has_value());
  EXPECT_EQ(*parser().show_atts, (std::vector<int>{att("cat"), att("num")}));
  EXPECT_EQ(parser().empty_category()->name(), "EC");
  EXPECT_EQ(parser().empty_link()->relation(), "ECR");
  EXPECT_EQ(parser().roots.size(), 2u);
  EXPECT_EQ(current_category(), nullptr);
  EXPECT_EQ(current_link(), nullptr);
}

TEST_F(GrammarNetworkTest, CategoryWithoutModifiersHasOneHeadPosition) {
  GCate& det = cate("Det");
  EXPECT_EQ(det.position_count(), 1);
  EXPECT_EQ(det.head, 0);
  EXPECT_EQ(det.guest_link()->relation(), "guest");
  EXPECT_FLOAT_EQ(det.guest_link()->weight, 30.0f);
}

TEST_F(GrammarNetworkTest, PositionFlagsSetRepeatableAndObligatoryMasks) {
  GCate& np = cate("NP");
  ASSERT_EQ(np.position_count(), 4);
  EXPECT_EQ(np.head, 2);
  EXPECT_FALSE(np.is_obligatory(0));  // ?
  EXPECT_FALSE(np.is_repeatable(0));
  EXPECT_FALSE(np.is_obligatory(1));  // *
  EXPECT_TRUE(np.is_repeatable(1));
  EXPECT_TRUE(np.is_obligatory(2));  // no flag
  EXPECT_FALSE(np.is_repeatable(2));
  GCate& s = cate("S");
  EXPECT_TRUE(s.is_obligatory(0));  // +
  EXPECT_TRUE(s.is_repeatable(0));
}

TEST_F(GrammarNetworkTest, SameSkipWordTextsShareOneNumber) {
  const int before = parser().skip_word_condition_count();
  run(R"((def-category K (def-modifiers K (:skip-word (in (",")) (N)) (:skip-word (in (":")) (N)) (:head (N)))))"
      R"((def-category L (def-modifiers L (:skip-word (in (",")) (N)) (:head (N)) (N))))");
  GCate& k = cate("K");
  GCate& l = cate("L");
  EXPECT_EQ(parser().skip_word_condition_count(), before + 2);
  EXPECT_GE(k.skip_word_id(0), 0);
  EXPECT_NE(k.skip_word_id(0), k.skip_word_id(1));
  EXPECT_EQ(l.skip_word_id(0), k.skip_word_id(0));
  EXPECT_EQ(k.skip_word_id(2), -1);  // no condition
  EXPECT_EQ(l.skip_word_id(2), -1);
  EXPECT_EQ(k.skip_word_id(3), -1);  // past the last position
  EXPECT_NE(k.skip_word_cond(0), nullptr);
}

TEST_F(GrammarNetworkTest, LinksSitAtTheirPositionsWithPercolatedAttributes) {
  GCate& np = cate("NP");
  ASSERT_EQ(np.links_at(2).size(), 1u);
  GLink* head = np.links_at(2)[0];
  EXPECT_EQ(head->modifier(), &cate("N"));
  EXPECT_EQ(head->position, 2);
  // At the head position every visible attribute of the modifier goes up.
  EXPECT_TRUE(head->percolated.test(static_cast<std::size_t>(att("cat"))));
  EXPECT_TRUE(head->percolated.test(static_cast<std::size_t>(att("num"))));
  // Elsewhere only those that are also default percolating.
  GLink* pobj = cate("PP").links_at(1)[0];
  EXPECT_TRUE(pobj->percolated.test(static_cast<std::size_t>(att("num"))));
  EXPECT_FALSE(pobj->percolated.test(static_cast<std::size_t>(att("cat"))));
  EXPECT_EQ(pobj->max_dist, 64);
  EXPECT_EQ(pobj->check_arg, -1);
  EXPECT_TRUE(pobj->no_guest);
}

TEST_F(GrammarNetworkTest, UnknownModifierCategoryIsReportedAndSkipped) {
  EXPECT_NE(network_output.find("Node: Nowhere is not defined\n"), std::string::npos);
  EXPECT_EQ(cate("S").links_at(2).size(), 1u);
}

TEST_F(GrammarNetworkTest, ModifierLinksAreOrderedByWeight) {
  run("(def-category X (def-modifiers X (:head (N (dep-weight 2.0))) (* (N (dep-weight 0.5)))))");
  const std::vector<GLink*>& links = cate("N").modifier_links();
  ASSERT_GE(links.size(), 3u);
  for (std::size_t i = 1; i < links.size(); ++i) EXPECT_LE(links[i - 1]->weight, links[i]->weight);
  EXPECT_FLOAT_EQ(links.front()->weight, 0.5f);
  EXPECT_FLOAT_EQ(links.back()->weight, 2.0f);
}

// The links of the first pass's offers, in order.
std::vector<GLink*> offered_links(const GCate& cate) {
  std::vector<GLink*> links;
  for (const GCate::ModifierOffer& offer : cate.first_pass_offers()) links.push_back(offer.link);
  return links;
}

TEST_F(GrammarNetworkTest, FirstPassOffersLeaveOutTheLastResortLinksInOrder) {
  run("(def-category Z (def-modifiers Z (:head (N (dep-weight 2.0)))"
      " (* (N (dep-weight 0.7) (last-resort)) (N (dep-weight 0.3)))))");
  const std::vector<GLink*>& all = cate("N").modifier_links();
  std::vector<GLink*> expected;
  for (GLink* link : all)
    if (!link->last_resort) expected.push_back(link);
  EXPECT_EQ(offered_links(cate("N")), expected);
  EXPECT_EQ(expected.size() + 1, all.size());
  // A weight given later moves the link in both lists.
  run("(def-category Z2 (def-modifiers Z2 (:head (N (dep-weight 9.0) (dep-weight 0.1)))))");
  EXPECT_FLOAT_EQ(offered_links(cate("N")).front()->weight, 0.1f);
  EXPECT_EQ(offered_links(cate("N")).size() + 1, cate("N").modifier_links().size());
}

TEST_F(GrammarNetworkTest, TheLastResortLinksAreListedApartInOrder) {
  run("(def-category Z3 (def-modifiers Z3 (:head (N (dep-weight 2.0)))"
      " (* (N (dep-weight 0.7) (last-resort)) (N (dep-weight 0.3)) (N (dep-weight 0.5) (last-resort)))))");
  std::vector<GLink*> expected;
  for (GLink* link : cate("N").modifier_links())
    if (link->last_resort) expected.push_back(link);
  ASSERT_EQ(expected.size(), 2u);
  EXPECT_EQ(cate("N").last_resort_links(), expected);
  EXPECT_FLOAT_EQ(expected.front()->weight, 0.5f);
  // A link made last-resort later joins the list.
  GLink* plain = offered_links(cate("N")).front();
  plain->last_resort = true;
  cate("N").modifier_link_changed();
  EXPECT_EQ(cate("N").last_resort_links().size(), 3u);
  EXPECT_EQ(cate("N").last_resort_links().front(), plain);
}

TEST_F(GrammarNetworkTest, FirstPassOffersCarryTheModifierPlansBitPlaces) {
  run("(def-category Q (def-modifiers Q (:head (N (modifier-cond (and (head-first) (head-last)))))))");
  const std::vector<GCate::ModifierOffer>& offers = cate("N").first_pass_offers();
  const auto at = std::find_if(offers.begin(), offers.end(), [](const GCate::ModifierOffer& offer) {
    return offer.link->modifiee()->name() == "Q";
  });
  ASSERT_NE(at, offers.end());
  ASSERT_NE(at->link->modifier_plan, nullptr);
  // (head-first) refuses alone; the plan's answer is kept in the item.
  EXPECT_EQ(at->refusal_bit, at->link->modifier_refusal_bit);
  EXPECT_NE(at->refusal_bit, 0u);
  const ConditionPlan::AnswerPlace place = at->link->modifier_plan->answer_place();
  EXPECT_EQ(at->plan_bit, place.bit);
  EXPECT_EQ(at->plan_word, place.word);
  EXPECT_NE(at->plan_bit, 0u);
}

// Offers that follow each other with the same refusing first part form a
// run: each names the offer past the run, so that a known refusal passes
// them all at once; an offer without a refusing part runs alone.
TEST_F(GrammarNetworkTest, FirstPassOffersNameTheEndOfTheirRefusalRun) {
  run("(def-category RR (def-modifiers RR (:head (N (dep-weight 0.001) (modifier-cond (and (head-first) (head-last)))))"
      " (* (N (dep-weight 0.002) (modifier-cond (and (head-first) (head-last))))"
      " (N (dep-weight 0.003) (modifier-cond (and (head-first) (include-preceding-word))))"
      " (N (dep-weight 0.004) (modifier-cond (and (head-last) (head-first))))"
      " (N (dep-weight 0.005)))))");
  const std::vector<GCate::ModifierOffer>& offers = cate("N").first_pass_offers();
  ASSERT_GE(offers.size(), 5u);
  ASSERT_EQ(offers[0].link->modifiee()->name(), "RR");
  ASSERT_EQ(offers[4].link->modifiee()->name(), "RR");
  ASSERT_NE(offers[0].refusal_bit, 0u);
  EXPECT_EQ(offers[0].past_refusal_run, 3u);
  EXPECT_EQ(offers[1].past_refusal_run, 3u);
  EXPECT_EQ(offers[2].past_refusal_run, 3u);
  ASSERT_NE(offers[3].refusal_bit, offers[0].refusal_bit);
  EXPECT_EQ(offers[3].past_refusal_run, 4u);
  EXPECT_EQ(offers[4].refusal_bit, 0u);
  EXPECT_EQ(offers[4].past_refusal_run, 5u);
  // Every run holds offers of one refusing part and ends where it changes.
  for (std::size_t i = 0; i < offers.size(); ++i) {
    const std::size_t past = offers[i].past_refusal_run;
    ASSERT_GT(past, i);
    ASSERT_LE(past, offers.size());
    if (offers[i].refusal_bit == 0) {
      EXPECT_EQ(past, i + 1);
      continue;
    }
    for (std::size_t j = i; j < past; ++j) {
      EXPECT_EQ(offers[j].refusal_bit, offers[i].refusal_bit);
      EXPECT_EQ(offers[j].refusal_word, offers[i].refusal_word);
    }
    if (past < offers.size()) {
      EXPECT_FALSE(offers[past].refusal_bit == offers[i].refusal_bit &&
                   offers[past].refusal_word == offers[i].refusal_word);
    }
  }
}

// A refusing first part that only reads the item or its words is asked
// alone before a plan is walked; other parts are not.
TEST_F(GrammarNetworkTest, RefusingPartsThatOnlyReadAreAskedAlone) {
  run("(def-category R1 (def-modifiers R1 (:head (N (modifier-cond (and (head-first) (head-last)))"
      " (modifiee-cond (and (pitem-following-word (in (\"x\"))) (head-last)))))))"
      "(def-category R2 (def-modifiers R2 (:head (N (modifier-cond (and (include-preceding-word) (head-last)))"
      " (modifiee-cond (or (head-first) (head-last)))))))");
  const GLink* reads = cate("R1").links_at(0).front();
  EXPECT_TRUE(reads->modifier_refusal_asked_alone);
  EXPECT_TRUE(reads->modifiee_refusal_asked_alone);
  const GLink* changes = cate("R2").links_at(0).front();
  EXPECT_NE(changes->modifier_refusal_bit, 0u);
  EXPECT_FALSE(changes->modifier_refusal_asked_alone);
  EXPECT_FALSE(changes->modifiee_refusal_asked_alone);
  for (const GCate::ModifierOffer& offer : cate("N").first_pass_offers())
    EXPECT_EQ(offer.refusal_asked_alone, offer.link->modifier_refusal_asked_alone);
}

TEST_F(GrammarNetworkTest, DistanceKeyUsesStemsAndShortModifierNames) {
  run("(def-category V_N) (def-category COMP) (def-category NN)"
      "(def-modifiers V_N (:head (V)) ((N (dep-type subj)) (COMP (dep-type subj)) (NN (dep-type nn))))");
  const std::vector<GLink*>& links = cate("V_N").links_at(1);
  ASSERT_EQ(links.size(), 3u);
  EXPECT_EQ(links[0]->distance_key(), "V:subj:N");
  EXPECT_EQ(links[1]->distance_key(), "V:subj:C");
  EXPECT_EQ(links[2]->distance_key(), "V:nn:N");
}

TEST_F(GrammarNetworkTest, LinkCommandsSetTheirFields) {
  run("(def-category Y (def-modifiers Y (:head (N)) ((P (max-dist 3) (head-reach 30) (check-arg 1) (allow-guest)"
      " (check-slash subj wh) (percolate (cat num)) (block (num))))))");
  GLink* link = cate("Y").links_at(1)[0];
  EXPECT_EQ(link->max_dist, 3);
  EXPECT_EQ(link->head_reach, 30);
  EXPECT_EQ(link->check_arg, 1);
  EXPECT_FALSE(link->no_guest);
  EXPECT_EQ(link->slash_mask, 5u);  // bits of subj and wh
  EXPECT_TRUE(link->percolated.test(static_cast<std::size_t>(att("cat"))));
  EXPECT_FALSE(link->percolated.test(static_cast<std::size_t>(att("num"))));
}

TEST_F(GrammarNetworkTest, AConditionThatFailsToBuildIsReportedAndLeftOut) {
  const std::string errors =
      errors_of("(def-category W (def-modifiers W (:head (N)) ((P (modifier-cond (no-such-function)))))) ");
  EXPECT_NE(errors.find("unknown type: 'no-such-function'"), std::string::npos) << errors;
  GLink* link = cate("W").links_at(1)[0];
  EXPECT_EQ(link->modifier_cond, nullptr);
}

TEST_F(GrammarNetworkTest, RootsOfUnknownCategoriesAreReported) {
  EXPECT_EQ(output_of("(roots (S) (Nothing (pitem-low)))"), "Node: Nothing is not defined\n");
  ASSERT_EQ(parser().roots.size(), 1u);
  EXPECT_EQ(parser().roots[0].category, &cate("S"));
}

// An entry that takes every item at a constant cost is known as such when
// it is read: root collection then evaluates neither form item by item.
TEST_F(GrammarNetworkTest, RootEntriesKnowConstantConditionsAndCosts) {
  run("(roots (S) (S (t) (int 4)) (S (pitem-low) (int 2)) (S (t) (pitem-low)) (S (nil)) (S nil (int 7)))");
  const std::vector<RootEntry>& roots = parser().roots;
  ASSERT_EQ(roots.size(), 6u);
  EXPECT_TRUE(roots[0].takes_every);
  EXPECT_TRUE(roots[0].cost_fixed);
  EXPECT_EQ(roots[0].fixed_cost, 0);
  EXPECT_TRUE(roots[1].takes_every);
  EXPECT_TRUE(roots[1].cost_fixed);
  EXPECT_EQ(roots[1].fixed_cost, 4);
  EXPECT_FALSE(roots[2].takes_every);
  EXPECT_TRUE(roots[2].cost_fixed);
  EXPECT_EQ(roots[2].fixed_cost, 2);
  EXPECT_TRUE(roots[3].takes_every);
  EXPECT_FALSE(roots[3].cost_fixed);
  EXPECT_FALSE(roots[4].takes_every);  // (nil) takes none
  EXPECT_TRUE(roots[5].takes_every);
  EXPECT_EQ(roots[5].fixed_cost, 7);
}

TEST_F(GrammarNetworkTest, CommandsWithoutCurrentObjectsDoNothing) {
  run("(dep-type nothing) (visible-atts (cat)) (max-dist 2)");
  EXPECT_EQ(current_link(), nullptr);
  EXPECT_EQ(current_category(), nullptr);
}

TEST_F(GrammarNetworkTest, SubcategoriesAndSubclasses) {
  run("(def-subcat V_N V (:head (V)) ((NP (dep-type obj))))");
  GCate& vn = cate("V_N");
  EXPECT_TRUE(vn.subcategory);
  EXPECT_TRUE(vn.visible_atts.test(static_cast<std::size_t>(att("cat"))));
  const std::vector<GLink*>& under_v = cate("V").links_at(0);
  ASSERT_EQ(under_v.size(), 1u);
  EXPECT_EQ(under_v[0]->relation(), "subcat");
  EXPECT_EQ(under_v[0]->modifier(), &vn);

  run("(def-category Adjunct) (def-subclass Adjunct (AdvP (visible-atts (cat))) (Punct))");
  GCate& adjunct = cate("Adjunct");
  const std::vector<GLink*>& slot_n = adjunct.links_at(adjunct.position_count());
  ASSERT_EQ(slot_n.size(), 2u);
  EXPECT_EQ(slot_n[0]->relation(), "subclass");
  EXPECT_EQ(slot_n[0]->subclass, 1);
  EXPECT_TRUE(cate("AdvP").visible_atts.test(static_cast<std::size_t>(att("cat"))));
}

TEST_F(GrammarNetworkTest, ConjunctConstraintsNeedTheConjLink) {
  run("(def-conj-constraints NP (dep-weight 3.0))");  // no conj link yet: no current link
  EXPECT_EQ(cate("NP").conj_link(), nullptr);
  run("(def-category NP (conj-atts (cat) (num))) (def-conj-constraints NP (dep-weight 3.0))");
  GCate& np = cate("NP");
  ASSERT_NE(np.conj_link(), nullptr);
  EXPECT_TRUE(np.has_conj_constraints());
  EXPECT_EQ(np.conj_link()->relation(), "conj");
  EXPECT_FLOAT_EQ(np.conj_link()->weight, 3.0f);
  EXPECT_EQ(np.conj_identical, std::vector<int>{att("cat")});
}

TEST_F(GrammarNetworkTest, UnknownAttributeNamesAreReportedPerList) {
  const std::string errors = errors_of(
      "(def-korvel-parser other :attribute-vector-type syn :lexical-attributes (cat bogus)"
      " :show-attributes (nope) :default-percolating-attributes (zilch) :empty-category E0 :empty-category-rel R0)");
  EXPECT_NE(errors.find("lexical attributes: bogus is not an attribute name\n"), std::string::npos);
  EXPECT_NE(errors.find("show attributes: nope is not an attribute name\n"), std::string::npos);
  EXPECT_NE(errors.find("default percolating attributes: zilch is not an attribute name\n"), std::string::npos);
  EXPECT_EQ(parser().name(), "other");
  EXPECT_EQ(parser().empty_category()->name(), "E0");
  EXPECT_EQ(parser().empty_link()->relation(), "R0");
}

TEST_F(GrammarNetworkTest, DeletingTheParserClearsTheCurrentObjects) {
  run("(def-category Z) (def-modifiers Z (:head (N)))");
  EXPECT_NE(current_category(), nullptr);  // def-modifiers leaves it set
  NameSpaces::delete_all();
  EXPECT_EQ(current_parser(), nullptr);
  EXPECT_EQ(current_category(), nullptr);
}

TEST_F(GrammarNetworkTest, DeletingAnObjectClearsOnlyTheSettingsThatNameIt) {
  ASSERT_FALSE(cate("NP").links_at(0).empty());
  GLink* net_link = cate("NP").links_at(0)[0];
  auto other = std::make_unique<KorvelParser>("other", KorvelParser::kDefaultBuckets, "EC", "ECR");
  set_current_parser(other.get());
  set_current_category(other->find("Q", true));
  set_current_link(net_link);
  other.reset();
  EXPECT_EQ(current_parser(), nullptr);
  EXPECT_EQ(current_category(), nullptr);
  EXPECT_EQ(current_link(), net_link);  // it belongs to the parser that is still there

  auto third = std::make_unique<KorvelParser>("third", KorvelParser::kDefaultBuckets, "EC", "ECR");
  GCate* w = third->find("W", true);
  set_current_category(w);
  set_current_link(w->make_free_link(w));
  third.reset();
  EXPECT_EQ(current_category(), nullptr);
  EXPECT_EQ(current_link(), nullptr);
}

// ---- Category names of attribute vectors and automatic subcategorisation.

class CategoryNamingTest : public GrammarNetworkTest {
 protected:
  AttVec vec(std::string_view text) {
    texts.push_back(IRSlist::parse(text, store));
    return AttVec(builtin_attributes().type, *texts.back());
  }
  StringPool store;
  std::vector<IRSlistPtr> texts;
};

TEST_F(CategoryNamingTest, NamesComeFromNodeOrCatAndArgs) {
  EXPECT_EQ(category_name(vec("((cat v) (args ((cat n)) ((cat c))))")), "V_N_C");
  EXPECT_EQ(category_name(vec("((cat n) +head_final (args ((cat v))))")), "V_N");
  EXPECT_EQ(category_name(vec("((cat d))")), "Det");
  EXPECT_EQ(category_name(vec("((cat j))")), "Conn");
  EXPECT_EQ(category_name(vec("((cat v) (node \"Aux\"))")), "Aux");
  EXPECT_EQ(category_name(vec("((cat x))")), "");
  EXPECT_EQ(category_name(vec("((num sg))")), "");
}

TEST_F(CategoryNamingTest, MissingFrameIsMadeUnderItsBaseCategory) {
  GCate* vn = parser().category_of(vec("((cat v) (args ((cat n)) ((cat p))))"));
  ASSERT_NE(vn, nullptr);
  EXPECT_EQ(vn->name(), "V_N_P");
  EXPECT_TRUE(vn->subcategory);
  EXPECT_EQ(vn->position_count(), 3);
  EXPECT_EQ(vn->head, 0);
  GLink* first = vn->links_at(1)[0];
  EXPECT_EQ(first->relation(), "comp1");
  EXPECT_EQ(first->check_arg, 0);
  EXPECT_FALSE(first->no_guest);
  EXPECT_EQ(vn->links_at(2)[0]->relation(), "comp2");
  EXPECT_EQ(vn->links_at(2)[0]->check_arg, 1);
  EXPECT_EQ(vn->skip_adjunct, 0b110u);
  // Visible: the base's subcategory attributes plus cat and lexitem.
  EXPECT_TRUE(vn->visible_atts.test(static_cast<std::size_t>(att("num"))));
  EXPECT_TRUE(vn->visible_atts.test(static_cast<std::size_t>(att("lexitem"))));
  bool hung = false;
  for (GLink* link : cate("V").links_at(cate("V").head)) hung |= link->modifier() == vn && link->relation() == "subcat";
  EXPECT_TRUE(hung);
  // Made once.
  EXPECT_EQ(parser().category_of(vec("((cat v) (args ((cat n)) ((cat p))))")), vn);
}

TEST_F(CategoryNamingTest, HeadFinalFramePutsTheHeadLast) {
  GCate* nv = parser().category_of(vec("((cat v) +head_final (args ((cat n))))"));
  ASSERT_NE(nv, nullptr);
  EXPECT_EQ(nv->name(), "N_V");
  EXPECT_EQ(nv->head, 1);
  EXPECT_EQ(nv->links_at(0)[0]->relation(), "comp0");
}

TEST_F(CategoryNamingTest, NoCategoryWithoutBaseOrName) {
  EXPECT_EQ(parser().category_of(vec("((cat c) (args ((cat n))))")), nullptr);  // no C category
  EXPECT_EQ(parser().category_of(vec("((cat x))")), nullptr);
  EXPECT_EQ(parser().category_of(vec("((cat n))")), &cate("N"));
}

// ---- Data files.

TEST(GrammarFilesTest, BadTriplesAreKeptOncePerLineIgnoringCase) {
  BadTriples triples;
  std::istringstream in("see\tobj\tit\nSEE\tOBJ\tIT\nrun\tsubj\tdog\r\n");
  triples.read(in);
  EXPECT_EQ(triples.size(), 2u);
  EXPECT_TRUE(triples.contains("See\tobj\tIt"));
  EXPECT_TRUE(triples.contains("run\tsubj\tdog"));
  EXPECT_FALSE(triples.contains("run\tobj\tdog"));
}

// Asked by its three words, the set answers as for the joined key: a head
// or modifier no bad triple has answers at once, a relation with a tab
// still finds a line with more tabs, and a word with a tab is looked up
// by the whole key.
TEST(GrammarFilesTest, BadTriplesAskedByWordsAnswerAsTheJoinedKey) {
  BadTriples triples;
  std::istringstream in("see\tobj\tit\nrun\tsubj\tdog\na\tb\tc\td\nno-tab\none\ttab\n");
  triples.read(in);
  const auto same = [&triples](std::string_view head, std::string_view relation, std::string_view modifier) {
    const std::string key = std::string(head) + '\t' + std::string(relation) + '\t' + std::string(modifier);
    const bool joined = triples.contains(key);
    EXPECT_EQ(triples.contains(head, relation, modifier), joined) << key;
    return joined;
  };
  EXPECT_TRUE(same("SEE", "obj", "It"));
  EXPECT_TRUE(same("run", "subj", "dog"));
  EXPECT_FALSE(same("run", "obj", "dog"));
  EXPECT_FALSE(same("see", "obj", "dog"));
  EXPECT_FALSE(same("walk", "subj", "it"));
  EXPECT_TRUE(same("a", "b\tc", "d"));
  EXPECT_TRUE(same("a\tb", "c", "d"));
  EXPECT_TRUE(same("a", "b", "c\td"));
  EXPECT_FALSE(same("no-tab", "", ""));
  EXPECT_FALSE(same("one", "tab", ""));
}

}  // namespace
}  // namespace velmo
