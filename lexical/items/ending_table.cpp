#include "lexical/items/ending_table.h"

#include "shell/reader/irslist.h"
#include "shell/support/diagnostics.h"

namespace velmo {

EndingTable::EndingTable() : roots_(kRootBufferBytes) { endings_.reserve(kInitialCapacity); }

EndingTable::~EndingTable() = default;

// ---------------------------------------------------------------- building

std::unique_ptr<Ending> EndingTable::make_ending(IRSlist& definition) {
  std::unique_ptr<IRSlist> kind_node = definition.take_first();
  const char* kind = kind_node && kind_node->is_atom() && kind_node->atom() ? kind_node->atom() : "";
  if (kind_node && kind_node->is_list()) {
    diag() << "Ending type '" << kind_node->text() << "' is not defined.\n" << std::flush;
    return nullptr;
  }
  switch (kind[0]) {
    case 'p':
      return std::make_unique<Ending>(*this);
    case 'd':
      return std::make_unique<EndingDouble>(*this);
    case 'e':
      return std::make_unique<EndingES>(*this);
    default:
      diag() << "Ending type '" << kind << "' is not defined.\n" << std::flush;
      return nullptr;
  }
}

bool EndingTable::add_ending(IRSlist& definition) {
  if (definition.is_atom() && !definition.is_nil()) {
    diag() << "An ending is a list (KIND SUFFIX NAME REPLACEMENT), not the atom '"
           << (definition.atom() ? definition.atom() : "") << "'.\n"
           << std::flush;
    return false;
  }
  std::unique_ptr<Ending> ending = make_ending(definition);
  if (!ending || !ending->init(definition)) return false;
  // The array grows by a quarter of its capacity plus 4.
  if (endings_.size() == endings_.capacity()) endings_.reserve(endings_.capacity() + endings_.capacity() / 4 + 4);
  endings_.push_back(std::move(ending));
  return true;
}

void EndingTable::add_from_list(IRSlist& list) {
  if (std::unique_ptr<IRSlist> conditions = list.take_value_node(":conditions", true)) add_conditions(*conditions);
  while (std::unique_ptr<IRSlist> definition = list.take_first()) add_ending(*definition);
}

void EndingTable::add_conditions(IRSlist& entries) {
  while (std::unique_ptr<IRSlist> entry = entries.take_first()) {
    if (entry->length() != 2) {
      diag() << "An ending condition is a list of names and an expression: " << entry->text() << '\n' << std::flush;
      continue;
    }
    std::unique_ptr<IRSlist> names = entry->take_first();
    std::unique_ptr<IRSlist> expression = entry->take_first();
    LExpPtr built = LExp::get_exp(expression.get());
    if (!built) continue;  // reported by the expression builder
    LExp* condition = own_condition(std::move(built));
    if (names->is_atom()) {
      if (names->atom()) add_condition(names->atom(), condition);
      continue;
    }
    for (const IRSlist* name : names->children()) {
      if (name->is_atom() && name->atom()) add_condition(name->atom(), condition);
    }
  }
}

void EndingTable::add_condition(std::string_view name, LExp* condition) { conditions_.emplace_back(name, condition); }

LExp* EndingTable::own_condition(LExpPtr condition) {
  owned_conditions_.push_back(std::move(condition));
  return owned_conditions_.back().get();
}

LExp* EndingTable::condition(std::string_view name) const {
  for (const auto& [bound, condition] : conditions_) {
    if (bound == name) return condition;
  }
  return nullptr;
}

// ---------------------------------------------------------------- iteration

// A start() from within a condition keeps the buffer: the roots of the
// iteration that is evaluating the condition must stay valid.
const Ending* EndingTable::start(std::string_view word) {
  if (nested_ == 0) roots_.clear();
  current_ = nullptr;
  next_index_ = endings_.size();
  word_ = std::string_view();
  if (word.empty()) return nullptr;
  word_ = std::string_view(roots_.add(word), word.size());
  next_index_ = 0;
  return next();
}

const Ending* EndingTable::next() {
  current_ = nullptr;
  while (next_index_ < endings_.size()) {
    const Ending* ending = endings_[next_index_++].get();
    if (ending->matches(word_)) {
      current_ = ending;
      break;
    }
  }
  return current_;
}

const char* EndingTable::build_root(std::string_view stem, std::string_view tail) {
  if (tail.empty()) return roots_.add(stem);
  scratch_.assign(stem);
  scratch_.append(tail);
  return roots_.add(scratch_);
}

bool EndingTable::accepts(LExp& condition, const char* root) {
  const std::string_view word = word_;
  const std::size_t next_index = next_index_;
  const Ending* current = current_;
  ++nested_;
  const bool accepted = condition.eval(to_word(root), ShellTypes::get().text) != 0;
  --nested_;
  word_ = word;
  next_index_ = next_index;
  current_ = current;
  return accepted;
}

bool EndingTable::first_root(std::string_view word, RootCandidate& candidate) {
  return root_from(start(word), candidate);
}

bool EndingTable::next_root(RootCandidate& candidate) { return root_from(next(), candidate); }

bool EndingTable::root_from(const Ending* ending, RootCandidate& candidate) {
  for (; ending; ending = next()) {
    if (const char* root = ending->root(word_)) {
      candidate = {root, ending};
      return true;
    }
  }
  return false;
}

}  // namespace velmo
