#include "parser/ud/conllu.h"

#include <algorithm>
#include <charconv>

namespace velmo::ud {

namespace {

std::vector<std::string_view> split_tabs(std::string_view line) {
  std::vector<std::string_view> columns;
  size_t start = 0;
  while (true) {
    size_t tab = line.find('\t', start);
    columns.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  return columns;
}

bool parse_int(std::string_view text, int& value) {
  if (text.empty()) return false;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

std::string quoted(std::string_view text) { return std::string(1, '\'').append(text).append(1, '\''); }

}  // namespace

std::string_view universal_relation(std::string_view deprel) { return deprel.substr(0, deprel.find(':')); }

std::string attribute_value(std::string_view column, std::string_view key) {
  size_t start = 0;
  while (start <= column.size()) {
    size_t bar = column.find('|', start);
    std::string_view item = column.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start);
    if (item.size() > key.size() && item.substr(0, key.size()) == key && item[key.size()] == '=')
      return std::string(item.substr(key.size() + 1));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return "";
}

std::string UdSentence::comment_value(std::string_view key) const {
  for (const std::string& comment : comments) {
    std::string_view rest(comment);
    rest.remove_prefix(std::min<size_t>(1, rest.size()));
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    if (rest.substr(0, key.size()) != key) continue;
    rest.remove_prefix(key.size());
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    if (rest.empty() || rest.front() != '=') continue;
    rest.remove_prefix(1);
    if (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    return std::string(rest);
  }
  return "";
}

std::vector<int> UdSentence::multiword_of_words() const {
  std::vector<int> result(words.size() + 1, -1);
  for (int m = 0; m < static_cast<int>(multiwords.size()); ++m)
    for (int id = multiwords[m].first; id <= multiwords[m].last && id <= static_cast<int>(words.size()); ++id)
      result[id] = m;
  return result;
}

std::string UdSentence::text() const {
  std::string text = comment_value("text");
  if (!text.empty() || words.empty()) return text;
  std::vector<int> multiword = multiword_of_words();
  for (int id = 1; id <= static_cast<int>(words.size());) {
    std::string_view form = words[id - 1].form;
    std::string_view misc = words[id - 1].misc;
    int next = id + 1;
    if (multiword[id] >= 0) {
      const UdMultiword& token = multiwords[multiword[id]];
      form = token.form;
      misc = token.misc;
      next = token.last + 1;
    }
    text += form;
    if (next <= static_cast<int>(words.size()) && attribute_value(misc, "SpaceAfter") != "No") text += ' ';
    id = next;
  }
  return text;
}

struct ConlluReader::Pending {
  UdSentence sentence;
  std::vector<int> word_lines;  // line of each word
  bool started = false;
};

bool ConlluReader::next(UdSentence& sentence) {
  Pending pending;
  std::string line;
  while (std::getline(in_, line)) {
    ++line_number_;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) {
      if (pending.started) {
        finish(pending, sentence);
        return true;
      }
      continue;
    }
    if (!pending.started) {
      pending.started = true;
      pending.sentence.first_line = line_number_;
    }
    read_line(line, pending);
  }
  if (!pending.started) return false;
  finish(pending, sentence);
  return true;
}

void ConlluReader::read_line(std::string_view line, Pending& pending) {
  UdSentence& sentence = pending.sentence;
  if (line.front() == '#') {
    sentence.comments.emplace_back(line);
    return;
  }
  std::vector<std::string_view> columns = split_tabs(line);
  if (columns.size() != 10) {
    problem(line_number_, "wrong number of columns: " + std::to_string(columns.size()) + " (10 expected)");
    return;
  }
  std::string_view id = columns[0];
  const int expected = static_cast<int>(sentence.words.size()) + 1;
  if (size_t dash = id.find('-'); dash != std::string_view::npos) {
    UdMultiword token;
    if (!parse_int(id.substr(0, dash), token.first) || !parse_int(id.substr(dash + 1), token.last) ||
        token.first > token.last) {
      problem(line_number_, "invalid multi-word token range " + quoted(id));
      return;
    }
    if (token.first != expected) {
      problem(line_number_, "multi-word token " + std::string(id) + " does not start at the next word (" +
                                std::to_string(expected) + ")");
      return;
    }
    if (!sentence.multiwords.empty() && sentence.multiwords.back().last >= token.first) {
      const UdMultiword& previous = sentence.multiwords.back();
      problem(line_number_, "multi-word token " + std::string(id) + " overlaps the token " +
                                std::to_string(previous.first) + "-" + std::to_string(previous.last));
      return;
    }
    token.form = columns[1];
    token.misc = columns[9];
    sentence.multiwords.push_back(std::move(token));
    return;
  }
  if (size_t dot = id.find('.'); dot != std::string_view::npos) {
    UdEmptyNode node;
    if (!parse_int(id.substr(0, dot), node.after) || !parse_int(id.substr(dot + 1), node.minor) ||
        node.after != expected - 1) {
      problem(line_number_, "invalid empty node id " + quoted(id));
      return;
    }
    for (std::string_view column : columns) node.columns.emplace_back(column);
    sentence.empty_nodes.push_back(std::move(node));
    return;
  }
  int number = 0;
  if (!parse_int(id, number)) {
    problem(line_number_, "invalid word id " + quoted(id));
    return;
  }
  if (number != expected)
    problem(line_number_,
            "word id " + std::to_string(number) + " out of sequence (" + std::to_string(expected) + " expected)");
  UdWord word;
  word.id = expected;
  word.form = columns[1];
  word.lemma = columns[2];
  word.upos = columns[3];
  word.xpos = columns[4];
  word.feats = columns[5];
  if (!parse_int(columns[6], word.head)) {
    problem(line_number_, "invalid head " + quoted(columns[6]) + " of word " + std::to_string(expected));
    word.head = -1;
  }
  word.deprel = columns[7];
  word.deps = columns[8];
  word.misc = columns[9];
  sentence.words.push_back(std::move(word));
  pending.word_lines.push_back(line_number_);
}

void ConlluReader::finish(Pending& pending, UdSentence& sentence) {
  std::vector<UdWord>& words = pending.sentence.words;
  const int n = static_cast<int>(words.size());
  const std::vector<int>& lines = pending.word_lines;
  if (!pending.sentence.multiwords.empty() && pending.sentence.multiwords.back().last > n) {
    const UdMultiword& token = pending.sentence.multiwords.back();
    problem(pending.sentence.first_line, "multi-word token " + std::to_string(token.first) + "-" +
                                             std::to_string(token.last) + " reaches beyond the last word");
    pending.sentence.multiwords.pop_back();
  }
  // Heads out of range are reported and left unattached (-1) for now.
  for (int i = 0; i < n; ++i) {
    if (words[i].head > n || words[i].head < -1) {
      problem(lines[i],
              "head " + std::to_string(words[i].head) + " of word " + std::to_string(i + 1) + " is out of range");
      words[i].head = -1;
    }
  }
  int root = 0;
  for (int i = 0; i < n; ++i) {
    if (words[i].head != 0) continue;
    if (root == 0) {
      root = i + 1;
    } else {
      problem(lines[i],
              "word " + std::to_string(i + 1) + " is a second root (the first is word " + std::to_string(root) + ")");
      words[i].head = root;
    }
  }
  if (root == 0 && n > 0) {
    problem(pending.sentence.first_line, "sentence has no root");
  }
  // Cycles: walk up from every word; a walk that comes back onto itself is
  // a cycle, cut at its smallest word, which becomes the root (or goes
  // under it).
  std::vector<char> state(n + 1, 0);  // 0 new, 1 on path, 2 reaches the root
  state[0] = 2;
  for (int start = 1; start <= n; ++start) {
    std::vector<int> path;
    int at = start;
    while (at > 0 && state[at] == 0) {
      state[at] = 1;
      path.push_back(at);
      at = words[at - 1].head;
    }
    if (at > 0 && state[at] == 1) {
      auto begin = std::find(path.begin(), path.end(), at);
      int smallest = *std::min_element(begin, path.end());
      std::string members;
      std::vector<int> cycle(begin, path.end());
      std::sort(cycle.begin(), cycle.end());
      for (int member : cycle) members += (members.empty() ? "" : ", ") + std::to_string(member);
      problem(lines[smallest - 1], "words " + members + " form a cycle");
      words[smallest - 1].head = root;
      if (root == 0) root = smallest;
    } else if (at < 0) {
      // An unattached word: under the root, or the root itself.
      int last = path.back();
      words[last - 1].head = root;
      if (root == 0) root = last;
    }
    for (int node : path) state[node] = 2;
  }
  sentence = std::move(pending.sentence);
}

std::vector<UdSentence> read_conllu(std::istream& in, std::vector<ConlluProblem>* problems) {
  ConlluReader reader(in);
  std::vector<UdSentence> sentences;
  UdSentence sentence;
  while (reader.next(sentence)) sentences.push_back(std::move(sentence));
  if (problems) problems->insert(problems->end(), reader.problems().begin(), reader.problems().end());
  return sentences;
}

namespace {

void append_number(std::string& text, int number) {
  char digits[16];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, number);
  text.append(digits, end);
}

// A column's text; "_" for an empty one.
void append_column(std::string& text, const std::string& column) {
  if (column.empty())
    text.push_back('_');
  else
    text.append(column);
}

}  // namespace

// The lines are made in one string, not streamed piece by piece: a sentence
// has about a hundred pieces per word, each a stream call.
std::string conllu_text(const UdSentence& sentence) {
  std::string text;
  text.reserve(64 + 64 * sentence.words.size());
  for (const std::string& comment : sentence.comments) text.append(comment).push_back('\n');
  auto append_empty_nodes = [&](int after) {
    for (const UdEmptyNode& node : sentence.empty_nodes) {
      if (node.after != after) continue;
      for (size_t c = 0; c < node.columns.size(); ++c) text.append(c ? "\t" : "").append(node.columns[c]);
      text.push_back('\n');
    }
  };
  append_empty_nodes(0);
  size_t next_multiword = 0;
  for (const UdWord& word : sentence.words) {
    while (next_multiword < sentence.multiwords.size() && sentence.multiwords[next_multiword].first == word.id) {
      const UdMultiword& token = sentence.multiwords[next_multiword++];
      append_number(text, token.first);
      text.push_back('-');
      append_number(text, token.last);
      text.append("\t").append(token.form).append("\t_\t_\t_\t_\t_\t_\t_\t");
      append_column(text, token.misc);
      text.push_back('\n');
    }
    append_number(text, word.id);
    for (const std::string* column : {&word.form, &word.lemma, &word.upos, &word.xpos, &word.feats}) {
      text.push_back('\t');
      append_column(text, *column);
    }
    text.push_back('\t');
    append_number(text, word.head);
    for (const std::string* column : {&word.deprel, &word.deps, &word.misc}) {
      text.push_back('\t');
      append_column(text, *column);
    }
    text.push_back('\n');
    append_empty_nodes(word.id);
  }
  text.push_back('\n');
  return text;
}

void write_conllu(std::ostream& out, const UdSentence& sentence) { out << conllu_text(sentence); }

}  // namespace velmo::ud
