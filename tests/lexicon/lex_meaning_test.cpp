#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/plain_atts.h"
#include "lexicon/lexicon/av_meaning.h"
#include "lexicon/lexicon/freq_meaning.h"
#include "lexicon/lexicon/lexicon_commands.h"
#include "lexicon/lexicon/meaning.h"
#include "lexicon/lexicon/str_meaning.h"
#include "shell/interpreter/interpreter.h"
#include "shell/reader/irslist.h"
#include "shell/lexp/lexp.h"
#include "shell/support/string_pool.h"

namespace velmo {
namespace {

std::string in_parentheses(std::string_view body) {
  std::string text(1, '(');
  text.append(body);
  text.push_back(')');
  return text;
}

class MeaningTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Interpreter& interpreter = Interpreter::instance();
    if (!interpreter.find_command("make-lexicon")) register_lexicon_commands(interpreter);
  }

  // Reads the body of a meaning from the text after its type name.
  template <class M>
  void read(M& meaning, std::string_view body) {
    std::unique_ptr<IRSlist> elements = IRSlist::parse(in_parentheses(body), store_);
    meaning.read_body(*elements);
  }

  StringPool store_;
};

TEST_F(MeaningTest, StrMeaningKeepsItsElementsAsText) {
  StrMeaning gloss("gloss");
  read(gloss, "a (big \"dog house\") b");
  EXPECT_EQ(gloss.text(), "(gloss a (big \"dog house\") b)");
}

TEST_F(MeaningTest, StrMeaningComparison) {
  StrMeaning a("gloss"), b("gloss"), c("gloss"), empty("gloss"), other_empty("gloss"), note("note");
  read(a, "x y");
  read(b, "x y");
  read(c, "x z");
  read(note, "x y");
  EXPECT_EQ(a.compare(b), 0);
  EXPECT_EQ(a.compare(c), 2);
  EXPECT_EQ(a.compare(note), -2);
  EXPECT_EQ(empty.compare(other_empty), 0);
  EXPECT_NE(empty.compare(a), 0);
  EXPECT_NE(a.compare(empty), 0);
  EXPECT_TRUE(a.matches(b));
  EXPECT_FALSE(a.matches(c));
}

TEST_F(MeaningTest, FreqBodyIsPackedBigEndian) {
  FreqMN freq;
  read(freq, "a 1 bc 0.5");
  const std::string expected(
      "\0\0\0\x02"
      "a\0\x3f\x80\0\0"
      "bc\0\x3f\0\0\0",
      4 + 6 + 7);
  EXPECT_EQ(freq.packed(), expected);
  EXPECT_EQ(freq.text(), "(freq a 1 bc 0.5)");
}

TEST_F(MeaningTest, FreqWithOddElementsStaysEmpty) {
  FreqMN freq;
  ::testing::internal::CaptureStderr();
  read(freq, "a 1 b");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Incorrect format for (freq ...)\n");
  EXPECT_TRUE(freq.pairs().empty());
  EXPECT_EQ(freq.packed(), std::string(4, '\0'));
}

TEST_F(MeaningTest, FreqEqualsOnlyItself) {
  FreqMN freq;
  read(freq, "a 1");
  std::unique_ptr<Meaning> copy = freq.clone();
  EXPECT_EQ(freq.compare(freq), 0);
  EXPECT_NE(freq.compare(*copy), 0);
  EXPECT_EQ(freq.compare(StrMeaning("freq")), -2);
  EXPECT_EQ(copy->text(), freq.text());
}

TEST_F(MeaningTest, MakeMeaningUsesTheRegistry) {
  std::unique_ptr<IRSlist> expr = IRSlist::parse("(FREQ x 2)", store_);
  std::unique_ptr<Meaning> meaning = make_meaning(*expr);
  ASSERT_NE(meaning, nullptr);
  EXPECT_EQ(meaning->text(), "(freq x 2)");
  std::unique_ptr<IRSlist> unknown = IRSlist::parse("(no-such-kind x)", store_);
  EXPECT_EQ(make_meaning(*unknown), nullptr);
  std::unique_ptr<IRSlist> phrases = IRSlist::parse("(phrases (a b))", store_);
  EXPECT_EQ(make_meaning(*phrases), nullptr);
}

// A prototype whose attribute type was deleted is refused with a message
// (copying it would read the freed type), and defining it again for a new
// type makes it usable.
TEST_F(MeaningTest, APrototypeOutlivingItsTypeIsRefusedUntilDefinedAgain) {
  auto old_type = std::make_unique<AttInterpreterList>("staletype");
  old_type->add(std::make_unique<BinAtt>("n"));
  auto prototype = std::make_unique<AVMeaning>(old_type.get());
  AVMeaning* stale = prototype.get();
  ASSERT_TRUE(register_meaning_prototype("staleavm", std::move(prototype)));
  EXPECT_TRUE(stale->usable());
  old_type.reset();
  EXPECT_FALSE(stale->usable());

  std::unique_ptr<IRSlist> expr = IRSlist::parse("(staleavm (+n))", store_);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(make_meaning(*expr), nullptr);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "The attribute type of the meaning staleavm no longer exists\n");

  auto new_type = std::make_unique<AttInterpreterList>("freshtype");
  new_type->add(std::make_unique<BinAtt>("n"));
  stale->retype(new_type.get());
  EXPECT_TRUE(stale->usable());
  std::unique_ptr<IRSlist> again = IRSlist::parse("(staleavm (+n))", store_);
  std::unique_ptr<Meaning> meaning = make_meaning(*again);
  ASSERT_NE(meaning, nullptr);
  EXPECT_EQ(meaning->text(), "(avm (+n))");
}

class AVMeaningTest : public MeaningTest {
 protected:
  AVMeaningTest() : type_(std::make_unique<AttInterpreterList>("lexsyn")) {
    type_->add(std::make_unique<BinAtt>("n"));
    type_->add(std::make_unique<BinAtt>("v"));
    type_->add(std::make_unique<BinAtt>("pl"));
  }
  std::unique_ptr<Meaning> make(std::string_view body) {
    AVMeaning prototype(type_.get());
    std::unique_ptr<IRSlist> elements = IRSlist::parse(in_parentheses(body), store_);
    return prototype.make(*elements);
  }

  std::unique_ptr<AttInterpreterList> type_;
};

TEST_F(AVMeaningTest, PrintedAsAvm) {
  EXPECT_EQ(make("(+n -pl)")->text(), "(avm (+n -pl))");
  EXPECT_EQ(make("()")->text(), "(avm ())");
  EXPECT_EQ(make("")->text(), "(avm ())");
}

TEST_F(AVMeaningTest, ComparesAndMatchesByVector) {
  std::unique_ptr<Meaning> noun = make("(+n)");
  std::unique_ptr<Meaning> plural_noun = make("(+n +pl)");
  std::unique_ptr<Meaning> not_noun = make("(-n)");
  EXPECT_EQ(noun->compare(*make("(+n)")), 0);
  EXPECT_EQ(noun->compare(StrMeaning("avm")), -2);
  EXPECT_NE(noun->compare(*plural_noun), 0);
  EXPECT_TRUE(noun->matches(*plural_noun));
  EXPECT_FALSE(noun->matches(*not_noun));
}

TEST_F(AVMeaningTest, CloneCopiesTheVector) {
  std::unique_ptr<Meaning> noun = make("(+n)");
  std::unique_ptr<Meaning> copy = noun->clone();
  static_cast<AVMeaning&>(*noun).vector().clear();
  EXPECT_EQ(copy->text(), "(avm (+n))");
  EXPECT_EQ(noun->text(), "(avm ())");
}

TEST_F(MeaningTest, MeaningTypeFunction) {
  LExpPtr exp = LExp::from_text("(meaning-type)");
  ASSERT_NE(exp, nullptr);
  StrMeaning gloss("gloss");
  const Word result = exp->eval(reinterpret_cast<Word>(static_cast<Meaning*>(&gloss)), type_id("Meaning*"));
  EXPECT_STREQ(reinterpret_cast<const char*>(result), "gloss");
}

}  // namespace
}  // namespace velmo
