// UD trees to the English scheme. Steps, in this order (scheme_to_ud.cpp
// undoes them in reverse): flat names headed by their last word, copulas made
// heads of their clauses, case words made heads of their nominals, marks made
// the C heads of their clauses, empty "fin" heads over finite clauses without
// one, and the empty subjects and objects with their antecedents.
#include <algorithm>
#include <charconv>

#include "parser/ud/convert.h"
#include "parser/ud/scheme.h"
#include "parser/ud/tree_edit.h"

namespace velmo::ud {

namespace {

std::string relation_from_ud(std::string_view deprel, std::string_view category, std::string_view dependent_upos) {
  std::string_view u = universal_relation(deprel);
  if (u == "root") return "";
  if (u == "nsubj" || u == "csubj") return "s";
  if (u == "expl") return "expl";
  if (u == "obj") return "obj";
  if (u == "iobj") return "obj2";
  if (u == "ccomp") return "comp";
  if (u == "xcomp") return category == "V" || category == "VB" || category == "VBE" ? "comp" : "pred";
  if (deprel == "nmod:poss") return "gen";
  if (u == "obl" || u == "nmod" || u == "advmod" || u == "amod" || u == "advcl") return "mod";
  if (u == "acl") return deprel == "acl:relcl" ? "rel" : "mod";
  if (u == "nummod") return "num";
  if (u == "det") return "det";
  if (deprel == "compound:prt") return "prt";
  if (u == "compound") return "nn";
  if (u == "case") return category == "Part" ? "poss" : "pcomp";  // pcomp: the case pass turns it round
  if (u == "mark") return "i";                                    // likewise the mark pass
  if (u == "aux") return "aux";
  if (u == "cop") return "cop";  // the copula pass turns it round
  if (u == "appos") return "appo";
  if (u == "conj") return "conj";
  if (u == "cc") return "cc";
  if (u == "punct") return "punc";
  if (u == "parataxis") return "para";
  if (u == "list") return "list";
  if (u == "vocative") return "voc";
  if (u == "discourse") return "disc";
  if (u == "flat" || u == "fixed") return "lex-mod";
  (void)dependent_upos;
  return "dep";
}

// The function decides the category of modifiers: participles and names
// used as adjectives are A, nouns and determiners used as adverbs Adv, and
// whatever introduces a nominal is a preposition. (One assignment from a
// fresh string: assigning short literals in place here made GCC 12 warn
// about overlapping copies.)
std::string_view category_by_function(std::string_view relation, std::string_view category) {
  if (relation == "amod") return "A";
  if (relation == "advmod" && category != "Adv" && category != "VB") return "Adv";
  if (relation == "case" && category != "Part") return "Prep";
  return category;
}

class UdToScheme {
 public:
  UdToScheme(const UdSentence& sentence, const UdToSchemeOptions& options)
      : sentence_(sentence), options_(options), edit_(initial_heads(sentence)) {}

  PlainTree convert() {
    build_nodes();
    flat_names();
    copulas();
    case_heads();
    mark_heads();
    fin_heads();
    if (options_.empty_nodes) empty_arguments();
    return finish();
  }

 private:
  static std::vector<int> initial_heads(const UdSentence& sentence) {
    std::vector<int> heads;
    for (const UdWord& word : sentence.words) heads.push_back(word.head - 1);  // 0 -> -1, the top
    return heads;
  }

  const UdWord& word(int node) const { return sentence_.words[node]; }
  bool is_word(int node) const { return node >= 0 && node < static_cast<int>(sentence_.words.size()); }
  std::string_view ud_relation(int node) const {
    return is_word(node) ? universal_relation(word(node).deprel) : std::string_view();
  }

  void build_nodes() {
    for (const UdWord& w : sentence_.words) {
      PlainNode node;
      node.word = w.form;
      node.position = w.id;
      const std::string tagged = category_from_ud(w.upos, w.xpos, w.lemma, w.form, w.deprel);
      node.category = std::string(category_by_function(universal_relation(w.deprel), tagged));
      node.root = root_for(node.category, w.lemma, w.form);
      node.relation = relation_from_ud(w.deprel, node.category, w.upos);
      if (universal_relation(w.deprel) == "mark" && is_infinitive_to(w.form, w.xpos, w.upos)) node.relation = "aux";
      if (options_.features) add_features(node, w);
      nodes_.push_back(std::move(node));
    }
  }

  static void add_features(PlainNode& node, const UdWord& w) {
    if (!w.xpos.empty() && w.xpos != "_") node.atts.emplace_back("xpos", w.xpos);
    if (w.feats.empty() || w.feats == "_") return;
    size_t start = 0;
    while (start < w.feats.size()) {
      size_t bar = w.feats.find('|', start);
      std::string item = w.feats.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
      size_t equal = item.find('=');
      if (equal != std::string::npos) node.atts.emplace_back(item.substr(0, equal), item.substr(equal + 1));
      if (bar == std::string::npos) break;
      start = bar + 1;
    }
  }

  std::vector<int> children_with(int node, std::string_view relation) const {
    std::vector<int> result;
    for (int child : edit_.children(node))
      if (nodes_[child].relation == relation) result.push_back(child);
    std::sort(result.begin(), result.end());
    return result;
  }

  // Names: the last word of a flat group heads it and carries the whole
  // group as its root; fixed groups keep their first word as head.
  void flat_names() {
    // Groups are taken from the UD tree before anything moves.
    std::vector<std::pair<int, std::vector<int>>> groups;
    for (int first = 0; first < static_cast<int>(nodes_.size()); ++first) {
      std::vector<int> members;
      for (int child : edit_.children(first))
        if (ud_relation(child) == "flat" && child > first) members.push_back(child);
      std::sort(members.begin(), members.end());
      if (!members.empty()) groups.emplace_back(first, std::move(members));
    }
    for (const auto& [first, members] : groups) {
      int last = members.back();
      edit_.set_head(last, edit_.head(first));
      nodes_[last].relation = nodes_[first].relation;
      std::vector<int> others(edit_.children(first));
      for (int child : others) edit_.set_head(child, last);
      edit_.set_head(first, last);
      nodes_[first].relation = "lex-mod";
      std::string root = nodes_[first].word;
      for (int member : members) root.append(" ").append(nodes_[member].word);
      nodes_[last].root = root;
    }
    for (int node = 0; node < static_cast<int>(nodes_.size()); ++node) {
      int head = edit_.head(node);
      if (ud_relation(node) == "fixed" && head >= 0) nodes_[head].root.append(" ").append(nodes_[node].word);
    }
  }

  // Which dependents of a predicate belong to its clause and so move to the
  // copula that heads it.
  bool moves_to_copula(int child, int predicate) const {
    std::string_view relation = ud_relation(child);
    const std::string& category = nodes_[predicate].category;
    if (relation == "nsubj" || relation == "csubj" || relation == "expl" || relation == "aux" || relation == "mark" ||
        relation == "cop" || relation == "advcl" || relation == "punct" || relation == "cc" ||
        relation == "parataxis" || relation == "discourse" || relation == "vocative" || relation == "list" ||
        relation == "dislocated" || relation == "reparandum" || relation == "orphan" || relation == "dep")
      return true;
    if (relation == "obl") return category != "A";
    if (relation == "advmod") {
      bool degree = child == predicate - 1 && (category == "A" || category == "Adv");
      return !degree;
    }
    if (relation == "conj") {
      for (int grandchild : edit_.children(child)) {
        std::string_view r = ud_relation(grandchild);
        if (r == "nsubj" || r == "cop" || r == "expl" || r == "csubj") return true;
      }
    }
    return false;
  }

  void copulas() {
    for (int predicate = 0; predicate < static_cast<int>(nodes_.size()); ++predicate) {
      std::vector<int> copulas = children_with(predicate, "cop");
      if (copulas.empty()) continue;
      int copula = copulas.front();
      edit_.promote(copula, predicate);
      nodes_[copula].relation = nodes_[predicate].relation;
      nodes_[predicate].relation = "pred";
      std::vector<int> dependents(edit_.children(predicate));
      for (int child : dependents)
        if (moves_to_copula(child, predicate)) edit_.set_head(child, copula);
      for (size_t other = 1; other < copulas.size(); ++other) nodes_[copulas[other]].relation = "dep";
    }
  }

  // Case words (and marks) head what they introduce, chained outermost
  // first: p1 -> p2 -> nominal.
  void chain_heads(std::string_view relation, std::string_view inner_relation) {
    // What heads what is read before anything moves: a node turned round
    // takes the same relation as the words that now head it.
    std::vector<std::pair<int, std::vector<int>>> work;
    for (int node = 0; node < static_cast<int>(nodes_.size()); ++node) {
      std::vector<int> heads = children_with(node, relation);
      if (!heads.empty()) work.emplace_back(node, std::move(heads));
    }
    for (const auto& [node, heads] : work) {
      int outer = heads.front();
      edit_.promote(outer, node);
      nodes_[outer].relation = nodes_[node].relation;
      int parent = outer;
      for (size_t i = 1; i < heads.size(); ++i) {
        edit_.set_head(heads[i], parent);
        nodes_[heads[i]].relation = std::string(inner_relation);
        parent = heads[i];
      }
      edit_.set_head(node, parent);
      nodes_[node].relation = std::string(inner_relation);
    }
  }

  void case_heads() { chain_heads("pcomp", "pcomp"); }

  void mark_heads() {
    for (int node = 0; node < static_cast<int>(nodes_.size()); ++node)
      if (nodes_[node].relation == "i") nodes_[node].category.assign(1, 'C');
    chain_heads("i", "i");
  }

  bool finite(int node) const {
    auto finite_word = [&](int n) {
      if (!is_word(n)) return false;
      std::string form = attribute_value(word(n).feats, "VerbForm");
      return form == "Fin" || attribute_value(word(n).feats, "Mood") == "Imp";
    };
    if (finite_word(node)) return true;
    for (int child : edit_.children(node))
      if (nodes_[child].relation == "aux" && finite_word(child)) return true;
    return false;
  }

  bool has_subject(int node) const {
    for (int child : edit_.children(node))
      if (nodes_[child].relation == "s" || nodes_[child].relation == "expl") return true;
    return false;
  }

  int add_node(PlainNode node, int head) {
    node.head = head;
    nodes_.push_back(std::move(node));
    edit_.add_node(head);
    return static_cast<int>(nodes_.size()) - 1;
  }

  bool is_fin(int node) const { return node >= 0 && nodes_[node].is_empty() && nodes_[node].root == "fin"; }

  void fin_heads() {
    const int words = static_cast<int>(sentence_.words.size());
    for (int verb = 0; verb < words; ++verb) {
      const std::string& category = nodes_[verb].category;
      const std::string relation = nodes_[verb].relation;
      if (category != "V" && category != "VBE" && category != "VB") continue;
      if (relation == "i" || relation == "aux" || !finite(verb)) continue;
      if (relation == "conj" && !has_subject(verb)) continue;  // verb phrases share the first clause
      int head = edit_.head(verb);
      // A coordinated clause hangs from the C of the first clause.
      if (relation == "conj" && head >= 0 && nodes_[head].relation == "i" && is_fin(edit_.head(head)))
        head = edit_.head(head);
      PlainNode fin;
      fin.category = "C";
      fin.root = "fin";
      fin.relation = relation;
      int c = add_node(std::move(fin), head);
      edit_.set_head(verb, c);
      nodes_[verb].relation = "i";
    }
  }

  // The clause head a UD word stands for: a predicate's copula.
  int clause_of(int node) const {
    if (node >= 0 && nodes_[node].relation == "pred" && edit_.head(node) >= 0 &&
        nodes_[edit_.head(node)].category == "VBE")
      return edit_.head(node);
    return node;
  }

  void add_empty(int verb, int antecedent, std::string_view relation) {
    PlainNode empty;
    empty.root = nodes_[antecedent].root_or_word();
    empty.category = nodes_[antecedent].category;
    empty.relation = relation;
    empty.antecedent = antecedent;
    add_node(std::move(empty), verb);
  }

  void empty_arguments() {
    const int words = static_cast<int>(sentence_.words.size());
    std::vector<char> has_subj(words, 0), has_obj(words, 0);
    auto nominal = [&](int node) {
      const std::string& c = nodes_[node].category;
      return c != "C" && c != "V" && c != "VB" && c != "VBE" && c != "Punc";
    };
    for (int verb = 0; verb < words; ++verb) {
      const std::string& category = nodes_[verb].category;
      if (category != "V" && category != "VBE" && category != "VB") continue;
      if (category == "VB" && nodes_[verb].relation == "aux") continue;
      std::vector<int> children(edit_.children(verb));
      for (int child : children)
        if (nodes_[child].relation == "obj") has_obj[verb] = 1;
      for (int child : children) {
        if (nodes_[child].relation != "s" || child >= words || !nominal(child)) continue;
        bool passive = word(child).deprel.find(":pass") != std::string::npos;
        if (passive && !has_obj[verb]) {
          add_empty(verb, child, "obj");
          has_obj[verb] = 1;
        } else if (!passive && !has_subj[verb]) {
          add_empty(verb, child, "subj");
          has_subj[verb] = 1;
        }
      }
    }
    // Controlled and shared subjects, relative gaps: enhanced edges that the
    // basic tree lacks.
    for (int w = 0; w < words; ++w) {
      std::string_view deps = word(w).deps;
      size_t start = 0;
      while (start < deps.size()) {
        size_t bar = deps.find('|', start);
        std::string_view edge =
            deps.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start);
        start = bar == std::string_view::npos ? deps.size() : bar + 1;
        size_t colon = edge.find(':');
        int head = 0;
        if (colon == std::string_view::npos) continue;
        auto [end, error] = std::from_chars(edge.data(), edge.data() + colon, head);
        if (error != std::errc() || end != edge.data() + colon || head <= 0 || head > words) continue;
        std::string_view relation = edge.substr(colon + 1);
        if (head == word(w).head && relation == word(w).deprel) continue;
        int verb = clause_of(head - 1);
        if (verb < 0 || verb >= words) continue;
        const std::string& category = nodes_[verb].category;
        if (category != "V" && category != "VBE" && category != "VB") continue;
        if (!nominal(w)) continue;
        bool subject = relation.substr(0, 5) == "nsubj";
        bool passive = relation.find(":pass") != std::string_view::npos;
        if (subject && !passive && !has_subj[verb] && !has_subject(verb)) {
          add_empty(verb, w, "subj");
          has_subj[verb] = 1;
        } else if ((relation == "obj" || (subject && passive)) && !has_obj[verb]) {
          add_empty(verb, w, "obj");
          has_obj[verb] = 1;
        }
      }
    }
  }

  PlainTree finish() {
    PlainTree tree;
    tree.sent_id = sentence_.comment_value("sent_id");
    tree.text = sentence_.text();
    std::vector<int> multiword = sentence_.multiword_of_words();
    bool space_before = false;
    for (const UdWord& w : sentence_.words) {
      int m = multiword[w.id];
      bool inside = m >= 0 && sentence_.multiwords[m].first != w.id;
      tree.tokens.push_back({w.form, inside ? false : space_before});
      std::string_view misc = m >= 0 ? std::string_view(sentence_.multiwords[m].misc) : std::string_view(w.misc);
      if (m < 0 || sentence_.multiwords[m].last == w.id) space_before = attribute_value(misc, "SpaceAfter") != "No";
    }
    for (int i = 0; i < static_cast<int>(nodes_.size()); ++i) {
      nodes_[i].head = edit_.head(i);
      if (nodes_[i].position > 0) nodes_[i].label = std::to_string(nodes_[i].position);
      tree.nodes.push_back(std::move(nodes_[i]));
    }
    return tree;
  }

  const UdSentence& sentence_;
  const UdToSchemeOptions& options_;
  TreeEdit edit_;
  std::vector<PlainNode> nodes_;
};

}  // namespace

PlainTree ud_to_scheme(const UdSentence& sentence, const UdToSchemeOptions& options) {
  return UdToScheme(sentence, options).convert();
}

}  // namespace velmo::ud
