#include "lexical/functions/att_functions.h"

#include <memory>
#include <optional>
#include <string>
#include <typeinfo>
#include <vector>

#include "lexicon/attributes/att_expressions.h"
#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_test.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/str_att.h"
#include "shell/reader/irslist.h"
#include "shell/lexp/lexp.h"
#include "shell/lexp/constants.h"

namespace velmo {

namespace {

TypeId att_vec_type() {
  static const TypeId id = type_id(kAttVecType);
  return id;
}

AttVec* vec_of(Word value) { return from_word<AttVec>(value); }

// The optional leading type name of an argument list: the named attribute
// vector type when the first argument is an atom naming one, else the
// current type.
const AttInterpreterList* take_type(IRSlist& args) {
  const IRSlist* head = args.element_at(0);
  const char* first = head && head->is_atom() ? head->atom() : nullptr;
  if (first) {
    if (AttInterpreterList* named = AttInterpreterList::find(first)) {
      args.take_first();
      return named;
    }
  }
  return current_att_type();
}

// Attribute names resolved in a type when the expression is built; unknown
// names are reported and left out.
struct AttNames {
  std::vector<int> indices;
  LBitSet mask;

  void read(const AttInterpreterList* type, const IRSlist* list) {
    if (!type || !list) return;
    auto add = [&](const char* name) {
      if (!name) return;
      const int index = type->index_of(name);
      if (index < 0) {
        report_error(std::string("The attribute ") + name + " is not found");
        return;
      }
      indices.push_back(index);
      mask.set(static_cast<std::size_t>(index));
    };
    if (list->is_atom())
      add(list->atom());
    else
      for (const IRSlist* element : list->children()) add(element->atom());
  }
};

// A vector constant: a list naming a registered expression is built as one
// and evaluated on the input; any other list is read as a vector text of the
// type, once.
class VecArgument {
 public:
  void read(const AttInterpreterList* type, std::unique_ptr<IRSlist> node) {
    if (!node) return;
    const IRSlist* first = node->is_list() ? node->element_at(0) : nullptr;
    const char* head = first && first->is_atom() ? first->atom() : nullptr;
    if (head && LExp::find_prototype(head)) {
      exp_ = LExp::get_exp(node.get());
      return;
    }
    if (!type) return;
    constant_ = std::make_unique<AttVec>(type);
    if (node->is_list()) constant_->read(*node);
  }
  // No expression, or one that always gives the same vector.
  bool is_constant() const { return !exp_ || dynamic_cast<const LConst*>(exp_.get()) != nullptr; }
  // The vector read as text (null when it is an expression).
  const AttVec* text_constant() const { return constant_.get(); }
  const AttVec* value(Word input, TypeId type) const {
    if (constant_) return constant_.get();
    return exp_ ? vec_of(exp_->eval(input, type)) : nullptr;
  }

 private:
  std::unique_ptr<AttVec> constant_;
  LExpPtr exp_;
};

enum class AttOp { kDefined, kDefinedOneOf, kUndefine, kUnifiable, kStrictUnifiable, kContain, kUnify, kModify };

const char* op_name(AttOp op) {
  switch (op) {
    case AttOp::kDefined:
      return "defined";
    case AttOp::kDefinedOneOf:
      return "defined-one-of";
    case AttOp::kUndefine:
      return "undefine";
    case AttOp::kUnifiable:
      return "unifiable";
    case AttOp::kStrictUnifiable:
      return "strict-unifiable";
    case AttOp::kContain:
      return "contain";
    case AttOp::kUnify:
      return "unify";
    case AttOp::kModify:
      return "modify";
  }
  return "";
}

const char* op_doc(AttOp op) {
  switch (op) {
    case AttOp::kDefined:
      return "(defined [TYPE] (ATT ...)) true when every listed attribute is defined";
    case AttOp::kDefinedOneOf:
      return "(defined-one-of [TYPE] (ATT ...)) true when at least one listed attribute is defined";
    case AttOp::kUndefine:
      return "(undefine [TYPE] (ATT ...)) remove the listed attributes from the vector";
    case AttOp::kUnifiable:
      return "(unifiable [TYPE] (ATT ...) VECTOR) true when the vector unifies with VECTOR on the listed attributes";
    case AttOp::kStrictUnifiable:
      return "(strict-unifiable [TYPE] (ATT ...) VECTOR) true when a listed attribute is defined and the vector "
             "unifies with VECTOR on the listed attributes";
    case AttOp::kContain:
      return "(contain [TYPE] (ATT ...) VECTOR) true when the listed attributes are defined and contain the values "
             "of VECTOR";
    case AttOp::kUnify:
      return "(unify [TYPE] VECTOR) unify VECTOR into the vector; nothing when it fails";
    case AttOp::kModify:
      return "(modify [TYPE] VECTOR) overwrite the vector with the values defined in VECTOR";
  }
  return "";
}

bool takes_names(AttOp op) { return op != AttOp::kUnify && op != AttOp::kModify; }
bool takes_vector(AttOp op) {
  return op == AttOp::kUnifiable || op == AttOp::kStrictUnifiable || op == AttOp::kContain || op == AttOp::kUnify ||
         op == AttOp::kModify;
}

// The vector operations. The tests that only read the vector (defined,
// defined-one-of, unifiable, strict-unifiable, contain) are answered by an
// AttTest built with the expression; with a constant vector, the constant
// is resolved then too.
class AttOpExp final : public LExp {
 public:
  explicit AttOpExp(AttOp op) : op_(op) { set_types(kAttVecType, kAttVecType); }
  const char* name() const override { return op_name(op_); }
  const char* doc() const override { return op_doc(op_); }
  LExpPtr clone() const override { return std::make_unique<AttOpExp>(op_); }

  void init(IRSlist& args) override {
    type_ = take_type(args);
    if (takes_names(op_)) {
      std::unique_ptr<IRSlist> names = args.take_first();
      names_.read(type_, names.get());
    }
    if (takes_vector(op_)) constant_.read(type_, args.take_first());
    if (const std::optional<AttTest::Kind> kind = test_kind(op_)) {
      test_.emplace(*kind, names_.indices, names_.mask);
      fixed_ = !test_->compares() || constant_.is_constant();
      if (test_->compares() && fixed_) fixed_other_ = constant_.value(0, kAnyType);
      if (fixed_) bound_.emplace(*test_, fixed_other_);
    }
  }

  bool reads_only() const { return test_ && fixed_; }
  // The test when the expression is one that reads only (null otherwise);
  // `other` is then the constant vector of a comparison.
  const AttTest* read_test(const AttVec*& other) const {
    if (!reads_only()) return nullptr;
    other = fixed_other_;
    return &*test_;
  }

  // The vector of a unify given as text (null otherwise).
  const AttVec* unify_constant() const { return op_ == AttOp::kUnify ? constant_.text_constant() : nullptr; }

  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    AttVec& vec = *vec_of(input);
    if (!vec.usable()) return 0;
    if (bound_) return bound_->holds(vec) ? input : 0;
    if (test_) {
      const AttVec* other = nullptr;
      if (test_->compares()) other = fixed_ ? fixed_other_ : constant_.value(input, type);
      return test_->holds(vec, other) ? input : 0;
    }
    switch (op_) {
      case AttOp::kUndefine:
        for (int index : names_.indices) vec.remove(index);
        return input;
      default:
        break;
    }
    const AttVec* other = constant_.value(input, type);
    if (!other || other->type() != vec.type()) return 0;
    switch (op_) {
      case AttOp::kUnify:
        return vec.unify(*other) ? input : 0;
      case AttOp::kModify:
        vec.overwrite(*other);
        return input;
      default:
        return 0;
    }
  }

 private:
  static std::optional<AttTest::Kind> test_kind(AttOp op) {
    switch (op) {
      case AttOp::kDefined:
        return AttTest::Kind::kDefined;
      case AttOp::kDefinedOneOf:
        return AttTest::Kind::kDefinedOneOf;
      case AttOp::kUnifiable:
        return AttTest::Kind::kUnifiable;
      case AttOp::kStrictUnifiable:
        return AttTest::Kind::kStrictUnifiable;
      case AttOp::kContain:
        return AttTest::Kind::kContain;
      default:
        return std::nullopt;
    }
  }

  AttOp op_;
  const AttInterpreterList* type_ = nullptr;
  AttNames names_;
  VecArgument constant_;
  std::optional<AttTest> test_;
  bool fixed_ = false;                    // the test reads only, with a constant vector if any
  const AttVec* fixed_other_ = nullptr;  // the constant vector of a comparison
  // A read-only test with its constant resolved once (a lexical rule asks
  // the same constant of every item it scans).
  std::optional<BoundAttTest> bound_;
};

// (unify2 [TYPE] (ATT ...) A B) and (unifiable2 [TYPE] (ATT ...) A B): A
// and B are expressions evaluated on the input, each yielding a vector;
// unify2 unifies B into A on the listed attributes and yields A, nothing
// when they do not unify; unifiable2 only tests.
class TwoVectorExp final : public LExp {
 public:
  explicit TwoVectorExp(bool change) : change_(change) { set_output_type(att_vec_type()); }
  const char* name() const override { return change_ ? "unify2" : "unifiable2"; }
  const char* doc() const override {
    return change_ ? "(unify2 [TYPE] (ATT ...) A B) unify the vector B yields into the vector A yields, on the listed "
                     "attributes"
                   : "(unifiable2 [TYPE] (ATT ...) A B) true when the vectors A and B yield unify on the listed "
                     "attributes";
  }
  LExpPtr clone() const override { return std::make_unique<TwoVectorExp>(change_); }
  void init(IRSlist& args) override {
    type_ = take_type(args);
    std::unique_ptr<IRSlist> names = args.take_first();
    names_.read(type_, names.get());
    first_ = build_first(args);
    second_ = build_first(args);
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !first_ || !second_) return 0;
    AttVec* a = vec_of(first_->eval(input, type));
    const AttVec* b = vec_of(second_->eval(input, type));
    if (!a || !b || a->type() != b->type() || !a->usable()) return 0;
    if (!change_) return a->unifiable(*b, &names_.mask) ? to_word(a) : 0;
    return a->unify(*b, &names_.mask) ? to_word(a) : 0;
  }

 private:
  bool change_;
  const AttInterpreterList* type_ = nullptr;
  AttNames names_;
  LExpPtr first_;
  LExpPtr second_;
};

// (value [TYPE] ATT [EXPR]): the value word of the attribute, or EXPR on it.
class ValueExp final : public DefaultClone<ValueExp> {
 public:
  ValueExp() { set_types(kAttVecType, kAttValType); }
  const char* name() const override { return "value"; }
  const char* doc() const override { return "(value [TYPE] ATT [LEXP]) the value of the attribute, or LEXP on it"; }
  void init(IRSlist& args) override {
    type_ = take_type(args);
    const char* att = args.take_atom();
    if (type_ && att) index_ = type_->index_of(att);
    if (att && index_ < 0) report_error(std::string("AttValPred::init: the attribute name '") + att + "' is not found");
    inner_ = build_first(args);
    if (inner_) set_output_type(inner_->output_type());
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input || index_ < 0) return 0;
    const AttVec& vec = *vec_of(input);
    if (vec.type() != type_ || !vec.defined(index_)) return 0;
    const Word value = vec.get(index_);
    return inner_ ? inner_->eval(value, type_id(kAttValType)) : value;
  }

 private:
  const AttInterpreterList* type_ = nullptr;
  int index_ = -1;
  LExpPtr inner_;
};

// (att-str-val [TYPE] ATT): the text of the attribute's value.
class AttStrValExp final : public DefaultClone<AttStrValExp> {
 public:
  AttStrValExp() { set_types(kAttVecType, "char*"); }
  const char* name() const override { return "att-str-val"; }
  const char* doc() const override { return "(att-str-val [TYPE] ATT) the value of the attribute as a string"; }
  void init(IRSlist& args) override {
    type_ = take_type(args);
    const char* att = args.take_atom();
    if (type_ && att) index_ = type_->index_of(att);
    if (att && index_ < 0) report_error(std::string("AttStrVal::init: the attribute name '") + att + "' is not found");
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input || index_ < 0) return 0;
    const AttVec& vec = *vec_of(input);
    if (vec.type() != type_ || !vec.defined(index_)) return 0;
    text_ = vec.str_val(index_);
    return to_word(text_.c_str());
  }
  // The type and index when the attribute is a StrAtt (see att_text_reader).
  bool text_reader(const AttInterpreterList*& type, int& index) const {
    if (!type_ || index_ < 0 || typeid(type_->attribute(index_)) != typeid(StrAtt)) return false;
    type = type_;
    index = index_;
    return true;
  }

 private:
  const AttInterpreterList* type_ = nullptr;
  int index_ = -1;
  std::string text_;  // valid until the next evaluation
};

// (attvec2str [TYPE] (ATT ...)): the printed vector restricted to the list.
class AttVecToStrExp final : public DefaultClone<AttVecToStrExp> {
 public:
  AttVecToStrExp() { set_types(kAttVecType, "char*"); }
  const char* name() const override { return "attvec2str"; }
  const char* doc() const override {
    return "(attvec2str [TYPE] (ATT ...)) the printed form of the vector restricted to the listed attributes";
  }
  void init(IRSlist& args) override {
    type_ = take_type(args);
    std::unique_ptr<IRSlist> names = args.take_first();
    names_.read(type_, names.get());
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    const AttVec& vec = *vec_of(input);
    if (!vec.usable()) return 0;
    text_ = vec.text(&names_.mask);
    return to_word(text_.c_str());
  }

 private:
  const AttInterpreterList* type_ = nullptr;
  AttNames names_;
  std::string text_;
};

// (attvec [TYPE] (ATT ...)): a vector constant.
class AttVecConst final : public DefaultClone<AttVecConst, LConst> {
 public:
  AttVecConst() { set_output_type(att_vec_type()); }
  const char* name() const override { return "attvec"; }
  const char* doc() const override { return "(attvec [TYPE] (ATT ...)) an attribute value vector constant"; }
  void init(IRSlist& args) override {
    const AttInterpreterList* type = take_type(args);
    if (!type) return;
    vec_ = std::make_unique<AttVec>(type);
    if (std::unique_ptr<IRSlist> text = args.take_first(); text && text->is_list()) vec_->read(*text);
    set_value(to_word(vec_.get()));
  }

 private:
  std::unique_ptr<AttVec> vec_;
};

// (att-set [TYPE] NAME): a named attribute set of the type.
class AttSetConst final : public DefaultClone<AttSetConst, LConst> {
 public:
  AttSetConst() { set_output_type(type_id(kLBitSetType)); }
  const char* name() const override { return "att-set"; }
  const char* doc() const override { return "(att-set [TYPE] NAME) an attribute set defined by def-att-set"; }
  void init(IRSlist& args) override {
    const AttInterpreterList* type = take_type(args);
    const char* set_name = args.take_atom();
    if (!type || !set_name) return;
    const LBitSet* set = type->find_att_set(set_name);
    if (!set) report_error(std::string("The attribute set ") + set_name + " is not found");
    set_value(to_word(set));
  }
};

// (att-index [TYPE] ATT): the index of an attribute in its type.
class AttIndexConst final : public DefaultClone<AttIndexConst, LConst> {
 public:
  AttIndexConst() { set_output_type(ShellTypes::get().integer); }
  const char* name() const override { return "att-index"; }
  const char* doc() const override { return "(att-index [TYPE] ATT) the index of the attribute in its type"; }
  void init(IRSlist& args) override {
    const AttInterpreterList* type = take_type(args);
    const char* att = args.take_atom();
    if (!type || !att) return;
    const int index = type->index_of(att);
    if (index < 0) report_error(std::string("The attribute ") + att + " is not found");
    set_value(static_cast<Word>(static_cast<std::intptr_t>(index)));
  }
};

}  // namespace

bool is_att_read_test(const LExp& exp) {
  const auto* test = dynamic_cast<const AttOpExp*>(&exp);
  return test && test->reads_only();
}

const AttTest* att_read_test(const LExp& exp, const AttVec*& other) {
  const auto* test = dynamic_cast<const AttOpExp*>(&exp);
  return test ? test->read_test(other) : nullptr;
}

const AttVec* att_unify_constant(const LExp& exp) {
  const auto* unify = dynamic_cast<const AttOpExp*>(&exp);
  return unify ? unify->unify_constant() : nullptr;
}

bool att_text_reader(const LExp& exp, const AttInterpreterList*& type, int& index) {
  const auto* text = dynamic_cast<const AttStrValExp*>(&exp);
  return text && text->text_reader(type, index);
}

void register_att_functions() {
  for (AttOp op : {AttOp::kDefined, AttOp::kDefinedOneOf, AttOp::kUndefine, AttOp::kUnifiable, AttOp::kStrictUnifiable,
                   AttOp::kContain, AttOp::kUnify, AttOp::kModify})
    register_lexp(std::make_unique<AttOpExp>(op));
  register_lexp(std::make_unique<TwoVectorExp>(true));
  register_lexp(std::make_unique<TwoVectorExp>(false));
  register_lexp(std::make_unique<ValueExp>());
  register_lexp(std::make_unique<AttStrValExp>());
  register_lexp(std::make_unique<AttVecToStrExp>());
  register_lexp(std::make_unique<AttVecConst>());
  register_lexp(std::make_unique<AttSetConst>());
  register_lexp(std::make_unique<AttIndexConst>());
}

}  // namespace velmo
