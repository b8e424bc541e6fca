// Variables with dynamic save and restore, build-time name resolution,
// setq, get-val, let and functions defined by defun.
#include <iostream>

#include "shell/lexp/forms.h"
#include "shell/lexp/scope.h"
#include "shell/support/diagnostics.h"

namespace velmo {

// ---------------------------------------------------------------------------
// Variable.

bool Variable::assign(Word value, TypeId value_type) {
  if (type_ != kAnyType && value_type != type_) {
    diag() << "the variable " << name_ << " is assigned an incompatible type: " << type_name(value_type)
           << ". The expected type is: " << type_name(type_) << '\n'
           << std::flush;
    return false;
  }
  // Copied before the old value goes: it may be the very text assigned.
  RefPtr<HeldValue> held = hold(value, value_type);
  DroppedValues::keep(std::move(held_));
  held_ = std::move(held);
  value_ = held_ ? held_->word() : value;
  value_type_ = value_type;
  return true;
}

RefPtr<HeldValue> Variable::hold(Word value, TypeId value_type) {
  if (!value) return nullptr;
  const ShellTypes& types = ShellTypes::get();
  if (value_type == types.text) return HeldValue::copy_text(from_word<const char>(value));
  if (value_type == types.slist) return HeldValue::copy_list(*from_word<const Slist>(value));
  return nullptr;
}

void Variable::save() {
  // The copy moves with the saved value; value_ points into it meanwhile.
  saved_.push_back({value_, type_, value_type_, std::move(held_)});
  type_ = kAnyType;
}

void Variable::restore() {
  if (saved_.empty()) return;
  // The value given up may be what the function or let returns.
  DroppedValues::keep(std::move(held_));
  Saved& saved = saved_.back();
  value_ = saved.value;
  type_ = saved.type;
  value_type_ = saved.value_type;
  held_ = std::move(saved.held);
  saved_.pop_back();
}

// ---------------------------------------------------------------------------
// Scopes.

ScopeStack::ScopeStack() { scopes_.push_back(std::make_unique<Scope>(kGlobalBuckets)); }

ScopeStack& ScopeStack::instance() {
  static ScopeStack stack;
  return stack;
}

void ScopeStack::push() { scopes_.push_back(std::make_unique<Scope>(kLocalBuckets)); }

void ScopeStack::pop() {
  if (scopes_.size() > 1) scopes_.pop_back();
}

VariablePtr ScopeStack::define_in(Scope& scope, std::string_view name, TypeId type) {
  auto variable = std::make_shared<Variable>(name, type);
  auto [item, inserted] = scope.insert(name, variable);
  (void)item;
  if (!inserted) {
    diag() << "Duplicate definition of " << name << '\n' << std::flush;
    return nullptr;
  }
  return variable;
}

VariablePtr ScopeStack::define(std::string_view name, TypeId type) { return define_in(*scopes_.back(), name, type); }

VariablePtr ScopeStack::define_global(std::string_view name, TypeId type) {
  return define_in(*scopes_.front(), name, type);
}

VariablePtr ScopeStack::find(std::string_view name) const {
  for (auto scope = scopes_.rbegin(); scope != scopes_.rend(); ++scope)
    if (const VariablePtr* variable = (*scope)->find(name)) return *variable;
  return nullptr;
}

namespace {

// One element of a variable list: a name, or a list of a name and a type.
VariablePtr define_list_element(IRSlist& element) {
  if (element.is_atom()) {
    if (!element.atom()) return nullptr;
    return ScopeStack::instance().define(element.atom(), kAnyType);
  }
  const char* name = element.take_atom();
  if (!name) return nullptr;
  const char* type = element.is_list() ? element.take_atom() : nullptr;
  return ScopeStack::instance().define(name, type_id(type));
}

}  // namespace

std::vector<VariablePtr> define_variable_list(IRSlist* list) {
  std::vector<VariablePtr> variables;
  if (!list || list->is_nil()) return variables;
  if (list->is_atom()) {
    if (VariablePtr variable = define_list_element(*list)) variables.push_back(std::move(variable));
    return variables;
  }
  while (std::unique_ptr<IRSlist> element = list->take_first())
    if (VariablePtr variable = define_list_element(*element)) variables.push_back(std::move(variable));
  return variables;
}

// ---------------------------------------------------------------------------
// Functions.

namespace {

// Nesting of function calls now being evaluated; a call through exec-commands
// can recurse without end, and the bound turns that into a message.
int call_depth = 0;

class CallDepthGuard {
 public:
  CallDepthGuard() { ++call_depth; }
  ~CallDepthGuard() { --call_depth; }
  CallDepthGuard(const CallDepthGuard&) = delete;
  CallDepthGuard& operator=(const CallDepthGuard&) = delete;
  bool too_deep() const { return call_depth > FuncExp::kMaxCallDepth; }
};

}  // namespace

FuncExp::FuncExp(std::shared_ptr<const FuncDef> definition) : definition_(std::move(definition)) {
  if (!definition_->body.empty()) set_output_type(definition_->body.back()->output_type());
}

LExpPtr FuncExp::clone() const { return std::make_unique<FuncExp>(definition_); }

void FuncExp::init(IRSlist& args) {
  const std::size_t count = args.length();
  const std::size_t expected = definition_->parameters.size();
  if (count != expected) {
    diag() << definition_->name << " requires " << expected << " arguments. " << count << " found.\n" << std::flush;
    return;
  }
  while (std::unique_ptr<IRSlist> element = args.take_first()) args_.push_back(get_exp(element.get()));
}

Word FuncExp::eval(Word input, TypeId type) {
  const FuncDef& function = *definition_;
  // A call whose arguments did not match was reported when it was built; it
  // does not run the body with made-up argument values.
  if (function.body.empty() || args_.size() != function.parameters.size()) return 0;
  CallDepthGuard depth;
  if (depth.too_deep()) {
    diag() << function.name << ": function calls nested more than " << kMaxCallDepth << " levels deep\n" << std::flush;
    return 0;
  }
  const std::vector<VariablePtr>& parameters = function.parameters;
  for (std::size_t i = parameters.size(); i-- > 0;) {
    LExp* argument = args_[i].get();
    parameters[i]->save();
    parameters[i]->assign(eval_optional(argument, input, type), argument ? argument->result_type() : kAnyType);
  }
  Word result = 0;
  for (const LExpPtr& exp : function.body) result = exp->eval(input, type);
  // Read before the parameters come back: the last value may be one of them.
  const TypeId result_type = function.body.back()->result_type();
  for (const VariablePtr& parameter : parameters) parameter->restore();
  return returning(result, result_type);
}

LExp* FuncExp::same_as() const {
  const FuncDef& function = *definition_;
  if (!function.parameters.empty() || !args_.empty() || function.body.size() != 1) return nullptr;
  return function.body.front().get();
}

bool define_function(IRSlist& args) {
  const char* name = args.take_atom();
  if (!name) return false;
  auto definition = std::make_shared<FuncDef>();
  definition->name = name;
  {
    ScopeGuard scope;
    std::unique_ptr<IRSlist> parameters = args.take_first();
    definition->parameters = define_variable_list(parameters.get());
    LExp::build_all(args, definition->body);
  }
  return register_lexp(std::make_unique<FuncExp>(std::move(definition)));
}

// ---------------------------------------------------------------------------
// setq, get-val, let.

namespace {

// The variable named by the first argument, or null after reporting it.
VariablePtr take_variable(IRSlist& args, const char* form) {
  const char* name = args.take_atom();
  if (!name) return nullptr;
  VariablePtr variable = ScopeStack::instance().find(name);
  if (!variable) diag() << "(" << form << " ... ): the variable " << name << " is not defined\n" << std::flush;
  return variable;
}

class SetqExp final : public DefaultClone<SetqExp> {
 public:
  const char* name() const override { return "setq"; }
  const char* doc() const override { return "(setq <var-name> <lexp>)"; }
  void init(IRSlist& args) override {
    variable_ = take_variable(args, "setq");
    if (!args.is_nil()) value_ = build_first(args);
    if (value_) set_output_type(value_->output_type());
  }
  Word eval(Word input, TypeId type) override {
    const Word value = value_ ? value_->eval(input, type) : input;
    const TypeId value_type = value_ ? value_->result_type() : type;
    if (variable_) variable_->assign(value, value_type);
    return returning(value, value_type);
  }

 private:
  VariablePtr variable_;
  LExpPtr value_;
};

class GetValExp final : public DefaultClone<GetValExp> {
 public:
  const char* name() const override { return "get-val"; }
  const char* doc() const override { return "(get-val <var-name> [ <lexp> ])"; }
  void init(IRSlist& args) override {
    variable_ = take_variable(args, "get-val");
    if (!args.is_nil()) then_ = build_first(args);
    if (then_)
      set_output_type(then_->output_type());
    else if (variable_)
      set_output_type(variable_->type());
  }
  Word eval(Word, TypeId) override {
    if (!variable_) return 0;
    const Word value = variable_->value();
    if (!then_) return returning(value, variable_->value_type());
    const Word result = then_->eval(value, variable_->value_type());
    return returning(result, then_->result_type());
  }

 private:
  VariablePtr variable_;
  LExpPtr then_;
};

class LetExp final : public DefaultClone<LetExp> {
 public:
  const char* name() const override { return "let"; }
  const char* doc() const override { return "(let (<varlist>) <lexp> <lexp> ...)"; }
  void init(IRSlist& args) override {
    ScopeGuard scope;
    std::unique_ptr<IRSlist> list = args.take_first();
    variables_ = define_variable_list(list.get());
    body_.init(args);
    set_output_type(body_.output_type());
  }
  Word eval(Word input, TypeId type) override {
    for (const VariablePtr& variable : variables_) variable->save();
    const Word result = body_.eval(input, type);
    const TypeId result_type = body_.result_type();
    for (const VariablePtr& variable : variables_) variable->restore();
    return returning(result, result_type);
  }

 private:
  std::vector<VariablePtr> variables_;
  ProgExp body_;
};

}  // namespace

void register_variable_forms() {
  register_lexp(std::make_unique<SetqExp>());
  register_lexp(std::make_unique<GetValExp>());
  register_lexp(std::make_unique<LetExp>());
}

}  // namespace velmo
