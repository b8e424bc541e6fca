#include "lexicon/attributes/att_vec.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "att_fixture.h"
#include "lexicon/attributes/att_list.h"
#include "lexicon/attributes/byte_cursor.h"
#include "shell/support/str_bufs.h"

namespace velmo {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;
using testing::AttTypeFixture;

using AttVecTest = AttTypeFixture;

// ---- Construction and reading

TEST_F(AttVecTest, VectorWithoutTypeIsUnusable) {
  CaptureStderr();
  AttVec v(nullptr);
  EXPECT_EQ(GetCapturedStderr(), "Creating AttVec with nil Interpreter\n");
  EXPECT_FALSE(v.usable());
  EXPECT_EQ(v.text(), "()");
  v.set(0, 1);  // ignored, not a crash
  EXPECT_FALSE(v.defined(0));
}

TEST_F(AttVecTest, UnknownAttributeIsSkipped) {
  CaptureStderr();
  EXPECT_EQ(text_of("(+sg (plu +) (cat n))"), "(+sg (cat n))");
  EXPECT_EQ(GetCapturedStderr(), "Unknown attribute plu\n");
}

TEST_F(AttVecTest, EmptyElementStopsReading) {
  CaptureStderr();
  EXPECT_EQ(text_of("(+sg () (cat n))"), "(+sg)");
  EXPECT_EQ(text_of("(((cat n)) (cat v))"), "()");
  EXPECT_EQ(GetCapturedStderr(), "() is used as attribute name.\n() is used as attribute name.\n");
}

TEST_F(AttVecTest, ReadingLeavesTheTextIntact) {
  IRSlist& text = texts.parse("((cat n) (per 3))");
  AttVec a(type.get(), text);
  AttVec b(type.get(), text);
  EXPECT_EQ(text.text(), "((cat n) (per 3))");
  EXPECT_EQ(b.text(), "((per 3) (cat n))");
}

TEST_F(AttVecTest, SingleAttributeAccess) {
  auto v = vec("((cat v) -sg)");
  const int cat = index("cat");
  EXPECT_TRUE(v->defined(cat));
  EXPECT_EQ(v->get(cat), 2u);
  EXPECT_EQ(v->str_val(cat), "v");
  EXPECT_EQ(v->str_val(index("per")), "");
  EXPECT_STREQ(v->att_name(cat), "cat");
  EXPECT_EQ(v->defined_count(), 2u);
  v->remove(cat);
  EXPECT_FALSE(v->defined(cat));
  EXPECT_EQ(v->get(cat), 0u);
  v->clear();
  EXPECT_TRUE(v->empty());
  EXPECT_TRUE(v->usable());
}

// Indices outside the type are never defined, below it or past it, and
// those past the first word of the bit sets are read from their own word.
TEST_F(AttVecTest, DefinedOutsideTheTypeIsFalse) {
  auto v = vec("(+sg (cat n))");
  EXPECT_FALSE(v->defined(-1));
  EXPECT_FALSE(v->defined(-33));
  EXPECT_FALSE(v->defined(type->count()));
  EXPECT_FALSE(v->defined(type->count() + 40));
  EXPECT_FALSE(v->binary_value(type->count() + 1));
  EXPECT_TRUE(v->defined(index("sg")));
  EXPECT_TRUE(v->binary_value(index("sg")));
  for (int i = 0; i < 40; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "w%d", i);
    add(std::make_unique<BinAtt>(name));
  }
  auto wide = vec("(+w35 -w33 (cat v))");
  EXPECT_TRUE(wide->defined(index("w35")));
  EXPECT_TRUE(wide->binary_value(index("w35")));
  EXPECT_TRUE(wide->defined(index("w33")));
  EXPECT_FALSE(wide->binary_value(index("w33")));
  EXPECT_FALSE(wide->defined(index("w34")));
  EXPECT_FALSE(wide->defined(-1));
}

// ---- Unification

TEST_F(AttVecTest, UnifyAddsMissingAttributes) {
  auto v = vec("(+sg)");
  EXPECT_TRUE(v->unify(*vec("((per 3) (cat n))")));
  EXPECT_EQ(v->text(), "(+sg (per 3) (cat n))");
  EXPECT_FALSE(v->unifiable(*vec("(-sg)")));
  EXPECT_TRUE(v->unifiable(*vec("(+sg (cat n))")));
}

TEST_F(AttVecTest, FailedUnificationKeepsEarlierChanges) {
  auto v = vec("((n 1))");
  // sg and per are unified before n fails, agr after it is not reached;
  // there is no rollback.
  EXPECT_FALSE(v->unify(*vec("(+sg (per 3) (n 2) (agr (+sg)))")));
  EXPECT_EQ(v->text(), "(+sg (per 3) (n 1))");
}

TEST_F(AttVecTest, UnifiableChangesNothing) {
  auto v = vec("((x a b))");
  EXPECT_TRUE(v->unifiable(*vec("((x b c) +sg)")));
  EXPECT_EQ(v->text(), "((x a b))");
}

TEST_F(AttVecTest, MaskRestrictsUnification) {
  LBitSet mask = type->make_att_set({"cat"});
  auto v = vec("(+sg)");
  EXPECT_TRUE(v->unify(*vec("(-sg (cat n))"), &mask));
  EXPECT_EQ(v->text(), "(+sg (cat n))");
  EXPECT_TRUE(v->unifiable(*vec("(-sg)"), &mask));
}

TEST_F(AttVecTest, MergeVisitsEveryAttribute) {
  auto v = vec("((n 1))");
  v->merge(*vec("(+sg (n 2) (cat v))"));
  EXPECT_EQ(v->text(), "(+sg (cat v) (n 1))");
}

TEST_F(AttVecTest, OverwriteReplacesValues) {
  auto v = vec("(+sg (n 1) (agr ((per 1) (cat n))))");
  v->overwrite(*vec("(-sg (n 2) (agr ((per 2))))"));
  EXPECT_EQ(v->text(), "(-sg (n 2) (agr ((per 2) (cat n))))");
}

TEST_F(AttVecTest, OverwriteOfListsAppendsExtraElements) {
  auto v = vec("((args ((cat n))))");
  v->overwrite(*vec("((args ((cat v)) (+sg)))"));
  EXPECT_EQ(v->text(), "((args ((cat v)) (+sg)))");
}

TEST_F(AttVecTest, NestedUnification) {
  auto v = vec("((agr (+sg)))");
  EXPECT_TRUE(v->unify(*vec("((agr ((per 3))))")));
  EXPECT_EQ(v->text(), "((agr (+sg (per 3))))");
  EXPECT_FALSE(v->unifiable(*vec("((agr (-sg)))")));
  EXPECT_FALSE(v->unifiable(*vec("(~agr)")));
  EXPECT_FALSE(vec("(~agr)")->unifiable(*v));
}

// ---- Comparison

TEST_F(AttVecTest, ComparisonExamples) {
  EXPECT_EQ(vec("(+sg)")->compare(*vec("(+sg (per 3))")), -1);
  EXPECT_EQ(vec("(+sg (per 3))")->compare(*vec("(+sg)")), 1);
  EXPECT_EQ(vec("(+sg)")->compare(*vec("(-sg)")), 2);
  auto v = vec("(+sg (per 3) (cat n))");
  EXPECT_EQ(v->compare(*v), 0);
  EXPECT_EQ(vec("(+sg)")->compare(*vec("((cat n))")), 2);
}

TEST_F(AttVecTest, ComparisonCombinesValueResults) {
  // Equal sets: the disjunction decides.
  EXPECT_EQ(vec("((num sg))")->compare(*vec("((num sg pl))")), 1);
  // Superset but a less specific value: unordered.
  EXPECT_EQ(vec("((num sg pl) +sg)")->compare(*vec("((num sg))")), 2);
  EXPECT_EQ(vec("((num sg) +sg)")->compare(*vec("((num sg pl))")), 1);
}

TEST_F(AttVecTest, ComparisonWithMask) {
  LBitSet mask = type->make_att_set({"sg"});
  EXPECT_EQ(vec("(+sg (cat n))")->compare(*vec("(+sg (cat v))"), &mask), 0);
}

// Equality answers as a comparison giving 0, for ordered, unordered and
// masked pairs alike.
TEST_F(AttVecTest, EqualityIsAComparisonGivingZero) {
  const char* texts[] = {"(+sg)",
                         "(+sg (per 3))",
                         "(-sg)",
                         "((cat n))",
                         "(+sg (per 3) (cat n))",
                         "((num sg))",
                         "((num sg pl))",
                         "((num sg pl) +sg)",
                         "((num sg) +sg)",
                         "((agr (+sg (per 3))))",
                         "((agr (+sg (per 1))))",
                         "()"};
  LBitSet mask = type->make_att_set({"sg", "num"});
  for (const char* a : texts)
    for (const char* b : texts) {
      auto left = vec(a);
      auto right = vec(b);
      EXPECT_EQ(left->equals(*right), left->compare(*right) == 0) << a << " " << b;
      EXPECT_EQ(left->equals(*right, &mask), left->compare(*right, &mask) == 0) << a << " " << b << " masked";
    }
  EXPECT_TRUE(vec("(+sg (cat n))")->equals(*vec("(+sg (cat n))")));
  EXPECT_FALSE(vec("(+sg (cat n))")->equals(*vec("(+sg (cat v))")));
  EXPECT_TRUE(vec("(+sg (cat n))")->equals(*vec("(+sg (cat v))"), &mask));
}

// ---- Generalisation and subtraction

TEST_F(AttVecTest, GeneralizationKeepsWhatBothAgreeOn) {
  auto v = vec("(+sg (per 3))");
  v->generalize(*vec("(+sg (per 1))"));
  EXPECT_EQ(v->text(), "(+sg)");
  auto w = vec("(+sg (cat n) (n 4))");
  w->generalize(*vec("((cat n))"));
  EXPECT_EQ(w->text(), "((cat n))");
}

TEST_F(AttVecTest, GeneralizationOfNestedValues) {
  auto v = vec("((agr (+sg (per 3))) (stk ((cat n)) ((cat v))))");
  v->generalize(*vec("((agr (+sg (per 1))) (stk ((cat n) +sg)))"));
  EXPECT_EQ(v->text(), "((agr (+sg)) (stk ((cat n))))");
  auto l = vec("((args ((cat n)) ((cat v))))");
  l->generalize(*vec("((args ((cat n))))"));
  EXPECT_EQ(l->text(), "()");
}

TEST_F(AttVecTest, SubtractionRemovesEqualValues) {
  auto v = vec("(+sg (per 3) (cat n))");
  v->subtract(*vec("(+sg (per 1) (cat n))"));
  EXPECT_EQ(v->text(), "((per 3))");
  auto n = vec("((agr (+sg (per 3))) (args ((cat n))))");
  n->subtract(*vec("((agr (+sg)) (args ((cat n))))"));
  EXPECT_EQ(n->text(), "((agr ((per 3))))");
}

TEST_F(AttVecTest, SubtractingAVectorFromItself) {
  auto v = vec("(+sg (per 3) (agr (+sg)) (args ((cat n))))");
  v->subtract(*v);
  EXPECT_TRUE(v->empty());
}

// ---- Copies and sharing

TEST_F(AttVecTest, CopyRestrictedToMask) {
  LBitSet mask = type->make_att_set({"cat", "agr"});
  auto source = vec("(+sg (cat n) (agr ((per 2))))");
  AttVec copy(*source, &mask);
  EXPECT_EQ(copy.text(), "((cat n) (agr ((per 2))))");
}

TEST_F(AttVecTest, ChangingACopyNeverChangesTheOriginal) {
  auto original = vec("(+sg (agr ((per 3))) (args ((cat n))) (stk ((cat n))))");
  const std::string before = original->text();
  AttVec copy(*original);
  EXPECT_TRUE(copy.unify(*vec("((agr (+sg)) (args (-sg)) (stk ((cat n)) ((cat v))))")));
  copy.set(index("sg"), 0);
  EXPECT_EQ(original->text(), before);
  EXPECT_EQ(copy.text(), "(-sg (agr (+sg (per 3))) (args (-sg (cat n))) (stk ((cat n)) ((cat v))))");
  AttVec second(*original);
  second.generalize(*vec("((agr ((per 1))))"));
  second.subtract(*vec("((args ((cat n))))"));
  EXPECT_EQ(original->text(), before);
}

TEST_F(AttVecTest, AssignmentSharesAndCopiesOnWrite) {
  auto original = vec("((agr ((per 3))))");
  AttVec other(type.get());
  other = *original;
  EXPECT_EQ(other.text(), "((agr ((per 3))))");
  const auto* nested = reinterpret_cast<const AttVec*>(original->get(index("agr")));
  EXPECT_EQ(nested->refs(), 2);
  other.overwrite(*vec("((agr ((per 1))))"));
  EXPECT_EQ(nested->refs(), 1);
  EXPECT_EQ(original->text(), "((agr ((per 3))))");
}

TEST_F(AttVecTest, AssignmentOverAVectorKeepsTheCountsOfSharedValues) {
  auto first = vec("((agr ((per 3))) (args ((cat n))) (cat n))");
  auto second = vec("((agr ((per 1))) (stk ((cat v))) +sg)");
  const auto* agr1 = reinterpret_cast<const AttVec*>(first->get(index("agr")));
  const auto* agr2 = reinterpret_cast<const AttVec*>(second->get(index("agr")));
  const auto* args1 = reinterpret_cast<const AttList*>(first->get(index("args")));
  AttVec target(*second);
  EXPECT_EQ(agr2->refs(), 2);
  target = *first;  // every shared value changes
  EXPECT_EQ(target.text(), first->text());
  EXPECT_EQ(agr1->refs(), 2);
  EXPECT_EQ(agr2->refs(), 1);
  EXPECT_EQ(args1->refs(), 2);
  EXPECT_FALSE(target.defined(index("stk")));
  AttVec again(*first);
  EXPECT_EQ(agr1->refs(), 3);
  target = again;  // the same values: the counts stay
  EXPECT_EQ(agr1->refs(), 3);
  EXPECT_EQ(args1->refs(), 3);
  target.remove(index("args"));
  target = *first;  // one value comes back
  EXPECT_EQ(args1->refs(), 3);
  target = *second;
  EXPECT_EQ(target.text(), second->text());
  EXPECT_EQ(agr1->refs(), 2);
  EXPECT_EQ(args1->refs(), 2);
  EXPECT_EQ(agr2->refs(), 2);
  // A vector made before the type grew is copied into a new block.
  AttVec old_layout(*first);
  add(std::make_unique<BinAtt>("late"));
  old_layout = *second;
  EXPECT_EQ(old_layout.text(), second->text());
  EXPECT_EQ(agr2->refs(), 3);
}

TEST_F(AttVecTest, TheTypeMarksItsSharedValuesInAWordMask) {
  for (int i = 0; i < 40; ++i) add(std::make_unique<BinAtt>(std::string(1, 'b').append(std::to_string(i))));
  add(std::make_unique<VecAtt>("far"));
  EXPECT_EQ(type->shared_word(0), (1u << index("agr")) | (1u << index("args")) | (1u << index("stk")));
  const int far = index("far");
  ASSERT_GE(far, 32);
  EXPECT_EQ(type->shared_word(1), 1u << (far - 32));
  EXPECT_EQ(type->shared_word(2), 0u);
}

// Shared values in the second word of the defined set are released and
// claimed like those of the first.
TEST_F(AttVecTest, AssignmentKeepsTheCountsOfSharedValuesBeyondTheFirstWord) {
  for (int i = 0; i < 40; ++i) add(std::make_unique<BinAtt>(std::string(1, 'b').append(std::to_string(i))));
  add(std::make_unique<VecAtt>("far"));
  auto first = vec("((far ((per 3))) (agr ((per 2))) +b39)");
  auto second = vec("((far ((per 1))) (b3 -))");
  const auto* far1 = reinterpret_cast<const AttVec*>(first->get(index("far")));
  const auto* far2 = reinterpret_cast<const AttVec*>(second->get(index("far")));
  AttVec target(*second);
  EXPECT_EQ(far2->refs(), 2);
  target = *first;
  EXPECT_EQ(target.text(), first->text());
  EXPECT_EQ(far1->refs(), 2);
  EXPECT_EQ(far2->refs(), 1);
  target = *first;  // the same values: the counts stay
  EXPECT_EQ(far1->refs(), 2);
  target.clear();
  EXPECT_EQ(far1->refs(), 1);
  {
    AttVec copy(*second);
    EXPECT_EQ(far2->refs(), 2);
  }
  EXPECT_EQ(far2->refs(), 1);
}

TEST_F(AttVecTest, EqualsLooksPastLeftoverValuesOfRemovedAttributes) {
  auto a = vec("((cat n) (n 5) (agr ((per 3))))");
  AttVec b(*a);
  EXPECT_TRUE(a->equals(b));
  b.set(index("n"), 7);
  EXPECT_FALSE(a->equals(b));
  a->remove(index("n"));
  b.remove(index("n"));  // the two blocks still differ in the stale word
  EXPECT_TRUE(a->equals(b));
  EXPECT_TRUE(b.equals(*a));
}

TEST_F(AttVecTest, UnifiableTestsOnlyAttributesDefinedOnBothSides) {
  auto v = vec("((cat n) (num sg) (agr (+sg (per 3))))");
  EXPECT_TRUE(v->unifiable(*vec("((per 2) (x a) (root dog) (n 4))")));
  EXPECT_TRUE(v->unifiable(*vec("((cat n) (num sg pl) (agr ((per 1))))")));
  EXPECT_FALSE(v->unifiable(*vec("((num pl))")));
  EXPECT_FALSE(v->unifiable(*vec("((agr (-sg)))")));
  EXPECT_FALSE(v->unifiable(*vec("((cat v))")));
  LBitSet cat_only;
  cat_only.set(static_cast<std::size_t>(index("cat")));
  EXPECT_TRUE(v->unifiable(*vec("((cat n) (num pl))"), &cat_only));
  const std::string before = v->text();
  v->unifiable(*vec("((per 1) +sg)"));
  EXPECT_EQ(v->text(), before);
}

TEST_F(AttVecTest, AssignmentAcrossTypesIsRefused) {
  AttInterpreterList other_type("other");
  other_type.add(std::make_unique<BinAtt>("f"));
  AttVec a(&other_type);
  auto b = vec("(+sg)");
  CaptureStderr();
  a = *b;
  EXPECT_EQ(GetCapturedStderr(), "AttVec::operator=: the vectors are of different types\n");
  EXPECT_EQ(a.text(), "()");
  EXPECT_FALSE(a.unifiable(*b));
}

TEST_F(AttVecTest, VectorsSurviveTheTypeGrowing) {
  auto old_vec = vec("(+sg (stk ((cat n))))");
  AttInterpreter* added = add(std::make_unique<IntAtt>("late"));
  auto fresh = vec("((late 7) (per 2))");
  EXPECT_FALSE(old_vec->defined(added->index()));
  EXPECT_TRUE(old_vec->unify(*fresh));
  EXPECT_EQ(old_vec->text(), "(+sg (per 2) (stk ((cat n))) (late 7))");
}

// ---- Binary form

std::unique_ptr<AttVec> round_trip(const AttVec& v, std::string* bytes = nullptr) {
  StrBufs out;
  v.pack(out);
  if (bytes) *bytes = out.str();
  auto back = std::make_unique<AttVec>(v.type());
  ByteCursor in(out.data(), out.size());
  EXPECT_TRUE(back->unpack(in));
  EXPECT_TRUE(in.at_end());
  return back;
}

TEST_F(AttVecTest, PackUnpackRoundTrip) {
  auto v =
      vec("(-sg (per 3) (cat v) (num sg pl) (x b) (root \"a b\") (n -7) (agr (+sg (cat n))) "
          "(args ((cat n)) ((per 1))) (stk ((x a))))");
  auto back = round_trip(*v);
  EXPECT_EQ(back->text(), v->text());
  EXPECT_EQ(back->compare(*v), 0);
}

TEST_F(AttVecTest, PackedBytesOfPlainAttributes) {
  std::string bytes;
  auto back = round_trip(*vec("(+sg -sg (cat n) ~cat)"), &bytes);  // the second of each pair fails
  EXPECT_EQ(bytes, std::string("\x00\x02\x01\x0b", 4));
  bytes.clear();
  round_trip(*vec("(-sg ~cat (n 0))"), &bytes);
  // Complements for binary 0 and zero values; terminator is count + 1 = 11.
  EXPECT_EQ(bytes, std::string("\xff\xfd\xf9\x0b", 4));
  EXPECT_EQ(round_trip(*vec("(-sg ~cat (n 0))"))->text(), "(-sg ~cat (n 0))");
}

TEST_F(AttVecTest, WideEntriesFrom126Attributes) {
  AttInterpreterList small("small");
  AttInterpreterList large("large");
  auto flag = [](int i) { return std::make_unique<BinAtt>(std::string(1, 'b').append(std::to_string(i))); };
  for (int i = 0; i < 125; ++i) small.add(flag(i));
  for (int i = 0; i < 126; ++i) large.add(flag(i));
  large.add(std::make_unique<IntAtt>("wide"));
  AttVec s(&small, texts.parse("(+b124 -b0)"));
  AttVec l(&large, texts.parse("(+b125 -b0 (wide 300))"));
  std::string bytes;
  EXPECT_EQ(round_trip(s, &bytes)->text(), "(-b0 +b124)");
  EXPECT_EQ(bytes, std::string("\xff\x7c\x7e", 3));  // terminator 126 in one byte
  EXPECT_EQ(round_trip(l, &bytes)->text(), "(-b0 +b125 (wide 300))");
  EXPECT_EQ(bytes, std::string("\xff\xff\x00\x7d\x00\x7e\x00\x00\x01\x2c\x00\x80", 12));
}

TEST_F(AttVecTest, CorruptBinaryFormsFailWithoutReadingPastTheEnd) {
  std::string bytes;
  round_trip(*vec("((root dog) (args ((cat n))))"), &bytes);
  for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
    AttVec back(type.get());
    ByteCursor in(bytes.data(), cut);
    EXPECT_FALSE(back.unpack(in)) << "cut at " << cut;
  }
  const char bad_index[] = {10, 11};   // index == count
  const char bad_enum[] = {2, 9, 11};  // cat has three values
  const char bad_complement[] = {static_cast<char>(-11), 11};
  for (auto form : {std::string(bad_index, 2), std::string(bad_enum, 3), std::string(bad_complement, 2)}) {
    AttVec back(type.get());
    ByteCursor in(form.data(), form.size());
    EXPECT_FALSE(back.unpack(in));
  }
}

TEST_F(AttVecTest, DeeplyNestedBinaryFormIsRefused) {
  std::string bytes;
  const char agr = static_cast<char>(index("agr"));
  for (int i = 0; i < 500; ++i) bytes += agr;
  AttVec back(type.get());
  ByteCursor in(bytes.data(), bytes.size());
  EXPECT_FALSE(back.unpack(in));
}

// ---- Printing

TEST_F(AttVecTest, PrintingWithFilter) {
  LBitSet filter = type->make_att_set({"cat", "n"});
  EXPECT_EQ(vec("(+sg (cat n) (n 3))")->text(&filter), "((cat n) (n 3))");
}

TEST_F(AttVecTest, DistanceSumsWeightsOfDisagreements) {
  EXPECT_FLOAT_EQ(vec("(+sg (cat n) (n 3))")->distance(*vec("(-sg (cat n) (n 4))")), 2.0f);
  EXPECT_FLOAT_EQ(vec("(+sg)")->distance(*vec("((cat n))")), 0.0f);
}

// ---- LBitSet

TEST(LBitSetTest, CopiesShareUntilChanged) {
  LBitSet a(10);
  a.set(3);
  LBitSet b = a;
  EXPECT_TRUE(b.shares_with(a));
  b.set(70);
  EXPECT_FALSE(b.shares_with(a));
  EXPECT_TRUE(b.test(70));
  EXPECT_FALSE(a.test(70));
  EXPECT_TRUE(a.test(3));
  EXPECT_EQ(b.count(), 2u);
  b.reset(3);
  EXPECT_TRUE(a.test(3));
}

TEST(LBitSetTest, FixedSetDoesNotGrow) {
  LBitSet fixed(32, true);
  fixed.set(40);
  EXPECT_FALSE(fixed.test(40));
  EXPECT_TRUE(fixed.none());
  fixed.set(31);
  EXPECT_EQ(fixed.word(0), 0x80000000u);
  EXPECT_EQ(fixed.word(5), 0u);
}

TEST(LBitSetTest, EqualityIgnoresTrailingZeroWords) {
  LBitSet a(1);
  LBitSet b(200);
  a.set(0);
  b.set(0);
  EXPECT_TRUE(a == b);
  b.set(150);
  EXPECT_FALSE(a == b);
}

}  // namespace
}  // namespace velmo

namespace velmo {
namespace {

using testing::AttTypeFixture;
using AttVecShortcutTest = AttTypeFixture;

// The vectors unify plain attributes without calling unify_val; the result
// must be the same as the interpreter's own rule for every pair of values.
TEST_F(AttVecShortcutTest, VectorUnificationAgreesWithTheInterpreters) {
  const std::vector<std::pair<const char*, std::vector<Word>>> cases = {
      {"per", {0, 3, 4}}, {"cat", {0, 1, 2}}, {"x", {0, 1, 3, 4, 6}}, {"num", {0, 1, 2, 3}}, {"n", {0, 7, 0xFFFFFFFF}}};
  for (const auto& [name, values] : cases) {
    const int i = index(name);
    const AttInterpreter& att = type->attribute(i);
    for (bool mine_defined : {false, true})
      for (Word mine : values)
        for (Word theirs : values)
          for (bool set_flag : {false, true}) {
            AttVec by_vector(type.get());
            AttVec by_interpreter(type.get());
            AttVec other(type.get());
            if (mine_defined) {
              by_vector.set(i, mine);
              by_interpreter.set(i, mine);
            }
            other.set(i, theirs);
            const bool expected = att.unify_val(by_interpreter, theirs, set_flag);
            SCOPED_TRACE(std::string(name) + " " + std::to_string(mine) + " " + std::to_string(theirs));
            EXPECT_EQ(by_vector.unify(other, nullptr, set_flag), expected);
            EXPECT_EQ(by_vector.defined(i), by_interpreter.defined(i));
            EXPECT_EQ(by_vector.get(i), by_interpreter.get(i));
          }
  }
}

// Equality and containment compare plain values in place; the answers must
// be those of the interpreter's comparison for every pair of values (an
// integer compares in 32 bits, so words differing above them are equal).
TEST_F(AttVecShortcutTest, ValueComparisonsAgreeWithTheInterpreters) {
  const Word wide = (Word{1} << 40) | 7;
  const std::vector<std::pair<const char*, std::vector<Word>>> cases = {
      {"per", {0, 3, 4}},       {"cat", {0, 1, 2}},       {"x", {1, 3, 4, 6, 7}},
      {"num", {0, 1, 2, 3}},    {"n", {0, 7, 0xFFFFFFFF, wide}}};
  for (const auto& [name, values] : cases) {
    const int i = index(name);
    const AttInterpreter& att = type->attribute(i);
    for (Word mine : values)
      for (Word theirs : values) {
        AttVec a(type.get());
        AttVec b(type.get());
        a.set(i, mine);
        b.set(i, theirs);
        const int order = att.compare(att.get(a), att.get(b));
        SCOPED_TRACE(std::string(name) + " " + std::to_string(mine) + " " + std::to_string(theirs));
        EXPECT_EQ(a.same_value(i, b), order == 0);
        EXPECT_EQ(a.contains_value(i, b), order == 0 || order == -1);
        EXPECT_EQ(a.equals(b), order == 0);
      }
  }
}

TEST_F(AttVecShortcutTest, TextAndComplexValuesCompareThroughTheInterpreters) {
  const auto a = vec("((root dog) (args ((cat n)) ((cat v))) (cat n))");
  const auto same = vec("((root dog) (args ((cat n)) ((cat v))) (cat n))");
  const auto other_root = vec("((root cat) (args ((cat n)) ((cat v))) (cat n))");
  const auto other_args = vec("((root dog) (args ((cat n)) ((cat adj))) (cat n))");
  EXPECT_TRUE(a->equals(*same));
  EXPECT_FALSE(a->equals(*other_root));
  EXPECT_FALSE(a->equals(*other_args));
  EXPECT_TRUE(a->same_value(index("root"), *same));
  EXPECT_FALSE(a->contains_value(index("root"), *other_root));
  LBitSet cat_only;
  cat_only.set(static_cast<std::size_t>(index("cat")));
  EXPECT_TRUE(a->equals(*other_args, &cat_only));
}

}  // namespace
}  // namespace velmo
