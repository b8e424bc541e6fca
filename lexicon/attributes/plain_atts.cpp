#include "lexicon/attributes/plain_atts.h"

#include <string>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/byte_cursor.h"
#include "shell/reader/irslist.h"
#include "shell/support/str_bufs.h"

namespace velmo {

std::int32_t parse_decimal(const char* text) {
  if (!text) return 0;
  while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r' || *text == '\f' || *text == '\v') ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  std::uint32_t n = 0;  // wraps on overflow instead of failing
  for (; *text >= '0' && *text <= '9'; ++text) n = n * 10u + static_cast<std::uint32_t>(*text - '0');
  if (negative) n = 0u - n;
  return static_cast<std::int32_t>(n);
}

namespace {
std::string owned(std::string_view text) { return std::string(text); }
}  // namespace

// ---- BinAtt

void BinAtt::allocate(AttInterpreterList& list) {
  list.add_binary(index());
  set_slot(index());
}

Word BinAtt::get(const AttVec& vec) const { return vec.binary_value(index()) ? 1 : 0; }

void BinAtt::set(AttVec& vec, Word value) const { vec.set_binary_value(index(), value != 0); }

Word BinAtt::make_val(IRSlist& element) const {
  std::string_view text;
  if (!value_text(element, text)) return 0;
  return get_val(text);
}

Word BinAtt::get_val(std::string_view text) const {
  if (!text.empty() && text[0] == '+') return 1;
  if (!text.empty() && text[0] == '-') return 0;
  report_error("BinAtt::get_val " + owned(text) + " is not a valid value for binary attribute");
  return 0;
}

void BinAtt::pack(const AttVec&, StrBufs&) const {
  report_error("BinAtt::pack(const AttVec*, StrBufs&) should never be called\n");
}

bool BinAtt::unpack(AttVec&, ByteCursor&) const {
  report_error("BinAtt::unpack(AttVec*, const char*&) should never be called\n");
  return true;
}

// ---- SmIntAtt

bool SmIntAtt::unify_val(AttVec& vec, Word value, bool set_flag) const {
  // A small integer never conflicts: the first value stays.
  if (!vec.defined(index()) && set_flag) put(vec, value);
  return true;
}

Word SmIntAtt::make_val(IRSlist& element) const {
  std::string_view text;
  if (!value_text(element, text)) return 0;
  return static_cast<std::uint8_t>(parse_decimal(owned(text).c_str()));
}

// ---- IntAtt

int IntAtt::compare(Word a, Word b) const {
  const auto x = static_cast<std::uint32_t>(a);
  const auto y = static_cast<std::uint32_t>(b);
  if (x == y) return 0;
  return x < y ? -1 : 1;
}

void IntAtt::print(std::ostream& out, const AttVec& vec) const {
  out << '(' << name() << ' ' << str_val(get(vec)) << ')';
}

std::string IntAtt::str_val(Word value) const {
  return std::to_string(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

Word IntAtt::make_val(IRSlist& element) const {
  std::string_view text;
  if (!value_text(element, text)) return 0;
  return get_val(text);
}

Word IntAtt::get_val(std::string_view text) const {
  return static_cast<std::uint32_t>(parse_decimal(owned(text).c_str()));
}

// ---- AllowableValues

std::size_t AllowableValues::add_facet(const IRSlist& facet, std::size_t limit) {
  if (names_.empty()) names_.emplace_back("~");
  std::size_t found = 0;
  bool first = true;
  for (const IRSlist* item : facet.children()) {
    if (first) {  // the facet name
      first = false;
      continue;
    }
    if (!item->is_atom() || !item->atom()) continue;
    ++found;
    if (value_count() < limit) names_.emplace_back(item->atom());
  }
  return found;
}

int AllowableValues::position(std::string_view text) const {
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == text) return static_cast<int>(i);
  return -1;
}

const char* AllowableValues::at(std::size_t position) const {
  return position < names_.size() ? names_[position].c_str() : nullptr;
}

namespace {

bool is_facet_named(const IRSlist& facet, std::string_view name) {
  if (!facet.is_list()) return false;
  const IRSlist* head = facet.children().first();
  return head->is_atom() && head->atom() && name == head->atom();
}

void report_too_many(const std::string& att, std::size_t limit, std::size_t found) {
  report_error("The attribute " + att + " can only have up to " + std::to_string(limit) + " values, " +
               std::to_string(found) + " found.");
}

}  // namespace

// ---- EnumAtt

void EnumAtt::set_facets(IRSlist& facets) {
  for (const IRSlist* facet : facets.children()) {
    if (!is_facet_named(*facet, "allowable-values")) continue;
    const std::size_t found = values_.add_facet(*facet, kMaxValues);
    // A byte holds positions up to 255; further values would wrap to "~".
    if (found > kMaxValues) report_too_many(name(), kMaxValues, found);
  }
}

std::string EnumAtt::str_val(Word value) const {
  if (value == 0) return "~";
  const char* text = values_.at(value);
  return text ? text : std::to_string(value);
}

Word EnumAtt::make_val(IRSlist& element) const {
  std::string_view text;
  if (!value_text(element, text)) return 0;
  return get_val(text);
}

Word EnumAtt::get_val(std::string_view text) const {
  const int p = values_.position(text);
  if (p >= 0) return static_cast<Word>(p);
  if (text.empty() || text[0] != '~')
    report_error("EnumAtt::get_val: " + owned(text) + " is not an allowable value of " + name());
  return 0;
}

bool EnumAtt::unpack(AttVec& vec, ByteCursor& in) const {
  std::uint8_t b;
  if (!in.read_u8(b) || b > values_.value_count()) return false;
  set(vec, b);
  return true;
}

// ---- Disjunctions

void Disjunction::set_facets(const std::string& att_name, IRSlist& facets) {
  for (const IRSlist* facet : facets.children()) {
    if (!is_facet_named(*facet, "allowable-values")) continue;
    const std::size_t before = values_.value_count();
    const std::size_t found = values_.add_facet(*facet, max_);
    if (before + found > max_) report_too_many(att_name, max_, found);
  }
}

Word Disjunction::get_val(std::string_view text) const {
  const int p = values_.position(text);
  if (p > 0) return Word{1} << (p - 1);
  if (p < 0 && (text.empty() || text[0] != '~'))
    report_error(std::string(class_name_) + "::get_val: Unknown attribute value " + owned(text));
  return 0;
}

Word Disjunction::make_val(const IRSlist& element) const {
  if (element.is_atom()) {
    const char* atom = element.atom();
    if (atom && atom[0] == '~') return 0;
    return get_val(atom ? atom : "");
  }
  const IRSlist* first = element.children().first();
  if (first->is_atom() && first->atom() && first->atom()[0] == '~') return 0;
  Word mask = 0;
  for (const IRSlist* item : element.children()) {
    if (item->is_list()) {
      report_error(std::string(class_name_) + "::get_val: Unknown attribute value " + item->text());
      continue;
    }
    mask |= get_val(item->atom() ? item->atom() : "");
  }
  return mask;
}

std::string Disjunction::str_val(Word value) const {
  if (value == 0) return "~";
  std::string text;
  for (std::size_t bit = 0; bit < 32; ++bit) {
    if (!((value >> bit) & 1u)) continue;
    if (!text.empty()) text += ' ';
    const char* name = values_.at(bit + 1);
    text += name ? name : "?";
  }
  return text;
}

int Disjunction::compare(Word a, Word b) {
  if (a == b) return 0;
  if (a == 0 || b == 0) return 2;
  if ((a & b) == b) return -1;  // b has fewer alternatives: b is more specific
  if ((a & b) == a) return 1;
  return 2;
}

bool Disjunction::intersect(Word stored, Word value, Word& result) {
  result = stored & value;
  if (stored == 0 && value == 0) return true;
  return result != 0;
}

namespace {

bool unify_disjunction(const AttInterpreter& att, AttVec& vec, Word value, bool set_flag) {
  if (!vec.defined(att.index())) {
    if (set_flag) att.put(vec, value);
    return true;
  }
  Word narrowed;
  if (!Disjunction::intersect(att.get(vec), value, narrowed)) return false;
  if (set_flag) att.set(vec, narrowed);
  return true;
}

}  // namespace

bool Disj8Att::unify_val(AttVec& vec, Word value, bool set_flag) const {
  return unify_disjunction(*this, vec, value, set_flag);
}

bool DisjAtt::unify_val(AttVec& vec, Word value, bool set_flag) const {
  return unify_disjunction(*this, vec, value, set_flag);
}

}  // namespace velmo
