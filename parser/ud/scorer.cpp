#include "parser/ud/scorer.h"

#include <algorithm>
#include <cctype>

#include "parser/ud/scheme.h"

namespace velmo::ud {

namespace {

// One word of a file, placed in the file's text without white space.
struct FlatWord {
  size_t start = 0, end = 0;  // characters [start, end) of its token
  bool in_multiword = false;
  std::string form;
  int head = -1;  // index of the head word in the file, -1 for the root
  std::string relation;
  int sentence = 0;
};

struct FlatFile {
  std::string text;
  std::vector<FlatWord> words;
};

std::string without_space(std::string_view text) {
  std::string result;
  for (char c : text)
    if (!std::isspace(static_cast<unsigned char>(c))) result += c;
  return result;
}

FlatFile flatten(const std::vector<UdSentence>& sentences) {
  FlatFile file;
  for (int s = 0; s < static_cast<int>(sentences.size()); ++s) {
    const UdSentence& sentence = sentences[s];
    const int offset = static_cast<int>(file.words.size());
    std::vector<int> multiword = sentence.multiword_of_words();
    size_t token_start = 0, token_end = 0;
    for (const UdWord& word : sentence.words) {
      int m = multiword[word.id];
      bool starts_token = m < 0 || sentence.multiwords[m].first == word.id;
      if (starts_token) {
        token_start = file.text.size();
        file.text += without_space(m < 0 ? word.form : sentence.multiwords[m].form);
        token_end = file.text.size();
      }
      FlatWord flat;
      flat.start = token_start;
      flat.end = token_end;
      flat.in_multiword = m >= 0;
      flat.form = lower(word.form);
      flat.head = word.head > 0 ? offset + word.head - 1 : -1;
      flat.relation = std::string(universal_relation(word.deprel));
      flat.sentence = s;
      file.words.push_back(std::move(flat));
    }
  }
  return file;
}

std::string mismatch_message(const std::string& gold, const std::string& system) {
  size_t at = 0;
  while (at < gold.size() && at < system.size() && gold[at] == system[at]) ++at;
  auto context = [&](const std::string& text) {
    size_t from = at >= 20 ? at - 20 : 0;
    return std::string(1, '\'').append(text, from, 40).append(1, '\'');
  };
  return "the texts differ at character " + std::to_string(at) + ": gold " + context(gold) + ", system " +
         context(system);
}

class Aligner {
 public:
  Aligner(const FlatFile& gold, const FlatFile& system)
      : g_(gold.words), s_(system.words), gold_to_system_(g_.size(), -1), system_to_gold_(s_.size(), -1) {}

  void run() {
    size_t gi = 0, si = 0;
    while (gi < g_.size() && si < s_.size()) {
      if (g_[gi].in_multiword || s_[si].in_multiword) {
        size_t gs, ss;
        multiword_region(gi, si, gs, ss);
        match_forms(gs, gi, ss, si);
      } else if (g_[gi].start == s_[si].start && g_[gi].end == s_[si].end) {
        link(gi++, si++);
      } else if (g_[gi].start <= s_[si].start) {
        ++gi;
      } else {
        ++si;
      }
    }
  }

  const std::vector<int>& gold_to_system() const { return gold_to_system_; }
  const std::vector<int>& system_to_gold() const { return system_to_gold_; }

 private:
  void link(size_t g, size_t s) {
    gold_to_system_[g] = static_cast<int>(s);
    system_to_gold_[s] = static_cast<int>(g);
  }

  static bool past(const std::vector<FlatWord>& words, size_t i, size_t end) {
    if (i >= words.size()) return true;
    return words[i].in_multiword ? words[i].start >= end : words[i].end > end;
  }

  // The smallest stretch around a multi-word token that both files cut at
  // the same places: [gs, gi) and [ss, si) on return.
  void multiword_region(size_t& gi, size_t& si, size_t& gs, size_t& ss) {
    size_t end;
    if (g_[gi].in_multiword) {
      end = g_[gi].end;
      if (!s_[si].in_multiword && s_[si].start < g_[gi].start) ++si;
    } else {
      end = s_[si].end;
      if (!g_[gi].in_multiword && g_[gi].start < s_[si].start) ++gi;
    }
    gs = gi;
    ss = si;
    while (!past(g_, gi, end) || !past(s_, si, end)) {
      if (gi < g_.size() && (si >= s_.size() || g_[gi].start <= s_[si].start)) {
        if (g_[gi].in_multiword) end = std::max(end, g_[gi].end);
        ++gi;
      } else {
        if (s_[si].in_multiword) end = std::max(end, s_[si].end);
        ++si;
      }
    }
  }

  // Longest common subsequence of the lower-cased forms of two stretches.
  void match_forms(size_t gs, size_t ge, size_t ss, size_t se) {
    const size_t n = ge - gs, m = se - ss;
    std::vector<std::vector<int>> table(n + 1, std::vector<int>(m + 1, 0));
    for (size_t i = n; i-- > 0;)
      for (size_t j = m; j-- > 0;)
        table[i][j] =
            g_[gs + i].form == s_[ss + j].form ? table[i + 1][j + 1] + 1 : std::max(table[i + 1][j], table[i][j + 1]);
    size_t i = 0, j = 0;
    while (i < n && j < m) {
      if (g_[gs + i].form == s_[ss + j].form) {
        link(gs + i++, ss + j++);
      } else if (table[i + 1][j] >= table[i][j + 1]) {
        ++i;
      } else {
        ++j;
      }
    }
  }

  const std::vector<FlatWord>& g_;
  const std::vector<FlatWord>& s_;
  std::vector<int> gold_to_system_;
  std::vector<int> system_to_gold_;
};

// The text of one sentence without white space, as `flatten` builds it.
std::string sentence_text(const UdSentence& sentence) { return flatten(std::vector<UdSentence>{sentence}).text; }

// When both files hold the same number of sentences, a sentence whose text
// differs (a word the system lost or changed) is left out of both sides, so
// that one damaged sentence does not stop the whole comparison.
bool drop_differing_sentences(std::vector<UdSentence>& gold, std::vector<UdSentence>& system,
                              std::vector<std::string>& skipped) {
  if (gold.size() != system.size()) return false;
  std::vector<UdSentence> kept_gold, kept_system;
  for (size_t i = 0; i < gold.size(); ++i) {
    if (sentence_text(gold[i]) == sentence_text(system[i])) {
      kept_gold.push_back(std::move(gold[i]));
      kept_system.push_back(std::move(system[i]));
    } else {
      std::string id = gold[i].comment_value("sent_id");
      skipped.push_back(id.empty() ? std::to_string(i + 1) : id);
    }
  }
  if (kept_gold.empty()) return false;
  gold = std::move(kept_gold);
  system = std::move(kept_system);
  return true;
}

}  // namespace

ScoreResult score(const std::vector<UdSentence>& gold_sentences, const std::vector<UdSentence>& system_sentences) {
  ScoreResult result;
  std::vector<UdSentence> gold = gold_sentences, system = system_sentences;
  FlatFile g = flatten(gold), s = flatten(system);
  if (g.text != s.text) {
    std::string error = mismatch_message(g.text, s.text);
    if (!drop_differing_sentences(gold, system, result.scores.skipped)) {
      result.error = std::move(error);
      return result;
    }
    g = flatten(gold);
    s = flatten(system);
  }
  Aligner aligner(g, s);
  aligner.run();
  Scores& scores = result.scores;
  scores.gold_words = static_cast<int>(g.words.size());
  scores.system_words = static_cast<int>(s.words.size());
  for (const UdSentence& sentence : gold)
    scores.sentences.push_back({sentence.comment_value("sent_id"), sentence.text()});
  for (const FlatWord& word : s.words) ++scores.relations[word.relation].system;
  const std::vector<int>& to_system = aligner.gold_to_system();
  const std::vector<int>& to_gold = aligner.system_to_gold();
  for (size_t i = 0; i < g.words.size(); ++i) {
    const FlatWord& word = g.words[i];
    SentenceScore& sentence = scores.sentences[word.sentence];
    ++sentence.words;
    ++scores.relations[word.relation].gold;
    if (to_system[i] < 0) continue;
    ++scores.aligned;
    const FlatWord& guess = s.words[to_system[i]];
    bool head = guess.head < 0 ? word.head < 0 : word.head >= 0 && to_gold[guess.head] == word.head;
    if (!head) continue;
    ++scores.heads;
    ++sentence.heads;
    if (guess.relation != word.relation) continue;
    ++scores.labels;
    ++sentence.labels;
    ++scores.relations[word.relation].correct;
  }
  result.ok = true;
  return result;
}

std::vector<SentenceScore> worst_sentences(const Scores& scores, size_t count) {
  std::vector<SentenceScore> sorted = scores.sentences;
  std::stable_sort(sorted.begin(), sorted.end(), [](const SentenceScore& a, const SentenceScore& b) {
    if (a.las() != b.las()) return a.las() < b.las();
    return a.words > b.words;
  });
  if (sorted.size() > count) sorted.resize(count);
  return sorted;
}

}  // namespace velmo::ud
