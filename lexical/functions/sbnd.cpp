#include "lexical/functions/sbnd.h"

#include <cstdlib>
#include <iostream>
#include <string_view>

#include "shell/lexp/adaptors.h"
#include "shell/lexp/native.h"
#include "shell/reader/irslist.h"
#include "shell/support/diagnostics.h"

namespace velmo {

namespace {

TypeId sbnd_type() {
  static const TypeId id = type_id(kSBndType);
  return id;
}

bool is_mark_char(char c) { return c == '*' || c == '+' || c == '?'; }

}  // namespace

SBnd::SBnd() { set_types("char*", "int"); }

const char* SBnd::doc() const {
  return "(sbnd ELEMENT ...) recognise a sequence of tokens: each ELEMENT is a condition on the recogniser "
         "(current-token, token N), optionally preceded by *, + or ? (with -N a repetition limit), or a bracket "
         "group (& :left L :right R :escape E); \".\" marks the boundary and \": (GUARD)\" ignores tokens the "
         "guard rejects. Yields the number of elements after the mark when the sequence is complete, else -1.";
}

bool SBnd::read_mark(const char* atom, Mark& mark) {
  if (!atom || !is_mark_char(atom[0])) return false;
  mark.repeat = atom[0] != '?';
  mark.optional = atom[0] != '+';
  mark.limit = atom[1] == '-' ? static_cast<int>(std::strtol(atom + 2, nullptr, 10)) : -1;
  return true;
}

void SBnd::add_element(Element element, Mark& mark) {
  const int index = element_count();
  if (index >= kMaxElements) {
    diag() << "sbnd: more than " << kMaxElements << " elements; the rest are ignored\n" << std::flush;
    mark = Mark{};
    return;
  }
  if (mark.repeat) repeat_mask_ |= 1u << index;
  if (mark.optional) optional_mask_ |= 1u << index;
  element.limit = mark.limit;
  elements_.push_back(std::move(element));
  mark = Mark{};
}

std::unique_ptr<SBnd::Group> SBnd::read_group(IRSlist& list) {
  auto group = std::make_unique<Group>();
  if (auto left = list.take_value_node(":left", true)) group->left = get_exp(left.get());
  if (auto right = list.take_value_node(":right", true)) group->right = get_exp(right.get());
  if (auto escape = list.take_value_node(":escape", true)) group->escape = get_exp(escape.get());
  return group;
}

void SBnd::init(IRSlist& args) {
  Mark mark;
  int mark_at = -1;  // element index of the boundary mark
  bool guard_next = false;
  while (std::unique_ptr<IRSlist> arg = args.take_first()) {
    if (arg->is_atom()) {
      const char* atom = arg->atom();
      if (!atom) continue;
      if (read_mark(atom, mark)) continue;
      if (std::string_view(atom) == ".") mark_at = element_count();
      if (std::string_view(atom) == ":") guard_next = true;
      continue;
    }
    if (guard_next) {
      guard_ = get_exp(arg.get());
      guard_next = false;
      continue;
    }
    const IRSlist* first = arg->element_at(0);
    const char* head = first && first->is_atom() ? first->atom() : nullptr;
    Element element;
    if (head && is_mark_char(head[0])) {
      read_mark(head, mark);
      arg->take_first();
      std::unique_ptr<IRSlist> condition = arg->take_first();
      if (condition) element.condition = get_exp(condition.get());
    } else if (head && std::string_view(head) == "&") {
      arg->take_first();
      element.group = read_group(*arg);
    } else {
      element.condition = get_exp(arg.get());
    }
    add_element(std::move(element), mark);
  }
  tail_ = mark_at >= 0 ? element_count() - mark_at : 0;
}

void SBnd::reset() {
  current_ = -1;
  repetitions_ = 0;
  has_current_ = false;
  current_token_.clear();
  for (Element& element : elements_) {
    if (element.group) element.group->open = 0;
    element.has_first = false;
  }
}

const char* SBnd::token(long n) const {
  if (n < 1 || n > current_ + 1 || n > element_count()) return nullptr;
  const Element& element = elements_[static_cast<std::size_t>(n - 1)];
  return element.has_first ? element.first_token.c_str() : nullptr;
}

bool SBnd::holds(LExp* exp) { return exp && exp->eval(to_word(this), sbnd_type()) != 0; }

void SBnd::record_first(int i) {
  Element& element = elements_[static_cast<std::size_t>(i)];
  if (element.has_first) return;
  element.first_token = current_token_;
  element.has_first = true;
}

int SBnd::close_group(int i) {
  Group& group = *elements_[static_cast<std::size_t>(i)].group;
  if (--group.open > 0) return -1;
  record_first(i);
  return result_for(i);
}

Word SBnd::eval(Word input, TypeId type) {
  if (!check_input(type) || !input) return static_cast<Word>(-1);
  const char* token = from_word<const char>(input);
  const TypeId text = ShellTypes::get().text;
  bool retry = false;
  while (true) {
    if (guard_ && guard_->eval(input, text) == 0) return static_cast<Word>(-1);
    current_token_ = token;
    has_current_ = true;
    bool again = false;
    const int result = examine(retry, again);
    if (!again) return static_cast<Word>(static_cast<std::intptr_t>(result));
    retry = true;
  }
}

int SBnd::examine(bool retry, bool& again) {
  const int count = element_count();
  const Word text_input = to_word(current_token_.c_str());
  const TypeId text = ShellTypes::get().text;
  // Bracket groups: an open group takes every token until it closes.
  if (current_ >= 0 && elements_[static_cast<std::size_t>(current_)].group &&
      elements_[static_cast<std::size_t>(current_)].group->open > 0) {
    Group& group = *elements_[static_cast<std::size_t>(current_)].group;
    if (group.left && group.left->eval(text_input, text)) {
      ++group.open;
      return -1;
    }
    if (group.right && group.right->eval(text_input, text)) return close_group(current_);
    if (group.escape && group.escape->eval(text_input, text)) {
      reset();
      again = true;
      return -1;
    }
    return -1;
  }
  // Candidates: from the furthest element reachable over optional ones down
  // to the nearest, so that moving on is preferred to repeating.
  const Element* current = current_ >= 0 ? &elements_[static_cast<std::size_t>(current_)] : nullptr;
  const bool may_repeat = current && repeatable(current_) && (current->limit <= 0 || repetitions_ < current->limit);
  const int lowest = may_repeat ? current_ : current_ + 1;
  int highest = current_ + 1;
  for (; highest < count; ++highest) {
    elements_[static_cast<std::size_t>(highest)].has_first = false;
    if (!optional(highest)) break;
  }
  if (highest >= count) highest = count - 1;
  for (int c = highest; c >= lowest; --c) {
    Element& candidate = elements_[static_cast<std::size_t>(c)];
    if (candidate.group) {
      if (!candidate.group->left || !candidate.group->left->eval(text_input, text)) continue;
      current_ = c;
      ++candidate.group->open;
      record_first(c);
      return -1;
    }
    if (!holds(candidate.condition.get())) continue;
    repetitions_ = (current_ < 0 || c > current_) ? 1 : repetitions_ + 1;
    current_ = c;
    record_first(c);
    return result_for(c);
  }
  const bool was_initial = current_ < 0;
  reset();
  if (was_initial || retry) return -1;
  again = true;
  return -1;
}

namespace {

SBnd* sbnd_of(Word input) { return from_word<SBnd>(input); }

// A token of the recogniser given as input, then the optional inner
// expression on it; nothing when there is no such token.
class SBndTokenAdaptor : public LAdaptor {
 public:
  SBndTokenAdaptor() : LAdaptor(ShellTypes::get().text) { set_input_type(sbnd_type()); }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    const Word token = apply(input);
    if (!token) return 0;
    return inner() ? inner()->eval(token, intermediate_type()) : token;
  }
};

// (current-token [LEXP]): the token under examination, then LEXP on it.
class CurrentTokenExp final : public DefaultClone<CurrentTokenExp, SBndTokenAdaptor> {
 public:
  const char* name() const override { return "current-token"; }
  const char* doc() const override {
    return "(current-token [LEXP]) the token the sentence boundary recogniser examines";
  }
  Word apply(Word input) override { return to_word(sbnd_of(input)->current_token()); }
};

// (token N [LEXP]): the first token element N accepted, then LEXP on it.
class TokenExp final : public DefaultClone<TokenExp, SBndTokenAdaptor> {
 public:
  const char* name() const override { return "token"; }
  const char* doc() const override {
    return "(token N [LEXP]) the first token accepted by element N of the sentence boundary recogniser";
  }
  void init(IRSlist& args) override {
    const char* number = args.take_atom();
    index_ = number ? std::strtol(number, nullptr, 10) : 0;
    LAdaptor::init(args);
  }
  Word apply(Word input) override { return to_word(sbnd_of(input)->token(index_)); }

 private:
  long index_ = 0;
};

// (reset-sbnd): the input, an expression value ("LExp*", as `pred` gives),
// is put back into its initial state when it is a recogniser.
Word reset_sbnd(Word input) {
  auto* recogniser = dynamic_cast<SBnd*>(from_word<LExp>(input));
  if (!recogniser) return 0;
  recogniser->reset();
  return input;
}

}  // namespace

void register_sbnd_expressions() {
  sbnd_type();
  register_lexp(std::make_unique<SBnd>());
  register_lexp(std::make_unique<CurrentTokenExp>());
  register_lexp(std::make_unique<TokenExp>());
  register_native("reset-sbnd", &reset_sbnd, "LExp*", "LExp*",
                  "(reset-sbnd) put the sentence boundary recogniser given as input (an LExp*) back in its initial "
                  "state");
}

}  // namespace velmo
