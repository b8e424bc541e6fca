#pragma once
// Attributes whose values are nested attribute value vectors: one vector
// (VecAtt), a list of them (ListAtt), or a stack of them whose unification
// lets the lengths differ (StackAtt). Values are shared by reference count
// and copied before a change when another vector still holds them.
#include <string>

#include "lexicon/attributes/att_interpreter.h"

namespace velmo {

class AttList;

class ComplexAtt : public LongVAtt {
 public:
  // Deeper nesting in a text is refused, so runaway input cannot exhaust the stack.
  static constexpr int kMaxNesting = 100;

  using LongVAtt::LongVAtt;
  // (interpreter TYPE) names the type of the nested vectors.
  void set_facets(IRSlist& facets) override;
  Word make_val(IRSlist& element) const override { return make_nested_val(element, 0); }
  bool shares_values() const override { return true; }
  // The nested type: the one named by the facet, else the attribute's own list.
  const AttInterpreterList* nested_type() const;

 protected:
  // Reads one nested vector from a list; null after a message.
  AttVec* read_nested(IRSlist& text, int depth) const;
  // The value part must be a list; "~" atoms and an empty part give 0.
  bool value_part_is_list(const IRSlist& element) const;

 private:
  const AttInterpreterList* nested_ = nullptr;
};

class VecAtt : public ComplexAtt {
 public:
  using ComplexAtt::ComplexAtt;
  const char* type_name() const override { return "VecAtt"; }
  std::unique_ptr<AttInterpreter> clone() const override { return clone_unplaced(*this); }
  void set(AttVec& vec, Word value) const override;
  void generalize(AttVec& vec, const AttVec& other) const override;
  void subtract(AttVec& vec, const AttVec& other) const override;
  bool unify_val(AttVec& vec, Word value, bool set_flag) const override;
  void put(AttVec& vec, Word value) const override;
  int compare(Word a, Word b) const override;
  void print(std::ostream& out, const AttVec& vec) const override;
  std::string str_val(Word value) const override;
  Word make_nested_val(IRSlist& element, int depth) const override;
  void pack(const AttVec& vec, StrBufs& out) const override;
  bool unpack(AttVec& vec, ByteCursor& in) const override;
  void drop_unclaimed(Word value) const override;

 private:
  AttVec* private_value(AttVec& vec) const;
};

class ListAtt : public ComplexAtt {
 public:
  using ComplexAtt::ComplexAtt;
  const char* type_name() const override { return "ListAtt"; }
  std::unique_ptr<AttInterpreter> clone() const override { return clone_unplaced(*this); }
  void set(AttVec& vec, Word value) const override;
  void generalize(AttVec& vec, const AttVec& other) const override;
  void subtract(AttVec& vec, const AttVec& other) const override;
  bool unify_val(AttVec& vec, Word value, bool set_flag) const override;
  void put(AttVec& vec, Word value) const override;
  int compare(Word a, Word b) const override;
  void print(std::ostream& out, const AttVec& vec) const override;
  std::string str_val(Word value) const override;
  Word make_nested_val(IRSlist& element, int depth) const override;
  void pack(const AttVec& vec, StrBufs& out) const override;
  bool unpack(AttVec& vec, ByteCursor& in) const override;
  void drop_unclaimed(Word value) const override;

  // The vector's list, copied first when another vector shares it.
  AttList* private_list(AttVec& vec) const;

 protected:
  // Compares the first `n` elements pairwise, combining the results.
  static int compare_prefix(const AttList& a, const AttList& b, std::size_t n);
  // Unifies the first `n` elements pairwise.
  bool unify_prefix(AttVec& vec, const AttList& value, std::size_t n, bool set_flag) const;
};

class StackAtt : public ListAtt {
 public:
  using ListAtt::ListAtt;
  const char* type_name() const override { return "StackAtt"; }
  std::unique_ptr<AttInterpreter> clone() const override { return clone_unplaced(*this); }
  void generalize(AttVec& vec, const AttVec& other) const override;
  void subtract(AttVec& vec, const AttVec& other) const override;
  bool unify_val(AttVec& vec, Word value, bool set_flag) const override;
  int compare(Word a, Word b) const override;
};

// Combines a running comparison result with the next one: equal results
// and 0 keep it, conflicting ones give 2.
int combine_comparison(int running, int next);

}  // namespace velmo
