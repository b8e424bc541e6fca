#pragma once
// What a lexicon needs from an ending table. Word endings belong to the
// lexical layer above (EndingTable in lexical/items implements this); the
// lexicon only keeps a table and asks it, through this interface, for the
// candidate roots of a word. From them it builds
//   - the lookup through endings: every (entry, ending) pair for a word
//     (Lexicon::lookup_readings, used by the lexical analyzer), and
//   - the root of a word (Lexicon::root_of, the get-root function).
#include <memory>
#include <string_view>

#include "shell/support/named_object.h"

namespace velmo {

class Ending;  // one ending rule, defined by the lexical layer
class IRSlist;

// One candidate root and the ending that produced it.
struct RootCandidate {
  const char* root = nullptr;  // valid until the next first_root() on the table
  const Ending* ending = nullptr;
};

class EndingTableBase : public NamedObject {
 public:
  // The first candidate root of `word`: the root of the first ending (in
  // definition order) that matches the word and whose condition accepts the
  // root. False when there is none.
  virtual bool first_root(std::string_view word, RootCandidate& candidate) = 0;
  // The next candidate root of the same word, in the table's order.
  virtual bool next_root(RootCandidate& candidate) = 0;
};

// Builds the unnamed table of a lexicon made with an inline ending list
// (make-lexicon :ending-table (...)). The lexical layer installs one when it
// registers its commands; without it such a lexicon has no table and looks
// words up as written.
class EndingTableBuilder {
 public:
  virtual ~EndingTableBuilder() = default;
  // A table filled from `endings`, or null when it cannot be built.
  virtual std::unique_ptr<EndingTableBase> build(IRSlist& endings) = 0;

  // The installed builder (null: none); installing replaces the previous one.
  static EndingTableBuilder* installed();
  static void install(EndingTableBuilder* builder);
};

}  // namespace velmo
