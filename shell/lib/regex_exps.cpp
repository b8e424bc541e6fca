// Regular-expression expressions: reg-match and reg-sub.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "shell/support/sizes.h"
#include "shell/lib/exp_support.h"
#include "shell/lib/regex_helpers.h"
#include "shell/lib/text_filter.h"
#include "shell/support/text.h"

namespace velmo {

namespace {

// (reg-match RE ...): the input when one of the expressions matches at its
// start (an empty match counts), else 0. An expression that does not
// compile is reported once, when built, and matches nothing.
class RegMatchExp final : public DefaultClone<RegMatchExp>, public TextFilter {
 public:
  RegMatchExp() { set_types("char*", "char*"); }
  const char* name() const override { return "reg-match"; }
  void init(IRSlist& args) override {
    while (std::unique_ptr<IRSlist> element = args.take_first()) {
      if (!element->is_atom() || !element->atom()) continue;
      auto regex = std::make_unique<Regex>();
      if (compile_reported(*regex, element->atom(), /*anchored=*/true)) patterns_.push_back(std::move(regex));
    }
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    return matches(text_of(input)) ? input : 0;
  }
  std::optional<bool> passes(const char* text) const override { return text && matches(text); }
  // A text passes when one expression matches: it begins with a first byte
  // of one of them.
  std::optional<ByteSet> first_bytes() const override {
    ByteSet bytes{};
    for (const auto& regex : patterns_)
      if (!regex->add_first_bytes(bytes)) return std::nullopt;
    return bytes;
  }
  // A text passes when one expression matches: none may match such a text.
  bool passes_no_text_with(unsigned char byte) const override {
    for (const auto& regex : patterns_)
      if (!regex->refuses_every_text_with(byte)) return false;
    return true;
  }

 private:
  bool matches(const char* text) const {
    for (const auto& regex : patterns_)
      if (regex->search(text)) return true;
    return false;
  }

  std::vector<std::unique_ptr<Regex>> patterns_;
};

bool is_number(const char* text) {
  if (!*text) return false;
  char* end = nullptr;
  std::strtol(text, &end, 10);
  return *end == '\0';
}

// (reg-sub RE REPLACEMENT [g] [SIZE]): the input with the first match, or
// every match with "g", replaced. The result lives in a buffer of at least
// SIZE bytes (256 or more), enlarged ahead of long inputs.
class RegSubExp final : public DefaultClone<RegSubExp> {
 public:
  static constexpr std::size_t kMinimumBuffer = 256;

  RegSubExp() { set_types("char*", "char*"); }
  const char* name() const override { return "reg-sub"; }
  void init(IRSlist& args) override {
    const char* pattern = args.take_atom();
    const char* replacement = args.take_atom();
    if (pattern) substitution_.compile(pattern);
    if (replacement) substitution_.set_replacement(replacement);
    std::size_t size = kMinimumBuffer;
    while (std::unique_ptr<IRSlist> option = args.take_first()) {
      const char* text = option->atom();
      if (!text) continue;
      if (equal_nocase(text, "g"))
        substitution_.set_global(true);
      else if (is_number(text))
        size = std::max(kMinimumBuffer, checked_size("reg-sub: buffer size", text, 0, kMaxReservedBytes, 0));
    }
    buffer_.reserve(size);
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    const char* text = text_of(input);
    const std::size_t length = std::strlen(text);
    if (length >= buffer_.capacity() / 2) buffer_.reserve(4 * length);
    substitution_.substitute(text, buffer_);
    return word_of(buffer_.c_str());
  }

 private:
  RegexSubstitution substitution_;
  std::string buffer_;
};

}  // namespace

void register_regex_expressions() {
  register_lexp(std::make_unique<RegMatchExp>());
  register_lexp(std::make_unique<RegSubExp>());
}

}  // namespace velmo
