#include "lexicon/attributes/attribute_commands.h"

#include <iostream>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "lexicon/attributes/alias_file.h"
#include "lexicon/attributes/alias_set.h"
#include "lexicon/attributes/att_expressions.h"
#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_prototypes.h"
#include "lexicon/attributes/att_vec.h"
#include "shell/interpreter/interpreter.h"
#include "shell/lexp/types.h"
#include "shell/reader/irslist.h"
#include "shell/interpreter/name_space.h"

namespace velmo {

namespace {

// Interpreters made by defattribute wait here until a def-att-list places
// them, so a result word is only ever trusted when it was made here.
class UnplacedAttributes {
 public:
  static UnplacedAttributes& instance() {
    static UnplacedAttributes holder;
    return holder;
  }
  Word hold(std::unique_ptr<AttInterpreter> att) {
    const auto word = to_word(att.get());
    waiting_.emplace(word, std::move(att));
    return word;
  }
  std::unique_ptr<AttInterpreter> take(Word word) {
    auto it = waiting_.find(word);
    if (it == waiting_.end()) return nullptr;
    std::unique_ptr<AttInterpreter> att = std::move(it->second);
    waiting_.erase(it);
    return att;
  }

 private:
  std::unordered_map<Word, std::unique_ptr<AttInterpreter>> waiting_;
};

Word as_word(const void* p) { return to_word(p); }

// The type named by `name`, or the current type when there is no name.
AttInterpreterList* named_or_current(const char* name) {
  return name ? AttInterpreterList::find(name, true) : current_att_type();
}

bool next_is_named_atom(const IRSlist& args) {
  const IRSlist* first = args.children().first();
  return first && first->is_atom() && first->atom();
}

std::unique_ptr<AttInterpreter> make_attribute(IRSlist& args) {
  const char* name = args.take_atom();
  const char* type = name ? args.take_atom() : nullptr;
  if (!name || !type) {
    report_error("Missing argument: (defattribute <name> <type>)\n");
    return nullptr;
  }
  std::unique_ptr<AttInterpreter> att = get_attitp(type);
  if (!att || !att->name(name)) return nullptr;
  att->set_facets(args);
  return att;
}

Word defattribute(IRSlist& args) {
  std::unique_ptr<AttInterpreter> att = make_attribute(args);
  return att ? UnplacedAttributes::instance().hold(std::move(att)) : 0;
}

Word define_attribute(IRSlist& args) {
  AttInterpreterList* type = current_att_type();
  if (!type) {
    report_error("(define-attribute name-of-attribute type-of-val): there is no current att-type");
    return 0;
  }
  std::unique_ptr<AttInterpreter> att = make_attribute(args);
  AttInterpreter* placed = att.get();
  if (!att || !type->add(std::move(att))) return 0;
  return as_word(placed);
}

Word def_att_list(IRSlist& args) {
  const std::size_t capacity = args.length() + 1;
  const char* name = args.take_atom();
  if (!name) {
    report_error("Missing arguments in (def-att-list <name> ...)");
    return 0;
  }
  AttInterpreterList* list = AttInterpreterList::find(name, false);
  if (!list) {
    list = NameSpaces::define_owned(name, std::make_unique<AttInterpreterList>(name, capacity),
                                    AttInterpreterList::kTypeText);
    if (!list) return 0;
  }
  while (std::unique_ptr<IRSlist> element = args.take_first()) {
    if (!element->is_list()) continue;
    const Word result = Interpreter::instance().execute_form(*element);
    if (std::unique_ptr<AttInterpreter> att = UnplacedAttributes::instance().take(result)) list->add(std::move(att));
  }
  set_current_att_type(list);
  return as_word(list);
}

Word set_att_itp_list(IRSlist& args) {
  const char* name = args.take_atom();
  set_current_att_type(name ? AttInterpreterList::find(name, true) : nullptr);
  return 0;
}

Word make_av(IRSlist& args) {
  AttInterpreterList* type = named_or_current(next_is_named_atom(args) ? args.take_atom() : nullptr);
  if (!type) {
    report_error("Creating AttVec with nil Interpreter\n");
    return 0;
  }
  auto* vec = new AttVec(type);
  if (std::unique_ptr<IRSlist> text = args.take_first(); text && text->is_list()) vec->read(*text);
  return as_word(type->keep(vec));
}

// The vector an alias stands for: the result of a command form, or, with a
// type name first, a vector of that type read from the next argument.
AttVec* alias_vector(IRSlist& args, AttInterpreterList*& type) {
  if (next_is_named_atom(args)) {
    type = AttInterpreterList::find(args.take_atom(), true);
    std::unique_ptr<IRSlist> text = args.take_first();
    if (!type || !text || !text->is_list()) return nullptr;
    return type->keep(new AttVec(type, *text));
  }
  std::unique_ptr<IRSlist> form = args.take_first();
  if (!form || !form->is_list()) return nullptr;
  return AttInterpreterList::find_kept(Interpreter::instance().execute_form(*form), &type);
}

Word alias(IRSlist& args) {
  const char* name = args.take_atom();
  if (!name) return 0;
  const std::string alias_name = name;
  AttInterpreterList* type = nullptr;
  AttVec* vec = alias_vector(args, type);
  if (!vec) return 0;
  type->aliases().add(alias_name, vec);
  return as_word(vec);
}

Word load_aliases(IRSlist& args) {
  const char* file = args.take_atom();
  if (!file) return 0;
  const std::string base = file;
  AttInterpreterList* type = named_or_current(args.take_atom());
  if (!type) return 0;
  SearchPath& path = Interpreter::instance().search_path();
  if (std::optional<std::string> data = path.find(base + ".dat")) {
    load_alias_file(*type, *data);
  } else if (path.find(base + ".lsp")) {
    Interpreter::instance().load_file(base + ".lsp");
  }
  return 0;
}

Word save_aliases(IRSlist& args) {
  const char* file = args.take_atom();
  if (!file) return 0;
  const std::string path = file;
  const AttInterpreterList* type = named_or_current(args.take_atom());
  if (type) save_alias_file(*type, path);
  return 0;
}

Word clear_alias(IRSlist& args) {
  if (args.is_nil()) return 0;
  if (AttInterpreterList* type = current_att_type()) type->aliases().clear();
  return 0;
}

Word print_alias(IRSlist& args) {
  const char* which = args.take_atom();
  const AttInterpreterList* type = current_att_type();
  if (!which || !type) return 0;
  if (std::string_view(which) == "*") {
    for (const AliasSet::Alias* alias : type->aliases().in_order())
      std::cout << alias->name << ": " << alias->vec->text() << '\n';
  } else if (const AttVec* vec = type->aliases().find(which)) {
    std::cout << vec->text() << '\n';
  } else {
    report_error(std::string(which) + " is not an alias");
  }
  std::cout << std::flush;
  return 0;
}

Word def_att_set(IRSlist& args) {
  if (args.is_nil()) {
    report_error("(def-att-set type-of-attvec name att1 att2 ... attn)");
    return 0;
  }
  const char* type_name = args.take_atom();
  const char* set_name = args.take_atom();
  AttInterpreterList* type = type_name ? AttInterpreterList::find(type_name, true) : nullptr;
  if (!type || !set_name) return 0;
  std::vector<std::string_view> names;
  for (const IRSlist* item : args.children())
    if (item->is_atom() && item->atom()) names.emplace_back(item->atom());
  return as_word(type->define_att_set(set_name, type->make_att_set(names)));
}

}  // namespace

void register_attribute_commands(Interpreter& interpreter) {
  register_att_prototypes();
  interpreter.add_command("defattribute", &defattribute,
                          "(defattribute <att-name> <att-type> <other-parameters>) ---define an attribute");
  interpreter.add_command("def-att-list", &def_att_list,
                          "(def-att-list <type-of-attvec>\n  (defattribute ....)\n  (defattribute ....)\n  ....\n  ) "
                          "--- \ndefine a new type of attribute value vector");
  interpreter.add_command("make-av", &make_av,
                          "(make-av [type-of-attvec] <attvec>) --- make an attribute value vector");
  interpreter.add_command("load-aliases", &load_aliases, "(load-aliases file) load alias definitions from file.");
  interpreter.add_command("save-aliases", &save_aliases, "(save-aliases file) save the aliases in file.");
  interpreter.add_command("alias", &alias, "(alias name [att-type] (ATTRIBUTES)) define an alias");
  interpreter.add_command("clear-alias", &clear_alias, "(clear-alias att-type) remove all the definitions of att-type");
  interpreter.mark_freeing("clear-alias");
  interpreter.add_command("print-alias", &print_alias, "(print-alias) print the aliases of the current att-type.");
  interpreter.add_command("set-att-itp-list", &set_att_itp_list,
                          "(set-att-itp-list att-type) set the current att-type.");
  interpreter.add_command(
      "def-att-set", &def_att_set,
      "(def-att-set att-type name att1 att2 ...) define a set of attribute values and assign it a name.");
  interpreter.add_command("define-attribute", &define_attribute, "(define-attribute name-of-attribute type-of-val)");
  register_attribute_expressions();
}

}  // namespace velmo
