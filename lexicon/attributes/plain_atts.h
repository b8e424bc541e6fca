#pragma once
// The attribute classes whose values are plain numbers: binary flags, small
// and full integers, enumerations and disjunctions of allowable values.
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/attributes/att_interpreter.h"

namespace velmo {

// A flag carried by one bit of the vector's binary-value set.
class BinAtt : public AttInterpreter {
 public:
  using AttInterpreter::AttInterpreter;
  const char* type_name() const override { return "BinAtt"; }
  std::unique_ptr<AttInterpreter> clone() const override { return clone_unplaced(*this); }
  void allocate(AttInterpreterList& list) override;
  Word get(const AttVec& vec) const override;
  void set(AttVec& vec, Word value) const override;
  std::string str_val(Word value) const override { return value ? "+" : "-"; }
  Word make_val(IRSlist& element) const override;
  Word get_val(std::string_view text) const override;
  void pack(const AttVec& vec, StrBufs& out) const override;
  bool unpack(AttVec& vec, ByteCursor& in) const override;
};

// 0..255 in one byte; unification keeps a value already there.
class SmIntAtt : public CharAtt {
 public:
  using CharAtt::CharAtt;
  const char* type_name() const override { return "SmIntAtt"; }
  std::unique_ptr<AttInterpreter> clone() const override { return clone_unplaced(*this); }
  bool unify_val(AttVec& vec, Word value, bool set_flag) const override;
  UnifyRule unify_rule() const override { return UnifyRule::kKeepByte; }
  std::string str_val(Word value) const override { return std::to_string(value & 0xFF); }
  Word make_val(IRSlist& element) const override;
};

// A 32-bit integer, ordered as an unsigned number when compared.
class IntAtt : public LongVAtt {
 public:
  using LongVAtt::LongVAtt;
  const char* type_name() const override { return "IntAtt"; }
  std::unique_ptr<AttInterpreter> clone() const override { return clone_unplaced(*this); }
  int compare(Word a, Word b) const override;
  UnifyRule unify_rule() const override { return UnifyRule::kEqualWord; }
  void print(std::ostream& out, const AttVec& vec) const override;
  std::string str_val(Word value) const override;
  Word make_val(IRSlist& element) const override;
  Word get_val(std::string_view text) const override;
};

// The names an enumeration or disjunction may take; position 0 is "~".
class AllowableValues {
 public:
  // Appends the atoms of an allowable-values facet, at most up to `limit`
  // values in all; returns the number of values the facet held.
  std::size_t add_facet(const IRSlist& facet, std::size_t limit);
  // Position of the text, or -1.
  int position(std::string_view text) const;
  // Name at a position, or null.
  const char* at(std::size_t position) const;
  std::size_t value_count() const { return names_.empty() ? 0 : names_.size() - 1; }

 private:
  std::vector<std::string> names_;
};

// One of the allowable values, by position (0 = "~").
class EnumAtt : public CharAtt {
 public:
  static constexpr std::size_t kMaxValues = 255;
  using CharAtt::CharAtt;
  const char* type_name() const override { return "EnumAtt"; }
  std::unique_ptr<AttInterpreter> clone() const override { return clone_unplaced(*this); }
  UnifyRule unify_rule() const override { return UnifyRule::kEqualByte; }
  void set_facets(IRSlist& facets) override;
  std::string str_val(Word value) const override;
  Word make_val(IRSlist& element) const override;
  Word get_val(std::string_view text) const override;
  bool unpack(AttVec& vec, ByteCursor& in) const override;

 private:
  AllowableValues values_;
};

// The rules shared by the two disjunction classes: a value is a mask of
// allowable values, bit p-1 for the value at position p.
class Disjunction {
 public:
  Disjunction(const char* class_name, std::size_t max_values) : class_name_(class_name), max_(max_values) {}
  void set_facets(const std::string& att_name, IRSlist& facets);
  Word get_val(std::string_view text) const;
  Word make_val(const IRSlist& element) const;
  std::string str_val(Word value) const;
  static int compare(Word a, Word b);
  // Narrows `stored` by `value`; false when nothing is left.
  static bool intersect(Word stored, Word value, Word& result);

 private:
  const char* class_name_;
  std::size_t max_;
  AllowableValues values_;
};

class Disj8Att : public CharAtt {
 public:
  explicit Disj8Att(std::string_view name) : CharAtt(name), disj_("Disj8Att", 8) {}
  const char* type_name() const override { return "Disj8Att"; }
  std::unique_ptr<AttInterpreter> clone() const override { return clone_unplaced(*this); }
  void set_facets(IRSlist& facets) override { disj_.set_facets(name(), facets); }
  bool unify_val(AttVec& vec, Word value, bool set_flag) const override;
  UnifyRule unify_rule() const override { return UnifyRule::kMaskByte; }
  int compare(Word a, Word b) const override { return Disjunction::compare(a, b); }
  std::string str_val(Word value) const override { return disj_.str_val(value); }
  Word make_val(IRSlist& element) const override { return disj_.make_val(element); }
  Word get_val(std::string_view text) const override { return disj_.get_val(text); }

 private:
  Disjunction disj_;
};

class DisjAtt : public LongVAtt {
 public:
  explicit DisjAtt(std::string_view name) : LongVAtt(name), disj_("DisjAtt", 32) {}
  const char* type_name() const override { return "DisjAtt"; }
  std::unique_ptr<AttInterpreter> clone() const override { return clone_unplaced(*this); }
  void set_facets(IRSlist& facets) override { disj_.set_facets(name(), facets); }
  bool unify_val(AttVec& vec, Word value, bool set_flag) const override;
  UnifyRule unify_rule() const override { return UnifyRule::kMaskWord; }
  int compare(Word a, Word b) const override { return Disjunction::compare(a, b); }
  std::string str_val(Word value) const override { return disj_.str_val(value); }
  Word make_val(IRSlist& element) const override { return disj_.make_val(element); }
  Word get_val(std::string_view text) const override { return disj_.get_val(text); }

 private:
  Disjunction disj_;
};

// The standard text-to-integer conversion: optional blanks and sign, then
// decimal digits; anything else ends the number; no digits give 0.
std::int32_t parse_decimal(const char* text);

}  // namespace velmo
