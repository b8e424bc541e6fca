#pragma once
// Word endings: each reduces an inflected surface form to a candidate root
// that the lexicon then looks up.
//   Ending        (p): the word ends in the suffix; root = stem + replacement.
//   EndingDouble  (d): as plain, and the stem ends in a doubled consonant
//                      after a vowel (stopped, running); root = the stem
//                      without one of the doubled characters.
//   EndingES      (e): as plain, and the third character from the end is in
//                      the ending's character set (boxes, wishes).
// Suffixes are compared against the lower-cased end of the word; the suffix
// itself is taken as written, so suffixes are written in lower case.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmo {

class EndingTable;
class IRSlist;
class LExp;

class Ending {
 public:
  explicit Ending(EndingTable& table) : table_(&table) {}
  Ending(const Ending&) = delete;
  Ending& operator=(const Ending&) = delete;

  // ---- The virtual operations, in slot order.
  // Whether the ending applies to the word.
  virtual bool matches(std::string_view word) const;
  // The root built in the table's root buffer, or null when the ending's
  // condition rejects it. Call only for a word the ending matches.
  virtual const char* root(std::string_view word) const;
  // Reads SUFFIX, NAME and REPLACEMENT (each only if present) and binds the
  // condition registered under NAME in the table. False when the
  // definition is unusable (reported).
  virtual bool init(IRSlist& definition);
  virtual ~Ending() = default;

  // The name (the affix recorded in items found through the ending), or
  // null when it has none.
  const char* name() const { return name_ ? name_->c_str() : nullptr; }
  const std::string& suffix() const { return suffix_; }
  const char* replacement() const { return replacement_ ? replacement_->c_str() : nullptr; }
  std::size_t suffix_length() const { return suffix_.size(); }
  LExp* condition() const { return condition_; }
  EndingTable& table() const { return *table_; }

 protected:
  // The plain test: the word is longer than the suffix and its lower-cased
  // end equals the suffix.
  bool ends_with_suffix(std::string_view word) const;
  // Builds stem + tail in the table's buffer and applies the condition.
  const char* accept(std::string_view stem, std::string_view tail) const;

 private:
  EndingTable* table_;
  std::optional<std::string> name_;
  std::string suffix_;  // a missing suffix counts as the empty one
  std::optional<std::string> replacement_;
  LExp* condition_ = nullptr;  // owned by the table
};

class EndingDouble final : public Ending {
 public:
  using Ending::Ending;
  bool matches(std::string_view word) const override;
  const char* root(std::string_view word) const override;
};

class EndingES final : public Ending {
 public:
  using Ending::Ending;
  bool matches(std::string_view word) const override;
  // Reads the character set after the plain fields; an e ending without one
  // is refused.
  bool init(IRSlist& definition) override;
  const std::string& characters() const { return characters_; }

 private:
  std::string characters_;
};

}  // namespace velmo
