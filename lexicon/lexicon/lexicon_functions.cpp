// Expression functions on words, raw entries and meanings.
#include <memory>
#include <string>

#include "lexicon/lexicon/lexicon.h"
#include "lexicon/lexicon/lexicon_commands.h"
#include "lexicon/lexicon/meaning.h"
#include "lexicon/lexicon/raw_entries.h"
#include "shell/lexp/native.h"
#include "shell/reader/irslist.h"
#include "shell/lexp/lexp.h"
#include "shell/interpreter/name_space.h"

namespace velmo {
namespace {

Word text_word(const char* text) { return to_word(text); }

// (get-root LEXICON): the root of the input word in the lexicon. The
// lexicon is named by an atom, or by an expression that yields its name.
class GetRootExp final : public DefaultClone<GetRootExp> {
 public:
  GetRootExp() { set_types("char*", "char*"); }
  const char* name() const override { return "get-root"; }
  const char* doc() const override { return "(get-root lexicon) the root of the input word in the lexicon"; }

  void init(IRSlist& args) override {
    std::unique_ptr<IRSlist> first = args.take_first();
    if (!first) return;
    if (first->is_atom()) {
      if (first->atom()) lexicon_ = NameSpaces::lookup_as<Lexicon>(first->atom(), Lexicon::kTypeText);
      return;
    }
    lexicon_name_ = get_exp(first.get());
  }

  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    Lexicon* lexicon = lexicon_;
    if (lexicon_name_) {
      Word name_word = 0;
      if (!eval_expecting(*this, lexicon_name_.get(), input, type, ShellTypes::get().text, name_word)) return input;
      const auto* name = reinterpret_cast<const char*>(name_word);
      lexicon = name ? NameSpaces::lookup_as<Lexicon>(name, Lexicon::kTypeText) : nullptr;
    }
    if (!lexicon) return input;
    const LexEntry* entry = lexicon->root_entry(reinterpret_cast<const char*>(input));
    return entry ? text_word(entry->key().c_str()) : input;
  }

 private:
  Lexicon* lexicon_ = nullptr;
  LExpPtr lexicon_name_;
};

// (head-word): the key of the raw entry text given as input.
class HeadWordExp final : public DefaultClone<HeadWordExp> {
 public:
  HeadWordExp() { set_types("char*", "char*"); }
  const char* name() const override { return "head-word"; }
  const char* doc() const override { return "(head-word) the key of the raw lexicon entry given as input"; }

  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    key_ = head_word(reinterpret_cast<const char*>(input));
    return text_word(key_.c_str());
  }

 private:
  std::string key_;  // valid until the next evaluation
};

Word meaning_type(Word input) {
  const auto* meaning = reinterpret_cast<const Meaning*>(input);
  // Type names are NUL-terminated texts owned by the meaning or its kind.
  return meaning ? text_word(meaning->type_name().data()) : 0;
}

}  // namespace

void register_lexicon_functions() {
  register_lexp(std::make_unique<GetRootExp>());
  register_lexp(std::make_unique<HeadWordExp>());
  register_native("meaning-type", &meaning_type, "Meaning*", "char*", "(meaning-type) the type name of the meaning");
}

}  // namespace velmo
