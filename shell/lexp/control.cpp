// Control forms: sequencing, conditionals, loops and boolean connectives,
// all evaluated on the input of the form that contains them.
#include <iostream>

#include "shell/lexp/forms.h"
#include "shell/support/diagnostics.h"

namespace velmo {

const char* ProgExp::doc() const {
  return "(prog <lexp1> <lexp2> ... <lexpn>)\n"
         "  The input is passed to and evaluated by <lexp1>, then <lexp2>, ..., <lexpn>.\n"
         "  The return value is the result of <lexpn>";
}

void ProgExp::init(IRSlist& args) {
  SequenceExp::init(args);
  if (!items_.empty()) set_output_type(items_.back()->output_type());
}

namespace {

// Evaluates items_[from..] in order; the last result, or `none` when there
// are no such items.
Word eval_rest(const LExpList& items, std::size_t from, Word input, TypeId type, Word none) {
  Word result = none;
  for (std::size_t i = from; i < items.size(); ++i) result = items[i]->eval(input, type);
  return result;
}

// The result type of what eval_rest returned: that of its last item, or
// `none_type` when there were none.
TypeId rest_type(const LExpList& items, std::size_t from, TypeId none_type) {
  return from < items.size() ? items.back()->result_type() : none_type;
}

class Prog1Exp final : public DefaultClone<Prog1Exp, SequenceExp> {
 public:
  const char* name() const override { return "prog1"; }
  const char* doc() const override {
    return "(prog1 <lexp1> <lexp2> ... <lexpn>)\n"
           "  The input is passed to and evaluated by <lexp1>, then <lexp2>, ..., <lexpn>.\n"
           "  The return value is the result of <lexp1>";
  }
  Word eval(Word input, TypeId type) override {
    if (items_.empty()) return 0;
    const Word first = items_.front()->eval(input, type);
    const TypeId first_type = items_.front()->result_type();
    eval_rest(items_, 1, input, type, 0);
    return returning(first, first_type);
  }
};

// Each expression receives the previous result, typed by the previous
// expression's output type.
class CompExp final : public DefaultClone<CompExp, SequenceExp> {
 public:
  const char* name() const override { return "comp"; }
  const char* doc() const override {
    return "(comp <lexp1> <lexp2> ... <lexpn>)\n"
           "  the input is passed to and evaluated by <lexp1>. the result is then\n"
           "  passed to <lexp2> for evaluation. ... the result of evaluating\n"
           "  <lexpn> is returned.";
  }
  void init(IRSlist& args) override {
    SequenceExp::init(args);
    if (!items_.empty()) set_output_type(items_.back()->output_type());
  }
  Word eval(Word input, TypeId type) override {
    for (const LExpPtr& exp : items_) {
      input = exp->eval(input, type);
      type = exp->result_type();
    }
    return returning(input, type);
  }
};

class IfExp final : public DefaultClone<IfExp, SequenceExp> {
 public:
  const char* name() const override { return "if"; }
  const char* doc() const override {
    return "(if <lexp-cond>\n"
           "    <lexp-t>\n"
           "    <lexp-f>)\n"
           "  The input is passed to <lexp-cond> if the result is not 0, the input\n"
           "  is passed to <lexp-t>, otherwise to <lexp-f>. The result of <lexp-t>\n"
           "  or <lexp-f> is returned.";
  }
  Word eval(Word input, TypeId type) override {
    if (items_.empty()) return 0;
    const std::size_t branch = items_[0]->eval(input, type) ? 1 : 2;
    if (branch >= items_.size()) return returning(0, kAnyType);
    const Word value = items_[branch]->eval(input, type);
    return returning(value, items_[branch]->result_type());
  }
};

// A condition that never yields 0 would hang the program; the loop stops
// after this many rounds with a message.
constexpr unsigned long kMaxWhileRounds = 100'000'000;

class WhileExp final : public DefaultClone<WhileExp, SequenceExp> {
 public:
  const char* name() const override { return "while"; }
  const char* doc() const override {
    return "(while <lexp-cond> <lexp> <lexp> <lexp>)\n"
           "  The input is passed to <lexp-cond> if the result is not 0, the input\n"
           "  is passed to the <lexp>'s to be evaluated. Continues until <lexp-cond> fails";
  }
  Word eval(Word input, TypeId type) override {
    if (items_.empty()) return 0;  // nothing could ever end the loop
    for (unsigned long round = 0; round < kMaxWhileRounds; ++round) {
      if (!items_[0]->eval(input, type)) return 0;
      eval_rest(items_, 1, input, type, 0);
    }
    diag() << "(while ...): stopped after " << kMaxWhileRounds << " rounds; the condition never became 0\n"
           << std::flush;
    return 0;
  }
};

class WhenExp final : public DefaultClone<WhenExp, SequenceExp> {
 public:
  const char* name() const override { return "when"; }
  const char* doc() const override {
    return "(when <lexp-cond> <lexp> <lexp> <lexp>)\n"
           "  The input is passed to <lexp-cond> if the result is not 0, the input\n"
           "  is passed to the <lexp>'s to be evaluated.";
  }
  Word eval(Word input, TypeId type) override {
    if (items_.empty()) return 0;
    const Word condition = items_[0]->eval(input, type);
    const TypeId condition_type = items_[0]->result_type();
    if (condition) eval_rest(items_, 1, input, type, 0);
    return returning(condition, condition_type);
  }
};

// (one-of e1 ... en :is pred): the first non-zero result of pred on the
// results of e1 ... en. Without a predicate the results themselves are
// tested.
class OneOfExp final : public DefaultClone<OneOfExp, SequenceExp> {
 public:
  const char* name() const override { return "one-of"; }
  const char* doc() const override {
    return "(one-of <lexp1> ... <lexpn> :is <pred>)\n"
           "Return a non zero value if the evaluation result of one of <lexp> satisfy <pred>";
  }
  void init(IRSlist& args) override {
    std::unique_ptr<IRSlist> predicate = args.take_value_node(":is");
    predicate_ = get_exp(predicate.get());
    SequenceExp::init(args);
  }
  Word eval(Word input, TypeId type) override {
    for (const LExpPtr& exp : items_) {
      const Word value = exp->eval(input, type);
      const Word verdict = predicate_ ? predicate_->eval(value, exp->result_type()) : value;
      if (verdict) return returning(verdict, predicate_ ? predicate_->result_type() : exp->result_type());
    }
    return returning(0, kAnyType);
  }

 private:
  LExpPtr predicate_;
};

class CondExp final : public DefaultClone<CondExp> {
 public:
  const char* name() const override { return "cond"; }
  const char* doc() const override {
    return "(cond\n"
           "  (<lexp-cond>  <lexp>  ... <lexp>)\n"
           "  (<lexp-cond>  <lexp>  ... <lexp>)\n"
           "   ... ...\n"
           "  (<lexp-cond>  <lexp>  ... <lexp>)\n"
           "  )\n"
           "  Sequentially test each of the <lexp-cond>s, when one of them\n"
           "  evaluates to true, the <lexp>s following the condtion are\n"
           "  evaluated. The rest of the cond are then skipped. The return value\n"
           "  is the result of the last <lexp> evaluated.";
  }
  void init(IRSlist& args) override {
    while (std::unique_ptr<IRSlist> clause = args.take_first()) {
      if (clause->is_atom()) {
        get_exp(clause.get());  // reports the atom
        continue;
      }
      LExpList built;
      build_all(*clause, built);
      if (!built.empty()) clauses_.push_back(std::move(built));
    }
  }
  Word eval(Word input, TypeId type) override {
    for (const LExpList& clause : clauses_) {
      const Word condition = clause[0]->eval(input, type);
      if (!condition) continue;
      const TypeId condition_type = clause[0]->result_type();
      const Word value = eval_rest(clause, 1, input, type, condition);
      return returning(value, rest_type(clause, 1, condition_type));
    }
    return returning(0, kAnyType);
  }

 private:
  std::vector<LExpList> clauses_;
};

// The results go into one list owned by the expression, emptied at each
// evaluation: callers see the same list object every time.
class ListExp final : public DefaultClone<ListExp, SequenceExp> {
 public:
  ListExp() { set_output_type(ShellTypes::get().slist); }
  const char* name() const override { return "list"; }
  const char* doc() const override {
    return "(list <lexp1> <lexp2> ... <lexpn>)\n"
           "  The argument is passed to each of the <lexp>s, the return value is\n"
           "  collected in a Slist. The pointer to the Slist is returned.";
  }
  Word eval(Word input, TypeId type) override {
    results_.clear();
    for (const LExpPtr& exp : items_) results_.append(exp->eval(input, type));
    return to_word(&results_);
  }

 private:
  Slist results_;
};

class NotExp final : public DefaultClone<NotExp, SequenceExp> {
  // The result is always an integer: its type id is looked up once, when
  // the form is built, not at every evaluation.
  TypeId integer_type_ = ShellTypes::get().integer;

 public:
  Connective connective() const override { return Connective::kNot; }
  const LExpList* operands() const override { return &items_; }
  const char* name() const override { return "not"; }
  const char* doc() const override {
    return "(not <lexp>)\n"
           "  returns true if <lexp> evaluates to 0;";
  }
  Word eval(Word input, TypeId type) override {
    if (items_.empty()) return returning(input == 0 ? 1 : 0, integer_type_);
    for (const LExpPtr& exp : items_)
      if (exp->eval(input, type)) return returning(0, kAnyType);
    return returning(input, type);
  }
};

class OrExp final : public DefaultClone<OrExp, SequenceExp> {
 public:
  Connective connective() const override { return Connective::kOr; }
  const LExpList* operands() const override { return &items_; }
  const char* name() const override { return "or"; }
  const char* doc() const override {
    return "(or <lexp> <lexp> ... <lexp>)\n"
           "  returns true if one of <lexp>s evaluates to true.";
  }
  Word eval(Word input, TypeId type) override {
    if (items_.empty()) return returning(input, type);
    for (const LExpPtr& exp : items_)
      if (const Word value = exp->eval(input, type)) return returning(value, exp->result_type());
    return returning(0, kAnyType);
  }
};

class XorExp final : public DefaultClone<XorExp, SequenceExp> {
  // Looked up once, as in `not`.
  TypeId integer_type_ = ShellTypes::get().integer;

 public:
  const char* name() const override { return "xor"; }
  const char* doc() const override {
    return "(xor <lexp> <lexp> ... <lexp>)\n"
           "  returns true if odd number of <lexp>s evaluate to true.";
  }
  Word eval(Word input, TypeId type) override {
    bool odd = false;
    for (const LExpPtr& exp : items_)
      if (exp->eval(input, type)) odd = !odd;
    return returning(odd ? 1 : 0, integer_type_);
  }
};

class AndExp final : public DefaultClone<AndExp, SequenceExp> {
 public:
  Connective connective() const override { return Connective::kAnd; }
  const LExpList* operands() const override { return &items_; }
  const char* name() const override { return "and"; }
  const char* doc() const override {
    return "(and <lexp> <lexp> ... <lexp>)\n"
           "  returns true if all of <lexp>s evaluate to true.";
  }
  Word eval(Word input, TypeId type) override {
    Word value = input;
    TypeId value_type = type;
    for (const LExpPtr& exp : items_) {
      value = exp->eval(input, type);
      if (!value) return returning(0, kAnyType);
      value_type = exp->result_type();
    }
    return returning(value, value_type);
  }
};

class TrueExp final : public DefaultClone<TrueExp> {
  // Looked up once, as in `not`.
  TypeId integer_type_ = ShellTypes::get().integer;

 public:
  const char* name() const override { return "t"; }
  const char* doc() const override {
    return "(t)\n"
           "  Always return 1";
  }
  Word eval(Word, TypeId) override { return returning(1, integer_type_); }
};

class NilExp final : public DefaultClone<NilExp> {
 public:
  const char* name() const override { return "nil"; }
  const char* doc() const override {
    return "(nil)\n"
           "  Always return 0";
  }
  Word eval(Word, TypeId) override { return 0; }
};

class IsNilExp final : public DefaultClone<IsNilExp> {
  // Looked up once, as in `not`.
  TypeId integer_type_ = ShellTypes::get().integer;

 public:
  const char* name() const override { return "is-nil"; }
  const char* doc() const override {
    return "(is-nil)\n"
           "  Returns true if the input is 0. Returns false otherwise.";
  }
  Word eval(Word input, TypeId) override { return returning(input == 0 ? 1 : 0, integer_type_); }
};

class IdentExp final : public DefaultClone<IdentExp> {
 public:
  const char* name() const override { return "ident"; }
  const char* doc() const override {
    return "(ident)\n"
           "  Always return the input.";
  }
  Word eval(Word input, TypeId type) override { return returning(input, type); }
};

// (eq a b): 1 when both give the same word; 0 when either is missing.
class EqExp final : public DefaultClone<EqExp, SequenceExp> {
  // Looked up once, as in `not`.
  TypeId integer_type_ = ShellTypes::get().integer;

 public:
  const char* name() const override { return "eq"; }
  Word eval(Word input, TypeId type) override {
    if (items_.size() < 2) return 0;
    const bool same = items_[0]->eval(input, type) == items_[1]->eval(input, type);
    return returning(same ? 1 : 0, integer_type_);
  }
};

}  // namespace

void register_control_forms() {
  register_lexp(std::make_unique<ProgExp>());
  register_lexp(std::make_unique<Prog1Exp>());
  register_lexp(std::make_unique<CompExp>());
  register_lexp(std::make_unique<IfExp>());
  register_lexp(std::make_unique<WhileExp>());
  register_lexp(std::make_unique<WhenExp>());
  register_lexp(std::make_unique<OneOfExp>());
  register_lexp(std::make_unique<CondExp>());
  register_lexp(std::make_unique<ListExp>());
  register_lexp(std::make_unique<NotExp>());
  register_lexp(std::make_unique<OrExp>());
  register_lexp(std::make_unique<XorExp>());
  register_lexp(std::make_unique<AndExp>());
  register_lexp(std::make_unique<TrueExp>());
  register_lexp(std::make_unique<NilExp>());
  register_lexp(std::make_unique<IsNilExp>());
  register_lexp(std::make_unique<IdentExp>());
  register_lexp(std::make_unique<EqExp>());
}

}  // namespace velmo
