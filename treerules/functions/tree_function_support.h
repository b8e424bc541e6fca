#pragma once
// Helpers shared by the tree functions.
#include <string>
#include <string_view>

#include "parser/forest/deps.h"
#include "shell/lexp/lexp.h"
#include "treerules/patterns/lasting_text.h"

namespace velmo {

// The node's position, or its span start when it has none.
int node_place(const DepTree& node);
// `text` kept by the node's tree; as an expression value.
Word keep_text(const DepTree& node, std::string_view text);

// An argument given as literal text (an atom, kept by lasting_text) or as an
// expression evaluated with the function's input.
class TextArg {
 public:
  // Takes the next argument; false when there is none.
  bool take(IRSlist& args);
  bool present() const { return literal_ != nullptr || exp_ != nullptr; }
  // The text, or null.
  const char* value(Word input, TypeId type) const;
  // The expression when the argument is one (null for literal text).
  LExp* expression() const { return exp_.get(); }
  // The literal text (kept for the whole run), or null.
  const char* literal() const { return literal_; }

 private:
  const char* literal_ = nullptr;
  LExpPtr exp_;
};

// A function of one dependency-tree node (input "RSTree*"): a value that is
// not a tree node gives nothing.
class NodeFunction : public LExp {
 public:
  NodeFunction(const char* output_type);
  Word eval(Word input, TypeId type) override;

 protected:
  virtual Word apply(DepTree& node, Word input, TypeId type) = 0;
};

void register_tree_accessors();
void register_tree_searches();
void register_tree_edits();
void register_tree_reading();
void register_tree_printing();

}  // namespace velmo
