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
};

}  // namespace velmo
