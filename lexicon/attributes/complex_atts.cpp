#include "lexicon/attributes/complex_atts.h"

#include <algorithm>
#include <sstream>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_list.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/byte_cursor.h"
#include "shell/lexp/types.h"
#include "shell/reader/irslist.h"
#include "shell/support/str_bufs.h"

namespace velmo {

namespace {
AttVec* as_vec(Word value) { return reinterpret_cast<AttVec*>(value); }
AttList* as_list(Word value) { return reinterpret_cast<AttList*>(value); }
Word as_word(const void* p) { return to_word(p); }
}  // namespace

int combine_comparison(int running, int next) {
  if (next == 0) return running;
  if (next == 2 || next == -2) return 2;
  if (running == 0) return next;
  return running == next ? running : 2;
}

// ---- ComplexAtt

void ComplexAtt::set_facets(IRSlist& facets) {
  for (const IRSlist* facet : facets.children()) {
    if (!facet->is_list()) continue;
    const IRSlist* head = facet->children().first();
    const IRSlist* type_name = facet->children().nth(1);
    if (!head->is_atom() || !head->atom() || std::string_view(head->atom()) != "interpreter") continue;
    if (type_name && type_name->is_atom() && type_name->atom())
      nested_ = AttInterpreterList::find(type_name->atom(), true);
  }
}

const AttInterpreterList* ComplexAtt::nested_type() const { return nested_ ? nested_ : owner(); }

bool ComplexAtt::value_part_is_list(const IRSlist& element) const {
  if (element.is_nil()) return false;
  if (element.is_atom()) {
    if (element.atom()[0] != '~') bad_value(element.atom());
    return false;
  }
  return true;
}

AttVec* ComplexAtt::read_nested(IRSlist& text, int depth) const {
  if (depth >= kMaxNesting) {
    report_error("The value of " + name() + " is nested more than " + std::to_string(kMaxNesting) + " vectors deep");
    return nullptr;
  }
  auto* vec = new AttVec(nested_type());
  if (!vec->usable()) {
    delete vec;
    return nullptr;
  }
  vec->read(text, depth + 1);
  return vec;
}

// ---- VecAtt

void VecAtt::set(AttVec& vec, Word value) const {
  AttVec* old_value = as_vec(get(vec));
  if (value) as_vec(value)->add_ref();
  vec.set_word(slot(), value);
  if (old_value) AttVec::drop_ref(old_value);
}

AttVec* VecAtt::private_value(AttVec& vec) const {
  AttVec* nested = as_vec(get(vec));
  if (nested->refs() > 1) set(vec, as_word(new AttVec(*nested)));
  return as_vec(get(vec));
}

bool VecAtt::unify_val(AttVec& vec, Word value, bool set_flag) const {
  if (!vec.defined(index())) {
    if (set_flag) put(vec, value);
    return true;
  }
  const Word stored = get(vec);
  if (value == 0 || stored == 0) return value == stored;
  if (!set_flag) return as_vec(stored)->unifiable(*as_vec(value));
  return private_value(vec)->unify(*as_vec(value));
}

void VecAtt::put(AttVec& vec, Word value) const {
  if (!vec.defined(index()) || get(vec) == 0 || value == 0) {
    AttInterpreter::put(vec, value);
    return;
  }
  private_value(vec)->overwrite(*as_vec(value));
}

void VecAtt::generalize(AttVec& vec, const AttVec& other) const {
  if (!vec.defined(index())) return;
  const Word theirs = other.defined(index()) ? get(other) : 0;
  if (!other.defined(index()) || get(vec) == 0 || theirs == 0) {
    AttInterpreter::generalize(vec, other);
    return;
  }
  private_value(vec)->generalize(*as_vec(theirs));
}

void VecAtt::subtract(AttVec& vec, const AttVec& other) const {
  if (!vec.defined(index()) || !other.defined(index())) return;
  const Word mine = get(vec);
  const Word theirs = get(other);
  if (mine == 0 || theirs == 0) return;
  if (as_vec(mine)->compare(*as_vec(theirs)) == 0) {
    vec.remove(index());
    return;
  }
  private_value(vec)->subtract(*as_vec(theirs));
}

int VecAtt::compare(Word a, Word b) const {
  if (a && b) return as_vec(a)->compare(*as_vec(b));
  return a == b ? 0 : 2;
}

void VecAtt::print(std::ostream& out, const AttVec& vec) const {
  const AttVec* nested = as_vec(get(vec));
  if (!nested) {
    out << '~' << name();
    return;
  }
  if (nested->empty()) return;
  out << '(' << name() << ' ';
  nested->print(out);
  out << ')';
}

std::string VecAtt::str_val(Word value) const { return value ? as_vec(value)->text() : "~"; }

Word VecAtt::make_nested_val(IRSlist& element, int depth) const {
  if (!value_part_is_list(element)) return 0;
  IRSlist* first = element.children().first();
  if (first->is_atom() && !first->is_nil()) return bad_value(first->atom());
  return as_word(read_nested(*first, depth));
}

void VecAtt::pack(const AttVec& vec, StrBufs& out) const {
  if (const AttVec* nested = as_vec(get(vec))) nested->pack(out);
}

bool VecAtt::unpack(AttVec& vec, ByteCursor& in) const {
  if (!in.enter()) return false;
  auto* nested = new AttVec(nested_type());
  const bool ok = nested->usable() && nested->unpack(in);
  in.leave();
  if (!ok) {
    delete nested;
    return false;
  }
  set(vec, as_word(nested));
  return true;
}

void VecAtt::drop_unclaimed(Word value) const { AttVec::drop_if_unclaimed(as_vec(value)); }

// ---- ListAtt

void ListAtt::set(AttVec& vec, Word value) const {
  AttList* old_value = as_list(get(vec));
  if (value) as_list(value)->add_ref();
  vec.set_word(slot(), value);
  AttList::drop_ref(old_value);
}

AttList* ListAtt::private_list(AttVec& vec) const {
  AttList* list = as_list(get(vec));
  if (list->refs() > 1) set(vec, as_word(new AttList(*list)));
  return as_list(get(vec));
}

int ListAtt::compare_prefix(const AttList& a, const AttList& b, std::size_t n) {
  int result = 0;
  for (std::size_t k = 0; k < n && result != 2; ++k) result = combine_comparison(result, a.at(k)->compare(*b.at(k)));
  return result;
}

bool ListAtt::unify_prefix(AttVec& vec, const AttList& value, std::size_t n, bool set_flag) const {
  if (!set_flag) {
    const AttList& stored = *as_list(get(vec));
    for (std::size_t k = 0; k < n; ++k)
      if (!stored.at(k)->unifiable(*value.at(k))) return false;
    return true;
  }
  AttList* mine = private_list(vec);
  for (std::size_t k = 0; k < n; ++k)
    if (!mine->private_at(k)->unify(*value.at(k))) return false;
  return true;
}

bool ListAtt::unify_val(AttVec& vec, Word value, bool set_flag) const {
  if (!vec.defined(index())) {
    if (set_flag) put(vec, value);
    return true;
  }
  const Word stored = get(vec);
  if (value == 0 || stored == 0) return value == stored;
  const AttList& theirs = *as_list(value);
  if (as_list(stored)->size() != theirs.size()) return false;
  return unify_prefix(vec, theirs, theirs.size(), set_flag);
}

void ListAtt::put(AttVec& vec, Word value) const {
  if (!vec.defined(index()) || get(vec) == 0 || value == 0) {
    AttInterpreter::put(vec, value);
    return;
  }
  const AttList& theirs = *as_list(value);
  AttList* mine = private_list(vec);
  const std::size_t common = std::min(mine->size(), theirs.size());
  for (std::size_t k = 0; k < common; ++k) mine->private_at(k)->overwrite(*theirs.at(k));
  for (std::size_t k = common; k < theirs.size(); ++k) mine->append(new AttVec(*theirs.at(k)));
}

void ListAtt::generalize(AttVec& vec, const AttVec& other) const {
  if (!vec.defined(index())) return;
  const Word theirs = other.defined(index()) ? get(other) : 0;
  if (!other.defined(index()) || get(vec) == 0 || theirs == 0) {
    AttInterpreter::generalize(vec, other);
    return;
  }
  const AttList& other_list = *as_list(theirs);
  if (as_list(get(vec))->size() != other_list.size()) {
    vec.remove(index());
    return;
  }
  AttList* mine = private_list(vec);
  for (std::size_t k = 0; k < other_list.size(); ++k) mine->private_at(k)->generalize(*other_list.at(k));
}

void ListAtt::subtract(AttVec& vec, const AttVec& other) const {
  if (!vec.defined(index()) || !other.defined(index())) return;
  const Word theirs = get(other);
  if (get(vec) == 0 || theirs == 0) {
    AttInterpreter::subtract(vec, other);
    return;
  }
  const AttList& other_list = *as_list(theirs);
  if (as_list(get(vec))->size() != other_list.size()) return;
  AttList* mine = private_list(vec);
  for (std::size_t k = 0; k < other_list.size(); ++k) mine->private_at(k)->subtract(*other_list.at(k));
  if (mine->all_empty()) vec.remove(index());
}

int ListAtt::compare(Word a, Word b) const {
  if (!a || !b) return AttInterpreter::compare(a, b);
  const AttList& x = *as_list(a);
  const AttList& y = *as_list(b);
  if (x.size() != y.size()) return 2;
  return compare_prefix(x, y, x.size());
}

void ListAtt::print(std::ostream& out, const AttVec& vec) const {
  const AttList* list = as_list(get(vec));
  if (!list) {
    out << '~' << name();
    return;
  }
  if (list->all_empty()) return;
  out << '(' << name() << str_val(get(vec)) << ')';
}

std::string ListAtt::str_val(Word value) const {
  std::ostringstream text;
  if (const AttList* list = as_list(value))
    for (std::size_t k = 0; k < list->size(); ++k) {
      text << ' ';
      list->at(k)->print(text);
    }
  return text.str();
}

Word ListAtt::make_nested_val(IRSlist& element, int depth) const {
  if (!value_part_is_list(element)) return 0;
  auto* list = new AttList;
  for (IRSlist* item : element.children()) {
    if (item->is_atom() && !item->is_nil()) {
      bad_value(item->atom());
      continue;
    }
    if (AttVec* nested = read_nested(*item, depth)) list->append(nested);
  }
  return as_word(list);
}

void ListAtt::pack(const AttVec& vec, StrBufs& out) const {
  const AttList* list = as_list(get(vec));
  const std::size_t n = list ? std::min<std::size_t>(list->size(), 0xFFFF) : 0;
  out.put_u16(static_cast<std::uint16_t>(n));
  for (std::size_t k = 0; k < n; ++k) list->at(k)->pack(out);
}

bool ListAtt::unpack(AttVec& vec, ByteCursor& in) const {
  std::uint16_t n;
  if (!in.read_u16(n) || !in.enter()) return false;
  auto* list = new AttList;
  bool ok = true;
  for (std::uint16_t k = 0; k < n && ok; ++k) {
    auto* nested = new AttVec(nested_type());
    ok = nested->usable() && nested->unpack(in);
    if (ok)
      list->append(nested);
    else
      delete nested;
  }
  in.leave();
  if (!ok) {
    delete list;
    return false;
  }
  set(vec, as_word(list));
  return true;
}

void ListAtt::drop_unclaimed(Word value) const {
  AttList* list = as_list(value);
  if (list && list->refs() == 0) delete list;
}

// ---- StackAtt

bool StackAtt::unify_val(AttVec& vec, Word value, bool set_flag) const {
  if (!vec.defined(index())) {
    if (set_flag) put(vec, value);
    return true;
  }
  const Word stored = get(vec);
  if (value == 0 || stored == 0) return value == stored;
  const AttList& theirs = *as_list(value);
  const std::size_t common = std::min(as_list(stored)->size(), theirs.size());
  if (!unify_prefix(vec, theirs, common, set_flag)) return false;
  if (set_flag) {
    AttList* mine = private_list(vec);
    for (std::size_t k = common; k < theirs.size(); ++k) mine->append(theirs.at(k));  // shared
  }
  return true;
}

void StackAtt::generalize(AttVec& vec, const AttVec& other) const {
  if (!vec.defined(index())) return;
  const Word theirs = other.defined(index()) ? get(other) : 0;
  if (!other.defined(index()) || get(vec) == 0 || theirs == 0) {
    AttInterpreter::generalize(vec, other);
    return;
  }
  const AttList& other_list = *as_list(theirs);
  AttList* mine = private_list(vec);
  const std::size_t common = std::min(mine->size(), other_list.size());
  for (std::size_t k = 0; k < common; ++k) mine->private_at(k)->generalize(*other_list.at(k));
  mine->truncate(common);
}

void StackAtt::subtract(AttVec& vec, const AttVec& other) const {
  if (!vec.defined(index()) || !other.defined(index())) return;
  const Word theirs = get(other);
  if (get(vec) == 0 || theirs == 0) return;
  const AttList& other_list = *as_list(theirs);
  AttList* mine = private_list(vec);
  const std::size_t common = std::min(mine->size(), other_list.size());
  for (std::size_t k = 0; k < common; ++k) mine->private_at(k)->subtract(*other_list.at(k));
}

int StackAtt::compare(Word a, Word b) const {
  if (!a || !b) return AttInterpreter::compare(a, b);
  const AttList& x = *as_list(a);
  const AttList& y = *as_list(b);
  const int prefix = compare_prefix(x, y, std::min(x.size(), y.size()));
  if (x.size() == y.size()) return prefix;
  return combine_comparison(prefix, x.size() > y.size() ? 1 : -1);
}

}  // namespace velmo
