// Output expressions: print-str, pad, flush-output and write-to-file.
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "shell/lib/exp_support.h"
#include "shell/support/diagnostics.h"

namespace velmo {

namespace {

constexpr const char* kText = "char*";

// An optional expression that yields the output stream; without one, or
// when it yields none, output goes to standard output.
class StreamArgument {
 public:
  // An expression known to yield something other than a stream (a text, an
  // integer) is reported and dropped: writing to it would corrupt memory.
  void build(const char* owner, IRSlist& args) {
    stream_ = LExp::build_first(args);
    if (!stream_ || yields_stream(*stream_)) return;
    diag() << owner << ": the expression " << stream_->name() << " yields '" << type_name(stream_->output_type())
           << "', not a stream\n"
           << std::flush;
    stream_.reset();
  }
  bool given() const { return stream_ != nullptr; }
  // The stream for this evaluation, or null for standard output.
  std::ostream* resolve(Word input, TypeId type) const {
    if (!stream_) return nullptr;
    const Word value = stream_->eval(input, type);
    return as_output_stream(value, stream_->result_type());
  }

 private:
  static bool yields_stream(const LExp& exp) {
    const TypeId type = exp.output_type();
    const ShellTypes& types = ShellTypes::get();
    return type == kAnyType || type == types.stream || type == types.ostream;
  }

  LExpPtr stream_;
};

// (print-str [:prefix P] [:suffix S] [STREAM]): prints P, the input and S;
// returns 0.
class PrintStrExp final : public DefaultClone<PrintStrExp> {
 public:
  PrintStrExp() { set_input_type(type_id(kText)); }
  const char* name() const override { return "print-str"; }
  void init(IRSlist& args) override {
    if (const char* prefix = args.take_value(":prefix", /*quiet=*/true)) prefix_ = prefix;
    if (const char* suffix = args.take_value(":suffix", /*quiet=*/true)) suffix_ = suffix;
    stream_.build(name(), args);
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type)) return 0;
    std::ostream* out = stream_.resolve(input, type);
    const bool to_standard_output = out == nullptr;
    if (to_standard_output) out = &std::cout;
    *out << prefix_;
    if (input)
      *out << text_of(input);
    else if (!stream_.given())
      *out << "(null)";
    *out << suffix_;
    if (to_standard_output) out->flush();
    return 0;
  }

 private:
  std::string prefix_;
  std::string suffix_;
  StreamArgument stream_;
};

// (pad TEXT [STREAM]): prints TEXT; returns the input.
class PadExp final : public DefaultClone<PadExp> {
 public:
  PadExp() { set_input_type(type_id(kText)); }
  const char* name() const override { return "pad"; }
  void init(IRSlist& args) override {
    if (const char* text = args.take_atom()) text_ = text;
    stream_.build(name(), args);
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type)) return 0;
    if (std::ostream* out = stream_.resolve(input, type))
      *out << text_;
    else
      std::cout << text_ << std::flush;
    return returning(input, type);
  }

 private:
  std::string text_;
  StreamArgument stream_;
};

// (flush-output [STREAM]): flushes the stream or standard output; returns
// the input.
class FlushOutputExp final : public DefaultClone<FlushOutputExp> {
 public:
  FlushOutputExp() { set_input_type(type_id(kText)); }
  const char* name() const override { return "flush-output"; }
  void init(IRSlist& args) override { stream_.build(name(), args); }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type)) return 0;
    if (std::ostream* out = stream_.resolve(input, type))
      out->flush();
    else
      std::cout.flush();
    return returning(input, type);
  }

 private:
  StreamArgument stream_;
};

// (write-to-file [:mode M] FILE): replaces the content of the file named by
// FILE (an expression, or a plain file name) with the input text; returns
// the input, or 0 when the file cannot be written.
class WriteToFileExp final : public DefaultClone<WriteToFileExp> {
 public:
  WriteToFileExp() { set_types(kText, kText); }
  const char* name() const override { return "write-to-file"; }
  void init(IRSlist& args) override {
    args.take_value(":mode", /*quiet=*/true);  // accepted for compatibility; files are always replaced
    const IRSlist* first = args.children().first();
    if (first && first->is_atom() && first->atom())
      fixed_name_ = args.take_atom();
    else
      file_ = LExp::build_first(args);
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    Word name_word = 0;
    if (file_ && !eval_expecting(*this, file_.get(), input, type, ShellTypes::get().text, name_word)) return 0;
    const char* name = file_ ? text_of(name_word) : (fixed_name_.empty() ? nullptr : fixed_name_.c_str());
    if (!name) return 0;
    std::ofstream file(name, std::ios::binary | std::ios::trunc);
    if (!file) {
      diag() << "Can't open file: " << name << '\n' << std::flush;
      return 0;
    }
    file << text_of(input);
    file.close();
    if (!file) {
      diag() << "Can't write file: " << name << '\n' << std::flush;
      return 0;
    }
    return input;
  }

 private:
  std::string fixed_name_;
  LExpPtr file_;
};

}  // namespace

void register_output_expressions() {
  register_lexp(std::make_unique<PrintStrExp>());
  register_lexp(std::make_unique<PadExp>());
  register_lexp(std::make_unique<FlushOutputExp>());
  register_lexp(std::make_unique<WriteToFileExp>());
}

}  // namespace velmo
