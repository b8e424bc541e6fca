#pragma once
// Text-valued attributes. Their values are interned: equal texts are one
// stored pointer, so unification and comparison compare words.
#include <cstddef>
#include <string_view>
#include <vector>

#include "lexicon/attributes/att_interpreter.h"
#include "shell/support/string_pool.h"

namespace velmo {

// The process-wide table of interned texts; it only grows. Texts compare
// byte for byte.
class InternedStrings {
 public:
  static constexpr std::size_t kBuckets = 1997;
  static InternedStrings& instance();

  // The stored copy of the text, added when absent.
  const char* intern(std::string_view text);
  std::size_t size() const { return size_; }

 private:
  InternedStrings() : buckets_(kBuckets) {}
  std::vector<std::vector<const char*>> buckets_;  // each sorted byte-wise
  StringPool texts_;
  std::size_t size_ = 0;
};

class StrAtt : public LongVAtt {
 public:
  using LongVAtt::LongVAtt;
  const char* type_name() const override { return "StrAtt"; }
  std::unique_ptr<AttInterpreter> clone() const override { return clone_unplaced(*this); }
  UnifyRule unify_rule() const override { return UnifyRule::kEqualWord; }
  void print(std::ostream& out, const AttVec& vec) const override;
  std::string str_val(Word value) const override;
  Word make_val(IRSlist& element) const override;
  Word get_val(std::string_view text) const override;
  // The text and a terminating NUL.
  void pack(const AttVec& vec, StrBufs& out) const override;
  bool unpack(AttVec& vec, ByteCursor& in) const override;
};

}  // namespace velmo
