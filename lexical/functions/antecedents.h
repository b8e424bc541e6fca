#pragma once
// Antecedent lists: names met earlier in a text (for example the spelled-out
// forms of abbreviations), each with a value, kept in a hash table and in
// order of registration, together with the set of all words occurring in
// them. Names and words compare exactly.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "shell/support/named_object.h"
#include "shell/support/slist.h"

namespace velmo {

class Interpreter;

class AntecedentList : public NamedObject {
 public:
  static constexpr const char* kTypeText = "AntecedentList";
  // Records a name with its value unless it is already recorded; false then.
  bool register_name(std::string_view name, Word value);
  bool exact_match(std::string_view name) const;
  // Whether `word` occurs in one of the recorded names.
  bool covers(std::string_view word) const;
  // The value recorded with `name`, or 0.
  Word value_of(std::string_view name) const;
  void clear();

  std::size_t size() const { return order_.size(); }
  const std::string& name_at(std::size_t i) const { return order_[i]; }

 private:
  std::unordered_map<std::string, Word> names_;
  std::vector<std::string> order_;
  std::unordered_set<std::string> words_;
};

// The commands make-antecedent-list and clear-antecedent-list and the
// expression functions register-name, exist-exact-match,
// covered-by-antecedent and clear-ante-list.
void register_antecedent_commands(Interpreter& interpreter);

}  // namespace velmo
