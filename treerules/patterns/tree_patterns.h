#pragma once
// Tree patterns and tree conditions: expressions applied to one node of a
// dependency tree (input type "RSTree*"). A condition yields a node when it
// holds and nothing otherwise; a pattern yields a TreeMatch ("TreeMatch*")
// that records which nodes satisfied which part of it, owned by the caller.
#include <cstddef>
#include <string_view>
#include <vector>

#include "shell/lexp/lexp.h"
#include "shell/lexp/scope.h"
#include "treerules/patterns/node_guard.h"
#include "treerules/patterns/tree_match.h"

namespace velmo {

class RSTree;

// The ids of the two value types of the tree language.
struct TreeTypes {
  TypeId node;   // "RSTree*"
  TypeId match;  // "TreeMatch*"
  static const TreeTypes& get();
};

inline Word node_word(RSTree* node) { return to_word(node); }

// Evaluates `cond` on `node` and tells whether it yielded anything.
bool holds(LExp* cond, RSTree* node);
// The match of a pattern expression at `node` (or null), owned by the
// caller: a pattern's own, or a copy of what another expression yielded.
TreeMatchPtr run_pattern(LExp& pattern, RSTree* node);
// Whether an expression yields tree matches and may stand where a pattern is needed.
bool yields_matches(const LExp& exp);
// Whether a pattern expression may match nothing inside a parent pattern.
bool is_optional(const LExp& exp);

class RTPat;

// A sub-expression of a tree pattern, condition or rule. Whether it is a
// pattern is found out once, when it is built, not at every node.
class TreeExp {
 public:
  TreeExp() = default;
  explicit TreeExp(LExpPtr exp);

  explicit operator bool() const { return exp_ != nullptr; }
  LExp* get() const { return exp_.get(); }
  LExp& operator*() const { return *exp_; }
  LExp* operator->() const { return exp_.get(); }
  void reset() {
    exp_.reset();
    pattern_ = nullptr;
    yields_matches_ = false;
    guard_ = NodeGuard();
  }

  // Whether it yields anything at `node` (true when there is no expression).
  // A node the guard rejects is decided here, without a call.
  bool holds(RSTree* node) const {
    if (!exp_) return true;
    if (!guard_.admits(node)) return false;
    return guard_.whole() || evaluate_holds(node);
  }
  // Its match at `node`, owned by the caller.
  TreeMatchPtr match(RSTree* node) const {
    if (!exp_ || !node || !guard_.admits(node)) return nullptr;
    return evaluate_match(node);
  }
  // Its match at `node` written into `out`, which it replaces; whether
  // there is one (`out` is then left in no particular state).
  bool match_into(RSTree* node, TreeMatch& out) const {
    if (!exp_ || !node || !guard_.admits(node)) return false;
    return evaluate_match_into(node, out);
  }
  // As match_into, at a node the caller knows the guard admits.
  bool match_admitted_into(RSTree* node, TreeMatch& out) const {
    if (!exp_ || !node) return false;
    return evaluate_match_into(node, out);
  }
  // As holds, at a node the caller knows the guard admits.
  bool holds_admitted(RSTree* node) const { return !exp_ || guard_.whole() || evaluate_holds(node); }
  // Whether the guard lets `node` through: where it does not, the
  // expression yields nothing and has no effect.
  bool admits(const RSTree* node) const { return guard_.admits(node); }
  const NodeGuard& guard() const { return guard_; }
  // The value it yields at `node`.
  Word eval(RSTree* node) const;
  bool yields_matches() const { return yields_matches_; }
  bool optional() const;

 private:
  bool evaluate_holds(RSTree* node) const;
  TreeMatchPtr evaluate_match(RSTree* node) const;
  bool evaluate_match_into(RSTree* node, TreeMatch& out) const;

  LExpPtr exp_;
  RTPat* pattern_ = nullptr;  // exp_ itself, when it is a pattern
  bool yields_matches_ = false;
  NodeGuard guard_;  // a node it rejects is one where exp_ yields nothing
};

using TreeExpList = std::vector<TreeExp>;

// Base of every tree condition and pattern: input type "RSTree*".
class RTCond : public LExp {
 public:
  RTCond();
  // An expression some child of the node must satisfy: the condition tests
  // the children with it first (after any test of the node's own that its
  // guard makes), and at a node none of whose children its guard admits,
  // yields nothing and has no effect. Null when there is none.
  virtual const TreeExp* required_child() const { return nullptr; }
};

// Base of the patterns: the optional flag (t? and t*) and the pattern
// variable, bound to the matched node each time the pattern matches.
// Patterns hand their matches to each other and to tree rules as owned
// objects (match_at); a match obtained by evaluating a pattern as an
// ordinary expression stays with the pattern until its next evaluation.
class RTPat : public RTCond {
 public:
  RTPat();
  bool optional() const { return optional_; }
  Word eval(Word input, TypeId type) override;
  // The match at `node`, or null.
  virtual TreeMatchPtr match_at(RSTree* node) = 0;
  // The match at `node` written into `out` (see TreeExp::match_into);
  // patterns that can build it there allocate nothing for it.
  virtual bool match_into(RSTree* node, TreeMatch& out);
  // Whether the pattern matches at `node` (binding its variable); patterns
  // that can tell without building the match say so cheaper.
  virtual bool test(RSTree* node) { return match_at(node) != nullptr; }
  // As match_into and test, at a node the guard of first_test() is known
  // to admit: patterns that test it first may skip it.
  virtual bool match_admitted_into(RSTree* node, TreeMatch& out) { return match_into(node, out); }
  virtual bool test_admitted(RSTree* node) { return test(node); }
  // The expression the pattern evaluates first at a node, when nothing
  // else happens there if it yields nothing; null when there is none.
  virtual const LExp* first_test() const { return nullptr; }

 protected:
  void set_optional() { optional_ = true; }
  // When the first argument is an atom, it names the pattern variable: the
  // variable of that name in the scope being built, made when new.
  void take_variable(IRSlist& args);
  void bind(RSTree* node) const;

 private:
  bool optional_ = false;
  VariablePtr variable_;
  TreeMatchPtr last_result_;
};

// A pattern with one inner pattern (t?, t+, t*).
class OneCondRTPat : public RTPat {
 public:
  void init(IRSlist& args) override;
  const LExp* first_test() const override { return inner_.get(); }

 protected:
  const TreeExp& inner() const { return inner_; }

 private:
  TreeExp inner_;
};

// Registers the patterns, the tree conditions and the access functions.
void register_tree_patterns();

}  // namespace velmo
