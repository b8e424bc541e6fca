#pragma once
// One intrusive reference count for every shared object of the system
// (attribute value vectors, list values, trace lists, lexical LL rules; the
// parse forest and dependency trees build on it too).
//
//   class AttVec : public RefCounted<AttVec> { ... };
//   RefPtr<AttVec> held(vec);          // takes a reference
//   RefPtr<AttVec> copy = held;        // another one
//   // the last handle to go deletes the vector
//
// The count starts at 0: a new object belongs to nobody until a holder takes
// a reference, and drop_if_unclaimed() deletes one that no holder took.
// Holders that keep a raw pointer (attribute values stored in the word
// area of a vector) call add_ref() and drop_ref() themselves.
//
// Sharing and unification: unification changes a vector in place and does
// not roll back when it fails part way, so a failed unification can leave
// the target changed. Code that may need the original afterwards (the
// chart, trying one modifier after another) unifies a copy and keeps the
// original untouched.
#include <cstddef>
#include <utility>

namespace velmo {

template <class Derived>
class RefCounted {
 public:
  int refs() const { return refs_; }
  void add_ref() const { ++refs_; }
  // Drops one reference and deletes the object when none is left. Null is
  // ignored.
  static void drop_ref(const Derived* object) {
    if (object && --object->refs_ <= 0) delete object;
  }
  // Deletes an object that no holder took.
  static void drop_if_unclaimed(const Derived* object) {
    if (object && object->refs_ <= 0) delete object;
  }

 protected:
  RefCounted() = default;
  // A copy is a new object: nobody holds it yet.
  RefCounted(const RefCounted&) {}
  RefCounted& operator=(const RefCounted&) { return *this; }
  ~RefCounted() = default;

 private:
  mutable int refs_ = 0;
};

// A counted handle: holds one reference while it points to an object.
template <class T>
class RefPtr {
 public:
  RefPtr() = default;
  RefPtr(std::nullptr_t) {}
  // Takes a new reference on `object`.
  explicit RefPtr(T* object) : object_(object) {
    if (object_) object_->add_ref();
  }
  // Takes over a reference that the caller already holds.
  static RefPtr adopt(T* object) {
    RefPtr handle;
    handle.object_ = object;
    return handle;
  }
  RefPtr(const RefPtr& other) : RefPtr(other.object_) {}
  RefPtr(RefPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  RefPtr& operator=(const RefPtr& other) {
    RefPtr(other).swap(*this);
    return *this;
  }
  RefPtr& operator=(RefPtr&& other) noexcept {
    RefPtr(std::move(other)).swap(*this);
    return *this;
  }
  ~RefPtr() { T::drop_ref(object_); }

  T* get() const { return object_; }
  T& operator*() const { return *object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  // Points to `object` (a new reference), dropping the old one.
  void reset(T* object = nullptr) { RefPtr(object).swap(*this); }
  // Gives up the pointer with its reference, which the caller now holds.
  T* release() { return std::exchange(object_, nullptr); }
  void swap(RefPtr& other) noexcept { std::swap(object_, other.object_); }

  friend bool operator==(const RefPtr& a, const RefPtr& b) { return a.object_ == b.object_; }
  friend bool operator==(const RefPtr& a, std::nullptr_t) { return a.object_ == nullptr; }

 private:
  T* object_ = nullptr;
};

}  // namespace velmo
