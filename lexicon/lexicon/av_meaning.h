#pragma once
// A meaning that is an attribute value vector. Whatever name its prototype is
// registered under, it is printed and compared as "avm".
#include "lexicon/lexicon/meaning.h"

namespace velmo {

class AttInterpreterList;
class AttVec;

class AVMeaning final : public Meaning {
 public:
  static constexpr const char* kTypeName = "avm";

  // An empty vector of `type`.
  explicit AVMeaning(const AttInterpreterList* type);
  ~AVMeaning() override;

  std::string_view type_name() const override { return kTypeName; }
  void print_body(std::ostream& out) const override;
  std::unique_ptr<Meaning> clone() const override;
  // The vector comparison; -2 unless the other meaning is also "avm".
  int compare(const Meaning& other) const override;
  // The two vectors are unifiable.
  bool matches(const Meaning& other) const override;
  // Reads the vector from the first element.
  void read_body(IRSlist& elements) override;
  // False once the attribute type of the vector is deleted.
  bool usable() const override;
  // Gives the prototype an empty vector of `type`, for a prototype whose
  // type was deleted and is defined again.
  void retype(const AttInterpreterList* type);

  AttVec& vector() const { return *vec_; }

  // For meanings kept by a lattice to serve the items of later sentences:
  // whether the vector is held by this meaning alone and its type is live.
  bool recyclable() const;
  // Makes this meaning what other.clone() would make, reusing its own
  // vector: only when recyclable() and both vectors are of one type. False,
  // with nothing changed, otherwise.
  bool copy_in_place(const AVMeaning& other);

 private:
  explicit AVMeaning(const AttVec& body);
  void release_vector();
  AttVec* vec_;  // shared by reference count with whoever takes it
};

}  // namespace velmo
