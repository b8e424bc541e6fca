#pragma once
// The attributes and values the parser reads by name, bound by
// `init-attributes` in the attribute vector type "syn".
#include <string>
#include <string_view>

#include "shell/support/slist.h"

namespace velmo {

class AttInterpreterList;
struct TraceRecord;
class Interpreter;

struct BuiltinAttributes {
  static constexpr Word kNoValue = static_cast<Word>(-1);

  // Null until bound; deleting the bound type resets the whole binding.
  const AttInterpreterList* type = nullptr;
  // Indices of the attributes in "syn"; -1 when the type lacks one.
  int args = -1, cform = -1, check = -1, control = -1, govern = -1, guest = -1, head_final = -1, last_conj = -1,
      lexitem = -1, move = -1, node = -1, opt = -1, pform = -1, rare = -1, ref = -1, role = -1, slash = -1, trace = -1,
      cat = -1, cm = -1, vform = -1;
  // Values of "cat" the parser compares with, and the value "wh" of "slash".
  Word cat_v = kNoValue, cat_p = kNoValue, cat_n = kNoValue, cat_j = kNoValue, cat_i = kNoValue, cat_d = kNoValue,
       cat_c = kNoValue, cat_a = kNoValue;
  Word slash_wh = kNoValue;

  // The short name of a "cat" value, used to name categories ("N", "Det"...);
  // empty for any other value.
  std::string_view cat_short_name(Word value) const;
};

// The process-wide binding used by the parser.
BuiltinAttributes& builtin_attributes();

// Binds the vocabulary in `syn`; returns the binding.
const BuiltinAttributes& bind_builtin_attributes(const AttInterpreterList& syn);

// How the parser's trace records print inside a "trace" attribute:
// "(ROLE [START,END])", ROLE the role's value, START,END the span of the
// item the moved element came from. `init-attributes` installs it.
std::string trace_record_text(const TraceRecord& record);

// Registers `init-attributes`.
void register_builtin_attribute_commands(Interpreter& interpreter);

}  // namespace velmo
