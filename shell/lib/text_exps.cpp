// Text expressions: comparisons, conversions (reversal, stemming, removal of
// characters) and the assembly of texts by `format`.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "shell/lexp/native.h"
#include "shell/lib/exp_support.h"
#include "shell/lib/stemmer.h"
#include "shell/lib/text_algorithms.h"
#include "shell/lib/text_equality.h"
#include "shell/support/text.h"

namespace velmo {

namespace {

constexpr const char* kText = "char*";
constexpr const char* kInt = "int";

// ---- Native predicates over the input and argument texts.

Word str_eq(Word input, Word a, Word b) {
  if (!input || !a || !b) return 0;
  return equal_nocase(text_of(a), text_of(b)) ? 1 : 0;
}

Word str_contains(Word input, Word a, Word b) {
  if (!input || !a || !b) return 0;
  return contains_nocase(text_of(a), text_of(b)) ? 1 : 0;
}

Word str_prefix(Word input, Word a, Word b) {
  if (!input || !a || !b) return 0;
  return starts_with_nocase(text_of(b), text_of(a)) ? 1 : 0;
}

Word null_str(Word input) { return (!input || *text_of(input) == '\0') ? 1 : 0; }

Word remove_prefix(Word input, Word a) {
  if (!input || !a) return 0;
  const std::string_view text = text_of(input);
  const std::string_view prefix = text_of(a);
  return text.starts_with(prefix) ? word_of(text_of(input) + prefix.size()) : 0;
}

// (str= TEXT): the input equals TEXT ignoring ASCII case. TEXT is kept in
// lower case, so a comparison folds only the input, and it stops at the
// first difference without measuring the input first.
class StrEqualsExp final : public DefaultClone<StrEqualsExp>, public TextEqualityTest {
 public:
  StrEqualsExp() { set_types(kText, kInt); }
  const char* name() const override { return "str="; }
  void init(IRSlist& args) override {
    const char* text = args.take_atom();
    if (text)
      for (const char* c = text; *c; ++c) lower_text_ += ascii_lower(*c);
    has_text_ = text != nullptr;
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input || !has_text_) return 0;
    return equals_input(text_of(input)) ? 1 : 0;
  }
  bool lower_text(std::string_view& text) const override {
    text = lower_text_;
    return has_text_;
  }

 private:
  // An atom holds no NUL, so the input's terminating NUL never equals a
  // character of TEXT and the loop never reads past the input's end.
  bool equals_input(const char* input) const {
    for (const char c : lower_text_)
      if (ascii_lower(*input++) != c) return false;
    return *input == '\0';
  }

  std::string lower_text_;
  bool has_text_ = false;
};

// (str-sim A B): trigram similarity of the two texts, 0 to 1000.
class StrSimExp final : public DefaultClone<StrSimExp> {
 public:
  StrSimExp() { set_types(kText, kInt); }
  const char* name() const override { return "str-sim"; }
  void init(IRSlist& args) override { args_.build(name(), args, 2); }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    const char* a = text_of(args_.eval(0, input, type));
    const char* b = text_of(args_.eval(1, input, type));
    if (!a && !b) return 1000;
    if (!a || !b) return 0;
    return static_cast<Word>(similarity_(a, b));
  }

 private:
  PositionalArgs args_;
  TrigramSimilarity similarity_;
};

// ---- Adaptors from text to text.

class InverseExp final : public DefaultClone<InverseExp, TextAdaptor> {
 public:
  const char* name() const override { return "inverse"; }

 protected:
  Word convert(const char* text) override {
    reverse_text(text, buffer_);
    return buffered();
  }
};

// (stem-word [LEXP]): the Porter stem, lower case; a text holding anything
// but letters is passed on unchanged.
class StemWordExp final : public DefaultClone<StemWordExp, TextAdaptor> {
 public:
  const char* name() const override { return "stem-word"; }

 protected:
  Word convert(const char* text) override {
    if (!stemmer_.stem_word(text, buffer_)) return word_of(text);
    return buffered();
  }

 private:
  PorterStemmer stemmer_;
};

class LastWordExp final : public DefaultClone<LastWordExp, TextAdaptor> {
 public:
  const char* name() const override { return "last-word"; }

 protected:
  // The last word runs to the end of the input, so the input itself holds it.
  Word convert(const char* text) override {
    const std::string_view word = last_word(text);
    return word_of(word.data());
  }
};

// (remove-char CHARS [LEXP])
class RemoveCharExp final : public DefaultClone<RemoveCharExp, TextAdaptor> {
 public:
  const char* name() const override { return "remove-char"; }
  void init(IRSlist& args) override {
    if (const char* chars = args.take_atom()) chars_ = chars;
    TextAdaptor::init(args);
  }

 protected:
  Word convert(const char* text) override {
    remove_chars(text, chars_, buffer_);
    return buffered();
  }

 private:
  std::string chars_;
};

class RemovePuncExp final : public DefaultClone<RemovePuncExp, TextAdaptor> {
 public:
  const char* name() const override { return "remove-punc"; }

 protected:
  Word convert(const char* text) override {
    remove_punctuation(text, buffer_);
    return buffered();
  }
};

// (format PART ...): atoms are literal text, lists are expressions whose
// results are inserted (an "int" result as its decimal text, a null result
// as nothing). Any number of parts works.
class FormatExp final : public DefaultClone<FormatExp> {
 public:
  FormatExp() { set_output_type(ShellTypes::get().text); }
  const char* name() const override { return "format"; }
  void init(IRSlist& args) override {
    while (std::unique_ptr<IRSlist> part = args.take_first()) {
      if (part->is_list()) {
        if (LExpPtr exp = LExp::get_exp(part.get())) parts_.emplace_back(std::move(exp));
      } else if (part->atom()) {
        parts_.emplace_back(std::string(part->atom()));
      }
    }
  }
  Word eval(Word input, TypeId type) override {
    buffer_.clear();
    for (const Part& part : parts_) {
      if (const auto* literal = std::get_if<std::string>(&part)) {
        buffer_ += *literal;
        continue;
      }
      LExp& exp = *std::get<LExpPtr>(part);
      append_result(exp, exp.eval(input, type));
    }
    return word_of(buffer_.c_str());
  }

 private:
  using Part = std::variant<std::string, LExpPtr>;

  void append_result(const LExp& exp, Word value) {
    if (exp.output_type() == ShellTypes::get().integer) {
      buffer_ += std::to_string(static_cast<int>(static_cast<std::intptr_t>(value)));
    } else if (value) {
      buffer_ += text_of(value);
    }
  }

  std::vector<Part> parts_;
  std::string buffer_;
};

}  // namespace

void register_text_expressions() {
  register_lexp(std::make_unique<StrEqualsExp>());
  register_native("str-eq", &str_eq, kText, kInt, nullptr, {kText, kText});
  register_native("strstr", &str_contains, kText, kInt, nullptr, {kText, kText});
  register_native("str-prefix", &str_prefix, kText, kInt, nullptr, {kText, kText});
  register_native("null-str", &null_str, kText, kInt, nullptr);
  register_lexp(std::make_unique<InverseExp>());
  register_lexp(std::make_unique<StemWordExp>());
  register_lexp(std::make_unique<LastWordExp>());
  register_lexp(std::make_unique<RemoveCharExp>());
  register_lexp(std::make_unique<RemovePuncExp>());
  register_native("remove-prefix", &remove_prefix, kText, kText, nullptr, {kText});
  register_lexp(std::make_unique<FormatExp>());
  register_lexp(std::make_unique<StrSimExp>());
}

}  // namespace velmo
