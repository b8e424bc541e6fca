// Macro definition and expansion.
#include "shell/lexp/macro.h"

#include <iostream>

#include "shell/reader/tokenizer.h"
#include "shell/reader/irslist.h"
#include "shell/support/diagnostics.h"
#include "shell/support/text.h"

namespace velmo {

namespace {

std::optional<std::string>& debug_macro_setting() {
  static std::optional<std::string> setting;
  return setting;
}

bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool is_structure(char c) { return c == '(' || c == ')' || c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

// The text an argument stands for: its text form, or for a list parameter
// the text form of each element on a line of its own.
std::string argument_text(const IRSlist& argument, bool is_list) {
  if (!is_list) return argument.text();
  std::string text;
  if (argument.is_nil()) return text;
  if (argument.is_atom()) return argument.text() + '\n';
  for (const IRSlist* element : argument.children()) {
    element->append_text(text);
    text += '\n';
  }
  return text;
}

}  // namespace

void set_debug_macro(std::optional<std::string> name) { debug_macro_setting() = std::move(name); }

const std::optional<std::string>& debug_macro() { return debug_macro_setting(); }

int MacroDefinition::parameter_index(std::string_view token) const {
  for (std::size_t i = 0; i < parameters_.size(); ++i)
    if (equal_nocase(parameters_[i].name, token)) return static_cast<int>(i);
  return -1;
}

bool MacroDefinition::expand(IRSlist& args, std::string& text) {
  const std::size_t count = args.length();
  if (count != parameters_.size())
    diag() << "Expecting " << parameters_.size() << " arguments for for '" << name_ << "'. Found: " << count << '\n'
           << std::flush;
  std::vector<std::string> values(parameters_.size());
  std::size_t position = 0;
  for (const IRSlist* argument : args.children()) {
    if (position == values.size()) break;
    values[position] = argument_text(*argument, parameters_[position].is_list);
    ++position;
  }

  text.clear();
  Tokenizer tokenizer(tokenizer_configs::kCommands);
  tokenizer.set_string_input(body_);
  while (const char* raw = tokenizer.next_token()) {
    const std::string_view token(raw, tokenizer.token_length());
    if (token.empty()) continue;
    const char first = token.front();
    if (is_letter(first)) {
      const int index = parameter_index(token);
      if (index >= 0)
        text += values[static_cast<std::size_t>(index)];
      else
        append_quoted(text, token);
    } else if (is_structure(first)) {
      text += token;
    } else if (first == '"') {
      std::string_view content = token.substr(1);
      if (tokenizer.last_quote_closed() && !content.empty()) content.remove_suffix(1);
      append_quoted(text, content);
    } else {
      append_quoted(text, token);
    }
  }
  show_if_debugged(text);
  return true;
}

void MacroDefinition::show_if_debugged(const std::string& text) const {
  const std::optional<std::string>& setting = debug_macro();
  if (!setting) return;
  if (!(setting->starts_with('*') || equal_nocase(*setting, name_))) return;
  diag() << "Expand macro: " << name_ << '\n' << text << '\n' << std::flush;
}

namespace {

std::vector<MacroDefinition::Parameter> take_parameters(IRSlist* list) {
  std::vector<MacroDefinition::Parameter> parameters;
  if (!list || list->is_nil()) return parameters;
  if (list->is_atom()) {
    parameters.push_back({list->atom(), false});
    return parameters;
  }
  for (IRSlist* element : list->children()) {
    if (element->is_atom()) {
      if (element->atom()) parameters.push_back({element->atom(), false});
      continue;
    }
    const char* name = element->take_atom();
    if (name) parameters.push_back({name, true});
  }
  return parameters;
}

}  // namespace

bool define_macro(IRSlist& args) {
  const char* name = args.take_atom();
  if (!name) return false;
  std::unique_ptr<IRSlist> parameter_list = args.take_first();
  std::vector<MacroDefinition::Parameter> parameters = take_parameters(parameter_list.get());
  std::string body;
  for (const IRSlist* element : args.children()) {
    element->append_text(body);
    body += '\n';
  }
  NameSpace* space = NameSpaces::current();
  if (!space) {
    diag() << "defmacro: there is no current name space for " << name << '\n' << std::flush;
    return false;
  }
  return space->add_macro(name, std::make_unique<MacroDefinition>(name, std::move(parameters), std::move(body)));
}

}  // namespace velmo
