#pragma once
// Values that outlive the expression that made them. An expression returns
// texts and lists that it owns itself (a `str` constant, the list of
// `list`), so once the expression is freed, or evaluated again, the value is
// gone. A variable keeps its value from one command to the next: it holds a
// copy, a `HeldValue`.
//
// A holder that gives up a value (a variable assigned anew, a parameter
// restored when its function returns) hands it to `DroppedValues`, which
// frees it when the running top-level command ends: the expression that read
// the variable (or the caller that receives the parameter's value as the
// function's result) may still use it until then.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "shell/support/ref_ptr.h"
#include "shell/support/slist.h"

namespace velmo {

class HeldValue : public RefCounted<HeldValue> {
 public:
  // A copy of the NUL-terminated text at `text`.
  static RefPtr<HeldValue> copy_text(const char* text);
  // A copy of the list's nodes; the elements are copied as words.
  static RefPtr<HeldValue> copy_list(const Slist& list);

  // The value as the expression language carries it: the address of the
  // text or of the list.
  Word word() const;

 private:
  HeldValue() = default;
  std::string text_;
  Slist list_;
  bool is_list_ = false;
};

class DroppedValues {
 public:
  // Keeps `value` alive until release().
  static void keep(RefPtr<HeldValue> value);
  // Frees what was kept; the interpreter calls it when a top-level command
  // ends, as no value read during the command is used after it.
  static void release();
  static std::size_t count();

 private:
  static std::vector<RefPtr<HeldValue>>& kept();
};

}  // namespace velmo
