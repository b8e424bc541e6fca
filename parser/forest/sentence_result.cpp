#include "parser/forest/sentence_result.h"

#include "lexical/items/item_lattice.h"
#include "parser/forest/deps_modifier.h"
#include "parser/forest/tree_reader.h"

namespace velmo {

SentenceResult::SentenceResult() { forest_.set_weigher(&weigher_); }

void SentenceResult::begin_sentence() {
  forest_.clear_nodes();
  weigher_.begin_sentence();
}

Deps& SentenceResult::fresh_deps(const ItemLattice* words) {
  // The previous tree may still be held by an expression or the shell: it
  // is left to them and the new sentence gets a tree of its own.
  if (!deps_ || deps_->refs() > 1) deps_ = DepsRef(new Deps);
  Deps& deps = *deps_;
  deps.reset();
  deps.add_word("", "");
  if (words)
    for (int p = 1; p < words->positions(); ++p) {
      const char* word = words->word_at(p);
      const char* space = words->spacing_at(p);
      deps.add_word(word ? word : "", space ? space : "");
    }
  return deps;
}

Deps& SentenceResult::build(const ItemLattice* words, DepsModifier* modifier) {
  Deps& deps = fresh_deps(words);
  TreeReader(deps).read(forest_);
  if (modifier) modifier->modify(deps);
  return deps;
}

Deps& SentenceResult::build_empty(const ItemLattice* words) {
  Deps& deps = fresh_deps(words);
  deps.set_root(deps.new_node(-1, -1, -1));
  return deps;
}

}  // namespace velmo
