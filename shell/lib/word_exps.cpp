// Word expressions: membership in word lists (in, suffix, contain-tokens)
// and loops over the words of a text (exist-word, all-words).
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "shell/support/sizes.h"
#include "shell/reader/tokenizer.h"
#include "shell/lib/exp_support.h"
#include "shell/lib/text_filter.h"
#include "shell/lib/word_list.h"
#include "shell/interpreter/name_space.h"

namespace velmo {

namespace {

constexpr const char* kText = "char*";

// (in [:case-sensitive] [:hashsize N | :wordlist NAME] FILE-or-(WORD ...) ...)
// With ":hashsize" the words go into a hash table of its own, with
// ":wordlist" into the named word list; otherwise into a sorted array. The
// result is the input, or the stored word when a hash table is used.
class InExp final : public DefaultClone<InExp>, public TextFilter {
 public:
  InExp() { set_types(kText, kText); }
  const char* name() const override { return "in"; }

  void init(IRSlist& args) override {
    const bool case_sensitive = args.take_flag(":case-sensitive");
    if (args.has_flag(":hashsize")) {
      const char* size = args.take_value(":hashsize");
      own_table_ =
          std::make_unique<WordList>(checked_size("in :hashsize", size, 1, kMaxBucketCount, 1), case_sensitive);
      table_ = own_table_.get();
    } else if (args.has_flag(":wordlist")) {
      const char* list_name = args.take_value(":wordlist");
      if (list_name) table_ = NameSpaces::lookup_as<WordList>(list_name, kWordListType);
      if (!table_) return;
    } else {
      sorted_ = std::make_unique<SortedWordArray>(case_sensitive);
      if (has_file_argument(args)) sorted_->reserve(SortedWordArray::kInitialFileCapacity);
    }
    for_each_listed_word(args, LineEnd::kStripCarriageReturn, [this](std::string_view word) { add(word); });
    if (sorted_) sorted_->seal();
  }

  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    if (table_) return word_of(table_->lookup(text_of(input)));
    return (sorted_ && sorted_->contains(text_of(input))) ? input : 0;
  }
  // Over a word list the value found is given instead of the text: no filter.
  std::optional<bool> passes(const char* text) const override {
    if (table_) return std::nullopt;
    return text && sorted_ && sorted_->contains(text);
  }
  // Only an (in ...) without hash table has the sorted array.
  const SortedWordArray* listed_words() const override { return sorted_.get(); }

 private:
  static bool has_file_argument(const IRSlist& args) {
    for (const IRSlist* element : args.children())
      if (element->is_atom() && element->atom()) return true;
    return false;
  }
  void add(std::string_view word) {
    if (table_)
      table_->add(word);
    else
      sorted_->add(word);
  }

  std::unique_ptr<WordList> own_table_;
  WordList* table_ = nullptr;  // own_table_ or a named list
  std::unique_ptr<SortedWordArray> sorted_;
};

// (suffix FILE-or-(WORD ...) ...): the input when it ends with one of the
// suffixes (ignoring ASCII case), else 0.
class SuffixExp final : public DefaultClone<SuffixExp> {
 public:
  SuffixExp() { set_types(kText, kText); }
  const char* name() const override { return "suffix"; }
  void init(IRSlist& args) override {
    for_each_listed_word(args, LineEnd::kStripCarriageReturn, [this](std::string_view word) { suffixes_.add(word); });
    suffixes_.seal();
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    return suffixes_.matches(text_of(input), scratch_) ? input : 0;
  }

 private:
  SuffixSet suffixes_;
  std::string scratch_;
};

// (contain-tokens [:case] [:tokenizer NAME] (WORD ...)): the first token of
// the input that is one of the words, else 0.
class ContainTokensExp final : public DefaultClone<ContainTokensExp> {
 public:
  ContainTokensExp() { set_types(kText, kText); }
  const char* name() const override { return "contain-tokens"; }
  void init(IRSlist& args) override {
    const bool case_sensitive = args.take_flag(":case");
    if (args.has_flag(":tokenizer")) {
      if (const char* tokenizer_name = args.take_value(":tokenizer"))
        tokenizer_ = NameSpaces::lookup_as<TokenizerBase>(tokenizer_name, "TokenizerBase");
    } else {
      own_tokenizer_ = std::make_unique<Tokenizer>(tokenizer_configs::kCommands);
      tokenizer_ = own_tokenizer_.get();
    }
    words_ = std::make_unique<SortedWordArray>(case_sensitive);
    for_each_listed_word(args, LineEnd::kStripCarriageReturn, [this](std::string_view word) { words_->add(word); });
    words_->seal();
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input || !tokenizer_) return 0;
    tokenizer_->set_string_input(text_of(input));
    while (const char* token = tokenizer_->next_significant_token()) {
      const std::string_view text(token, tokenizer_->token_length());
      if (words_->contains(text)) {
        found_.assign(text);
        return word_of(found_.c_str());
      }
    }
    return 0;
  }

 private:
  std::unique_ptr<Tokenizer> own_tokenizer_;
  TokenizerBase* tokenizer_ = nullptr;
  std::unique_ptr<SortedWordArray> words_;
  std::string found_;
};

// exist-word and all-words: the input split at separator bytes (blank, tab,
// newline and carriage return by default); LEXP is evaluated on each
// non-empty word with the input's type.
class WordLoopExp : public LExp {
 public:
  WordLoopExp() { set_types(kText, kText); }
  void init(IRSlist& args) override {
    if (const IRSlist* first = args.children().first(); first && first->is_atom() && first->atom())
      separators_ = args.take_atom();
    test_ = LExp::build_first(args);
  }

 protected:
  // Calls `visit(result)` for each word until it returns false; returns
  // whether every visit returned true.
  template <class Visit>
  bool for_each_word(Word input, TypeId type, Visit&& visit) {
    words_.assign(text_of(input));
    for (char& c : words_)
      if (separators_.find(c) != std::string::npos) c = '\0';
    const std::size_t length = words_.size();
    for (std::size_t start = 0; start < length;) {
      const char* word = words_.c_str() + start;
      const std::size_t word_length = std::char_traits<char>::length(word);
      if (word_length > 0 && !visit(test_ ? test_->eval(word_of(word), type) : 0)) return false;
      start += word_length + 1;
    }
    return true;
  }

 private:
  std::string separators_ = " \t\n\r";
  LExpPtr test_;
  std::string words_;  // the input with separators replaced by NUL bytes
};

class ExistWordExp final : public DefaultClone<ExistWordExp, WordLoopExp> {
 public:
  ExistWordExp() { set_output_type(type_id("int")); }
  const char* name() const override { return "exist-word"; }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    const bool none = for_each_word(input, type, [](Word result) { return result == 0; });
    return none ? 0 : 1;
  }
};

class AllWordsExp final : public DefaultClone<AllWordsExp, WordLoopExp> {
 public:
  const char* name() const override { return "all-words"; }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    bool all = true;
    for_each_word(input, type, [&all](Word result) {
      if (result == 0) all = false;
      return true;  // every word is evaluated
    });
    return all ? input : 0;
  }
};

}  // namespace

void register_word_expressions() {
  register_lexp(std::make_unique<InExp>());
  register_lexp(std::make_unique<SuffixExp>());
  register_lexp(std::make_unique<ContainTokensExp>());
  register_lexp(std::make_unique<ExistWordExp>());
  register_lexp(std::make_unique<AllWordsExp>());
}

}  // namespace velmo
