#include "lexicon/attributes/trace_att.h"

#include "lexicon/attributes/att_vec.h"
#include "shell/lexp/types.h"
#include "shell/reader/irslist.h"

namespace velmo {

namespace {
TraceList* as_list(Word value) { return reinterpret_cast<TraceList*>(value); }

std::string default_record_text(const TraceRecord& record) {
  std::string text(1, '(');
  text += std::to_string(record.role);
  text += ' ';
  text += std::to_string(record.item);
  text += ')';
  return text;
}
}  // namespace

void TraceAtt::set(AttVec& vec, Word value) const {
  TraceList* old_list = as_list(get(vec));
  if (value) as_list(value)->add_ref();
  vec.set_word(slot(), value);
  TraceList::drop_ref(old_list);
}

TraceList* TraceAtt::private_list(AttVec& vec) const {
  TraceList* list = as_list(get(vec));
  if (list->refs() <= 1) return list;
  auto* copy = new TraceList;
  copy->records() = list->records();
  set(vec, to_word(copy));  // references the copy, releases the shared one
  return copy;
}

bool TraceAtt::unify_val(AttVec& vec, Word value, bool set_flag) const {
  if (!vec.defined(index())) {
    if (set_flag) put(vec, value);
    return true;
  }
  const Word stored = get(vec);
  if (value == 0 || stored == 0) return value == stored;
  if (set_flag) {
    TraceList* list = private_list(vec);
    const std::vector<TraceRecord> added = as_list(value)->records();  // value may be the list itself
    list->records().insert(list->records().end(), added.begin(), added.end());
  }
  return true;
}

void TraceAtt::print(std::ostream& out, const AttVec& vec) const {
  const TraceList* list = as_list(get(vec));
  if (!list) {
    out << '~' << name();
    return;
  }
  if (list->records().empty()) return;
  out << '(' << name();
  for (const TraceRecord& record : list->records()) out << ' ' << (printer_ ? printer_ : default_record_text)(record);
  out << ')';
}

Word TraceAtt::make_val(IRSlist& element) const {
  if (element.is_nil()) return 0;
  if (element.is_atom() && element.atom()[0] == '~') return 0;
  report_error("TraceAtt::make_val(IRSlist*) fails with argument: " + element.text());
  return 0;
}

void TraceAtt::drop_unclaimed(Word value) const {
  TraceList* list = as_list(value);
  if (list && list->refs() == 0) delete list;
}

}  // namespace velmo
