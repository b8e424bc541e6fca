#pragma once
// The value of a list attribute: a reference-counted array of shared
// attribute value vectors, each element holding one reference.
#include <cstddef>
#include <memory>

#include "shell/support/ref_ptr.h"

namespace velmo {

class AttVec;

class AttList : public RefCounted<AttList> {
 public:
  AttList() = default;
  // A private copy: new references to the same element vectors.
  AttList(const AttList& other);
  AttList& operator=(const AttList&) = delete;
  ~AttList();

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  AttVec* at(std::size_t i) const { return items_[i].get(); }
  // Takes a reference on `vec`.
  void append(AttVec* vec);
  void prepend(AttVec* vec);
  // Replaces element i, taking a reference on the new vector.
  void replace(std::size_t i, AttVec* vec);
  // Removes element i and returns it with the list's reference still held.
  AttVec* take(std::size_t i);
  // Drops the elements from `n` on.
  void truncate(std::size_t n);
  // Element i made private to this list (copied when shared).
  AttVec* private_at(std::size_t i);
  // True when no element defines any attribute.
  bool all_empty() const;

 private:
  void reserve_one_more();

  std::size_t capacity_ = 0;
  std::size_t count_ = 0;
  std::unique_ptr<RefPtr<AttVec>[]> items_;
};

}  // namespace velmo
