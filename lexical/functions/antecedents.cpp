#include "lexical/functions/antecedents.h"

#include <memory>

#include "shell/interpreter/interpreter.h"
#include "shell/reader/irslist.h"
#include "shell/lexp/lexp.h"
#include "shell/interpreter/name_space.h"

namespace velmo {

bool AntecedentList::register_name(std::string_view name, Word value) {
  auto [at, inserted] = names_.try_emplace(std::string(name), value);
  if (!inserted) return false;
  order_.push_back(at->first);
  std::size_t start = 0;
  while (start < name.size()) {
    const std::size_t end = name.find_first_of(" \t\n\r", start);
    const std::size_t stop = end == std::string_view::npos ? name.size() : end;
    if (stop > start) words_.emplace(name.substr(start, stop - start));
    start = stop + 1;
  }
  return true;
}

bool AntecedentList::exact_match(std::string_view name) const { return names_.count(std::string(name)) != 0; }

bool AntecedentList::covers(std::string_view word) const { return words_.count(std::string(word)) != 0; }

Word AntecedentList::value_of(std::string_view name) const {
  auto at = names_.find(std::string(name));
  return at == names_.end() ? 0 : at->second;
}

void AntecedentList::clear() {
  names_.clear();
  order_.clear();
  words_.clear();
}

namespace {

AntecedentList* list_named(const char* name) {
  return name ? NameSpaces::lookup_as<AntecedentList>(name, AntecedentList::kTypeText) : nullptr;
}

Word make_antecedent_list_command(IRSlist& args) {
  const char* name = args.take_atom();
  if (!name) return 0;
  return to_word(NameSpaces::define_owned(name, std::make_unique<AntecedentList>(), AntecedentList::kTypeText));
}

Word clear_antecedent_list_command(IRSlist& args) {
  AntecedentList* list = list_named(args.take_atom());
  if (list) list->clear();
  return to_word(list);
}

enum class AnteOp { kRegister, kExactMatch, kCovered, kClear };

const char* op_name(AnteOp op) {
  switch (op) {
    case AnteOp::kRegister:
      return "register-name";
    case AnteOp::kExactMatch:
      return "exist-exact-match";
    case AnteOp::kCovered:
      return "covered-by-antecedent";
    case AnteOp::kClear:
      return "clear-ante-list";
  }
  return "";
}

const char* op_doc(AnteOp op) {
  switch (op) {
    case AnteOp::kRegister:
      return "(register-name LIST [VALUE]) record the input name in the antecedent list with the value VALUE yields "
             "on it, unless it is recorded";
    case AnteOp::kExactMatch:
      return "(exist-exact-match LIST) true when the input name is recorded in the list";
    case AnteOp::kCovered:
      return "(covered-by-antecedent LIST) true when the input word occurs in a name recorded in the list";
    case AnteOp::kClear:
      return "(clear-ante-list LIST) empty the antecedent list";
  }
  return "";
}

// The functions take the list's name; their input is a name or word
// ("char*"), except clear-ante-list, which takes any input.
class AnteExp final : public LExp {
 public:
  explicit AnteExp(AnteOp op) : op_(op) {
    if (op != AnteOp::kClear) set_types("char*", "char*");
  }
  const char* name() const override { return op_name(op_); }
  const char* doc() const override { return op_doc(op_); }
  LExpPtr clone() const override { return std::make_unique<AnteExp>(op_); }
  void init(IRSlist& args) override {
    list_ = list_named(args.take_atom());
    if (op_ == AnteOp::kRegister) value_ = build_first(args);
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !list_) return 0;
    if (op_ == AnteOp::kClear) {
      list_->clear();
      return input ? input : 1;
    }
    if (!input) return 0;
    const char* text = from_word<const char>(input);
    switch (op_) {
      case AnteOp::kRegister:
        return list_->register_name(text, value_ ? value_->eval(input, type) : input) ? input : 0;
      case AnteOp::kExactMatch:
        return list_->exact_match(text) ? input : 0;
      case AnteOp::kCovered:
        return list_->covers(text) ? input : 0;
      case AnteOp::kClear:
        break;
    }
    return 0;
  }

 private:
  AnteOp op_;
  AntecedentList* list_ = nullptr;
  LExpPtr value_;
};

}  // namespace

void register_antecedent_commands(Interpreter& interpreter) {
  interpreter.add_command("make-antecedent-list", &make_antecedent_list_command, "(make-antecedent-list <name>)");
  interpreter.add_command("clear-antecedent-list", &clear_antecedent_list_command,
                          "(clear-antecedent-list name) clear the entries in an antecedent list.");
  interpreter.mark_freeing("clear-antecedent-list");
  for (AnteOp op : {AnteOp::kRegister, AnteOp::kExactMatch, AnteOp::kCovered, AnteOp::kClear})
    register_lexp(std::make_unique<AnteExp>(op));
}

}  // namespace velmo
