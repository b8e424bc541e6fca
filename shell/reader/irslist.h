#pragma once
// Parsed command text: a node is a list of child nodes or an atom text. The
// empty list and the nil atom (no text) are the same thing. Atom texts are not
// owned: they live in the string store of the tokenizer that read them (or of
// whoever copied the tree).
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "shell/support/slist.h"

namespace velmo {

class StringPool;
class TokenizerBase;

// A node with an ordered list of child nodes; trees are built on it.
class RSlist {
 public:
  virtual ~RSlist() = default;
  TSlist<RSlist*>& children() { return children_; }
  const TSlist<RSlist*>& children() const { return children_; }

 private:
  TSlist<RSlist*> children_;
};

class IRSlist {
 public:
  IRSlist() = default;
  explicit IRSlist(const char* atom) : atom_(atom) {}
  ~IRSlist();
  IRSlist(const IRSlist&) = delete;
  IRSlist& operator=(const IRSlist&) = delete;
  // Lexicon entries read from disk are parsed into lists and dropped by the
  // thousand: dropped nodes' memory is kept for the next (see KeptMemory).
  static void* operator new(std::size_t size);
  static void operator delete(void* memory, std::size_t size);

  bool is_list() const { return !children_.empty(); }
  bool is_atom() const { return children_.empty(); }
  bool is_nil() const { return children_.empty() && atom_ == nullptr; }
  const char* atom() const { return atom_; }
  void set_atom(const char* text) { atom_ = text; }
  std::size_t length() const { return children_.length(); }
  const TSlist<IRSlist*>& children() const { return children_; }

  // Takes ownership of `child` and appends it.
  void append(IRSlist* child) { children_.append(child); }
  void append(std::unique_ptr<IRSlist> child) { children_.append(child.release()); }
  void prepend(std::unique_ptr<IRSlist> child) { children_.prepend(child.release()); }
  // Detaches and returns the first element (null when empty).
  std::unique_ptr<IRSlist> take_first();

  // ---- Taking arguments. Keywords compare case-insensitively and are found
  // anywhere in the list; the first occurrence counts.
  const char* take_atom();
  const char* peek_atom() const;
  long take_long();
  float take_float();
  float float_at(std::size_t n) const;
  IRSlist* element_at(std::size_t n) const;
  bool has_flag(std::string_view name) const;
  bool take_flag(std::string_view name);
  const char* take_value(std::string_view name, bool quiet = false);
  std::unique_ptr<IRSlist> take_value_node(std::string_view name, bool quiet = false);
  IRSlist* peek_value_node(std::string_view name, bool quiet = false) const;
  bool peek_value(std::string_view name, const char*& value, bool quiet = false) const;
  bool integer_after(std::string_view name, long& value, bool quiet = false) const;
  bool number_after(std::string_view name, float& value, bool quiet = false) const;

  // Deep copy whose atom texts are copied into `store`.
  std::unique_ptr<IRSlist> copy(StringPool& store) const;

  // ---- Printing.
  // Elements separated by blanks; the node's own parentheses are not written.
  void append_flat(std::string& out) const;
  std::string flat() const;
  // As flat, but a list is enclosed in parentheses.
  void append_text(std::string& out) const;
  std::string text() const;
  // The indented form used to echo commands, with a final newline.
  std::string indented() const;

  // Reads one item from `tokenizer`. Returns null at the end of input and
  // when the token read is ")". Atom texts go into the tokenizer's strings().
  static std::unique_ptr<IRSlist> read(TokenizerBase& tokenizer);
  // Parses `text` (the first item), atom texts copied into `store`.
  static std::unique_ptr<IRSlist> parse(std::string_view text, StringPool& store);

 private:
  SlistNode* keyword_node(std::string_view name, SlistNode** previous = nullptr) const;
  void report_missing(std::string_view name, bool quiet) const;
  void append_indented(std::string& out, int depth) const;

  TSlist<IRSlist*> children_;
  const char* atom_ = nullptr;
};

using IRSlistPtr = std::unique_ptr<IRSlist>;

// The quoted form of an atom: the text itself, or the text between double
// quotes with backslashes before quotes and backslashes when it holds any
// byte that the reader would not give back as one atom.
void append_quoted(std::string& out, std::string_view text);

}  // namespace velmo
