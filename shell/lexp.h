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
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shell/irslist.h"
#include "shell/support/name_table.h"
#include "shell/support/slist.h"

namespace velmo {

class Interpreter;

// ---------------------------------------------------------------------------
// Value types.

using TypeId = int;
inline constexpr TypeId kAnyType = -1;

// Maps type names ("char*", "int", "LexItem*" ...) to small ids, given out
// from 1 in order of first use; ids never change during a run.
class TypeTable {
 public:
  static TypeTable& instance();

  // The id of `name`, created when new (case-insensitive).
  TypeId id(std::string_view name);
  // The name of an id; "void*" for kAnyType. Other ids below 1 are reported
  // ("Unknown type id: ") and give the empty text.
  std::string_view name(TypeId id) const;

 private:
  TypeTable();
  NameTable<TypeId> ids_;
  std::vector<const char*> names_;  // names_[id - 1]; texts live in ids_
};

// Shorthands on the process-wide table. A null name is kAnyType.
TypeId type_id(const char* name);
TypeId type_id(std::string_view name);
std::string_view type_name(TypeId id);

// Ids of the types the shell itself uses, looked up once.
struct ShellTypes {
  TypeId text;      // "char*"
  TypeId integer;   // "int"
  TypeId slist;     // "Slist*"
  TypeId stream;    // "stream*"
  TypeId ostream;   // "ostream*"
  TypeId two_args;  // "TwoArgs*"
  TypeId lexp;      // "LExp*"
  static const ShellTypes& get();
};

// A pair of typed values: the input of `1/2` and `2/2`.
struct TwoArgs {
  Word first = 0;
  TypeId first_type = kAnyType;
  Word second = 0;
  TypeId second_type = kAnyType;
};

// Stream values. A value of type "stream*" (made by `open-file`) points to a
// std::fstream; values of other types (the `input` and `output` constants,
// "ostream*") point to a std::istream or std::ostream. `type` is the type of
// the value, usually the output type of the expression that produced it.
std::istream* as_input_stream(Word value, TypeId type);
std::ostream* as_output_stream(Word value, TypeId type);

template <class T>
inline Word to_word(T* pointer) {
  return reinterpret_cast<Word>(pointer);
}
template <class T>
inline T* from_word(Word value) {
  return reinterpret_cast<T*>(value);
}

// ---------------------------------------------------------------------------
// The expression base class.

class LExp;
using LExpPtr = std::unique_ptr<LExp>;
using LExpList = std::vector<LExpPtr>;

class LExp {
 public:
  LExp() = default;
  LExp(const LExp&) = delete;
  LExp& operator=(const LExp&) = delete;

  // The virtual operations, in slot order.
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

  TypeId input_type() const { return input_type_; }
  TypeId output_type() const { return output_type_; }
  void set_input_type(TypeId type) { input_type_ = type; }
  void set_output_type(TypeId type) { output_type_ = type; }
  void set_types(const char* input_type, const char* output_type);

  // Whether an input of `type` may be given to this expression.
  bool accepts(TypeId type) const { return input_type_ == kAnyType || type == kAnyType || type == input_type_; }
  // accepts(), reporting a refused type.
  bool check_input(TypeId type) const;
  // Prints the two-line report of a wrong input type.
  void report_type_error(TypeId received) const;

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

  // Helpers for init: the first remaining element built as an expression
  // (null when there is none or it fails), and every remaining element built
  // in order, failures left out.
  static LExpPtr build_first(IRSlist& args);
  static void build_all(IRSlist& args, LExpList& out);

 private:
  TypeId input_type_ = kAnyType;
  TypeId output_type_ = kAnyType;
};

// Evaluates an optional expression: 0 when it is missing.
inline Word eval_optional(LExp* exp, Word input, TypeId type) { return exp ? exp->eval(input, type) : 0; }

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
inline constexpr std::size_t kLExpBuckets = 23;

// Registers `prototype` under `name` with `doc` (null: the prototype's own).
// A repeated name prints "Duplicate definition of " and the prototype is
// dropped; returns whether it was registered.
bool register_lexp(LExpPtr prototype, const char* name = nullptr, const char* doc = nullptr);

// ---------------------------------------------------------------------------
// Native functions of the input and up to four argument expressions.

class MArgExp : public LExp {
 public:
  MArgExp(std::string_view name, std::size_t max_args, const char* input_type, const char* output_type,
          std::initializer_list<const char*> arg_types);

  const char* name() const override { return name_.c_str(); }
  void init(IRSlist& args) override;
  Word eval(Word input, TypeId type) override;

  std::size_t max_args() const { return max_args_; }
  const std::vector<TypeId>& arg_types() const { return arg_types_; }
  std::size_t built_args() const { return args_.size(); }

 protected:
  // A copy of the prototype's fixed fields, without arguments.
  MArgExp(const MArgExp& prototype);
  // values[0] is the input, values[1..max_args()] the argument values.
  virtual Word call(const Word* values) const = 0;

 private:
  std::string name_;
  std::size_t max_args_;
  std::vector<TypeId> arg_types_;
  LExpList args_;  // an argument that failed to build is null
};

class ZeroArgExp final : public MArgExp {
 public:
  using Fn = Word (*)(Word input);
  ZeroArgExp(std::string_view name, Fn fn, const char* input_type = nullptr, const char* output_type = nullptr,
             std::initializer_list<const char*> arg_types = {})
      : MArgExp(name, 1, input_type, output_type, arg_types), fn_(fn) {}
  LExpPtr clone() const override { return LExpPtr(new ZeroArgExp(*this)); }

 private:
  ZeroArgExp(const ZeroArgExp& other) : MArgExp(other), fn_(other.fn_) {}
  Word call(const Word* v) const override { return fn_(v[0]); }
  Fn fn_;
};

class OneArgExp final : public MArgExp {
 public:
  using Fn = Word (*)(Word input, Word a1);
  OneArgExp(std::string_view name, Fn fn, const char* input_type = nullptr, const char* output_type = nullptr,
            std::initializer_list<const char*> arg_types = {})
      : MArgExp(name, 1, input_type, output_type, arg_types), fn_(fn) {}
  LExpPtr clone() const override { return LExpPtr(new OneArgExp(*this)); }

 private:
  OneArgExp(const OneArgExp& other) : MArgExp(other), fn_(other.fn_) {}
  Word call(const Word* v) const override { return fn_(v[0], v[1]); }
  Fn fn_;
};

class TwoArgExp final : public MArgExp {
 public:
  using Fn = Word (*)(Word input, Word a1, Word a2);
  TwoArgExp(std::string_view name, Fn fn, const char* input_type = nullptr, const char* output_type = nullptr,
            std::initializer_list<const char*> arg_types = {})
      : MArgExp(name, 2, input_type, output_type, arg_types), fn_(fn) {}
  LExpPtr clone() const override { return LExpPtr(new TwoArgExp(*this)); }

 private:
  TwoArgExp(const TwoArgExp& other) : MArgExp(other), fn_(other.fn_) {}
  Word call(const Word* v) const override { return fn_(v[0], v[1], v[2]); }
  Fn fn_;
};

class ThreeArgExp final : public MArgExp {
 public:
  using Fn = Word (*)(Word input, Word a1, Word a2, Word a3);
  ThreeArgExp(std::string_view name, Fn fn, const char* input_type = nullptr, const char* output_type = nullptr,
              std::initializer_list<const char*> arg_types = {})
      : MArgExp(name, 3, input_type, output_type, arg_types), fn_(fn) {}
  LExpPtr clone() const override { return LExpPtr(new ThreeArgExp(*this)); }

 private:
  ThreeArgExp(const ThreeArgExp& other) : MArgExp(other), fn_(other.fn_) {}
  Word call(const Word* v) const override { return fn_(v[0], v[1], v[2], v[3]); }
  Fn fn_;
};

class FourArgExp final : public MArgExp {
 public:
  using Fn = Word (*)(Word input, Word a1, Word a2, Word a3, Word a4);
  FourArgExp(std::string_view name, Fn fn, const char* input_type = nullptr, const char* output_type = nullptr,
             std::initializer_list<const char*> arg_types = {})
      : MArgExp(name, 4, input_type, output_type, arg_types), fn_(fn) {}
  LExpPtr clone() const override { return LExpPtr(new FourArgExp(*this)); }

 private:
  FourArgExp(const FourArgExp& other) : MArgExp(other), fn_(other.fn_) {}
  Word call(const Word* v) const override { return fn_(v[0], v[1], v[2], v[3], v[4]); }
  Fn fn_;
};

// One-line registration of a native function; the overload is chosen by the
// function's shape (input only: ZeroArgExp, input and one argument:
// OneArgExp, ...). Null type names mean any type.
bool register_native(std::string_view name, ZeroArgExp::Fn fn, const char* input_type, const char* output_type,
                     const char* doc, std::initializer_list<const char*> arg_types = {});
bool register_native(std::string_view name, OneArgExp::Fn fn, const char* input_type, const char* output_type,
                     const char* doc, std::initializer_list<const char*> arg_types = {});
bool register_native(std::string_view name, TwoArgExp::Fn fn, const char* input_type, const char* output_type,
                     const char* doc, std::initializer_list<const char*> arg_types = {});
bool register_native(std::string_view name, ThreeArgExp::Fn fn, const char* input_type, const char* output_type,
                     const char* doc, std::initializer_list<const char*> arg_types = {});
bool register_native(std::string_view name, FourArgExp::Fn fn, const char* input_type, const char* output_type,
                     const char* doc, std::initializer_list<const char*> arg_types = {});

// ---------------------------------------------------------------------------
// Adaptors: a conversion of the input, then an optional inner expression
// evaluated on the converted value with the intermediate type.

class LAdaptor : public LExp {
 public:
  explicit LAdaptor(TypeId intermediate = kAnyType);

  // Builds the inner expression from the first argument, if any. Subclasses
  // with keyword options take them before calling this.
  void init(IRSlist& args) override;
  Word eval(Word input, TypeId type) override;
  // The conversion (the seventh virtual operation).
  virtual Word apply(Word input) = 0;

  TypeId intermediate_type() const { return intermediate_; }
  LExp* inner() const { return inner_.get(); }

 protected:
  void set_intermediate_type(TypeId type);

 private:
  LExpPtr inner_;
  TypeId intermediate_;
};

// An adaptor whose conversion is a plain function.
class FnAdaptor final : public LAdaptor {
 public:
  using Fn = Word (*)(Word input);
  FnAdaptor(std::string_view name, Fn fn, const char* input_type, const char* intermediate_type);

  const char* name() const override { return name_.c_str(); }
  LExpPtr clone() const override;
  Word apply(Word input) override { return fn_(input); }

 private:
  std::string name_;
  Fn fn_;
};

bool register_adaptor(std::string_view name, FnAdaptor::Fn fn, const char* input_type,
                      const char* intermediate_type, const char* doc);

// ---------------------------------------------------------------------------
// Constants: evaluation ignores the input and returns the stored value.

class LConst : public LExp {
 public:
  Word eval(Word, TypeId) override { return value_; }
  Word value() const { return value_; }

 protected:
  void set_value(Word value) { value_ = value; }

 private:
  Word value_ = 0;
};

// (str TEXT): an owned copy of the text; 0 without argument.
class StrConst final : public DefaultClone<StrConst, LConst> {
 public:
  StrConst();
  const char* name() const override { return "str"; }
  void init(IRSlist& args) override;

 private:
  std::unique_ptr<std::string> text_;
};

// (int N): the integer.
class IntegerConst final : public DefaultClone<IntegerConst, LConst> {
 public:
  IntegerConst();
  const char* name() const override { return "int"; }
  void init(IRSlist& args) override;
};

// (named-obj NAME TYPE): the named object, looked up with complaint.
class NamedObjConst final : public DefaultClone<NamedObjConst, LConst> {
 public:
  const char* name() const override { return "named-obj"; }
  void init(IRSlist& args) override;
};

// (pred LEXP): the built expression itself, as a value of type "LExp*".
class PredConst final : public DefaultClone<PredConst, LConst> {
 public:
  PredConst();
  const char* name() const override { return "pred"; }
  void init(IRSlist& args) override;

 private:
  LExpPtr exp_;
};

// (input FILE): a std::istream* on the file; "-" or nothing: standard input.
class IstrmConst final : public DefaultClone<IstrmConst, LConst> {
 public:
  IstrmConst();
  ~IstrmConst() override;
  const char* name() const override { return "input"; }
  void init(IRSlist& args) override;

 private:
  std::unique_ptr<std::istream> file_;
};

// (output FILE): a std::ostream* on the file (created or truncated); "-" or
// nothing: standard output.
class OstrmConst final : public DefaultClone<OstrmConst, LConst> {
 public:
  OstrmConst();
  ~OstrmConst() override;
  const char* name() const override { return "output"; }
  void init(IRSlist& args) override;

 private:
  std::unique_ptr<std::ostream> file_;
};

// ---------------------------------------------------------------------------

// Registers the maker of the class "LExp" (idempotent), the prototypes of
// the shell's expression kinds, and the commands declare-var, defun, eval,
// foreach, defmacro and debug-macro.
void register_expression_commands(Interpreter& interpreter);

}  // namespace velmo
