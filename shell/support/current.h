#pragma once
// Process-wide "current" objects: the current attribute vector type, the
// current parser, category and link, the current lexical analyzer, the
// current tree-rule set, and the attribute type bound by init-attributes.
//
// A setting is a Current<T>, usually a function-local static:
//
//   Current<KorvelParser>& current_parser_setting() {
//     static Current<KorvelParser> setting;
//     return setting;
//   }
//
// An object that can be current derives from CanBeCurrent (every
// NamedObject does). Its destructor clears every setting that names it, so
// no setting ever points to a deleted object. A setting may carry a hook
// that runs when it is cleared this way (to reset what was derived from the
// object).
//
// The program is single-threaded: settings are plain process-wide state.
#include <cstddef>

namespace velmo {

class CanBeCurrent;

namespace current_detail {

// The registry of live settings that a deleted object is checked against.
class Setting {
 public:
  Setting(const Setting&) = delete;
  Setting& operator=(const Setting&) = delete;
  // Clears the setting when it names `object`.
  virtual void forget(const CanBeCurrent* object) = 0;

 protected:
  Setting();
  ~Setting();
};

void forget_everywhere(const CanBeCurrent* object);

}  // namespace current_detail

class CanBeCurrent {
 public:
  CanBeCurrent() = default;
  // A copy is a different object: it is not current where the original is.
  CanBeCurrent(const CanBeCurrent&) {}
  CanBeCurrent& operator=(const CanBeCurrent&) { return *this; }

 protected:
  ~CanBeCurrent() { current_detail::forget_everywhere(this); }
};

template <class T>
class Current final : private current_detail::Setting {
 public:
  using ForgetHook = void (*)();
  explicit Current(ForgetHook on_forget = nullptr) : on_forget_(on_forget) {}

  T* get() const { return object_; }
  void set(T* object) {
    object_ = object;
    identity_ = object;
  }
  void clear() { set(nullptr); }

 private:
  void forget(const CanBeCurrent* object) override {
    if (!object || object != identity_) return;
    clear();
    if (on_forget_) on_forget_();
  }

  T* object_ = nullptr;
  const CanBeCurrent* identity_ = nullptr;  // object_ as a CanBeCurrent
  ForgetHook on_forget_;
};

}  // namespace velmo
