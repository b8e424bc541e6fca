#pragma once
// An attribute interpreter knows one declared attribute: where its value
// lives inside an attribute value vector, how the value is read from text,
// written, compared, unified and packed. A value is always one machine word;
// what the word means depends on the class.
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "shell/support/slist.h"

namespace velmo {

class AttVec;
class AttInterpreterList;
class ByteCursor;
class IRSlist;
class StrBufs;

class AttInterpreter {
 public:
  explicit AttInterpreter(std::string_view name) : name_(name) {}
  AttInterpreter(const AttInterpreter&) = default;
  AttInterpreter& operator=(const AttInterpreter&) = delete;

  // ---- Virtual operations, in slot order.
  virtual ~AttInterpreter() = default;
  virtual const char* type_name() const = 0;
  // Reports a value text the attribute cannot hold; returns 0.
  virtual Word bad_value(std::string_view value) const;
  // Consumes the facet lists given after the type in a declaration.
  virtual void set_facets(IRSlist& facets);
  // A new, unplaced interpreter of the same class.
  virtual std::unique_ptr<AttInterpreter> clone() const = 0;
  // Reserves the value's storage in the owning list and records the slot.
  virtual void allocate(AttInterpreterList& list) = 0;
  virtual Word get(const AttVec& vec) const = 0;
  // Stores the word; shared values are referenced, the old one released.
  virtual void set(AttVec& vec, Word value) const = 0;
  virtual void generalize(AttVec& vec, const AttVec& other) const;
  virtual void subtract(AttVec& vec, const AttVec& other) const;
  // Unifies `value` into `vec`; with `set_flag` false it only tests.
  virtual bool unify_val(AttVec& vec, Word value, bool set_flag) const;
  // Defines the attribute with `value`, overwriting.
  virtual void put(AttVec& vec, Word value) const;
  // Drops the value held by the vector.
  virtual void release(AttVec& vec) const;
  // 0 equal, 1 a more specific, -1 b more specific, 2 unordered.
  virtual int compare(Word a, Word b) const;
  virtual float distance(const AttVec& vec, const AttVec& other) const;
  virtual void print(std::ostream& out, const AttVec& vec) const;
  virtual std::string str_val(Word value) const;
  // Builds a value from a vector text element (after its name was taken).
  virtual Word make_val(IRSlist& element) const;
  virtual Word get_val(std::string_view text) const;
  virtual void pack(const AttVec& vec, StrBufs& out) const;
  // Reads the value at the cursor and stores it; false on a corrupt form.
  virtual bool unpack(AttVec& vec, ByteCursor& in) const;

  // ---- Helpers beyond the classic slots.
  // make_val for a value nested `depth` vectors deep (complex classes guard
  // against runaway nesting).
  virtual Word make_nested_val(IRSlist& element, int /*depth*/) const { return make_val(element); }
  // Frees a value made by make_val that no vector took.
  virtual void drop_unclaimed(Word /*value*/) const {}
  // True for classes whose values are reference-counted objects.
  virtual bool shares_values() const { return false; }
  // How vectors may unify this attribute without calling unify_val: the
  // plain classes name their rule here. A class that overrides unify_val
  // must answer kCallUnifyVal.
  enum class UnifyRule : std::uint8_t { kCallUnifyVal, kEqualByte, kEqualWord, kMaskByte, kMaskWord, kKeepByte };
  virtual UnifyRule unify_rule() const { return UnifyRule::kCallUnifyVal; }

  const std::string& name() const { return name_; }
  // Replaces the name; an empty name is refused with a message.
  bool name(std::string_view new_name);
  AttInterpreterList* owner() const { return owner_; }
  void set_owner(AttInterpreterList* owner) { owner_ = owner; }
  Word default_value() const { return default_; }
  int slot() const { return slot_; }
  int index() const { return index_; }
  void set_index(int index) { index_ = index; }
  float weight() const { return weight_; }
  // Forgets the list the attribute was placed in (for clones).
  void reset_placement() {
    owner_ = nullptr;
    slot_ = -1;
    index_ = -1;
  }

 protected:
  // The text of an element's value atom: the atom itself, or the first
  // element of a list. Null when there is none; `is_list` tells a nested list.
  static const char* value_atom(const IRSlist& element, bool* is_list = nullptr);
  // The value atom's text ("" for an empty value part); a nested list where
  // an atom belongs is reported with bad_value and gives false.
  bool value_text(const IRSlist& element, std::string_view& text) const;
  // Writes the attribute as +name / -name / ~name or (name text).
  void print_text(std::ostream& out, const std::string& text) const;
  void set_default(Word value) { default_ = value; }
  void set_slot(int slot) { slot_ = slot; }

 private:
  std::string name_;
  AttInterpreterList* owner_ = nullptr;
  Word default_ = 0;
  int slot_ = -1;
  int index_ = -1;
  float weight_ = 1.0f;
};

// Values kept in one byte of the vector's byte area.
class CharAtt : public AttInterpreter {
 public:
  using AttInterpreter::AttInterpreter;
  void allocate(AttInterpreterList& list) override;
  Word get(const AttVec& vec) const override;
  void set(AttVec& vec, Word value) const override;
  void pack(const AttVec& vec, StrBufs& out) const override;
  bool unpack(AttVec& vec, ByteCursor& in) const override;
};

// Values kept in one word of the vector's word area.
class LongVAtt : public AttInterpreter {
 public:
  using AttInterpreter::AttInterpreter;
  void allocate(AttInterpreterList& list) override;
  Word get(const AttVec& vec) const override;
  void set(AttVec& vec, Word value) const override;
  // Four big-endian bytes.
  void pack(const AttVec& vec, StrBufs& out) const override;
  bool unpack(AttVec& vec, ByteCursor& in) const override;
};

// A copy of `self` that is not placed in any list.
template <class T>
std::unique_ptr<AttInterpreter> clone_unplaced(const T& self) {
  auto copy = std::make_unique<T>(self);
  copy->reset_placement();
  return copy;
}

// Writes a message line on the error stream and flushes.
void report_error(std::string_view text);

}  // namespace velmo
