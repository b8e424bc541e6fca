// Plumbing forms: pairs of typed values, quoted text, commands run from an
// expression, files and tokenizer inputs.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

#include "shell/lexp/adaptors.h"
#include "shell/reader/tokenizer.h"
#include "shell/interpreter/interpreter.h"
#include "shell/lexp/forms.h"
#include "shell/interpreter/name_space.h"
#include "shell/support/diagnostics.h"
#include "shell/support/string_pool.h"

namespace velmo {

namespace {

// (1/2 [lexp]) and (2/2 [lexp]): one value of a TwoArgs pair, or the
// sub-expression evaluated on it with its type.
template <bool kFirst>
class PairPartExp final : public DefaultClone<PairPartExp<kFirst>> {
 public:
  PairPartExp() { this->set_input_type(ShellTypes::get().two_args); }
  const char* name() const override { return kFirst ? "1/2" : "2/2"; }
  void init(IRSlist& args) override { then_ = LExp::build_first(args); }
  Word eval(Word input, TypeId type) override {
    if (!this->check_input(type) || !input) return 0;
    const TwoArgs& pair = *from_word<TwoArgs>(input);
    const Word value = kFirst ? pair.first : pair.second;
    const TypeId value_type = kFirst ? pair.first_type : pair.second_type;
    if (!then_) return this->returning(value, value_type);
    const Word result = then_->eval(value, value_type);
    return this->returning(result, then_->result_type());
  }

 private:
  LExpPtr then_;
};

// (quote-lexp form): the text form of its argument, made when built; 0
// without an argument.
class QuoteLexpExp final : public DefaultClone<QuoteLexpExp> {
 public:
  QuoteLexpExp() { set_output_type(ShellTypes::get().text); }
  const char* name() const override { return "quote-lexp"; }
  void init(IRSlist& args) override {
    std::unique_ptr<IRSlist> form = args.take_first();
    if (form) text_ = std::make_unique<std::string>(form->text());
  }
  Word eval(Word, TypeId) override { return text_ ? to_word(text_->c_str()) : 0; }

 private:
  std::unique_ptr<std::string> text_;
};

// (exec-commands form ...): runs a fresh copy of the forms as commands at
// each evaluation (running a form consumes it).
class ExecCommandsExp final : public DefaultClone<ExecCommandsExp> {
 public:
  const char* name() const override { return "exec-commands"; }
  void init(IRSlist& args) override {
    if (args.is_list()) forms_ = args.copy(texts_);
  }
  Word eval(Word, TypeId) override {
    if (!forms_) return 0;
    StringPool texts;
    std::unique_ptr<IRSlist> forms = forms_->copy(texts);
    Interpreter::instance().execute_forms_in_expression(*forms);
    return 0;
  }

 private:
  StringPool texts_;
  std::unique_ptr<IRSlist> forms_;
};

// The streams opened by open-file and not yet closed. close-file only
// destroys streams found here, so a stray value cannot be freed by mistake;
// streams still open at exit are flushed and closed.
class OpenFiles {
 public:
  static OpenFiles& instance() {
    static OpenFiles files;
    return files;
  }
  std::fstream* add(std::unique_ptr<std::fstream> file) {
    files_.push_back(std::move(file));
    return files_.back().get();
  }
  bool close(Word value) {
    for (auto it = files_.begin(); it != files_.end(); ++it) {
      if (to_word(it->get()) != value) continue;
      files_.erase(it);
      return true;
    }
    return false;
  }

 private:
  std::vector<std::unique_ptr<std::fstream>> files_;
};

void create_parent_directories(const std::string& path) {
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    std::error_code ignored;
    std::filesystem::create_directory(path.substr(0, slash), ignored);
  }
}

// (open-file [:write] [lexp]): opens the file named by the input and gives
// the stream to the sub-expression.
class OpenFileExp final : public DefaultClone<OpenFileExp, LAdaptor> {
 public:
  OpenFileExp() : DefaultClone(ShellTypes::get().stream) { set_input_type(ShellTypes::get().text); }
  const char* name() const override { return "open-file"; }
  void init(IRSlist& args) override {
    write_ = args.take_flag(":write");
    LAdaptor::init(args);
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    const Word stream = apply(input);
    if (!stream) return 0;
    return inner() ? inner()->eval(stream, intermediate_type()) : stream;
  }
  Word apply(Word input) override {
    const std::string path = from_word<const char>(input);
    if (write_) create_parent_directories(path);
    const auto mode = write_ ? std::ios::out | std::ios::trunc | std::ios::binary : std::ios::in | std::ios::binary;
    auto file = std::make_unique<std::fstream>(path, mode);
    if (!file->is_open()) {
      diag() << "Can't open file: " << path << '\n' << std::flush;
      return 0;
    }
    return to_word(OpenFiles::instance().add(std::move(file)));
  }

 private:
  bool write_ = false;
};

// (close-file): closes and destroys the stream given as input.
class CloseFileExp final : public DefaultClone<CloseFileExp, LAdaptor> {
 public:
  CloseFileExp() { set_input_type(ShellTypes::get().stream); }
  const char* name() const override { return "close-file"; }
  Word apply(Word input) override {
    if (input && !OpenFiles::instance().close(input))
      diag() << "close-file: the input is not a file opened by open-file\n" << std::flush;
    return 0;
  }
};

// The common part of set-tokenizer-input and set-tokenizer-string-input:
// the tokenizer, named or computed, and the expression giving the input.
class TokenizerInputExp : public LExp {
 public:
  TokenizerInputExp() { set_output_type(type_id("Tokenizer*")); }
  void init(IRSlist& args) override {
    std::unique_ptr<IRSlist> first = args.take_first();
    if (first && first->is_atom() && first->atom())
      named_ = NameSpaces::lookup_as<TokenizerBase>(first->atom(), "Tokenizer", true);
    else
      tokenizer_exp_ = get_exp(first.get());
    source_ = build_first(args);
  }
  Word eval(Word input, TypeId type) override {
    static const TypeId tokenizer_type = type_id("Tokenizer*");
    Word computed = 0;
    if (!named_ && !eval_expecting(*this, tokenizer_exp_.get(), input, type, tokenizer_type, computed)) return 0;
    TokenizerBase* tokenizer = named_ ? named_ : from_word<TokenizerBase>(computed);
    if (!tokenizer) return 0;
    tokenizer->clear_pending();
    return attach(*tokenizer, input, type) ? to_word(tokenizer) : 0;
  }

 protected:
  virtual bool attach(TokenizerBase& tokenizer, Word input, TypeId type) = 0;
  LExp* source() const { return source_.get(); }

 private:
  TokenizerBase* named_ = nullptr;
  LExpPtr tokenizer_exp_;
  LExpPtr source_;
};

class SetTokenizerInputExp final : public DefaultClone<SetTokenizerInputExp, TokenizerInputExp> {
 public:
  const char* name() const override { return "set-tokenizer-input"; }

 protected:
  bool attach(TokenizerBase& base, Word input, TypeId type) override {
    auto* tokenizer = dynamic_cast<Tokenizer*>(&base);
    if (!tokenizer) {
      diag() << "set-tokenizer-input: the tokenizer does not read streams\n" << std::flush;
      return false;
    }
    std::istream* stream = &std::cin;
    if (source()) {
      const Word value = source()->eval(input, type);
      stream = as_input_stream(value, source()->result_type());
    }
    if (!stream) return false;
    tokenizer->set_input(stream);
    return true;
  }
};

class SetTokenizerStringInputExp final : public DefaultClone<SetTokenizerStringInputExp, TokenizerInputExp> {
 public:
  const char* name() const override { return "set-tokenizer-string-input"; }

 protected:
  bool attach(TokenizerBase& tokenizer, Word input, TypeId type) override {
    Word text = 0;
    if (!eval_expecting(*this, source(), input, type, ShellTypes::get().text, text)) return false;
    if (!text) return false;
    tokenizer.set_string_input(from_word<const char>(text));
    return true;
  }
};

}  // namespace

void register_plumbing_forms() {
  register_lexp(std::make_unique<PairPartExp<true>>());
  register_lexp(std::make_unique<PairPartExp<false>>());
  register_lexp(std::make_unique<QuoteLexpExp>());
  register_lexp(std::make_unique<ExecCommandsExp>());
  register_lexp(std::make_unique<OpenFileExp>());
  register_lexp(std::make_unique<CloseFileExp>());
  register_lexp(std::make_unique<SetTokenizerInputExp>());
  register_lexp(std::make_unique<SetTokenizerStringInputExp>());
}

}  // namespace velmo
