#pragma once
// CoNLL-U sentences: reading with every problem reported by line number (the
// rest of the file is still read and each sentence comes out as a tree), and
// writing.
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::ud {

struct UdWord {
  int id = 0;
  std::string form, lemma, upos, xpos, feats;
  int head = 0;  // 0 for the root
  std::string deprel, deps, misc;
};

// A multi-word token (a contraction such as "don't") spanning words first..last.
struct UdMultiword {
  int first = 0;
  int last = 0;
  std::string form;
  std::string misc;
};

// An empty node of the enhanced graph ("8.1"), kept as its columns.
struct UdEmptyNode {
  int after = 0;  // the word it follows
  int minor = 0;
  std::vector<std::string> columns;  // all ten, the id included
};

struct UdSentence {
  std::vector<std::string> comments;  // whole lines, "#" included
  std::vector<UdWord> words;          // words[i].id == i + 1
  std::vector<UdMultiword> multiwords;
  std::vector<UdEmptyNode> empty_nodes;
  int first_line = 0;  // line number of the sentence's first line

  // Value of a "# key = value" comment, "" when there is none.
  std::string comment_value(std::string_view key) const;
  // The "# text" comment, or the text rebuilt from tokens and SpaceAfter=No.
  std::string text() const;
  // Index of the multi-word token that contains word `id`, -1 when none.
  std::vector<int> multiword_of_words() const;
};

struct ConlluProblem {
  int line = 0;
  std::string message;
};

class ConlluReader {
 public:
  explicit ConlluReader(std::istream& in) : in_(in) {}
  // Reads the next sentence; false at the end of the input. A malformed
  // sentence is reported and repaired into a tree (bad heads go to the root,
  // cycles are cut, one root is kept), so callers always get a tree.
  bool next(UdSentence& sentence);
  // Problems found so far, in input order.
  const std::vector<ConlluProblem>& problems() const { return problems_; }

 private:
  struct Pending;
  void read_line(std::string_view line, Pending& pending);
  void finish(Pending& pending, UdSentence& sentence);
  void problem(int line, std::string message) { problems_.push_back({line, std::move(message)}); }

  std::istream& in_;
  int line_number_ = 0;
  std::vector<ConlluProblem> problems_;
};

// Reads a whole stream; problems are appended to `problems` when given.
std::vector<UdSentence> read_conllu(std::istream& in, std::vector<ConlluProblem>* problems = nullptr);

// The sentence's lines, ended by a blank line.
std::string conllu_text(const UdSentence& sentence);
void write_conllu(std::ostream& out, const UdSentence& sentence);

// The universal part of a relation: "nsubj:pass" -> "nsubj".
std::string_view universal_relation(std::string_view deprel);

// Value of `key` in a MISC or FEATS column ("SpaceAfter=No|Rel=s"), "" when absent.
std::string attribute_value(std::string_view column, std::string_view key);

}  // namespace velmo::ud
