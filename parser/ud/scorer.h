#pragma once
// Attachment scores of a system file against a gold file. Words are aligned
// by their characters, as the shared-task evaluation does: both files must
// hold the same text once white space is removed, but may cut it into words
// differently (with as many sentences on both sides, a sentence whose text
// differs is left out and named in `Scores::skipped`); words inside
// multi-word tokens are matched by their forms.
// Relations are compared by their universal part ("nsubj:pass" = "nsubj").
#include <map>
#include <string>
#include <vector>

#include "parser/ud/conllu.h"

namespace velmo::ud {

struct RelationCounts {
  int gold = 0;     // gold words with the relation
  int system = 0;   // system words with the relation
  int correct = 0;  // aligned words with the relation, right head and right relation
  double precision() const { return system ? 100.0 * correct / system : 0.0; }
  double recall() const { return gold ? 100.0 * correct / gold : 0.0; }
};

struct SentenceScore {
  std::string sent_id;
  std::string text;
  int words = 0;   // gold words
  int heads = 0;   // of them with the right head
  int labels = 0;  // with the right head and relation
  double las() const { return words ? 100.0 * labels / words : 100.0; }
};

struct Scores {
  int gold_words = 0;
  int system_words = 0;
  int aligned = 0;
  int heads = 0;   // aligned words with the right head
  int labels = 0;  // and the right relation
  std::map<std::string, RelationCounts> relations;
  std::vector<SentenceScore> sentences;  // one per gold sentence that was scored
  std::vector<std::string> skipped;      // sentences left out because their texts differ

  // F1 of a count over the system and gold words: the plain accuracy when
  // both files cut the text alike.
  double f1(int correct) const {
    return gold_words + system_words ? 200.0 * correct / (gold_words + system_words) : 0.0;
  }
  double uas() const { return f1(heads); }
  double las() const { return f1(labels); }
  double words_f1() const { return f1(aligned); }
};

struct ScoreResult {
  bool ok = false;
  std::string error;  // why the files cannot be compared
  Scores scores;
};

ScoreResult score(const std::vector<UdSentence>& gold, const std::vector<UdSentence>& system);

// The `count` gold sentences with the lowest LAS (ties: the longer first).
std::vector<SentenceScore> worst_sentences(const Scores& scores, size_t count);

}  // namespace velmo::ud
