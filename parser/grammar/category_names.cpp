#include "parser/grammar/category_names.h"

#include "lexicon/attributes/att_list.h"
#include "lexicon/attributes/att_vec.h"
#include "parser/grammar/builtin_attributes.h"

namespace velmo {

std::string_view cat_short_name(const AttVec& vec) {
  const BuiltinAttributes& b = builtin_attributes();
  if (b.cat < 0 || !vec.defined(b.cat)) return {};
  return b.cat_short_name(vec.get(b.cat));
}

std::vector<AttVec*> args_of(const AttVec& vec) {
  std::vector<AttVec*> out;
  const int args = builtin_attributes().args;
  if (args < 0 || !vec.defined(args)) return out;
  const auto* list = reinterpret_cast<const AttList*>(vec.get(args));
  if (!list) return out;
  for (std::size_t i = 0; i < list->size(); ++i) out.push_back(list->at(i));
  return out;
}

bool flag_set(const AttVec& vec, int index) { return index >= 0 && vec.defined(index) && vec.get(index) != 0; }

bool defined_zero(const AttVec& vec, int index) { return index >= 0 && vec.defined(index) && vec.get(index) == 0; }

std::string category_name(const AttVec& vec) {
  const BuiltinAttributes& b = builtin_attributes();
  if (b.node >= 0 && vec.defined(b.node)) return vec.str_val(b.node);
  const std::string_view cat = cat_short_name(vec);
  if (cat.empty()) return {};
  std::string name;
  const std::vector<AttVec*> args = args_of(vec);
  if (flag_set(vec, b.head_final)) {
    for (const AttVec* arg : args) name.append(cat_short_name(*arg)).append("_");
    name.append(cat);
  } else {
    name.append(cat);
    for (const AttVec* arg : args) name.append("_").append(cat_short_name(*arg));
  }
  return name;
}

}  // namespace velmo
