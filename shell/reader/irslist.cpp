#include "shell/reader/irslist.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <vector>

#include "shell/reader/tokenizer.h"
#include "shell/support/diagnostics.h"
#include "shell/support/kept_memory.h"
#include "shell/support/string_pool.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

// The leading integer of `text`, or 0. A number beyond the range of int
// gives the nearest limit (reading it with "%d" would be undefined), which
// the command that takes it then checks against its own range.
int scan_int(const char* text) {
  const long value = std::strtol(text, nullptr, 10);
  return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

float scan_float(const char* text) {
  float value = 0;
  if (std::sscanf(text, "%f", &value) != 1) return 0;
  return value;
}

IRSlist* node_at(SlistNode* node) { return TSlist<IRSlist*>::from_word(node->value); }

bool is_keyword_atom(const IRSlist* node, std::string_view name) {
  return node->is_atom() && node->atom() && equal_nocase(node->atom(), name);
}

void report_found_list(const IRSlist* list) {
  diag() << "expecting an atom. This is found instead:\n(" << list->flat() << ")\n" << std::flush;
}

}  // namespace

void* IRSlist::operator new(std::size_t size) { return KeptMemory<IRSlist>::take(size); }

void IRSlist::operator delete(void* memory, std::size_t size) { KeptMemory<IRSlist>::give(memory, size); }

IRSlist::~IRSlist() {
  // Frees the subtree without recursion, so deeply nested input cannot
  // exhaust the stack: the children of each node freed join this node's
  // list first, so every node is freed with an empty list, and no other
  // store is needed.
  IRSlist* child;
  while (children_.take_first(child)) {
    IRSlist* grandchild;
    while (child->children_.take_first(grandchild)) children_.prepend(grandchild);
    delete child;
  }
}

std::unique_ptr<IRSlist> IRSlist::take_first() {
  IRSlist* first = nullptr;
  if (!children_.take_first(first)) return nullptr;
  return std::unique_ptr<IRSlist>(first);
}

const char* IRSlist::take_atom() {
  std::unique_ptr<IRSlist> first = take_first();
  if (!first) return nullptr;
  if (first->is_list()) {
    report_found_list(first.get());
    return nullptr;
  }
  return first->atom_;
}

const char* IRSlist::peek_atom() const {
  const IRSlist* first = children_.first();
  if (!first) return nullptr;
  if (first->is_list()) {
    report_found_list(first);
    return nullptr;
  }
  return first->atom_;
}

long IRSlist::take_long() {
  const char* text = take_atom();
  if (!text) {
    diag() << "IRSlist::get_long_val expecting a string\n" << std::flush;
    return 0;
  }
  return scan_int(text);
}

float IRSlist::take_float() {
  const char* text = take_atom();
  if (!text) {
    diag() << "IRSlist::get_float_val expecting a string\n" << std::flush;
    return 0;
  }
  return scan_float(text);
}

float IRSlist::float_at(std::size_t n) const {
  const IRSlist* node = element_at(n);
  if (!node || !node->atom_) {
    diag() << "IRSlist::get_float_val expecting a string\n" << std::flush;
    return 0;
  }
  return scan_float(node->atom_);
}

IRSlist* IRSlist::element_at(std::size_t n) const { return children_.nth(n); }

bool IRSlist::has_flag(std::string_view name) const {
  for (const IRSlist* child : children_)
    if (is_keyword_atom(child, name)) return true;
  return false;
}

bool IRSlist::take_flag(std::string_view name) {
  for (Slist::Iterator it(children_.raw()); !it.done(); it.advance()) {
    IRSlist* child = node_at(it.node());
    if (is_keyword_atom(child, name)) {
      it.remove_current();
      delete child;
      return true;
    }
  }
  return false;
}

SlistNode* IRSlist::keyword_node(std::string_view name, SlistNode** previous) const {
  const Slist& list = children_.raw();
  SlistNode* before = list.last_node();
  for (SlistNode* n = list.first_node(); n; n = n == list.last_node() ? nullptr : n->next) {
    if (is_keyword_atom(node_at(n), name)) {
      if (previous) *previous = before;
      return n;
    }
    before = n;
  }
  return nullptr;
}

void IRSlist::report_missing(std::string_view name, bool quiet) const {
  if (!quiet) diag() << "argument " << name << " is not found\n" << std::flush;
}

IRSlist* IRSlist::peek_value_node(std::string_view name, bool quiet) const {
  SlistNode* key = keyword_node(name);
  if (!key || key == children_.raw().last_node()) {
    report_missing(name, quiet);
    return nullptr;
  }
  return node_at(key->next);
}

bool IRSlist::peek_value(std::string_view name, const char*& value, bool quiet) const {
  const IRSlist* node = peek_value_node(name, quiet);
  if (!node) return false;
  value = node->atom_;
  return true;
}

std::unique_ptr<IRSlist> IRSlist::take_value_node(std::string_view name, bool quiet) {
  for (Slist::Iterator it(children_.raw()); !it.done(); it.advance()) {
    IRSlist* key = node_at(it.node());
    if (!is_keyword_atom(key, name)) continue;
    it.remove_current();
    delete key;
    if (it.done()) break;  // the keyword was the last element
    IRSlist* value = node_at(it.node());
    it.remove_current();
    return std::unique_ptr<IRSlist>(value);
  }
  report_missing(name, quiet);
  return nullptr;
}

const char* IRSlist::take_value(std::string_view name, bool quiet) {
  std::unique_ptr<IRSlist> node = take_value_node(name, quiet);
  return node ? node->atom_ : nullptr;
}

bool IRSlist::integer_after(std::string_view name, long& value, bool quiet) const {
  const IRSlist* node = peek_value_node(name, quiet);
  if (!node) return false;
  if (!node->atom_) {
    diag() << "There must be an integer after " << name << '\n' << std::flush;
    return false;
  }
  value = scan_int(node->atom_);
  return true;
}

bool IRSlist::number_after(std::string_view name, float& value, bool quiet) const {
  const IRSlist* node = peek_value_node(name, quiet);
  if (!node) return false;
  if (!node->atom_) {
    diag() << "There must be a number after " << name << '\n' << std::flush;
    return false;
  }
  value = scan_float(node->atom_);
  return true;
}

std::unique_ptr<IRSlist> IRSlist::copy(StringPool& store) const {
  auto result = std::make_unique<IRSlist>(atom_ ? store.add(atom_) : nullptr);
  for (const IRSlist* child : children_) result->append(child->copy(store));
  return result;
}

void append_quoted(std::string& out, std::string_view text) {
  bool needs_quotes = false;
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x80 || std::strchr("\t\n\r \"(),;\\", ch) != nullptr) {
      needs_quotes = true;
      break;
    }
  }
  if (!needs_quotes) {
    out += text;
    return;
  }
  out += '"';
  for (char ch : text) {
    if (ch == '"' || ch == '\\') out += '\\';
    out += ch;
  }
  out += '"';
}

namespace {

// Writes a node: an atom as its quoted form, nil as "()", a list within
// parentheses when `parenthesise`. Iterative, so nesting depth is unbounded.
void append_node(std::string& out, const IRSlist* root, bool parenthesise) {
  if (root->is_atom()) {
    if (root->is_nil())
      out += "()";
    else
      append_quoted(out, root->atom());
    return;
  }
  struct Frame {
    Slist::ConstIter next;
    Slist::ConstIter end;
    bool first;
  };
  std::vector<Frame> stack;
  if (parenthesise) out += '(';
  stack.push_back({root->children().raw().begin(), root->children().raw().end(), true});
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (!(frame.next != frame.end)) {
      stack.pop_back();
      if (!stack.empty() || parenthesise) out += ')';
      continue;
    }
    const IRSlist* child = TSlist<IRSlist*>::from_word(*frame.next);
    ++frame.next;
    if (!frame.first) out += ' ';
    frame.first = false;
    if (child->is_atom()) {
      if (child->is_nil())
        out += "()";
      else
        append_quoted(out, child->atom());
    } else {
      out += '(';
      stack.push_back({child->children().raw().begin(), child->children().raw().end(), true});
    }
  }
}

}  // namespace

void IRSlist::append_flat(std::string& out) const {
  if (is_list())
    append_node(out, this, false);
  else
    append_node(out, this, true);
}

std::string IRSlist::flat() const {
  std::string out;
  append_flat(out);
  return out;
}

void IRSlist::append_text(std::string& out) const { append_node(out, this, true); }

std::string IRSlist::text() const {
  std::string out;
  append_text(out);
  return out;
}

void IRSlist::append_indented(std::string& out, int depth) const {
  if (is_atom()) {
    if (is_nil())
      out += "()";
    else
      append_quoted(out, atom_);
    return;
  }
  out += '(';
  bool first = true;
  bool after_list = false;
  for (const IRSlist* child : children_) {
    if (child->is_list() || after_list) {
      out += '\n';
      out.append(static_cast<std::size_t>(2 * (depth + 1)), ' ');
    } else if (!first) {
      out += ' ';
    }
    child->append_indented(out, depth + 1);
    after_list = child->is_list();
    first = false;
  }
  out += ')';
}

std::string IRSlist::indented() const {
  std::string out;
  append_indented(out, 0);
  out += '\n';
  return out;
}

std::unique_ptr<IRSlist> IRSlist::read(TokenizerBase& tokenizer) {
  // Lists are read with an explicit stack of open lists, so nesting depth is
  // bounded by memory only; a list still open at the end of input is closed.
  std::vector<IRSlist*> open;
  std::unique_ptr<IRSlist> root;
  for (;;) {
    const char* token = tokenizer.next_significant_token();
    if (!token) break;
    IRSlist* item = nullptr;
    if (token[0] == '(' && token[1] == '\0') {
      item = new IRSlist;
      if (open.empty())
        root.reset(item);
      else
        open.back()->append(item);
      open.push_back(item);
      continue;
    }
    if (token[0] == ')' && token[1] == '\0') {
      if (open.empty()) return nullptr;
      open.pop_back();
      if (open.empty()) return root;
      continue;
    }
    std::string_view text(token, tokenizer.token_length());
    if (token[0] == '"') {
      text.remove_prefix(1);
      if (tokenizer.last_quote_closed() && !text.empty()) text.remove_suffix(1);
    }
    item = new IRSlist(tokenizer.strings().add(text));
    if (open.empty()) return std::unique_ptr<IRSlist>(item);
    open.back()->append(item);
  }
  return root;
}

std::unique_ptr<IRSlist> IRSlist::parse(std::string_view text, StringPool& store) {
  Tokenizer tokenizer(tokenizer_configs::kCommands);
  tokenizer.set_string_input(text);
  std::unique_ptr<IRSlist> item = read(tokenizer);
  return item ? item->copy(store) : nullptr;
}

}  // namespace velmo
