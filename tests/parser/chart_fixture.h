#pragma once
// A sentence built by hand for the chart tests: words, lexical items with
// attribute vectors (and optional "freq" records), and the analyzer's
// position sets, parsed by the current parser.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lexical/functions/att_functions.h"
#include "lexical/items/item_lattice.h"
#include "lexicon/lexicon/av_meaning.h"
#include "lexicon/lexicon/freq_meaning.h"
#include "lexicon/lexicon/lex_entry.h"
#include "parser/chart/chart.h"
#include "parser/chart/item_pool.h"
#include "parser/chart/pitem.h"
#include "parser/chart/sentence.h"
#include "parser/chart/sentence_view.h"
#include "parser/grammar_fixture.h"
#include "shell/support/string_pool.h"

namespace velmo::testing {

class TestSentence {
 public:
  TestSentence() { lattice.ensure_sentinel(); }

  // Adds words separated by blanks.
  TestSentence& words(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
      const std::size_t blank = text.find(' ', at);
      const std::string_view word =
          text.substr(at, blank == std::string_view::npos ? std::string_view::npos : blank - at);
      if (!word.empty()) {
        lattice.add_spacing(" ");
        lattice.add_word(word);
      }
      if (blank == std::string_view::npos) break;
      at = blank + 1;
    }
    return *this;
  }
  // A reading over low..high with the vector text; `freq` is the body of a
  // "freq" record of its entry ("N 3 V_N 5").
  LexItem* item(int low, int high, std::string_view vector, std::string_view freq = "") {
    AVMeaning meaning(builtin_attributes().type);
    std::string text = "((";
    text.append(vector).append("))");
    IRSlist& body = parse(text);
    meaning.read_body(body);
    LexItem* made = lattice.make_item(lattice.word_at(low) ? lattice.word_at(low) : "", &meaning, low, high);
    if (!freq.empty()) {
      entries.push_back(std::make_unique<LexEntry>(made->root ? made->root : ""));
      auto record = std::make_unique<FreqMN>();
      std::string body_text = "(";
      body_text.append(freq).append(")");
      record->read_body(parse(body_text));
      entries.back()->append_meaning(std::move(record));
      made->entry = entries.back().get();
    }
    return lattice.add_item(made, false);
  }
  void skip(int p) { skipped.set(static_cast<std::size_t>(p)); }
  void last_conj(int p) { last.set(static_cast<std::size_t>(p)); }
  void first_conj(int p) { first.set(static_cast<std::size_t>(p)); }

  SentenceView view() { return SentenceView(lattice, &skipped, &first, &last); }
  ChartResult parse_with(KorvelParser& parser) {
    reset_parser(parser);
    return parse_chart(parser, view());
  }

  ItemLattice lattice;
  LBitSet skipped, first, last;

 private:
  IRSlist& parse(const std::string& text) {
    texts.push_back(IRSlist::parse(text, store));
    return *texts.back();
  }
  StringPool store;
  std::vector<IRSlistPtr> texts;
  std::vector<std::unique_ptr<LexEntry>> entries;
};

// The items stored in a category's buckets at an end word, all positions.
inline std::vector<PItem*> items_ending_at(GCate& cate, int end) {
  std::vector<PItem*> out;
  for (int q = 0; q <= cate.position_count(); ++q)
    if (const auto* bucket = cate.chart().find_bucket(end, q)) out.insert(out.end(), bucket->begin(), bucket->end());
  return out;
}

inline PItem* item_spanning(GCate& cate, int start, int end) {
  for (PItem* item : items_ending_at(cate, end))
    if (item->start == start) return item;
  return nullptr;
}

// "the big dog" parsed with the chart test grammar, for tests of conditions
// on parse items: `phrase` is the noun phrase over the three words, `noun`
// the noun.
class ParsedPhraseFixture : public GrammarFixture {
 protected:
  static void SetUpTestSuite() {
    GrammarFixture::SetUpTestSuite();
    if (!LExp::find_prototype("defined")) register_att_functions();
  }
  void SetUp() override {
    GrammarFixture::SetUp();
    run(grammar_text("chart.lsp"));
    sentence.words("the big dog");
    sentence.item(1, 1, "(cat d)");
    sentence.item(2, 2, "(cat a)");
    sentence.item(3, 3, "(cat n) (num sg)");
    sentence.parse_with(parser());
    phrase = item_spanning(cate("NP"), 1, 3);
    noun = item_spanning(cate("N"), 3, 3);
    ASSERT_NE(phrase, nullptr);
    ASSERT_NE(noun, nullptr);
  }

  TestSentence sentence;
  PItem* phrase = nullptr;
  PItem* noun = nullptr;
};

}  // namespace velmo::testing
