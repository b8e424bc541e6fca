#include "lexicon/lexicon/meaning_text_cache.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "lexicon/lexicon/meaning.h"
#include "shell/interpreter/obj_factory.h"
#include "shell/reader/irslist.h"
#include "shell/support/diagnostics.h"
#include "shell/support/string_pool.h"

namespace velmo {
namespace {

constexpr std::string_view kBadFreq = "(freq a 1 b)";
constexpr std::string_view kBadFreqMessage = "Incorrect format for (freq ...)\n";

// A meaning whose reading says something, then reads a bad (freq ...)
// through the same cache: a reading inside a reading.
class NestingMeaning final : public Meaning {
 public:
  NestingMeaning(MeaningTextCache* cache, StringPool* store) : cache_(cache), store_(store) {}
  std::string_view type_name() const override { return "nestingmn"; }
  void print_body(std::ostream&) const override {}
  std::unique_ptr<Meaning> clone() const override { return std::make_unique<NestingMeaning>(cache_, store_); }
  int compare(const Meaning& other) const override { return other.type_name() == type_name() ? 0 : -2; }
  std::unique_ptr<Meaning> make(IRSlist&) const override {
    diag() << "outer\n";
    std::unique_ptr<IRSlist> inner = IRSlist::parse(kBadFreq, *store_);
    cache_->make(kBadFreq, *inner);
    return clone();
  }

 private:
  MeaningTextCache* cache_;
  StringPool* store_;
};

class MeaningTextCacheTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { register_meaning_kinds(); }

  // Reads `text` through the cache; `said` gets its messages.
  std::unique_ptr<Meaning> make(std::string_view text, std::string& said) {
    std::unique_ptr<IRSlist> form = IRSlist::parse(text, store_);
    std::ostringstream messages;
    std::unique_ptr<Meaning> meaning;
    {
      ScopedDiagnostics capture(messages);
      meaning = cache_.make(text, *form);
    }
    said = messages.str();
    return meaning;
  }

  StringPool store_;
  MeaningTextCache cache_;
};

TEST_F(MeaningTextCacheTest, AQuietReadingIsKeptAndCopied) {
  std::string said;
  std::unique_ptr<Meaning> first = make("(freq x 2)", said);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(said, "");
  EXPECT_EQ(cache_.size(), 1u);
  std::unique_ptr<Meaning> copy = cache_.copy_of("(freq x 2)");
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy.get(), first.get());
  EXPECT_EQ(copy->text(), "(freq x 2)");
  EXPECT_EQ(cache_.copy_of("(freq x 3)"), nullptr);
}

// A kept meaning is copied only while its kind's prototype is the one it
// was read with: once the prototypes are destroyed it is not copied, though
// nothing was read in between.
TEST_F(MeaningTextCacheTest, AKeptMeaningIsNotCopiedOnceItsPrototypeIsGone) {
  std::string said;
  ASSERT_NE(make("(freq x 2)", said), nullptr);
  ASSERT_NE(cache_.copy_of("(freq x 2)"), nullptr);
  ASSERT_NE(cache_.copy_of("(freq x 2)"), nullptr);
  ObjFactory::instance().destroy_prototypes();
  EXPECT_EQ(cache_.copy_of("(freq x 2)"), nullptr);
}

// read() is for a text copy_of has just missed: it reads the form without
// asking for the kept meaning again, and keeps what it read.
TEST_F(MeaningTextCacheTest, ReadTakesTheFormAndKeepsIt) {
  std::string said;
  ASSERT_NE(make("(freq x 2)", said), nullptr);
  std::unique_ptr<IRSlist> other = IRSlist::parse("(freq x 3)", store_);
  std::unique_ptr<Meaning> read = cache_.read("(freq x 2)", *other);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->text(), "(freq x 3)");
  std::unique_ptr<IRSlist> fresh = IRSlist::parse("(freq w 4)", store_);
  ASSERT_NE(cache_.read("(freq w 4)", *fresh), nullptr);
  std::unique_ptr<Meaning> copy = cache_.copy_of("(freq w 4)");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->text(), "(freq w 4)");
}

// A reading that said something is not kept, so that every reading of its
// text says it again; the next reading starts with nothing said.
TEST_F(MeaningTextCacheTest, MessagesAreSaidEveryTimeAndNotCarriedOn) {
  std::string said;
  make(kBadFreq, said);
  EXPECT_EQ(said, kBadFreqMessage);
  make(kBadFreq, said);
  EXPECT_EQ(said, kBadFreqMessage);
  EXPECT_EQ(cache_.size(), 0u);
  ASSERT_NE(make("(freq y 1)", said), nullptr);
  EXPECT_EQ(said, "");
  EXPECT_EQ(cache_.size(), 1u);
}

// A reading inside another keeps what the outer one said before it, and
// each message is passed on once.
TEST_F(MeaningTextCacheTest, AReadingInsideAReadingKeepsTheOuterMessages) {
  ASSERT_TRUE(register_meaning_prototype("nestingmn", std::make_unique<NestingMeaning>(&cache_, &store_)));
  std::string said;
  ASSERT_NE(make("(nestingmn)", said), nullptr);
  EXPECT_EQ(said, "outer\n" + std::string(kBadFreqMessage));
  EXPECT_EQ(cache_.size(), 0u);
  ASSERT_NE(make("(freq z 1)", said), nullptr);
  EXPECT_EQ(said, "");
}

}  // namespace
}  // namespace velmo
