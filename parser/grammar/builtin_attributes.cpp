#include "parser/grammar/builtin_attributes.h"

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/trace_att.h"
#include "parser/chart/pitem.h"
#include "shell/interpreter/interpreter.h"
#include "shell/interpreter/name_space.h"
#include "shell/support/current.h"

namespace velmo {
namespace {

struct NamedIndex {
  const char* name;
  int BuiltinAttributes::*field;
};

constexpr NamedIndex kAttributes[] = {
    {"args", &BuiltinAttributes::args},
    {"cform", &BuiltinAttributes::cform},
    {"check", &BuiltinAttributes::check},
    {"control", &BuiltinAttributes::control},
    {"govern", &BuiltinAttributes::govern},
    {"guest", &BuiltinAttributes::guest},
    {"head_final", &BuiltinAttributes::head_final},
    {"last_conj", &BuiltinAttributes::last_conj},
    {"lexitem", &BuiltinAttributes::lexitem},
    {"move", &BuiltinAttributes::move},
    {"node", &BuiltinAttributes::node},
    {"opt", &BuiltinAttributes::opt},
    {"pform", &BuiltinAttributes::pform},
    {"rare", &BuiltinAttributes::rare},
    {"ref", &BuiltinAttributes::ref},
    {"role", &BuiltinAttributes::role},
    {"slash", &BuiltinAttributes::slash},
    {"trace", &BuiltinAttributes::trace},
    {"cat", &BuiltinAttributes::cat},
    {"cm", &BuiltinAttributes::cm},
    {"vform", &BuiltinAttributes::vform},
};

struct NamedValue {
  const char* text;
  Word BuiltinAttributes::*field;
  const char* short_name;
};

constexpr NamedValue kCatValues[] = {
    {"v", &BuiltinAttributes::cat_v, "V"}, {"p", &BuiltinAttributes::cat_p, "P"},
    {"n", &BuiltinAttributes::cat_n, "N"}, {"j", &BuiltinAttributes::cat_j, "Conn"},
    {"i", &BuiltinAttributes::cat_i, "I"}, {"d", &BuiltinAttributes::cat_d, "Det"},
    {"c", &BuiltinAttributes::cat_c, "C"}, {"a", &BuiltinAttributes::cat_a, "A"},
};

Word value_of(const AttInterpreterList& syn, int index, const char* text) {
  if (index < 0) return BuiltinAttributes::kNoValue;
  return syn.attribute(index).get_val(text);
}

// The type the binding was made from; deleting it resets the binding.
void reset_binding() { builtin_attributes() = BuiltinAttributes{}; }

Current<const AttInterpreterList>& bound_type() {
  static Current<const AttInterpreterList> setting(&reset_binding);
  return setting;
}

Word init_attributes_command(IRSlist&) {
  auto* syn = NameSpaces::lookup_as<AttInterpreterList>("syn", AttInterpreterList::kTypeText);
  if (!syn) return 0;
  bind_builtin_attributes(*syn);
  return reinterpret_cast<Word>(syn);
}

}  // namespace

std::string_view BuiltinAttributes::cat_short_name(Word value) const {
  if (value == kNoValue) return {};
  for (const NamedValue& v : kCatValues)
    if (this->*v.field == value) return v.short_name;
  return {};
}

BuiltinAttributes& builtin_attributes() {
  static BuiltinAttributes binding;
  return binding;
}

const BuiltinAttributes& bind_builtin_attributes(const AttInterpreterList& syn) {
  BuiltinAttributes& binding = builtin_attributes();
  binding = BuiltinAttributes{};
  binding.type = &syn;
  bound_type().set(&syn);
  for (const NamedIndex& att : kAttributes) binding.*att.field = syn.index_of(att.name);
  for (const NamedValue& value : kCatValues) binding.*value.field = value_of(syn, binding.cat, value.text);
  binding.slash_wh = value_of(syn, binding.slash, "wh");
  if (binding.trace >= 0)
    if (auto* trace = dynamic_cast<TraceAtt*>(&syn.attribute(binding.trace)))
      trace->set_record_printer(&trace_record_text);
  return binding;
}

// A trace record as "(ROLE [START,END])": the role's value and the span of
// the item the element moved from.
std::string trace_record_text(const TraceRecord& record) {
  const BuiltinAttributes& b = builtin_attributes();
  std::string text = "(";
  text += b.type && b.role >= 0 ? b.type->attribute(b.role).str_val(record.role) : std::to_string(record.role);
  if (const auto* item = reinterpret_cast<const PItem*>(record.item)) {
    text += " [";
    text += std::to_string(item->start);
    text += ',';
    text += std::to_string(item->end);
    text += ']';
  }
  text += ')';
  return text;
}

void register_builtin_attribute_commands(Interpreter& interpreter) {
  interpreter.add_command("init-attributes", init_attributes_command, nullptr);
}

}  // namespace velmo
