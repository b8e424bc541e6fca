#include "lexicon/attributes/att_interpreter.h"

#include <iostream>
#include <string>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/byte_cursor.h"
#include "shell/reader/irslist.h"
#include "shell/support/diagnostics.h"
#include "shell/support/str_bufs.h"

namespace velmo {

void report_error(std::string_view text) {
  diag() << text;
  if (text.empty() || text.back() != '\n') diag() << '\n';
  diag() << std::flush;
}

Word AttInterpreter::bad_value(std::string_view value) const {
  report_error("Oops! The attribute '" + name_ + "' cannot have '" + std::string(value) + "' as value");
  return 0;
}

void AttInterpreter::set_facets(IRSlist& facets) {
  for (const IRSlist* facet : facets.children())
    report_error("Unrecognized facet specification for attribute " + name_ + " " + facet->text());
}

bool AttInterpreter::name(std::string_view new_name) {
  if (new_name.empty()) {
    report_error("AttInterpreter::name(<name>): <name> must not be nil.");
    return false;
  }
  name_ = new_name;
  return true;
}

void AttInterpreter::generalize(AttVec& vec, const AttVec& other) const {
  if (!vec.defined(index_)) return;
  if (other.defined(index_) && compare(get(vec), get(other)) == 0) return;
  vec.remove(index_);
}

void AttInterpreter::subtract(AttVec& vec, const AttVec& other) const {
  if (vec.defined(index_) && other.defined(index_) && compare(get(vec), get(other)) == 0) vec.remove(index_);
}

bool AttInterpreter::unify_val(AttVec& vec, Word value, bool set_flag) const {
  if (!vec.defined(index_)) {
    if (set_flag) put(vec, value);
    return true;
  }
  return get(vec) == value;
}

void AttInterpreter::put(AttVec& vec, Word value) const {
  vec.mark_defined(index_);
  set(vec, value);
}

void AttInterpreter::release(AttVec& vec) const { set(vec, 0); }

int AttInterpreter::compare(Word a, Word b) const { return a == b ? 0 : 2; }

float AttInterpreter::distance(const AttVec& vec, const AttVec& other) const {
  return compare(get(vec), get(other)) != 0 ? weight_ : 0.0f;
}

void AttInterpreter::print_text(std::ostream& out, const std::string& text) const {
  if (!text.empty() && (text[0] == '+' || text[0] == '-' || text[0] == '~'))
    out << text[0] << name_;
  else
    out << '(' << name_ << ' ' << text << ')';
}

void AttInterpreter::print(std::ostream& out, const AttVec& vec) const { print_text(out, str_val(get(vec))); }

std::string AttInterpreter::str_val(Word) const {
  report_error("invalid AttType for AttVec::str_val");
  return {};
}

const char* AttInterpreter::value_atom(const IRSlist& element, bool* is_list) {
  if (is_list) *is_list = false;
  if (element.is_atom()) return element.atom();
  const IRSlist* first = element.children().first();
  if (first->is_list()) {
    if (is_list) *is_list = true;
    return nullptr;
  }
  return first->atom();
}

bool AttInterpreter::value_text(const IRSlist& element, std::string_view& text) const {
  bool is_list = false;
  const char* atom = value_atom(element, &is_list);
  if (is_list) {
    bad_value(element.children().first()->text());
    return false;
  }
  text = atom ? std::string_view(atom) : std::string_view();
  return true;
}

Word AttInterpreter::make_val(IRSlist& element) const {
  const char* atom = value_atom(element);
  if (atom && atom[0] == '~') return 0;
  report_error("AttInterpreter " + name_ + " doesn't know how to make value: " + element.text());
  return 0;
}

Word AttInterpreter::get_val(std::string_view) const {
  report_error(std::string("AttInterpreter::get_val(const char* value) should not be called by ") + type_name());
  return static_cast<Word>(-1);
}

void AttInterpreter::pack(const AttVec&, StrBufs&) const {}

bool AttInterpreter::unpack(AttVec&, ByteCursor&) const { return true; }

// ---- CharAtt

void CharAtt::allocate(AttInterpreterList& list) { set_slot(list.reserve_byte()); }

Word CharAtt::get(const AttVec& vec) const { return vec.byte_at(slot()); }

void CharAtt::set(AttVec& vec, Word value) const { vec.set_byte(slot(), static_cast<std::uint8_t>(value)); }

void CharAtt::pack(const AttVec& vec, StrBufs& out) const { out.push(static_cast<char>(get(vec))); }

bool CharAtt::unpack(AttVec& vec, ByteCursor& in) const {
  std::uint8_t b;
  if (!in.read_u8(b)) return false;
  set(vec, b);
  return true;
}

// ---- LongVAtt

void LongVAtt::allocate(AttInterpreterList& list) { set_slot(list.reserve_word()); }

Word LongVAtt::get(const AttVec& vec) const { return vec.word_at(slot()); }

void LongVAtt::set(AttVec& vec, Word value) const { vec.set_word(slot(), value); }

void LongVAtt::pack(const AttVec& vec, StrBufs& out) const { out.put_u32(static_cast<std::uint32_t>(get(vec))); }

bool LongVAtt::unpack(AttVec& vec, ByteCursor& in) const {
  std::uint32_t v;
  if (!in.read_u32(v)) return false;
  set(vec, v);
  return true;
}

}  // namespace velmo
