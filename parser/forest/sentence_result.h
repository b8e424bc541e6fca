#pragma once
// What a parser keeps of a sentence after its chart: the parse forest of the
// chosen cover, the weigher of its dependencies (with the cache of triple
// weights, kept across sentences) and the dependency tree read off it.
//
// Per sentence the parser calls, in order:
//   begin_sentence();                        before the chart is built
//   forest().node_for(item), set_extra_cost, add_root   root collection
//   forest().set_roots(cover)                the minimal-weight cover
//   build(words, modifier)                   the sentence's Deps
#include <functional>

#include "parser/forest/dependency_weigher.h"
#include "parser/forest/deps.h"
#include "parser/forest/parse_forest.h"

namespace velmo {

class DepsModifier;
class ItemLattice;

class SentenceResult {
 public:
  SentenceResult();

  ParseForest& forest() { return forest_; }
  DependencyWeigher& weigher() { return weigher_; }

  // Empties the forest of the previous sentence.
  void begin_sentence();
  // Reads the tree of the forest's roots into the result tree (made anew
  // when someone else still holds the previous one), with the sentence's
  // words, and lets `modifier` (a tree-rule set, may be null) rewrite it.
  Deps& build(const ItemLattice* words, DepsModifier* modifier);
  // A result with no tree at all (the sentence could not be parsed): the
  // words and a top node without children.
  Deps& build_empty(const ItemLattice* words);

  // The tree of the last sentence, or null before the first.
  Deps* deps() const { return deps_.get(); }
  const DepsRef& deps_ref() const { return deps_; }

 private:
  // The Deps to fill: the previous one when nobody else holds it.
  Deps& fresh_deps(const ItemLattice* words);

  ParseForest forest_;
  DependencyWeigher weigher_;
  DepsRef deps_;
};

}  // namespace velmo
