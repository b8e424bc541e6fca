#pragma once
// Reads the best dependency tree off a parse forest: for every root of the
// cover the tree of its lowest-weight analysis, the fragments under a
// word-less node when there are several, all under the word-less top node.
#include <unordered_map>
#include <vector>

namespace velmo {

class Deps;
class DepTree;
class LexItem;
class ParseForest;
class TNode;
class TraceList;
struct PItem;
struct TAlternative;

class TreeReader {
 public:
  // `deps` already holds the sentence's words; its nodes are made here.
  explicit TreeReader(Deps& deps) : deps_(deps) {}

  // Builds the sentence tree of the forest's roots under a new top node,
  // which becomes the root of the Deps.
  void read(ParseForest& forest);
  // The tree of one forest node's best analysis (null for a node already
  // read, so that no node is used twice).
  DepTree* node_tree(TNode* node);
  // The subtree of a lexical item of one or more words.
  DepTree* lexical_subtree(const LexItem& item, const PItem* parse_item);

 private:
  DepTree* dependent_tree(const TAlternative& record);
  DepTree* lexical_level_tree(const PItem& item);
  DepTree* new_empty_head(const PItem& item);
  void give_relation(DepTree& tree, const TAlternative& record);
  void attach_dependents(DepTree& head, const PItem& item, const std::vector<DepTree*>& dependents);
  // Gives each word that lost an argument to a moved element an empty
  // child standing for it, with the moved element as its antecedent.
  void place_empty_nodes();

  // A moved element attached by a merge whose item filled a gap, with the
  // trace entries of that gap.
  struct MovedPart {
    DepTree* filler;
    const TraceList* traces;
  };

  Deps& deps_;
  std::unordered_map<const LexItem*, DepTree*> word_nodes_;
  std::vector<MovedPart> moved_;
};

}  // namespace velmo
