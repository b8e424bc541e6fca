#pragma once
// Word endings belong to the lexical layer above the lexicon; a lexicon only
// keeps a table and asks it for candidate roots. The lexical layer fills these
// operations in when it registers its commands; until then a lexicon built
// with an ending list has no table and looks words up as written.
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

class EndingTable;
class IRSlist;

struct EndingTableSupport {
  // Builds an unnamed table from an ending list; null when it cannot.
  EndingTable* (*build)(IRSlist& endings) = nullptr;
  void (*destroy)(EndingTable* table) = nullptr;
  // The candidate roots of `word`, in the table's order.
  void (*candidate_roots)(const EndingTable& table, std::string_view word, std::vector<std::string>& roots) =
      nullptr;
};

EndingTableSupport& ending_table_support();

}  // namespace velmo
