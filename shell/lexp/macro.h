#pragma once
// Text macros of the command language, defined by defmacro and expanded
// where commands are executed and where expressions are built.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/interpreter/name_space.h"

namespace velmo {

class MacroDefinition final : public Macro {
 public:
  struct Parameter {
    std::string name;
    bool is_list = false;  // substitutes the argument's elements, one a line
  };

  MacroDefinition(std::string_view name, std::vector<Parameter> parameters, std::string body)
      : name_(name), parameters_(std::move(parameters)), body_(std::move(body)) {}

  const std::string& name() const { return name_; }
  const std::vector<Parameter>& parameters() const { return parameters_; }
  const std::string& body() const { return body_; }

  // Replaces the parameters in the body by the texts of `args`. A wrong
  // argument count is reported and the expansion goes on with the arguments
  // present.
  bool expand(IRSlist& args, std::string& text) override;

 private:
  // The index of the parameter named `token`, or -1.
  int parameter_index(std::string_view token) const;
  void show_if_debugged(const std::string& text) const;

  std::string name_;
  std::vector<Parameter> parameters_;
  std::string body_;
};

// Defines a macro from a defmacro form (name, parameters, body) in the
// current name space; false when it was not defined.
bool define_macro(IRSlist& args);

// The debug-macro setting: expansions of the macro of that name ("*..." for
// every macro) are shown on standard error.
void set_debug_macro(std::optional<std::string> name);
const std::optional<std::string>& debug_macro();

}  // namespace velmo
