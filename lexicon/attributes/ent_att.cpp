#include "lexicon/attributes/ent_att.h"

#include <cstdio>

#include "lexicon/attributes/att_vec.h"
#include "shell/reader/irslist.h"

namespace velmo {

void EntAtt::set_facets(IRSlist& facets) {
  for (const IRSlist* facet : facets.children()) {
    const IRSlist* head = facet->is_list() ? facet->children().first() : facet;
    const char* facet_name = head->is_atom() && head->atom() ? head->atom() : "";
    if (std::string_view(facet_name) != "default" || !facet->is_list()) {
      report_error(std::string("EntAtt::EntAtt unknown facet ") + facet_name);
      continue;
    }
    // The element after the facet name, read as a value of this attribute.
    const IRSlist* value = facet->children().nth(1);
    IRSlist empty;
    IRSlist atom(value && value->is_atom() ? value->atom() : nullptr);
    set_default(value && value->is_list() ? make_val(empty) : make_val(atom));
  }
}

bool EntAtt::unify_val(AttVec& vec, Word value, bool set_flag) const {
  if (!unify_hook_ || !vec.defined(index())) return AttInterpreter::unify_val(vec, value, set_flag);
  const Word combined = unify_hook_(get(vec), value);
  if (combined == 0) return false;
  if (set_flag) set(vec, combined);
  return true;
}

void EntAtt::print(std::ostream& out, const AttVec& vec) const {
  out << '(' << name() << ' ' << str_val(get(vec)) << ')';
}

std::string EntAtt::str_val(Word value) const {
  if (print_hook_) return print_hook_(value);
  char text[2 + 2 * sizeof(Word) + 1];
  std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
  return text;
}

Word EntAtt::make_val(IRSlist& element) const {
  if (element.is_nil()) return default_value();
  return AttInterpreter::make_val(element);
}

}  // namespace velmo
