#pragma once
// What a lexicon entry says about its word: the `Meaning` family. A meaning
// kind is registered as a prototype under a type name in the object factory
// class "Meaning"; an entry's meaning expression "(type body...)" is made by
// cloning the prototype of that type and reading the body.
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace velmo {

class IRSlist;

class Meaning {
 public:
  Meaning() = default;
  Meaning(const Meaning&) = delete;
  Meaning& operator=(const Meaning&) = delete;

  // The virtual operations, in slot order.
  virtual std::string_view type_name() const = 0;
  // Writes what follows the type name.
  virtual void print_body(std::ostream& out) const = 0;
  // A new meaning of the same type with the body copied.
  virtual std::unique_ptr<Meaning> clone() const = 0;
  // -2 when the types differ; else 0 (equal), 1 or -1 (one more specific),
  // 2 (different).
  virtual int compare(const Meaning& other) const = 0;
  // Whether `other` is acceptable in place of this meaning.
  virtual bool matches(const Meaning& other) const { return compare(other) == 0; }
  // Fills the body from the elements after the type name.
  virtual void read_body(IRSlist& elements);
  // A clone of this prototype with its body read from `elements`; null when
  // the kind yields no meaning.
  virtual std::unique_ptr<Meaning> make(IRSlist& elements) const;
  // False when something the meaning's body refers to (an attribute type)
  // has been deleted: such a prototype must not be copied any more.
  virtual bool usable() const { return true; }
  virtual ~Meaning() = default;

  // "(" type " " body ")".
  void print(std::ostream& out) const;
  std::string text() const;
};

// The "Meaning" class of the object factory.
inline constexpr const char* kMeaningClass = "Meaning";
inline constexpr std::size_t kMeaningBuckets = 23;

// Registers the "Meaning" maker and the kinds every lexicon knows ("phrases",
// "freq"); later calls do nothing.
void register_meaning_kinds();
// Registers a prototype under `name`; a refused name destroys it.
bool register_meaning_prototype(std::string_view name, std::unique_ptr<Meaning> prototype);
// The prototype registered under `name`, or null.
Meaning* find_meaning_prototype(std::string_view name);
// Makes the meaning of an expression "(type body...)": the type name is
// removed from the list and the prototype of that type reads the rest. Null
// for an unknown type (silently), when there is no registry and when the
// prototype is no longer usable (both reported).
std::unique_ptr<Meaning> make_meaning(IRSlist& expression);

}  // namespace velmo
