#pragma once
// A sentence-level test of a lexical rule whose action can do nothing unless
// a word next to the match passes a fixed text test:
//     (when (followed-by-word (in ("'t" ...))) ...)
//     (when (and (preceded-by-word (str= these)) ...) ...)
// Such a rule scans every item of every sentence and then, in nearly every
// sentence, finds no such word beside any match. When the rule's pattern
// changes nothing, a sentence none of whose words passes the test can skip
// the rule: no match could make the action do anything.
#include "lexical/patterns/item_guard.h"

namespace velmo {

class IRSlist;
class ItemLattice;
class LExp;

class RuleWordGate {
 public:
  // What an action's written form says of its opening word test, read
  // before the action is built (building takes the form apart).
  struct Form {
    int function = -1;  // which word function opens the condition; -1: none
  };
  static Form read_form(const IRSlist& action_form);
  // The gate of the action built from that form; inactive (every sentence
  // passes) unless the form and the built expression both have one of the
  // shapes above.
  static RuleWordGate of(const Form& form, LExp& action);

  bool active() const { return test_.active(); }
  // False when no word of the sentence passes the text test.
  bool may_pass(ItemLattice& lattice) const;

 private:
  ItemGuard::TextTest test_;
};

}  // namespace velmo
