#include "parser/chart/visible_equality.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "lexicon/attributes/ent_att.h"
#include "lexicon/attributes/plain_atts.h"

namespace velmo {
namespace {

// Entities that compare equal when they agree modulo 10 (an interpreter
// whose equal values need not have equal words).
class ModTenAtt : public EntAtt {
 public:
  using EntAtt::EntAtt;
  int compare(Word a, Word b) const override { return a % 10 == b % 10 ? 0 : 2; }
  std::unique_ptr<AttInterpreter> clone() const override { return clone_unplaced(*this); }
};

class VisibleEqualityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    type_.add(std::make_unique<IntAtt>("cat"));
    type_.add(std::make_unique<EntAtt>("lexitem"));
    type_.add(std::make_unique<ModTenAtt>("token"));
    type_.add(std::make_unique<BinAtt>("flag"));
    type_.add(std::make_unique<IntAtt>("hidden"));
    for (const char* name : {"cat", "lexitem", "token", "flag"})
      visible_.set(static_cast<std::size_t>(type_.index_of(name)));
  }
  int at(const char* name) const { return type_.index_of(name); }
  AttVec vec(Word cat, Word lexitem, Word token) const {
    AttVec v(&type_);
    if (cat) v.set(at("cat"), cat);
    if (lexitem) v.set(at("lexitem"), lexitem);
    if (token) v.set(at("token"), token);
    return v;
  }
  // The answer with each attribute asked first, which must be equals'.
  void expect_as_equals(const AttVec& stored, const AttVec& other) const {
    const bool expected = stored.equals(other, &visible_);
    for (const char* first : {"cat", "lexitem", "token", "flag", "hidden"}) {
      EXPECT_EQ(VisibleEquality(visible_, &type_, at(first))(stored, other), expected) << first;
      const int slot = VisibleEquality::word_slot_of(&type_, at(first));
      EXPECT_EQ(VisibleEquality(visible_, &type_, at(first), slot)(stored, other), expected) << first << " by word";
    }
    EXPECT_EQ(VisibleEquality(visible_, &type_, -1)(stored, other), expected);
  }

  AttInterpreterList type_{"visible-equality-test"};
  LBitSet visible_;
};

TEST_F(VisibleEqualityTest, OtherLexicalItemsDoNotAgree) {
  EXPECT_FALSE(VisibleEquality(visible_, &type_, at("lexitem"))(vec(1, 100, 0), vec(1, 200, 0)));
  EXPECT_TRUE(VisibleEquality(visible_, &type_, at("lexitem"))(vec(1, 100, 0), vec(1, 100, 0)));
  expect_as_equals(vec(1, 100, 0), vec(1, 200, 0));
  expect_as_equals(vec(1, 100, 0), vec(2, 100, 0));
}

TEST_F(VisibleEqualityTest, ValuesThatCompareEqualAgreeThoughTheirWordsDiffer) {
  EXPECT_TRUE(VisibleEquality(visible_, &type_, at("token"))(vec(1, 100, 13), vec(1, 100, 23)));
  expect_as_equals(vec(1, 100, 13), vec(1, 100, 23));
  expect_as_equals(vec(1, 100, 13), vec(1, 100, 24));
}

TEST_F(VisibleEqualityTest, AnAttributeDefinedOnOneSideOnlyRefuses) {
  expect_as_equals(vec(1, 100, 0), vec(1, 0, 0));
  expect_as_equals(vec(1, 0, 0), vec(1, 100, 0));
  expect_as_equals(vec(0, 0, 0), vec(0, 0, 0));
}

TEST_F(VisibleEqualityTest, HiddenAttributesAndBinaryValuesAreAskedAsEqualsAsksThem) {
  AttVec stored = vec(1, 100, 0);
  AttVec other = vec(1, 100, 0);
  stored.set(at("hidden"), 5);
  other.set(at("hidden"), 6);
  expect_as_equals(stored, other);
  EXPECT_TRUE(VisibleEquality(visible_, &type_, at("hidden"))(stored, other));
  stored.set(at("flag"), 1);
  other.set(at("flag"), 0);
  expect_as_equals(stored, other);
  EXPECT_FALSE(VisibleEquality(visible_, &type_, at("flag"))(stored, other));
}

// Only an attribute whose values are its words, compared by identity, is
// read from the blocks: not an entity whose comparison is its own, nor a
// plain integer, nor an index outside the type.
TEST_F(VisibleEqualityTest, WordSlotsOnlyForValuesComparedAsWords) {
  EXPECT_EQ(VisibleEquality::word_slot_of(&type_, at("lexitem")), type_.attribute(at("lexitem")).slot());
  EXPECT_EQ(VisibleEquality::word_slot_of(&type_, at("token")), -1);
  EXPECT_EQ(VisibleEquality::word_slot_of(&type_, at("cat")), -1);
  EXPECT_EQ(VisibleEquality::word_slot_of(&type_, -1), -1);
  EXPECT_EQ(VisibleEquality::word_slot_of(&type_, type_.count()), -1);
  EXPECT_EQ(VisibleEquality::word_slot_of(nullptr, 0), -1);
  const int slot = VisibleEquality::word_slot_of(&type_, at("lexitem"));
  EXPECT_FALSE(VisibleEquality(visible_, &type_, at("lexitem"), slot)(vec(1, 100, 0), vec(1, 200, 0)));
  EXPECT_TRUE(VisibleEquality(visible_, &type_, at("lexitem"), slot)(vec(1, 100, 13), vec(1, 100, 23)));
}

}  // namespace
}  // namespace velmo
