#pragma once
// Cheap rejects for tree conditions. Most conditions start by comparing the
// node's category or relation with a fixed text, as in (cat (str= N)); the
// rest of the condition only runs when that comparison holds. A NodeGuard
// is that comparison, found once when the condition is built and made at
// each node without evaluating the expression chain. It is exact: a node
// the guard rejects is one at which the condition yields nothing, and the
// parts it skips have no effect there (no variable bound, no message).
//
// A guard may also name a test that some child of the node must pass: a
// condition such as (and (cat (str= V)) (exist-child (rel (str= obj)))) or
// (tree (cat (str= V)) (node (rel (str= obj)))) yields nothing, with no
// effect, at a node none of whose children has that relation. The rules
// use it to pass over such nodes without trying them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "parser/forest/dep_tree.h"
#include "shell/lexp/adaptors.h"

namespace velmo {

class RTCond;

// The texts of a dependency node that cat and rel read.
enum class NodeTextField : std::uint8_t { kNone, kCategory, kRelation };

// The text field of `node` (a dependency node), or null.
inline const char* node_text_field(const RSTree* node, NodeTextField field) {
  // Every tree node the expression language reaches is made by a Deps.
  const auto* dep = static_cast<const DepTree*>(node);
  switch (field) {
    case NodeTextField::kCategory:
      return dep->category();
    case NodeTextField::kRelation:
      return dep->relation();
    case NodeTextField::kNone:
      break;
  }
  return nullptr;
}

// (cat [LEXP]) and (rel [LEXP]): the adaptor from a node to one of its text
// fields. A kind of its own, so that guards can recognise it.
class NodeTextAdaptor final : public LAdaptor {
 public:
  NodeTextAdaptor(const char* name, NodeTextField field);
  const char* name() const override { return name_; }
  LExpPtr clone() const override;
  Word apply(Word input) override;
  Word eval(Word input, TypeId type) override {
    if (!check_input(type)) return 0;
    const Word text = apply(input);
    LExp* next = inner();
    return next ? next->eval(text, intermediate_type()) : text;
  }
  NodeTextField field() const { return field_; }

 private:
  const char* name_;
  NodeTextField field_;
};

// What tells texts apart without regard to case (ASCII letters): a hash of
// the text folded to lower case, its length and its first eight folded
// bytes. Texts with different keys differ; texts with equal keys are equal
// when they are no longer than eight bytes, and otherwise when the rest
// compares equal folded.
struct FoldedTextKey {
  std::uint64_t head = 0;
  std::uint32_t hash = 0;
  std::uint32_t length = 0;

  static FoldedTextKey of(const char* text) {
    FoldedTextKey key;
    std::uint32_t hash = 2166136261u;
    const char* p = text;
    for (; *p; ++p) {
      const auto c = static_cast<unsigned char>(fold(*p));
      hash = (hash ^ c) * 16777619u;
      if (p - text < 8) key.head |= std::uint64_t{c} << (8 * (p - text));
    }
    key.hash = hash;
    key.length = static_cast<std::uint32_t>(p - text);
    return key;
  }
  bool operator==(const FoldedTextKey&) const = default;
  // Whether `a` and `b`, texts with this key, are equal folded.
  bool same_texts(const char* a, const char* b) const {
    for (std::uint32_t i = 8; i < length; ++i)
      if (fold(a[i]) != fold(b[i])) return false;
    return true;
  }
  static char fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
};

class NodeGuard {
 public:
  NodeGuard() = default;
  // The guard that the condition `exp` implies at the node it is given;
  // inactive when none is known.
  static NodeGuard of(const LExp* exp);

  bool active() const { return field_ != NodeTextField::kNone; }
  // The field compared and the text it must equal, in lower case.
  NodeTextField field() const { return field_; }
  std::string_view lower_text() const { return lower_text_; }
  const FoldedTextKey& text_key() const { return text_key_; }
  // The lasting_text number of lower_text().
  std::uint32_t text_number() const { return text_number_; }
  // Whether the condition is exactly this comparison, so that the guard's
  // answer is the condition's.
  bool whole() const { return whole_; }
  // For a condition (and A B ...) whose A is exactly this comparison: its
  // conjuncts, of which those after the first decide where the guard
  // admits the node. Null otherwise.
  const LExpList* conjuncts() const { return conjuncts_; }
  // The test some child must pass (see above), when there is one: the
  // field and the text, in lower case.
  bool has_child_test() const { return child_field_ != NodeTextField::kNone; }
  NodeTextField child_field() const { return child_field_; }
  std::string_view child_lower_text() const { return child_lower_text_; }
  const FoldedTextKey& child_text_key() const { return child_text_key_; }
  std::uint32_t child_text_number() const { return child_text_number_; }
  // Whether the condition may hold at `node` (true for an inactive guard).
  bool admits(const RSTree* node) const {
    if (!active()) return true;
    const char* text = node ? node_text_field(node, field_) : nullptr;
    // Most nodes differ in the first character: one test rejects them.
    if (!text || (*text != first_lower_ && *text != first_upper_)) return false;
    return equals_folded(text);
  }

 private:
  // The test of the children that `condition` makes first, if any.
  void take_required_child(const RTCond& condition);
  // The test of the children that `guard` has.
  void take_child_test_of(const NodeGuard& guard) {
    child_field_ = guard.child_field_;
    child_lower_text_ = guard.child_lower_text_;
    child_text_key_ = guard.child_text_key_;
    child_text_number_ = guard.child_text_number_;
  }
  // Makes the comparison of `guard` the test for this guard's children.
  void take_child_test(const NodeGuard& guard) {
    child_field_ = guard.field_;
    child_lower_text_ = guard.lower_text_;
    child_text_key_ = guard.text_key_;
    child_text_number_ = guard.text_number_;
  }
  bool equals_folded(const char* text) const {
    for (const char c : lower_text_) {
      const char t = *text++;
      if ((t >= 'A' && t <= 'Z' ? static_cast<char>(t + 32) : t) != c) return false;
    }
    return *text == '\0';
  }

  NodeTextField field_ = NodeTextField::kNone;
  bool whole_ = false;
  const LExpList* conjuncts_ = nullptr;
  std::string lower_text_;
  FoldedTextKey text_key_;                        // of lower_text_
  std::uint32_t text_number_ = 0;                 // lasting_text number of lower_text_
  char first_lower_ = '\0', first_upper_ = '\0';  // the first character in both cases
  NodeTextField child_field_ = NodeTextField::kNone;
  std::string child_lower_text_;
  FoldedTextKey child_text_key_;
  std::uint32_t child_text_number_ = 0;
};

}  // namespace velmo
