#pragma once
// Variables of the expression language, the scopes in which names are
// resolved while expressions are built, and user-defined functions.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/lexp/lexp.h"
#include "shell/support/held_value.h"
#include "shell/support/name_table.h"

namespace velmo {

class Variable {
 public:
  Variable(std::string_view name, TypeId type) : name_(name), type_(type) {}

  const std::string& name() const { return name_; }
  Word value() const { return value_; }
  TypeId type() const { return type_; }
  // The type of the value now held: the declared type, or for an untyped
  // variable the type of the value last assigned (kAnyType when unknown).
  TypeId value_type() const { return type_ != kAnyType ? type_ : value_type_; }

  // Stores `value` unless the variable is typed and `value_type` differs
  // (reported; the value stays). Returns whether it was stored. A text or a
  // list is copied: the variable's value outlives the expression that made
  // it. The value given up stays readable until the top-level command ends.
  bool assign(Word value, TypeId value_type);
  // Pushes the value and type, then accepts any type until restore().
  void save();
  void restore();
  std::size_t saved_depth() const { return saved_.size(); }

 private:
  // The variable's own copy of a text or list value; null for other types.
  static RefPtr<HeldValue> hold(Word value, TypeId value_type);

  std::string name_;
  Word value_ = 0;
  TypeId type_;
  TypeId value_type_ = kAnyType;
  RefPtr<HeldValue> held_;  // the copy value_ points into, if any
  struct Saved {
    Word value;
    TypeId type;
    TypeId value_type;
    RefPtr<HeldValue> held;
  };
  std::vector<Saved> saved_;
};

using VariablePtr = std::shared_ptr<Variable>;

// The stack of variable tables used to resolve names while expressions are
// built; the global scope is at the bottom and is never popped.
class ScopeStack {
 public:
  static constexpr std::size_t kGlobalBuckets = 23;
  static constexpr std::size_t kLocalBuckets = 11;

  static ScopeStack& instance();

  void push();
  void pop();
  std::size_t depth() const { return scopes_.size(); }

  // Creates a variable in the innermost (or the global) scope. A name
  // already there prints "Duplicate definition of " and gives null.
  VariablePtr define(std::string_view name, TypeId type);
  VariablePtr define_global(std::string_view name, TypeId type);
  // Searches from the innermost scope to the global one.
  VariablePtr find(std::string_view name) const;

 private:
  using Scope = NameTable<VariablePtr>;
  ScopeStack();
  static VariablePtr define_in(Scope& scope, std::string_view name, TypeId type);
  std::vector<std::unique_ptr<Scope>> scopes_;
};

// Pushes a scope for the lifetime of the guard.
class ScopeGuard {
 public:
  ScopeGuard() { ScopeStack::instance().push(); }
  ~ScopeGuard() { ScopeStack::instance().pop(); }
  ScopeGuard(const ScopeGuard&) = delete;
  ScopeGuard& operator=(const ScopeGuard&) = delete;
};

// Creates the variables of a variable list (of let or defun) in the
// innermost scope: each element is a name or a list of a name and a type
// name. Duplicates are reported and left out.
std::vector<VariablePtr> define_variable_list(IRSlist* list);

// A function defined by defun.
struct FuncDef {
  std::string name;
  std::vector<VariablePtr> parameters;
  LExpList body;
};

// A call of a defined function: the arguments are evaluated into the
// parameters, which are saved before and restored after the body runs.
class FuncExp final : public LExp {
 public:
  static constexpr int kMaxCallDepth = 1000;

  explicit FuncExp(std::shared_ptr<const FuncDef> definition);
  const char* name() const override { return definition_->name.c_str(); }
  LExpPtr clone() const override;
  void init(IRSlist& args) override;
  Word eval(Word input, TypeId type) override;
  // A call without arguments of a function whose body is one expression
  // is that expression evaluated on the same input.
  LExp* same_as() const override;

 private:
  std::shared_ptr<const FuncDef> definition_;
  LExpList args_;  // one per parameter once built; a failed argument is null
};

// Builds the function of a defun form (name, parameters, body) and
// registers it; false when it was not registered.
bool define_function(IRSlist& args);

}  // namespace velmo
