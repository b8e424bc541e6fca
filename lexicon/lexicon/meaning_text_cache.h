#pragma once
// Meanings read from dictionary text, kept by the exact text of their form.
// The entries of a dictionary repeat a few thousand meaning texts ("(avm
// ((cat n) (num sg) (person 3)))", "(freq N 0)") over hundreds of thousands
// of words, and reading one costs far more than copying the meaning read
// before. Only kinds whose meaning depends on the text alone are kept
// (attribute vectors and frequencies; not "phrases", which adds to the
// entry being read), and only meanings read without a message.
//
// Like the lexicon's own table of entries, the cache keeps what a text
// meant when it was first read; a kept meaning is not used once its kind's
// prototype is replaced or its attribute type is gone.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <unordered_map>

namespace velmo {

class IRSlist;
class Meaning;

class MeaningTextCache {
 public:
  // Beyond this many texts nothing more is kept.
  static constexpr std::size_t kMaxTexts = std::size_t{1} << 16;

  // The meaning of the form `text` (a list "(type body...)"): a copy of the
  // kept one, or else read from `form` (the same text as a tree; the type
  // name is taken from it) as make_meaning reads it, and kept when it may
  // be. Null when the form yields no meaning.
  std::unique_ptr<Meaning> make(std::string_view text, IRSlist& form);
  // As make, for a text whose copy_of has just given null: the form is
  // read without asking for a kept meaning again.
  std::unique_ptr<Meaning> read(std::string_view text, IRSlist& form);
  // A copy of the meaning kept for `text`, or null.
  std::unique_ptr<Meaning> copy_of(std::string_view text) const;

  std::size_t size() const { return kept_.size(); }
  void clear() { kept_.clear(); }

 private:
  struct Kept {
    std::unique_ptr<Meaning> meaning;
    std::string type;
    const Meaning* prototype = nullptr;
    // The object factory's count of prototype changes when `prototype` was
    // last found under `type`: while the count stays, it is not looked up
    // again (a copy is made for every sighting of a common meaning text).
    mutable std::uint64_t checked_at = 0;
  };
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
  };

  std::unordered_map<std::string, Kept, TextHash, std::equal_to<>> kept_;
  // Catches the messages of a reading; in use while `capturing_`.
  std::ostringstream messages_;
  bool capturing_ = false;
};

}  // namespace velmo
