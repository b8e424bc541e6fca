#pragma once
// The sequence forms of the expression language, shared by the forms built
// on them (let, macro expansions into several expressions).
#include "shell/lexp/lexp.h"

namespace velmo {

// An ordered list of sub-expressions built from the arguments of the form;
// arguments that fail to build are left out.
class SequenceExp : public LExp {
 public:
  void init(IRSlist& args) override { build_all(args, items_); }
  void add(LExpPtr exp) { items_.push_back(std::move(exp)); }
  const LExpList& items() const { return items_; }
  bool empty() const { return items_.empty(); }

 protected:
  LExpList items_;
};

// (prog e1 ... en): evaluates each on the input; the last result, or the
// input itself when there is nothing to evaluate.
class ProgExp final : public DefaultClone<ProgExp, SequenceExp> {
 public:
  const char* name() const override { return "prog"; }
  const char* doc() const override;
  void init(IRSlist& args) override;
  Word eval(Word input, TypeId type) override {
    if (items_.empty()) return returning(input, type);
    Word result = 0;
    for (const LExpPtr& exp : items_) result = exp->eval(input, type);
    return returning(result, items_.back()->result_type());
  }
};

// Registers the control forms (prog ... ident, eq) as prototypes.
void register_control_forms();
// Registers setq, get-val and let.
void register_variable_forms();
// Registers 1/2, 2/2, quote-lexp, exec-commands, open-file, close-file,
// set-tokenizer-input and set-tokenizer-string-input.
void register_plumbing_forms();
// Registers the constants str, int, named-obj, pred, input and output.
void register_constants();

}  // namespace velmo
