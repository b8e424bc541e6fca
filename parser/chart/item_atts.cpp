#include "parser/chart/item_atts.h"

#include "lexicon/attributes/att_list.h"
#include "lexicon/attributes/complex_atts.h"
#include "lexicon/attributes/trace_att.h"

namespace velmo {
namespace {

const ListAtt* list_interpreter(const AttVec& vec, int index) {
  if (index < 0 || !vec.type() || index >= vec.type()->count()) return nullptr;
  return dynamic_cast<const ListAtt*>(&vec.type()->attribute(index));
}

}  // namespace

AttList* defined_list_of(const AttVec& vec, int index) {
  if (!list_interpreter(vec, index)) return nullptr;
  return reinterpret_cast<AttList*>(vec.get(index));
}

AttList* private_list_of(AttVec& vec, int index) {
  const ListAtt* att = list_interpreter(vec, index);
  if (!att || !list_of(vec, index)) return nullptr;
  return att->private_list(vec);
}

AttVec* private_element(AttVec& vec, int index, std::size_t i) {
  AttList* list = private_list_of(vec, index);
  return list && i < list->size() ? list->private_at(i) : nullptr;
}

std::size_t list_size(const AttVec& vec, int index) {
  const AttList* list = list_of(vec, index);
  return list ? list->size() : 0;
}

void fill_gap(AttVec& vec, std::size_t i, AttVec& trace_to) {
  const BuiltinAttributes& b = builtin_attributes();
  AttList* list = private_list_of(vec, b.move);
  if (!list || i >= list->size()) return;
  AttVec* element = list->take(i);
  const Word trace = att_value(*element, b.trace);
  if (trace && b.trace >= 0) trace_to.set(b.trace, trace);
  AttVec::drop_ref(element);
  if (list->empty()) vec.remove(b.move);
}

Word make_trace(Word role, PItem* item) {
  auto* list = new TraceList;
  list->records().push_back({role, reinterpret_cast<Word>(item)});
  return reinterpret_cast<Word>(list);
}

}  // namespace velmo
