#include "analyser/sentences.h"

#include <gtest/gtest.h>

namespace zentra {
namespace {

using Words = std::vector<std::string_view>;

TEST(zentraMarkSentences, MarkerIsThreePoundSignBytes) {
  EXPECT_EQ(kSentenceMarker, std::string_view("\xA3\xA3\xA3"));
  EXPECT_EQ(kSentenceMarker.size(), 3u);
}

TEST(zentraMarkSentences, ThreeLinesWithFinalLineEndGiveFourSentences) {
  const MarkedDocument marked = mark_sentences(std::string("a b\nc\nd\n"));
  EXPECT_EQ(marked.text, "a b \xA3\xA3\xA3\nc \xA3\xA3\xA3\nd \xA3\xA3\xA3\n \xA3\xA3\xA3");
  EXPECT_EQ(marked.sentence_count, 4u);
}

TEST(zentraMarkSentences, LastLineWithoutLineEnd) {
  const MarkedDocument marked = mark_sentences(std::string("a\nb"));
  EXPECT_EQ(marked.text, "a \xA3\xA3\xA3\nb \xA3\xA3\xA3");
  EXPECT_EQ(marked.sentence_count, 2u);
}

TEST(zentraMarkSentences, EmptyDocumentIsOneEmptySentence) {
  const MarkedDocument marked = mark_sentences(std::string());
  EXPECT_EQ(marked.text, " \xA3\xA3\xA3");
  EXPECT_EQ(marked.sentence_count, 1u);
}

TEST(zentraMarkSentences, MissingDocumentHasNoSentences) {
  const MarkedDocument marked = mark_sentences(std::nullopt);
  EXPECT_EQ(marked.text, "");
  EXPECT_EQ(marked.sentence_count, 0u);
}

TEST(zentraSentenceReader, ReadsWordsUpToEachMarker) {
  const MarkedDocument marked = mark_sentences(std::string("The  system\tshall\n\nrun.\n"));
  SentenceReader reader(marked.text);
  EXPECT_EQ(reader.next(), (Words{"The", "system", "shall"}));
  EXPECT_EQ(reader.next(), Words{});
  EXPECT_EQ(reader.next(), (Words{"run."}));
  EXPECT_EQ(reader.next(), Words{});
  EXPECT_EQ(reader.next(), Words{});  // past the end
}

TEST(zentraSentenceReader, MarkerGluedToAWordIsNoMarker) {
  SentenceReader reader("a\xA3\xA3\xA3 b \xA3\xA3\xA3 c");
  EXPECT_EQ(reader.next(), (Words{"a\xA3\xA3\xA3", "b"}));
  EXPECT_EQ(reader.next(), (Words{"c"}));
}

}  // namespace
}  // namespace zentra
