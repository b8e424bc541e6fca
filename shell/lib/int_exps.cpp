// Integer expressions: comparison and arithmetic on two argument
// expressions, the +1 and -1 adaptors, and integer-to-text conversions.
#include <charconv>
#include <cstdint>

#include "shell/lexp/adaptors.h"
#include "shell/lib/exp_support.h"

namespace velmo {

namespace {

inline std::intptr_t as_signed(Word value) { return static_cast<std::intptr_t>(value); }

enum class IntOp { kEqual, kGreater, kDifference, kSum };

// (int-eq A B), (int-gt A B), (int-diff A B), (int-sum A B). All give 0 on
// input 0 or when an argument is missing, so a test evaluated without an
// input never holds.
class IntBinaryExp final : public LExp {
 public:
  explicit IntBinaryExp(IntOp op) : op_(op) { set_output_type(ShellTypes::get().integer); }

  const char* name() const override {
    switch (op_) {
      case IntOp::kEqual:
        return "int-eq";
      case IntOp::kGreater:
        return "int-gt";
      case IntOp::kDifference:
        return "int-diff";
      case IntOp::kSum:
        return "int-sum";
    }
    return "";
  }
  LExpPtr clone() const override { return std::make_unique<IntBinaryExp>(op_); }
  void init(IRSlist& args) override { args_.build(name(), args, 2); }

  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || input == 0 || !args_.has(0) || !args_.has(1)) return 0;
    const std::intptr_t a = as_signed(args_.eval(0, input, type));
    const std::intptr_t b = as_signed(args_.eval(1, input, type));
    switch (op_) {
      case IntOp::kEqual:
        return a == b ? 1 : 0;
      case IntOp::kGreater:
        return a > b ? 1 : 0;
      case IntOp::kDifference:
        return static_cast<Word>(a) - static_cast<Word>(b);
      case IntOp::kSum:
        return static_cast<Word>(a) + static_cast<Word>(b);
    }
    return 0;
  }

 private:
  IntOp op_;
  PositionalArgs args_;
};

// (+1 [LEXP]) and (-1 [LEXP]): the input moved by one, then the optional
// inner expression. The inner expression receives the input's own type, so
// an integer stays an integer and a text steps over its first byte. A text
// never steps outside itself: +1 at its end and -1 (whose start is not
// known) give nothing.
class StepAdaptor final : public LAdaptor {
 public:
  explicit StepAdaptor(int delta) : delta_(delta) {}
  const char* name() const override { return delta_ > 0 ? "+1" : "-1"; }
  LExpPtr clone() const override { return std::make_unique<StepAdaptor>(delta_); }
  Word apply(Word input) override { return input + static_cast<Word>(static_cast<std::intptr_t>(delta_)); }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type)) return 0;
    if (type == ShellTypes::get().text && (!input || delta_ < 0 || *from_word<const char>(input) == '\0'))
      return returning(0, type);
    const Word moved = apply(input);
    if (!inner()) return returning(moved, type);
    const Word result = inner()->eval(moved, type);
    return returning(result, inner()->result_type());
  }

 private:
  int delta_;
};

// (int2str [LEXP]): the decimal text of an "int" input.
class IntToTextAdaptor final : public DefaultClone<IntToTextAdaptor, LAdaptor> {
 public:
  IntToTextAdaptor() {
    set_intermediate_type(ShellTypes::get().text);
    set_input_type(ShellTypes::get().integer);
  }
  const char* name() const override { return "int2str"; }
  Word apply(Word input) override {
    const int value = static_cast<int>(as_signed(input));
    const auto end = std::to_chars(digits_, digits_ + sizeof digits_ - 1, value).ptr;
    *end = '\0';
    return word_of(digits_);
  }

 private:
  char digits_[24] = {};
};

// (ent2str [LEXP]): the lower-case hexadecimal text of the input word (an
// entity's address or any other value), all of its bits.
class EntityToTextAdaptor final : public DefaultClone<EntityToTextAdaptor, LAdaptor> {
 public:
  EntityToTextAdaptor() { set_intermediate_type(ShellTypes::get().text); }
  const char* name() const override { return "ent2str"; }
  Word apply(Word input) override {
    const auto end = std::to_chars(digits_, digits_ + sizeof digits_ - 1, input, 16).ptr;
    *end = '\0';
    return word_of(digits_);
  }

 private:
  char digits_[24] = {};
};

}  // namespace

void register_integer_expressions() {
  register_lexp(std::make_unique<IntBinaryExp>(IntOp::kEqual));
  register_lexp(std::make_unique<IntBinaryExp>(IntOp::kGreater));
  register_lexp(std::make_unique<IntBinaryExp>(IntOp::kDifference));
  register_lexp(std::make_unique<IntBinaryExp>(IntOp::kSum));
  register_lexp(std::make_unique<StepAdaptor>(1));
  register_lexp(std::make_unique<StepAdaptor>(-1));
  register_lexp(std::make_unique<IntToTextAdaptor>());
  register_lexp(std::make_unique<EntityToTextAdaptor>());
}

}  // namespace velmo
