#pragma once
// Values of the expression language: every value is a machine word (`Word`)
// travelling with the id of its type, named by a type text such as "char*",
// "int" or "LexItem*".
#include <iosfwd>
#include <string_view>
#include <vector>

#include "shell/support/name_table.h"
#include "shell/support/slist.h"

namespace velmo {

using TypeId = int;
inline constexpr TypeId kAnyType = -1;

// Maps type names ("char*", "int", "LexItem*" ...) to small ids, given out
// from 1 in order of first use; ids never change during a run.
class TypeTable {
 public:
  static TypeTable& instance();

  // The id of `name`, created when new (case-insensitive).
  TypeId id(std::string_view name);
  // The name of an id; "void*" for kAnyType. Other ids below 1 are reported
  // ("Unknown type id: ") and give the empty text.
  std::string_view name(TypeId id) const;

 private:
  TypeTable();
  NameTable<TypeId> ids_;
  std::vector<const char*> names_;  // names_[id - 1]; texts live in ids_
};

// Shorthands on the process-wide table. A null name is kAnyType.
TypeId type_id(const char* name);
TypeId type_id(std::string_view name);
std::string_view type_name(TypeId id);

// Ids of the types the shell itself uses, looked up once.
struct ShellTypes {
  TypeId text;      // "char*"
  TypeId integer;   // "int"
  TypeId slist;     // "Slist*"
  TypeId stream;    // "stream*"
  TypeId ostream;   // "ostream*"
  TypeId two_args;  // "TwoArgs*"
  TypeId lexp;      // "LExp*"
  static const ShellTypes& get();
};

// A pair of typed values: the input of `1/2` and `2/2`.
struct TwoArgs {
  Word first = 0;
  TypeId first_type = kAnyType;
  Word second = 0;
  TypeId second_type = kAnyType;
};

// Stream values. A value of type "stream*" (made by `open-file`) points to a
// std::fstream; values of other types (the `input` and `output` constants,
// "ostream*") point to a std::istream or std::ostream. `type` is the type of
// the value, usually the output type of the expression that produced it.
std::istream* as_input_stream(Word value, TypeId type);
std::ostream* as_output_stream(Word value, TypeId type);

template <class T>
inline Word to_word(T* pointer) {
  return reinterpret_cast<Word>(pointer);
}
template <class T>
inline T* from_word(Word value) {
  return reinterpret_cast<T*>(value);
}

}  // namespace velmo
