#pragma once
// A cheap first look at a lexitem condition. Every lexical rule of a rule
// set scans every item of the sentence, and most items fail the first test
// of its condition: a root of the wrong text, or a reading of the wrong
// kind ("(noun-item)"). The guard makes that first test without the
// general evaluation where it can: it compares a root or the item's words
// with a fixed text directly, looks them up in the array of an (in (WORD
// ...)) list, looks an ending up among the item's, answers calls of
// functions without parameters once per item while the lattice's
// ItemTestMemo keeps answers (or, for a body (comp (att) TEST) whose TEST
// is a test that only reads the vector, or a not, or, and of such tests,
// makes TEST on the item's vector directly; so too for such a (comp (att)
// TEST) written out in the condition), and combines such tests with not,
// or and and.
//
// Only tests known to change nothing are taken: their forms are and, or,
// not, calls of functions without parameters, no-alternative, (t),
// constants, (ending NAME), and the accessors att, root and surform
// followed by str=, in, reg-match, an attribute test against a constant,
// or connectives of these.
#include <algorithm>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lexical/items/item_test_memo.h"
#include "lexical/items/item_text_filter.h"
#include "lexical/items/lex_item.h"
#include "lexicon/attributes/att_test.h"
#include "shell/lexp/lexp.h"
#include "shell/lexp/types.h"
#include "shell/support/text.h"

namespace velmo {

class IRSlist;
class LExp;
class LexItem;
class SortedWordArray;

class ItemGuard {
 public:
  // A test of a text made directly: (str= TEXT) and the like, a
  // (str-prefix (str TEXT) (ident)), an (in ...) over listed words (looked
  // up in the expression's own array), or a call of a function without
  // parameters whose body is one of these.
  class TextTest {
   public:
    // The test `exp` on a text; inactive for anything else.
    static TextTest of(const LExp& exp, TypeId type);
    bool active() const { return kind_ != Kind::kNone; }
    // The test's answer on `text` (null for none). Most texts a guard
    // asks about differ from its words in their first byte: that is looked
    // at here, before the call.
    bool holds(const char* text) const {
      if (!text) return false;
      if (first_byte_decides_ && !first_bytes_[static_cast<unsigned char>(ascii_lower(*text))]) return false;
      return holds_in_full(text);
    }
    // Whether a text whose filter bit (ItemTextFilter::bit_of) is `bit`
    // may pass.
    bool may_have_bit(std::uint16_t bit) const {
      if (kind_ != Kind::kEquals && kind_ != Kind::kIn) return true;
      if (bit_filter_) return bit_filter_->may_hold(bit);
      return std::find(bits_.begin(), bits_.end(), bit) != bits_.end();
    }
    // Whether a text whose first byte, in lower case, is `byte` may pass.
    bool may_begin_with(unsigned char byte) const { return !first_byte_decides_ || first_bytes_[byte]; }
    // False when the test holds on no text the filter may hold.
    bool may_hold_in(const ItemTextFilter& texts) const;

   private:
    enum class Kind { kNone, kNever, kEquals, kIn, kPrefix };
    bool holds_in_full(const char* text) const;
    bool in_words(const char* text) const;

    Kind kind_ = Kind::kNone;
    std::string lower_text_;                // kEquals
    std::string prefix_;                    // kPrefix, as written
    const SortedWordArray* words_ = nullptr;  // kIn: the in expression's
    // kEquals, kIn: the first bytes of the text or words, in lower case (0
    // for an empty one), which every text that passes begins with.
    std::bitset<256> first_bytes_;
    bool first_byte_decides_ = false;
    std::size_t longest_ = 0;                 // kIn: bytes of the longest word
    std::vector<std::uint16_t> bits_;         // kEquals, kIn: the texts' filter bits
    // kIn with more than kFewBits bits: the same bits as a filter, whose
    // bits are compared with a sentence's all at once.
    static constexpr std::size_t kFewBits = 3;
    std::optional<ItemTextFilter> bit_filter_;
  };

  // The guard of a condition with input "LexItem*": the condition itself,
  // or the first operand of an (and ...) condition; none when that test is
  // of no kind above.
  static ItemGuard of(LExp& condition);

  // False when the condition is surely 0 on `item`. The commonest answers
  // are given here without a call: a test of the root, a call's answer
  // that the memo keeps, and an ending test on an item without endings.
  bool admits(LexItem& item, ItemTestMemo& memo) const {
    switch (kind_) {
      case Kind::kRoot:
        return text_test_.holds(item.root);
      case Kind::kCall: {
        const int kept = memo.find(body_, &item);
        return kept >= 0 ? kept != 0 : answer_call(item, memo);
      }
      case Kind::kEnding:
      case Kind::kEndings:
        if (item.affixes.empty()) return false;
        break;
      default:
        break;
    }
    return admits_otherwise(item, memo);
  }
  // False when admits() is surely false on every item of a sentence whose
  // items' roots and endings the filter holds.
  bool may_admit_some(const ItemTextFilter& texts) const;
  // False when admits() is surely false on every item whose (surform) is
  // one word of a sentence whose words the filter holds: the guard needs a
  // (surform) text that no word has. Items over several words are not
  // covered: their (surform) joins the words.
  bool may_admit_a_word(const ItemTextFilter& words) const;
  // For a guard that calls a function whose body tests the item's own
  // vector only: that body, which every rule calling the function shares;
  // else null. Its answers on an item change only when the memo's own
  // answers are forgotten.
  // An (and A B ...) guard answers so for A.
  const LExp* vector_call() const {
    return kind_ == Kind::kAnd && !parts_.empty() ? parts_.front().vector_call_ : vector_call_;
  }
  // admits() in two steps: the test vector_call() names (the whole guard
  // but for an and, whose first operand it is), then the rest.
  bool admits_leading(LexItem& item, ItemTestMemo& memo) const {
    return kind_ == Kind::kAnd && !parts_.empty() ? parts_.front().admits(item, memo) : admits(item, memo);
  }
  bool admits_after_leading(LexItem& item, ItemTestMemo& memo) const {
    if (kind_ != Kind::kAnd) return true;
    for (std::size_t i = 1; i < parts_.size(); ++i)
      if (!parts_[i].admits(item, memo)) return false;
    return true;
  }
  // Whether admits() answers for the whole condition.
  bool decides() const { return decides_; }
  // For a guard made from the first operand of (and A B ...): the operands,
  // of which those after A are left to decide an admitted item; else null.
  const LExpList* conjuncts() const { return conjuncts_; }
  // Whether B ... of (and A B ...) all hold on an item the guard admitted,
  // in order, as the and form evaluates them. An operand whose test the
  // guard can make directly (alone, it would decide) is made so, with the
  // memo's answers; the others are evaluated.
  bool rest_holds(LexItem& item, ItemTestMemo& memo) const;

  // Whether `exp`, given an input of type `type`, only reads: evaluating it
  // changes nothing.
  static bool reads_only(const LExp& exp, TypeId type);

 private:
  enum class Kind { kNone, kRoot, kSurform, kCall, kVector, kEnding, kEndings, kNot, kOr, kAnd };
  // admits() for the kinds other than kRoot.
  bool admits_otherwise(LexItem& item, ItemTestMemo& memo) const;
  // A call's answer that the memo does not keep: found and kept there.
  bool answer_call(LexItem& item, ItemTestMemo& memo) const;
  // The guard of one test, or kNone.
  static ItemGuard of_test(LExp& test, int depth = 0);
  // The guard of a connective whose operands all have guards, or kNone.
  static ItemGuard of_connective(LExp& test, int depth);
  // The guard of a (comp (root) TEST), (root TEST), (comp (surform) TEST)
  // or (surform TEST), or kNone.
  static ItemGuard of_text_test(LExp& test);
  // The guard of a call whose body is (comp (att) TEST), TEST a test of
  // the vector that only reads it or not, or, and of such tests, or kNone.
  static ItemGuard of_vector_call(const LExp& body);

  // A test of a vector made directly: an attribute test that only reads,
  // its constant bound, or a not, or, and of such tests.
  class VectorCondition {
   public:
    // The condition `exp` on an input of type `type`; none when it is not
    // of that form.
    static std::optional<VectorCondition> of(const LExp& exp, TypeId type, int depth);
    // What `exp` gives on a vector: an unusable one fails every test.
    bool holds(const AttVec& vec, bool usable) const;
    bool single_test() const { return connective_ == LExp::Connective::kNone; }

   private:
    LExp::Connective connective_ = LExp::Connective::kNone;
    std::optional<BoundAttTest> test_;    // kNone
    std::vector<VectorCondition> parts_;  // not, or, and: the operands
  };

  Kind kind_ = Kind::kNone;
  LExp* body_ = nullptr;          // kCall: the function's body
  const LExp* vector_call_ = nullptr;
  // kVector: the body's test, its constant bound. Cheaper than the memo's
  // lookup, and it holds across actions, which the memo forgets.
  // kCall: the body's test when it is made of several such tests, for the
  // answers the memo does not hold; else none.
  std::optional<VectorCondition> vector_condition_;
  TextTest text_test_;            // kRoot, kSurform
  const char* ending_ = nullptr;  // kEnding: the name of the ending, or null
  // kEndings, an (or (ending NAME) ...): the names (none null). Most items
  // have no ending at all, which is then one test.
  std::vector<const char*> endings_;
  // kEnding, kEndings: the filter bits of the names.
  std::vector<std::uint16_t> ending_bits_;
  std::vector<ItemGuard> parts_;  // kNot, kOr, kAnd: the operands' guards
  const LExpList* conjuncts_ = nullptr;
  // With conjuncts_: the guards of the operands after the first, kNone
  // for those that must be evaluated.
  std::vector<ItemGuard> rest_;
  bool decides_ = false;
};

}  // namespace velmo
