#pragma once
// One sentence's dependency tree: the words with the white space before
// each, the nodes (owned here, released together), the top node, the
// counter of "E" labels, an id and a list of assertions. A Deps is shared
// by the parser and the expression language and counts its holders.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <vector>

#include "parser/forest/dep_tree.h"
#include "shell/support/ref_ptr.h"
#include "shell/support/string_pool.h"

namespace velmo {

class Deps : public RefCounted<Deps> {
 public:
  Deps();
  virtual ~Deps();
  Deps(const Deps&) = delete;
  Deps& operator=(const Deps&) = delete;

  // ---- Sentence. Position 0 is the empty sentinel; words are 1..n-1.
  // Forgets the nodes, the words and the assertions, and restarts the
  // label counter; the id stays.
  void reset();
  void add_word(std::string_view word, std::string_view space_before);
  // The count of positions including the sentinel (n).
  int word_count() const { return static_cast<int>(words_.size()); }
  std::string_view word(int position) const;
  std::string_view space_before(int position) const;
  // The words start..end joined, one blank where the text had white space.
  std::string words_between(int start, int end) const;

  // ---- Nodes.
  virtual DepTree* new_node(int start, int end, int position);
  DepTree* root() const { return root_; }
  void set_root(DepTree* root) { root_ = root; }
  std::size_t node_count() const { return used_nodes_; }
  // Counts the changes of the tree's shape and of its nodes' categories
  // and relations; whoever keeps facts about the tree (the node index of
  // the tree rules) compares it to know whether they still hold.
  std::uint64_t change_count() const { return changes_; }
  void note_change() { ++changes_; }
  // Next value of the "E" label counter.
  int next_empty_label() { return empty_labels_++; }

  // ---- Texts, kept as long as the tree.
  const char* keep(std::string_view text) { return texts_.add(text); }
  // As keep, for the few texts many nodes share (categories, relations):
  // equal texts are kept once and get the same pointer.
  const char* keep_label(std::string_view text);
  // Where the nodes keep their properties; released with the nodes.
  std::pmr::memory_resource* property_store() { return &property_store_; }

  const std::string& id() const { return id_; }
  void set_id(std::string_view id);
  const std::vector<std::string>& assertions() const { return assertions_; }
  void add_assertion(std::string_view text) { assertions_.emplace_back(text); }

 private:
  // Declared first: the nodes' properties live here and must go last.
  std::pmr::monotonic_buffer_resource property_store_;
  std::vector<const char*> words_;
  std::vector<const char*> spaces_;
  // The nodes of the sentence are nodes_[0, used_nodes_); the others are
  // recycled nodes of earlier sentences, given out again before new ones
  // are made (a parse makes hundreds of nodes).
  std::vector<std::unique_ptr<DepTree>> nodes_;
  std::size_t used_nodes_ = 0;
  DepTree* root_ = nullptr;
  int empty_labels_ = 0;
  std::uint64_t changes_ = 0;
  std::string id_;
  std::vector<std::string> assertions_;
  StringPool texts_;
  std::vector<const char*> labels_;  // open-addressed table of keep_label's texts
  std::size_t label_count_ = 0;
};

// A counted reference to a Deps: the last holder to go destroys the tree.
using DepsRef = RefPtr<Deps>;

}  // namespace velmo
