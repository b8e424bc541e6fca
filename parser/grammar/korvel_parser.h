#pragma once
// The parser object: owns the categories of one grammar (a hash table keyed
// by category name), the parser-wide attribute settings, the root table and
// the per-sentence chart. The most recently defined parser is current.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lexicon/attributes/lbitset.h"
#include "parser/chart/condition_memo.h"
#include "parser/chart/merged_condition.h"
#include "parser/grammar/gcate.h"
#include "parser/forest/distance_table.h"
#include "parser/forest/sentence_result.h"
#include "parser/grammar/grammar_files.h"
#include "shell/lexp/lexp.h"
#include "shell/support/name_table.h"
#include "shell/support/named_object.h"

namespace velmo {

class DepsModifier;

class AttInterpreterList;
class AttVec;
class Chart;
class LexAnalyzer;
class RelationSource;

struct RootEntry {
  GCate* category = nullptr;
  LExpPtr condition;  // null: every item
  // The condition as a plan when it calls a function of the grammar: the
  // chart has mostly answered its parts for the item already.
  std::shared_ptr<const ConditionPlan> plan;
  LExpPtr cost;       // integer extra cost of a root item; null: 0
  // Known when the entry was read: the condition takes every item (none,
  // or (t)), and the cost is a constant (none, or a constant form), which
  // is then fixed_cost. Root collection then evaluates neither per item.
  bool takes_every = false;
  bool cost_fixed = false;
  int fixed_cost = 0;
};

class KorvelParser : public NamedObject {
 public:
  static constexpr const char* kTypeText = "KorvelParser";
  static constexpr std::size_t kDefaultBuckets = 197;
  static constexpr const char* kDefaultDistFile = "dist.txt";
  static constexpr const char* kDefaultEmptyCategory = "EC";
  static constexpr const char* kDefaultEmptyRelation = "ECR";

  KorvelParser(std::string_view name, std::size_t buckets, std::string_view empty_category,
               std::string_view empty_relation);
  ~KorvelParser() override;
  KorvelParser(const KorvelParser&) = delete;
  KorvelParser& operator=(const KorvelParser&) = delete;

  const std::string& name() const { return name_; }

  // ---- Categories.
  // The category of that name; with `create`, a new one (one position, head
  // 0) is made and entered when there is none.
  GCate* find(std::string_view name, bool create = false);
  std::size_t category_count() const { return categories_.size(); }
  template <class F>
  void for_each_category(F&& f) {
    categories_.for_each([&](auto& item) { f(*item.value); });
  }
  // The category of an attribute vector (its "node" name or the name built
  // from "cat" and "args"), made by automatic subcategorisation when
  // missing; null when the vector names none.
  GCate* category_of(const AttVec& vec);
  GCate* empty_category() const { return empty_category_.get(); }
  GLink* empty_link() const { return empty_link_; }

  // ---- Attribute settings.
  const AttInterpreterList* att_type() const { return att_type_; }
  // Sets the type of the parse items' vectors (and makes a new chart).
  void set_att_type(const AttInterpreterList* type);
  LBitSet lexical_atts;
  LBitSet default_percolating;
  std::optional<std::vector<int>> show_atts;  // empty list: all attributes
  LExpPtr weights_of_words;

  LexAnalyzer* analyzer() const { return analyzer_; }
  void set_analyzer(LexAnalyzer* analyzer) { analyzer_ = analyzer; }

  std::vector<RootEntry> roots;

  bool output_tree = false;
  // Links marked `last-resort`: with none, a sentence is parsed once.
  int last_resort_links = 0;
  // Those of them marked `anywhere`: with none, there is no third pass.
  int anywhere_links = 0;
  // Whether the pass with those links goes on from the first pass's chart
  // (else the sentence is parsed again from its words). It makes the same
  // items up to which of two equal items is kept as the one that others
  // build on, and that choice follows the order items are made in: some
  // sentences get another tree. Off unless asked for.
  bool continue_second_pass = false;
  RelationSource* reldb = nullptr;        // relation database; not owned
  DepsModifier* deps_modifier = nullptr;  // tree-rule set; not owned

  DistanceTable& distances() { return distances_; }
  BadTriples& bad_triples() { return bad_triples_; }

  // ---- The per-sentence chart.
  Chart& chart() { return *chart_; }
  // Numbers of condition texts and their answers for this sentence's items.
  ConditionMemo& conditions() { return conditions_; }
  // The parts that merged conditions ask of the items a merge joins.
  MergedConditionParts& merged_parts() { return merged_parts_; }
  // Numbers (0, 1, ...) of the distinct skip-word condition texts, so the
  // chart can keep one answer per condition text and word (positions with
  // the same punctuation list share one number).
  int skip_word_condition_id(const std::string& text) {
    return skip_word_ids_.try_emplace(text, static_cast<int>(skip_word_ids_.size())).first->second;
  }
  int skip_word_condition_count() const { return static_cast<int>(skip_word_ids_.size()); }

  // ---- The forest, the dependency weights and the tree of the last
  // sentence.
  SentenceResult& result() { return result_; }

 private:
  GCate* make_subcategory(const AttVec& vec, const std::string& full_name, std::string_view base_name);

  std::string name_;
  NameTable<std::unique_ptr<GCate>> categories_;
  const AttInterpreterList* att_type_ = nullptr;
  LexAnalyzer* analyzer_ = nullptr;
  DistanceTable distances_;
  BadTriples bad_triples_;
  std::unique_ptr<GCate> empty_category_;
  GLink* empty_link_ = nullptr;
  std::unique_ptr<Chart> chart_;
  ConditionMemo conditions_;
  MergedConditionParts merged_parts_;
  std::unordered_map<std::string, int> skip_word_ids_;
  SentenceResult result_;
};

// ---- The process-wide current parser, category and link. Deleting a
// parser clears those that belong to it.
KorvelParser* current_parser();
void set_current_parser(KorvelParser* parser);
GCate* current_category();
void set_current_category(GCate* category);
GLink* current_link();
void set_current_link(GLink* link);

// The process-wide weight-debugging flag (`debug-weight`).
bool& weight_debugging();

}  // namespace velmo
