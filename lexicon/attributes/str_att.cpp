#include "lexicon/attributes/str_att.h"

#include <algorithm>
#include <cstring>

#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/byte_cursor.h"
#include "shell/lexp/types.h"
#include "shell/reader/irslist.h"
#include "shell/support/str_bufs.h"
#include "shell/support/text.h"

namespace velmo {

InternedStrings& InternedStrings::instance() {
  // Never destroyed: interned texts stay valid for vectors freed at exit.
  static auto* strings = new InternedStrings;
  return *strings;
}

const char* InternedStrings::intern(std::string_view text) {
  auto& bucket = buckets_[elf_hash(text) % buckets_.size()];
  auto it = std::lower_bound(bucket.begin(), bucket.end(), text,
                             [](const char* stored, std::string_view t) { return std::string_view(stored) < t; });
  if (it != bucket.end() && std::string_view(*it) == text) return *it;
  const char* stored = texts_.add(text);
  bucket.insert(it, stored);
  ++size_;
  return stored;
}

namespace {
const char* as_text(Word value) { return reinterpret_cast<const char*>(value); }
}  // namespace

void StrAtt::print(std::ostream& out, const AttVec& vec) const {
  out << '(' << name() << " \"" << str_val(get(vec)) << "\")";
}

std::string StrAtt::str_val(Word value) const { return value ? as_text(value) : ""; }

Word StrAtt::make_val(IRSlist& element) const {
  std::string_view text;
  if (!value_text(element, text)) return 0;
  return get_val(text);
}

Word StrAtt::get_val(std::string_view text) const { return to_word(InternedStrings::instance().intern(text)); }

void StrAtt::pack(const AttVec& vec, StrBufs& out) const {
  const Word value = get(vec);
  if (value) out.append(as_text(value));
  out.push('\0');
}

bool StrAtt::unpack(AttVec& vec, ByteCursor& in) const {
  std::string_view text;
  if (!in.read_cstring(text)) return false;
  set(vec, get_val(text));
  return true;
}

}  // namespace velmo
