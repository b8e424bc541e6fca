#pragma once
// The expression language. An expression (`LExp`) is built once from a
// parenthesised form and then evaluated many times: it takes one input value
// (a machine word) with the `TypeId` of that value and returns one machine
// word, 0 meaning false or nothing.
//
// Subsystems make native functions available as expressions with one call:
//
//   register_native("int-gt", &int_gt, nullptr, "int", doc);   // TwoArgExp
//   register_adaptor("+1", &plus_one, nullptr, nullptr, doc);  // FnAdaptor
//   register_lexp(std::make_unique<MyExp>());                  // own class
//
// and build expressions from command arguments with LExp::get_exp.
//
// The expression kinds live in their own headers: lexp/native.h (native
// functions), lexp/adaptors.h (conversions), lexp/constants.h (constants).
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "shell/lexp/types.h"
#include "shell/reader/irslist.h"

namespace velmo {

class Interpreter;

class LExp;
using LExpPtr = std::unique_ptr<LExp>;
using LExpList = std::vector<LExpPtr>;

class LExp {
 public:
  LExp() = default;
  LExp(const LExp&) = delete;
  LExp& operator=(const LExp&) = delete;

  // Operations each expression kind defines.
  // The doc string; "No documentation provided" by default.
  virtual const char* doc() const;
  // The name under which the expression kind is registered.
  virtual const char* name() const = 0;
  // A fresh expression of the same kind with the prototype's fixed fields
  // and no arguments.
  virtual LExpPtr clone() const = 0;
  // Takes the arguments of the form (the form without its name) and builds
  // the sub-expressions. The default ignores them.
  virtual void init(IRSlist& args);
  virtual Word eval(Word input, TypeId type) = 0;
  // Frees the expression and its sub-expressions.
  virtual ~LExp() = default;

  // How a reader of conditions may look into an expression without
  // evaluating it. `connective` tells an and, or or not form (its operands
  // are `operands`); `same_as` gives the expression whose evaluation on
  // the same input this one amounts to (the body of a call of a function
  // without parameters), or null.
  enum class Connective { kNone, kAnd, kOr, kNot };
  virtual Connective connective() const { return Connective::kNone; }
  virtual const LExpList* operands() const { return nullptr; }
  virtual LExp* same_as() const { return nullptr; }

  TypeId input_type() const { return input_type_; }
  TypeId output_type() const { return output_type_; }
  void set_input_type(TypeId type) { input_type_ = type; }
  void set_output_type(TypeId type) { output_type_ = type; }
  void set_types(const char* input_type, const char* output_type);

  // The type of the value the latest eval returned: the output type, or,
  // for forms whose output type is open, the type recorded as they ran (the
  // value of an untyped variable, the branch taken, the input handed on).
  // Consumers hand it on with the value, so a value's type travels with it.
  TypeId result_type() const { return output_type_ != kAnyType ? output_type_ : result_type_; }

  // Whether an input of `type` may be given to this expression.
  bool accepts(TypeId type) const { return input_type_ == kAnyType || type == kAnyType || type == input_type_; }
  // accepts(), reporting a refused type. Inline: every evaluation starts
  // with it, and the accepted case is a comparison or two.
  bool check_input(TypeId type) const {
    if (accepts(type)) [[likely]]
      return true;
    report_type_error(type);
    return false;
  }
  // Prints the two-line report of a wrong input type.
  void report_type_error(TypeId received) const;
  // The same report for a value that should have been of type `expected`.
  void report_type_error(TypeId received, TypeId expected) const;

  // ---- Building.
  // Builds an expression from a form; null (with a message) when it cannot.
  // The form's elements are consumed: the name and whatever init takes.
  static LExpPtr get_exp(IRSlist* node);
  // Builds the first item of `text`, read with the command syntax.
  static LExpPtr from_text(std::string_view text);
  // Builds every item of `text` (a macro expansion): null for none, the
  // expression for one, a `prog` of them for several.
  static LExpPtr from_expansion(std::string_view text);
  // The registered prototype of that name, or null; no messages.
  static const LExp* find_prototype(std::string_view name);
  // Whether `exp` is of the kind registered as `name`, not only named so
  // (the names are compared first: looking the prototype up costs more).
  static bool is_registered_kind(const LExp& exp, const char* name);

  // Helpers for init: the first remaining element built as an expression
  // (null when there is none or it fails), and every remaining element built
  // in order, failures left out.
  static LExpPtr build_first(IRSlist& args);
  static void build_all(IRSlist& args, LExpList& out);

 protected:
  // Returns `value`, recording `type` as its result type; forms with an open
  // output type return through it.
  Word returning(Word value, TypeId type) {
    result_type_ = type;
    return value;
  }

 private:
  TypeId input_type_ = kAnyType;
  TypeId output_type_ = kAnyType;
  TypeId result_type_ = kAnyType;
};

// Evaluates an optional expression: 0 when it is missing.
inline Word eval_optional(LExp* exp, Word input, TypeId type) { return exp ? exp->eval(input, type) : 0; }

// Evaluates an optional sub-expression of `consumer` whose value must be of
// type `expected` into `value` (0 when it is missing). A value of another
// type, known only now (that of an untyped variable, say), is reported:
// `value` is then 0 and the result false.
bool eval_expecting(const LExp& consumer, LExp* exp, Word input, TypeId type, TypeId expected, Word& value);

// Clones by default construction, for kinds whose fixed fields are set by
// their constructor; get_exp copies the prototype's types into the clone.
template <class Derived, class Base = LExp>
class DefaultClone : public Base {
 public:
  using Base::Base;
  LExpPtr clone() const override { return std::make_unique<Derived>(); }
};

// ---------------------------------------------------------------------------
// Registration in the object factory under the class "LExp".

inline constexpr const char* kLExpClass = "LExp";
// Several hundred kinds are registered and every expression read at start-up
// looks its kind up: buckets of one or two names keep that lookup short.
inline constexpr std::size_t kLExpBuckets = 509;

// Registers `prototype` under `name` with `doc` (null: the prototype's own).
// A repeated name prints "Duplicate definition of " and the prototype is
// dropped; returns whether it was registered.
bool register_lexp(LExpPtr prototype, const char* name = nullptr, const char* doc = nullptr);

// Registers the maker of the class "LExp" (idempotent), the prototypes of
// the shell's expression kinds, and the commands declare-var, defun, eval,
// foreach, defmacro and debug-macro.
void register_expression_commands(Interpreter& interpreter);

}  // namespace velmo
