#pragma once
// A sentence boundary recogniser: a small token-sequence matcher fed one
// token at a time. Its elements are conditions (expressions evaluated with
// the recogniser as input, type "SBnd*") or bracket groups; elements may be
// optional, repeatable and limited in repetitions, and a boundary mark says
// how many elements lie after the boundary.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "shell/lexp/lexp.h"

namespace velmo {

inline constexpr const char* kSBndType = "SBnd*";

class SBnd : public LExp {
 public:
  static constexpr int kMaxElements = 32;

  SBnd();
  const char* name() const override { return "sbnd"; }
  const char* doc() const override;
  LExpPtr clone() const override { return std::make_unique<SBnd>(); }
  void init(IRSlist& args) override;
  // Feeds one token ("char*"): the tail length when the token completes the
  // sequence, else -1.
  Word eval(Word input, TypeId type) override;
  // Back to the initial state.
  virtual void reset();

  // The token under examination (null outside an evaluation or after reset).
  const char* current_token() const { return has_current_ ? current_token_.c_str() : nullptr; }
  // The first token element `n` (from 1) accepted in the current attempt;
  // null when n < 1, when the element lies beyond the current one or has
  // accepted nothing.
  const char* token(long n) const;

  int element_count() const { return static_cast<int>(elements_.size()); }
  int tail_length() const { return tail_; }
  int current_element() const { return current_; }

 private:
  struct Group {
    LExpPtr left;
    LExpPtr right;
    LExpPtr escape;
    int open = 0;
  };
  struct Element {
    LExpPtr condition;
    std::unique_ptr<Group> group;
    std::string first_token;
    bool has_first = false;
    int limit = -1;
  };
  struct Mark {
    bool repeat = false;
    bool optional = false;
    int limit = -1;
  };

  static bool read_mark(const char* atom, Mark& mark);
  void add_element(Element element, Mark& mark);
  std::unique_ptr<Group> read_group(IRSlist& list);

  bool repeatable(int i) const { return (repeat_mask_ >> i) & 1u; }
  bool optional(int i) const { return (optional_mask_ >> i) & 1u; }
  bool holds(LExp* exp);
  void record_first(int i);
  int result_for(int i) const { return i == element_count() - 1 ? tail_ : -1; }
  // One examination of the current token; `retry` tells whether this is the
  // second look. Sets `again` when the token must be examined once more.
  int examine(bool retry, bool& again);
  int close_group(int i);

  std::uint32_t repeat_mask_ = 0;
  std::uint32_t optional_mask_ = 0;
  LExpPtr guard_;
  std::vector<Element> elements_;
  std::string current_token_;
  bool has_current_ = false;
  int current_ = -1;
  int tail_ = 0;
  int repetitions_ = 0;
};

// Registers sbnd, current-token, token and reset-sbnd.
void register_sbnd_expressions();

}  // namespace velmo
