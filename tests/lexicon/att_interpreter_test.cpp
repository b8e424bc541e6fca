#include "lexicon/attributes/att_interpreter.h"

#include <gtest/gtest.h>

#include "att_fixture.h"
#include "lexicon/attributes/att_list.h"
#include "lexicon/attributes/byte_cursor.h"
#include "shell/support/str_bufs.h"

namespace velmo {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;
using testing::AttTypeFixture;

class AttInterpreterTest : public AttTypeFixture {
 protected:
  const AttInterpreter& att(std::string_view name) { return type->attribute(index(name)); }
  Word value(std::string_view name, std::string_view element) { return att(name).make_val(texts.parse(element)); }
};

// ---- Storage layout

TEST_F(AttInterpreterTest, StorageIsAllocatedByClass) {
  EXPECT_EQ(type->binary_count(), 1);
  EXPECT_TRUE(type->is_binary(index("sg")));
  EXPECT_EQ(att("sg").slot(), 0);
  EXPECT_EQ(att("per").slot(), 0);
  EXPECT_EQ(att("cat").slot(), 1);
  EXPECT_EQ(att("x").slot(), 2);
  EXPECT_EQ(type->layout().bytes, 3);
  EXPECT_EQ(att("num").slot(), 0);
  EXPECT_EQ(att("stk").slot(), 5);
  EXPECT_EQ(type->layout().words, 6);
}

TEST_F(AttInterpreterTest, DuplicateAttributeKeepsTheFirst) {
  CaptureStderr();
  EXPECT_EQ(add(std::make_unique<IntAtt>("cat")), nullptr);
  EXPECT_EQ(GetCapturedStderr(), "Mutiplely defined attribute: cat\n");
  EXPECT_STREQ(att("cat").type_name(), "EnumAtt");
}

TEST_F(AttInterpreterTest, IndexLookupIgnoresOneSignAndIsCaseSensitive) {
  EXPECT_EQ(index("+sg"), 0);
  EXPECT_EQ(index("~cat"), 2);
  EXPECT_EQ(index("Cat"), -1);
  EXPECT_EQ(index("++sg"), -1);
}

TEST_F(AttInterpreterTest, IndexOutOfBoundsIsReported) {
  CaptureStderr();
  EXPECT_EQ(type->at(10), nullptr);
  EXPECT_EQ(type->at(-1), nullptr);
  EXPECT_EQ(GetCapturedStderr(),
            "Array index out of bounds: 10 It should be between 0 and 9\n"
            "Array index out of bounds: -1 It should be between 0 and 9\n");
}

TEST_F(AttInterpreterTest, RenamingWithEmptyNameIsRefused) {
  BinAtt flag("f");
  CaptureStderr();
  EXPECT_FALSE(flag.name(""));
  EXPECT_EQ(GetCapturedStderr(), "AttInterpreter::name(<name>): <name> must not be nil.\n");
  EXPECT_EQ(flag.name(), "f");
}

TEST_F(AttInterpreterTest, CloneIsUnplacedAndOfTheSameClass) {
  auto copy = att("cat").clone();
  EXPECT_STREQ(copy->type_name(), "EnumAtt");
  EXPECT_EQ(copy->index(), -1);
  EXPECT_EQ(copy->slot(), -1);
  EXPECT_EQ(copy->owner(), nullptr);
  EXPECT_EQ(copy->get_val("v"), 2u);  // the allowable values come along
}

// ---- BinAtt

TEST_F(AttInterpreterTest, BinaryValuesFromText) {
  EXPECT_EQ(value("sg", "+sg"), 1u);
  EXPECT_EQ(value("sg", "(+)"), 1u);
  EXPECT_EQ(value("sg", "-sg"), 0u);
  CaptureStderr();
  EXPECT_EQ(value("sg", "(yes)"), 0u);
  EXPECT_EQ(GetCapturedStderr(), "BinAtt::get_val yes is not a valid value for binary attribute\n");
  EXPECT_EQ(text_of("(+sg)"), "(+sg)");
  EXPECT_EQ(text_of("((sg -))"), "(-sg)");
}

TEST_F(AttInterpreterTest, BinaryAttributeIsNeverPackedAlone) {
  AttVec v(type.get());
  StrBufs out;
  CaptureStderr();
  att("sg").pack(v, out);
  EXPECT_EQ(GetCapturedStderr(), "BinAtt::pack(const AttVec*, StrBufs&) should never be called\n");
  EXPECT_TRUE(out.empty());
}

// ---- SmIntAtt and IntAtt

TEST_F(AttInterpreterTest, SmallIntegerReadsDecimalAndKeepsItsValue) {
  EXPECT_EQ(value("per", "(3)"), 3u);
  EXPECT_EQ(value("per", "(\" 12abc\")"), 12u);
  EXPECT_EQ(value("per", "(abc)"), 0u);
  auto v = vec("((per 4))");
  EXPECT_TRUE(v->unify(*vec("((per 3))")));
  EXPECT_EQ(v->text(), "((per 4))");
}

TEST_F(AttInterpreterTest, IntegerComparesUnsigned) {
  const AttInterpreter& n = att("n");
  EXPECT_EQ(n.compare(n.get_val("-1"), n.get_val("1")), 1);
  EXPECT_EQ(n.compare(n.get_val("1"), n.get_val("2")), -1);
  EXPECT_EQ(n.compare(n.get_val("7"), n.get_val("7")), 0);
  EXPECT_EQ(text_of("((n -5))"), "((n -5))");  // a negative number is not a sign prefix
  EXPECT_EQ(text_of("((n 0))"), "((n 0))");
}

TEST_F(AttInterpreterTest, IntegerUnifiesByEquality) {
  auto v = vec("((n 3))");
  EXPECT_FALSE(v->unifiable(*vec("((n 4))")));
  EXPECT_TRUE(v->unifiable(*vec("((n 3))")));
}

TEST_F(AttInterpreterTest, NestedListWhereAnAtomBelongsIsABadValue) {
  CaptureStderr();
  EXPECT_EQ(value("n", "((x 3))"), 0u);
  EXPECT_EQ(GetCapturedStderr(), "Oops! The attribute 'n' cannot have '(x 3)' as value\n");
}

// ---- EnumAtt

TEST_F(AttInterpreterTest, EnumerationPositions) {
  EXPECT_EQ(value("cat", "(n)"), 1u);
  EXPECT_EQ(value("cat", "(v)"), 2u);
  EXPECT_EQ(value("cat", "~cat"), 0u);
  EXPECT_EQ(text_of("(~cat)"), "(~cat)");
  EXPECT_EQ(text_of("((cat adj))"), "((cat adj))");
  CaptureStderr();
  EXPECT_EQ(value("cat", "(prep)"), 0u);
  EXPECT_EQ(GetCapturedStderr(), "EnumAtt::get_val: prep is not an allowable value of cat\n");
}

TEST_F(AttInterpreterTest, EnumerationFailsOnDifferentValues) {
  CaptureStderr();
  EXPECT_EQ(text_of("((cat n) (cat v))"), "((cat n))");
  EXPECT_EQ(GetCapturedStderr(), "");
}

TEST_F(AttInterpreterTest, EnumerationRefusesMoreValuesThanAByteHolds) {
  std::string facet = "((allowable-values";
  for (int i = 0; i < 256; ++i) facet.append(" v").append(std::to_string(i));
  facet += "))";
  EnumAtt e("big");
  CaptureStderr();
  e.set_facets(texts.parse(facet));
  EXPECT_EQ(GetCapturedStderr(), "The attribute big can only have up to 255 values, 256 found.\n");
  EXPECT_EQ(e.get_val("v254"), 255u);
  CaptureStderr();
  EXPECT_EQ(e.get_val("v255"), 0u);
  GetCapturedStderr();
}

// ---- Disjunctions

TEST_F(AttInterpreterTest, Disj8MasksFromText) {
  EXPECT_EQ(value("x", "(a c)"), 5u);
  EXPECT_EQ(text_of("((x a c))"), "((x a c))");
  EXPECT_EQ(text_of("((x c a))"), "((x a c))");  // lowest bit first
  EXPECT_EQ(text_of("(~x)"), "(~x)");
  EXPECT_FALSE(vec("((x a c))")->unifiable(*vec("((x b))")));
  auto v = vec("((x a c))");
  EXPECT_TRUE(v->unify(*vec("((x c b))")));
  EXPECT_EQ(v->text(), "((x c))");
}

TEST_F(AttInterpreterTest, DisjunctionUnknownValue) {
  CaptureStderr();
  EXPECT_EQ(value("x", "(a d)"), 1u);
  EXPECT_EQ(value("num", "(du)"), 0u);
  EXPECT_EQ(GetCapturedStderr(),
            "Disj8Att::get_val: Unknown attribute value d\nDisjAtt::get_val: Unknown attribute value du\n");
}

TEST_F(AttInterpreterTest, DisjunctionComparisonTable) {
  const AttInterpreter& x = att("x");
  EXPECT_EQ(x.compare(5, 5), 0);
  EXPECT_EQ(x.compare(0, 5), 2);
  EXPECT_EQ(x.compare(5, 0), 2);
  EXPECT_EQ(x.compare(5, 1), -1);  // b has fewer alternatives
  EXPECT_EQ(x.compare(1, 5), 1);
  EXPECT_EQ(x.compare(3, 6), 2);
}

TEST_F(AttInterpreterTest, DisjunctionNarrowsWhileReading) {
  EXPECT_EQ(text_of("((num sg) (num pl))"), "((num sg))");
  EXPECT_EQ(text_of("((num sg pl) (num pl))"), "((num pl))");
  EXPECT_TRUE(vec("(~num)")->unifiable(*vec("(~num)")));
  EXPECT_FALSE(vec("(~num)")->unifiable(*vec("((num sg))")));
}

TEST_F(AttInterpreterTest, DisjunctionValueLimits) {
  std::string facet = "((allowable-values";
  for (int i = 0; i < 34; ++i) facet.append(" v").append(std::to_string(i));
  facet += "))";
  DisjAtt wide("w");
  Disj8Att narrow("s");
  CaptureStderr();
  wide.set_facets(texts.parse(facet));
  narrow.set_facets(texts.parse(facet));
  EXPECT_EQ(GetCapturedStderr(),
            "The attribute w can only have up to 32 values, 34 found.\n"
            "The attribute s can only have up to 8 values, 34 found.\n");
  EXPECT_EQ(wide.get_val("v31"), Word{1} << 31);
  EXPECT_EQ(narrow.get_val("v7"), Word{1} << 7);
  CaptureStderr();
  EXPECT_EQ(wide.get_val("v32"), 0u);  // never a bit beyond the word
  EXPECT_EQ(narrow.get_val("v8"), 0u);
  GetCapturedStderr();
}

// ---- StrAtt

TEST_F(AttInterpreterTest, EqualTextsAreOneInternedPointer) {
  const Word a = value("root", "(dog)");
  const Word b = value("root", "(\"dog\")");
  EXPECT_EQ(a, b);
  EXPECT_NE(a, value("root", "(Dog)"));
  EXPECT_TRUE(vec("((root dog))")->unifiable(*vec("((root dog))")));
  EXPECT_EQ(text_of("((root dog))"), "((root \"dog\"))");
}

// ---- EntAtt

Word combine_entities(Word stored, Word value) { return stored == value || value == 1 ? stored : 0; }
std::string entity_text(Word value) { return std::string(1, 'e').append(std::to_string(value)); }

TEST_F(AttInterpreterTest, EntityHooksAndDefault) {
  auto* ent = static_cast<EntAtt*>(add(std::make_unique<EntAtt>("ent")));
  AttVec v(type.get());
  v.set(ent->index(), 42);
  EXPECT_EQ(v.text(), "((ent 0x2a))");
  ent->set_print_hook(&entity_text);
  EXPECT_EQ(v.text(), "((ent e42))");
  AttVec w(type.get());
  w.set(ent->index(), 1);
  EXPECT_FALSE(v.unifiable(w));
  ent->set_unify_hook(&combine_entities);
  EXPECT_TRUE(v.unify(w));
  EXPECT_EQ(v.get(ent->index()), 42u);

  CaptureStderr();
  ent->set_facets(texts.parse("((default ~) (colour red))"));
  EXPECT_EQ(GetCapturedStderr(), "EntAtt::EntAtt unknown facet colour\n");
  EXPECT_EQ(ent->default_value(), 0u);
  CaptureStderr();
  EXPECT_EQ(ent->make_val(texts.parse("(thing)")), 0u);
  EXPECT_EQ(GetCapturedStderr(), "AttInterpreter ent doesn't know how to make value: (thing)\n");
}

// ---- Facets of classes without any

TEST_F(AttInterpreterTest, UnrecognizedFacet) {
  IntAtt i("count");
  CaptureStderr();
  i.set_facets(texts.parse("((allowable-values 1 2))"));
  EXPECT_EQ(GetCapturedStderr(), "Unrecognized facet specification for attribute count (allowable-values 1 2)\n");
}

TEST_F(AttInterpreterTest, BaseOperationsReportMisuse) {
  CaptureStderr();
  EXPECT_EQ(att("per").get_val("3"), static_cast<Word>(-1));
  EXPECT_EQ(att("args").str_val(0), "");
  EXPECT_EQ(att("sg").bad_value("maybe"), 0u);
  EXPECT_EQ(GetCapturedStderr(),
            "AttInterpreter::get_val(const char* value) should not be called by SmIntAtt\n"
            "Oops! The attribute 'sg' cannot have 'maybe' as value\n");
}

// ---- TraceAtt

std::string record_text(const TraceRecord& r) { return std::string(1, 't').append(std::to_string(r.role)); }

TEST_F(AttInterpreterTest, TracesGatherRecordsOnUnification) {
  auto* trace = static_cast<TraceAtt*>(add(std::make_unique<TraceAtt>("trace")));
  trace->set_record_printer(&record_text);
  auto make_trace = [&](Word role) {
    auto* list = new TraceList;
    list->records().push_back({role, 0});
    return reinterpret_cast<Word>(list);
  };
  AttVec a(type.get());
  AttVec b(type.get());
  a.set(trace->index(), make_trace(1));
  b.set(trace->index(), make_trace(2));
  AttVec shared_copy(a);
  EXPECT_TRUE(a.unify(b));
  EXPECT_EQ(a.text(), "((trace t1 t2))");
  EXPECT_EQ(shared_copy.text(), "((trace t1))");  // the shared list was copied first
  CaptureStderr();
  EXPECT_EQ(trace->make_val(texts.parse("(x)")), 0u);
  EXPECT_EQ(GetCapturedStderr(), "TraceAtt::make_val(IRSlist*) fails with argument: (x)\n");
  AttVec none(type.get());
  none.set(trace->index(), 0);
  EXPECT_EQ(none.text(), "(~trace)");
  EXPECT_FALSE(none.unifiable(a));
}

// ---- Complex classes

TEST_F(AttInterpreterTest, NestedVectorsReadPrintAndCompare) {
  EXPECT_EQ(text_of("((agr (+sg (per 3))))"), "((agr (+sg (per 3))))");
  EXPECT_EQ(text_of("((agr))"), "(~agr)");
  EXPECT_EQ(text_of("((agr ()))"), "()");  // an empty nested vector prints nothing
  EXPECT_EQ(vec("((agr (+sg (per 3))))")->compare(*vec("((agr (+sg)))")), 1);
  CaptureStderr();
  EXPECT_EQ(text_of("((agr +sg))"), "(~agr)");  // a bad value stores 0, as other classes do
  EXPECT_EQ(GetCapturedStderr(), "Oops! The attribute 'agr' cannot have '+sg' as value\n");
}

TEST_F(AttInterpreterTest, NestingBeyondTheLimitIsRefused) {
  std::string text;
  for (int i = 0; i <= ComplexAtt::kMaxNesting; ++i) text += "((agr ";
  text += "(+sg)";
  for (int i = 0; i <= ComplexAtt::kMaxNesting; ++i) text += "))";
  CaptureStderr();
  vec(text);
  EXPECT_EQ(GetCapturedStderr(), "The value of agr is nested more than 100 vectors deep\n");
}

TEST_F(AttInterpreterTest, ListsReadInOrder) {
  EXPECT_EQ(text_of("((args ((cat n)) ((cat v))))"), "((args ((cat n)) ((cat v))))");
  EXPECT_EQ(text_of("((args () ()))"), "()");  // every element empty
  EXPECT_EQ(text_of("(~args)"), "(~args)");
}

TEST_F(AttInterpreterTest, ListComparison) {
  const AttInterpreter& args = att("args");
  auto a = vec("((args ((cat n) +sg) ((cat v))))");
  auto b = vec("((args ((cat n)) ((cat v))))");
  auto c = vec("((args ((cat n))))");
  auto d = vec("((args ((cat n)) ((cat v) +sg)))");
  const Word va = a->get(index("args")), vb = b->get(index("args"));
  EXPECT_EQ(args.compare(va, vb), 1);
  EXPECT_EQ(args.compare(vb, va), -1);
  EXPECT_EQ(args.compare(va, c->get(index("args"))), 2);  // lengths differ
  EXPECT_EQ(args.compare(va, d->get(index("args"))), 2);  // conflicting directions
  EXPECT_EQ(args.compare(0, 0), 0);
  EXPECT_EQ(args.compare(va, 0), 2);
}

TEST_F(AttInterpreterTest, ListUnificationNeedsEqualLengths) {
  auto a = vec("((args ((cat n)) ()))");
  EXPECT_FALSE(a->unifiable(*vec("((args ((cat n))))")));
  EXPECT_TRUE(a->unify(*vec("((args (+sg) ((cat v))))")));
  EXPECT_EQ(a->text(), "((args (+sg (cat n)) ((cat v))))");
  EXPECT_FALSE(a->unifiable(*vec("((args ((cat v)) ())))")));
}

TEST_F(AttInterpreterTest, StackComparisonCountsTheLongerAsMoreSpecific) {
  const AttInterpreter& stk = att("stk");
  auto a = vec("((stk ((cat n)) ((cat v))))");
  auto b = vec("((stk ((cat n))))");
  auto c = vec("((stk ((cat n) +sg)))");
  EXPECT_EQ(stk.compare(a->get(index("stk")), b->get(index("stk"))), 1);
  EXPECT_EQ(stk.compare(b->get(index("stk")), a->get(index("stk"))), -1);
  EXPECT_EQ(stk.compare(c->get(index("stk")), a->get(index("stk"))), 2);
}

TEST_F(AttInterpreterTest, StackGrowsOnUnification) {
  auto a = vec("((stk ((cat n)) (+sg)))");
  auto three = vec("((stk ((cat n)) ((per 3)) ((cat v))))");
  EXPECT_TRUE(a->unify(*three));
  EXPECT_EQ(a->text(), "((stk ((cat n)) (+sg (per 3)) ((cat v))))");
  EXPECT_EQ(three->text(), "((stk ((cat n)) ((per 3)) ((cat v))))");
  EXPECT_FALSE(a->unifiable(*vec("((stk ((cat v))))")));
}

}  // namespace
}  // namespace velmo
