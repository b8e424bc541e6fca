#pragma once
// A source of word-relation statistics that the parser consults when it
// weighs a dependency (set-reldb): how likely the modifier word is in the
// relation to the head word. The triple-count database of corpus/
// implements it; the parser knows only this interface.
#include <optional>
#include <string_view>

namespace velmo {

class RelationSource {
 public:
  virtual ~RelationSource() = default;
  // A probability-like value in (0, 1] for the triple, or nothing when the
  // source has never seen it.
  virtual std::optional<double> probability(std::string_view head, std::string_view relation,
                                            std::string_view modifier) = 0;
  // Whether the source has statistics of the word both as a head and as a
  // modifier. A word it lacks may be asked as "<CAT>word", naming the
  // category the parser gave it, so that the answer backs off to what the
  // source knows of rare words of that category.
  virtual bool knows_word(std::string_view /*word*/) { return true; }
};

}  // namespace velmo
