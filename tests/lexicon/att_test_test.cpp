#include "lexicon/attributes/att_test.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "lexicon/att_fixture.h"

namespace velmo {
namespace {

class AttTestTest : public testing::AttTypeFixture {
 protected:
  AttTest test(AttTest::Kind kind, const std::vector<std::string_view>& names) {
    std::vector<int> indices;
    LBitSet mask;
    for (std::string_view name : names) {
      indices.push_back(index(name));
      mask.set(static_cast<std::size_t>(index(name)));
    }
    return AttTest(kind, indices, mask);
  }

  // Binds the test to each vector in turn and compares its answer on each
  // vector with the test's own; gives the number of pairs compared.
  static int compare_bound(const AttTest& test, const std::vector<std::unique_ptr<AttVec>>& vectors) {
    int compared = 0;
    for (const auto& constant : vectors) {
      const BoundAttTest bound(test, constant.get());
      for (const auto& tested : vectors) {
        EXPECT_EQ(bound.holds(*tested), test.holds(*tested, constant.get()))
            << tested->text() << " against " << constant->text();
        ++compared;
      }
    }
    return compared;
  }
};

TEST_F(AttTestTest, DefinedAndDefinedOneOf) {
  auto v = vec("(+sg (cat n))");
  EXPECT_TRUE(test(AttTest::Kind::kDefined, {"sg", "cat"}).holds(*v, nullptr));
  EXPECT_FALSE(test(AttTest::Kind::kDefined, {"sg", "num"}).holds(*v, nullptr));
  EXPECT_TRUE(test(AttTest::Kind::kDefinedOneOf, {"num", "cat"}).holds(*v, nullptr));
  EXPECT_FALSE(test(AttTest::Kind::kDefinedOneOf, {"num", "root"}).holds(*v, nullptr));
  EXPECT_TRUE(test(AttTest::Kind::kDefined, {}).holds(*v, nullptr));
  EXPECT_FALSE(test(AttTest::Kind::kDefined, {"sg"}).compares());
  EXPECT_TRUE(test(AttTest::Kind::kContain, {"sg"}).compares());
}

// Unifiable looks at the listed attributes only; strict-unifiable wants
// one of them defined too.
TEST_F(AttTestTest, UnifiableAndStrictUnifiable) {
  auto v = vec("((num sg) (cat n))");
  auto plural_verb = vec("((num pl) (cat v))");
  auto singular_verb = vec("((num sg) (cat v))");
  EXPECT_FALSE(test(AttTest::Kind::kUnifiable, {"num"}).holds(*v, plural_verb.get()));
  EXPECT_TRUE(test(AttTest::Kind::kUnifiable, {"num"}).holds(*v, singular_verb.get()));
  EXPECT_TRUE(test(AttTest::Kind::kUnifiable, {"x"}).holds(*v, plural_verb.get()));
  EXPECT_FALSE(test(AttTest::Kind::kStrictUnifiable, {"x"}).holds(*v, plural_verb.get()));
  EXPECT_TRUE(test(AttTest::Kind::kStrictUnifiable, {"num", "x"}).holds(*v, singular_verb.get()));
  EXPECT_FALSE(test(AttTest::Kind::kUnifiable, {"num"}).holds(*v, nullptr)) << "no vector to compare with";
}

TEST_F(AttTestTest, Contain) {
  auto v = vec("((num sg pl) +sg)");
  EXPECT_TRUE(test(AttTest::Kind::kContain, {"num"}).holds(*v, vec("((num sg))").get()));
  EXPECT_TRUE(test(AttTest::Kind::kContain, {"sg"}).holds(*v, vec("(+sg)").get()));
  EXPECT_FALSE(test(AttTest::Kind::kContain, {"sg"}).holds(*v, vec("(-sg)").get()));
  EXPECT_FALSE(test(AttTest::Kind::kContain, {"cat"}).holds(*v, vec("((cat n))").get())) << "cat undefined";
  EXPECT_TRUE(test(AttTest::Kind::kContain, {"num"}).holds(*v, vec("((cat n))").get())) << "nothing to contain";
  auto narrow = vec("((num sg))");
  EXPECT_FALSE(test(AttTest::Kind::kContain, {"num"}).holds(*narrow, vec("((num sg pl))").get()));
}

TEST_F(AttTestTest, VectorsOfAnotherTypeOrUnusableAnswerFalse) {
  AttInterpreterList other_type("other");
  AttVec foreign(&other_type);
  auto v = vec("((num sg))");
  EXPECT_FALSE(test(AttTest::Kind::kUnifiable, {"num"}).holds(*v, &foreign));
  ::testing::internal::CaptureStderr();
  AttVec unusable(nullptr);
  ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(test(AttTest::Kind::kDefined, {}).holds(unusable, nullptr));
}

// A test bound to its constant answers as the test given the constant,
// over every kind, attribute class and pairing of defined and undefined
// values.
TEST_F(AttTestTest, BoundTestAnswersAsTheTest) {
  const std::vector<std::string_view> texts = {
      "()",           "(+sg)",        "(-sg)",         "((cat n))",         "((cat v) +sg)", "((num sg))",
      "((num pl))",   "((num sg pl))", "((x a))",       "((x a b))",         "((x c) (cat adj))", "((per 3))",
      "((per 1) -sg)", "((root dog))", "((root cat))", "((n 7) (num sg))", "((n 8))"};
  std::vector<std::unique_ptr<AttVec>> vectors;
  for (std::string_view text : texts) vectors.push_back(vec(text));
  const std::vector<std::vector<std::string_view>> name_sets = {
      {"sg"}, {"cat"}, {"num"}, {"x"}, {"per"}, {"root"}, {"n"}, {"num", "sg"}, {"cat", "x", "per"}, {}};
  const AttTest::Kind kinds[] = {AttTest::Kind::kDefined, AttTest::Kind::kDefinedOneOf, AttTest::Kind::kUnifiable,
                                 AttTest::Kind::kStrictUnifiable, AttTest::Kind::kContain};
  int agreeing = 0;
  for (AttTest::Kind kind : kinds)
    for (const auto& names : name_sets) agreeing += compare_bound(test(kind, names), vectors);
  EXPECT_EQ(agreeing, 5 * 10 * 17 * 17);
}

// Binary attributes and listed sets are compared a word of the bit sets at
// a time: with attributes past the first word, and a vector laid out
// before the type grew, the bound test still answers as the test.
TEST_F(AttTestTest, BoundTestAnswersAsTheTestAcrossBitWords) {
  auto early = vec("((num sg) +sg (cat n))");
  for (int i = 0; i < 40; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "b%d", i);
    add(std::make_unique<BinAtt>(name));
  }
  ASSERT_GT(type->count(), 45);
  const std::vector<std::string> texts = {
      "()",  "(+b0 -b31 +b32)", "(-b32 +b39 +sg)", "(+b33 (num pl))", "((cat v) -b35 -b0)", "(+b31 +b32 +b33 +b39)",
      "(-b39 (x a b) +b5)", "((num sg) +sg (cat n))", "(-b33 -b36 (per 3))"};
  std::vector<std::unique_ptr<AttVec>> vectors;
  for (const std::string& text : texts) vectors.push_back(vec(text));
  ASSERT_LT(early->laid_out_atts(), type->count());
  const std::vector<std::vector<std::string_view>> name_sets = {
      {"b32"}, {"b0", "b39"}, {"sg", "b33", "num"}, {"b31", "b32", "b33", "b35", "b36"}, {"cat", "b0"}, {"x", "b39", "b5"}};
  const AttTest::Kind kinds[] = {AttTest::Kind::kUnifiable, AttTest::Kind::kStrictUnifiable, AttTest::Kind::kContain};
  int agreeing = 0;
  for (AttTest::Kind kind : kinds)
    for (const auto& names : name_sets) {
      const AttTest tried = test(kind, names);
      agreeing += compare_bound(tried, vectors);
      for (const auto& constant : vectors)
        EXPECT_EQ(BoundAttTest(tried, constant.get()).holds(*early), tried.holds(*early, constant.get()))
            << "early against " << constant->text();
    }
  EXPECT_EQ(agreeing, 3 * 6 * 9 * 9);
  // A listed attribute the type does not have is never defined.
  const AttTest outside(AttTest::Kind::kContain, {index("sg"), type->count() + 3}, LBitSet());
  EXPECT_FALSE(BoundAttTest(outside, vectors[2].get()).holds(*vectors[2]));
  EXPECT_EQ(BoundAttTest(outside, vectors[2].get()).holds(*vectors[2]), outside.holds(*vectors[2], vectors[2].get()));
}

// Tests of definedness are read by words from any vector with room for
// their attributes; a vector laid out before the type grew, or an index
// no vector has, is left to the test, and the answers agree.
TEST_F(AttTestTest, BoundDefinednessTestsAnswerAsTheTest) {
  auto early = vec("((num sg) +sg (cat n))");
  for (int i = 0; i < 40; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "b%d", i);
    add(std::make_unique<BinAtt>(name));
  }
  ASSERT_LT(early->laid_out_atts(), type->count());
  std::vector<std::unique_ptr<AttVec>> vectors;
  for (std::string_view text : {"()", "(+b0 -b39)", "(+b39 (num pl))", "((cat v) -b33 +sg)", "(+b32 +b33 (x a))"})
    vectors.push_back(vec(text));
  const std::vector<std::vector<std::string_view>> name_sets = {
      {}, {"b39"}, {"sg", "num"}, {"b0", "b39"}, {"cat", "b33", "b32"}, {"x"}};
  int agreeing = 0;
  for (AttTest::Kind kind : {AttTest::Kind::kDefined, AttTest::Kind::kDefinedOneOf}) {
    for (const auto& names : name_sets) {
      const AttTest tried = test(kind, names);
      agreeing += compare_bound(tried, vectors);
      EXPECT_EQ(BoundAttTest(tried, nullptr).holds(*early), tried.holds(*early, nullptr));
    }
    // An index past the type, and a negative one, are never defined.
    const AttTest past(kind, {index("sg"), type->count() + 5}, LBitSet());
    const AttTest negative(kind, {index("sg"), -1}, LBitSet());
    for (const auto& tested : vectors) {
      EXPECT_EQ(BoundAttTest(past, nullptr).holds(*tested), past.holds(*tested, nullptr));
      EXPECT_EQ(BoundAttTest(negative, nullptr).holds(*tested), negative.holds(*tested, nullptr));
    }
  }
  EXPECT_EQ(agreeing, 2 * 6 * 5 * 5);
  EXPECT_TRUE(BoundAttTest(test(AttTest::Kind::kDefined, {"b39"}), nullptr).holds(*vectors[1]));
  EXPECT_FALSE(BoundAttTest(test(AttTest::Kind::kDefined, {"b39"}), nullptr).holds(*early));
  EXPECT_TRUE(BoundAttTest(test(AttTest::Kind::kDefinedOneOf, {"b39", "sg"}), nullptr).holds(*early));
}

// A bound test keeps only the bit words that hold its attributes: a test
// of an attribute past the first word reads that word, wherever the
// vectors differ elsewhere.
TEST_F(AttTestTest, BoundTestReadsTheBitWordsOfItsOwnAttributes) {
  for (int i = 0; i < 40; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "b%d", i);
    add(std::make_unique<BinAtt>(name));
  }
  auto constant = vec("(+b33)");
  // The bound tests keep their tests' addresses.
  const AttTest unifiable_test = test(AttTest::Kind::kUnifiable, {"b33"});
  const AttTest strict_test = test(AttTest::Kind::kStrictUnifiable, {"b33"});
  const AttTest contain_test = test(AttTest::Kind::kContain, {"b33"});
  const BoundAttTest unifiable(unifiable_test, constant.get());
  EXPECT_TRUE(unifiable.holds(*vec("(-b0 +b33)")));
  EXPECT_TRUE(unifiable.holds(*vec("(+b0 -b1)")));
  EXPECT_FALSE(unifiable.holds(*vec("(+b0 -b33)")));
  EXPECT_FALSE(unifiable.holds(*vec("(-b33 +b39)")));
  const BoundAttTest strict(strict_test, constant.get());
  EXPECT_FALSE(strict.holds(*vec("(+b0 -b1)")));
  EXPECT_TRUE(strict.holds(*vec("(-b0 +b33)")));
  const BoundAttTest contain(contain_test, constant.get());
  EXPECT_FALSE(contain.holds(*vec("(+b0 +b32)")));
  EXPECT_TRUE(contain.holds(*vec("(-b0 +b33)")));
  EXPECT_FALSE(contain.holds(*vec("(+b0 -b33)")));
}

TEST_F(AttTestTest, BoundTestWithoutAConstantOrOfAnotherType) {
  const AttTest unifiable(AttTest::Kind::kUnifiable, {index("num")}, [&] {
    LBitSet mask;
    mask.set(static_cast<std::size_t>(index("num")));
    return mask;
  }());
  auto v = vec("((num sg))");
  EXPECT_FALSE(BoundAttTest(unifiable, nullptr).holds(*v)) << "no vector to compare with";
  AttInterpreterList other_type("other");
  AttVec foreign(&other_type);
  EXPECT_FALSE(BoundAttTest(unifiable, v.get()).holds(foreign));
  EXPECT_TRUE(BoundAttTest(unifiable, v.get()).holds(*v));
}

}  // namespace
}  // namespace velmo
