#include "lexicon/attributes/att_interpreter_list.h"

#include "lexicon/attributes/alias_set.h"
#include "lexicon/attributes/att_vec.h"
#include "shell/interpreter/name_space.h"
#include "shell/support/current.h"

namespace velmo {

namespace {

#if defined(__SANITIZE_ADDRESS__)
// Recycled blocks would hide use-after-free from the sanitizer.
constexpr std::size_t kMaxFreeBlocks = 0;
#else
constexpr std::size_t kMaxFreeBlocks = 1024;
#endif

Current<AttInterpreterList>& current_type_setting() {
  static Current<AttInterpreterList> setting;
  return setting;
}

std::string_view without_sign(std::string_view name) {
  if (!name.empty() && (name[0] == '+' || name[0] == '-' || name[0] == '~')) name.remove_prefix(1);
  return name;
}

void report_lookup_failure(std::string_view type_name, std::string_view att_name, bool type_known, bool quote_name) {
  std::string text =
      "AttInterpreterList::get_att(\"" + std::string(type_name) + "\", \"" + std::string(att_name) + "\"): \n";
  const std::string quote = quote_name ? "\"" : "";
  if (type_known)
    text += quote + std::string(att_name) + quote + " is not an attribute";
  else
    text += quote + std::string(type_name) + quote + " is not a type of attribute value vector";
  report_error(text);
}

}  // namespace

AttInterpreterList* current_att_type() { return current_type_setting().get(); }
void set_current_att_type(AttInterpreterList* type) { current_type_setting().set(type); }

std::unordered_set<AttInterpreterList*>& AttInterpreterList::live_types() {
  // Never destroyed: types owned by name spaces may be destroyed during the
  // process's exit, after function-local statics made later than theirs.
  static auto* types = new std::unordered_set<AttInterpreterList*>;
  return *types;
}

bool AttInterpreterList::is_live(const AttInterpreterList* type) {
  return live_types().count(const_cast<AttInterpreterList*>(type)) != 0;
}

AttInterpreterList::AttInterpreterList(std::string_view name, std::size_t capacity)
    : name_(name), aliases_(std::make_unique<AliasSet>()), att_sets_(kSetBuckets) {
  atts_.reserve(capacity);
  live_types().insert(this);
}

AttInterpreterList::~AttInterpreterList() {
  live_types().erase(this);
  // Vectors need their interpreters to release their values: drop them first.
  aliases_->clear();
  for (AttVec* vec : kept_) AttVec::drop_ref(vec);
  kept_.clear();
  for (Word* block : free_blocks_) delete[] block;
  free_blocks_.clear();
}

bool AttInterpreterList::add(std::unique_ptr<AttInterpreter> att) {
  if (index_.count(att->name())) {
    report_error("Mutiplely defined attribute: " + att->name());
    return false;
  }
  const int index = count();
  att->set_index(index);
  if (!att->owner()) att->set_owner(this);
  AttInterpreter& placed = *att;
  atts_.push_back(std::move(att));
  layout_.atts = count();
  placed.allocate(*this);
  index_.emplace(placed.name(), index);
  if (placed.shares_values()) {
    shared_.push_back(index);
    shared_set_.set(static_cast<std::size_t>(index));
  }
  shortcuts_.push_back({placed.unify_rule(), placed.slot()});
  return true;
}

AttInterpreter* AttInterpreterList::at(int index) const {
  if (index < 0 || index >= count()) {
    report_error("Array index out of bounds: " + std::to_string(index) + " It should be between 0 and " +
                 std::to_string(count() - 1));
    return nullptr;
  }
  return atts_[static_cast<std::size_t>(index)].get();
}

int AttInterpreterList::index_of(std::string_view name) const {
  auto it = index_.find(without_sign(name));
  return it == index_.end() ? -1 : it->second;
}

void AttInterpreterList::add_binary(int index) {
  binary_.set(static_cast<std::size_t>(index));
  ++binary_count_;
}

Word* AttInterpreterList::acquire_block(std::size_t words) const {
  if (words == free_block_words_ && !free_blocks_.empty()) {
    Word* block = free_blocks_.back();
    free_blocks_.pop_back();
    return block;
  }
  return new Word[words];
}

void AttInterpreterList::release_block(Word* block, std::size_t words) const {
  if (words != layout_.block_words()) {
    delete[] block;  // made before the type grew: of no further use
    return;
  }
  if (words != free_block_words_) {
    for (Word* old_block : free_blocks_) delete[] old_block;
    free_blocks_.clear();
    free_block_words_ = words;
  }
  if (free_blocks_.size() < kMaxFreeBlocks)
    free_blocks_.push_back(block);
  else
    delete[] block;
}

LBitSet AttInterpreterList::make_att_set(const std::vector<std::string_view>& names) const {
  LBitSet set(static_cast<std::size_t>(count()));
  for (std::string_view name : names) {
    const int index = index_of(name);
    if (index < 0)
      report_error("AttInterpreterList::make_att_set " + std::string(name) + " is not an attribute name");
    else
      set.set(static_cast<std::size_t>(index));
  }
  return set;
}

const LBitSet* AttInterpreterList::define_att_set(std::string_view name, const LBitSet& set) {
  auto [item, inserted] = att_sets_.insert(name, std::make_unique<LBitSet>(set));
  if (!inserted) {
    report_error("Duplicate definition of " + std::string(name));
    return nullptr;
  }
  return item->value.get();
}

const LBitSet* AttInterpreterList::find_att_set(std::string_view name) const {
  const auto* found = att_sets_.find(name);
  return found ? found->get() : nullptr;
}

AttVec* AttInterpreterList::keep(AttVec* vec) {
  if (kept_.insert(vec).second) vec->add_ref();
  return vec;
}

AttVec* AttInterpreterList::find_kept(Word address, AttInterpreterList** owner) {
  auto* vec = reinterpret_cast<AttVec*>(address);
  for (AttInterpreterList* type : live_types()) {
    if (!type->kept_.count(vec)) continue;
    if (owner) *owner = type;
    return vec;
  }
  return nullptr;
}

AttInterpreterList* AttInterpreterList::find(std::string_view type_name, bool complain) {
  return NameSpaces::lookup_as<AttInterpreterList>(type_name, kTypeText, complain);
}

int AttInterpreterList::att_index(std::string_view type_name, std::string_view att_name) {
  const AttInterpreterList* type = find(type_name);
  const int index = type ? type->index_of(att_name) : -1;
  if (index < 0) report_lookup_failure(type_name, att_name, type != nullptr, true);
  return index;
}

Word AttInterpreterList::get_att(std::string_view type_name, std::string_view att_name, std::string_view value) {
  const AttInterpreterList* type = find(type_name);
  const int index = type ? type->index_of(att_name) : -1;
  if (index < 0) {
    report_lookup_failure(type_name, att_name, type != nullptr, false);
    return 0;
  }
  return type->attribute(index).get_val(value);
}

}  // namespace velmo
