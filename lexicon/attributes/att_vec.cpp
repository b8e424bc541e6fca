#include "lexicon/attributes/att_vec.h"

#include <cstring>
#include <optional>
#include <sstream>

#include "lexicon/attributes/alias_set.h"
#include "lexicon/attributes/byte_cursor.h"
#include "lexicon/attributes/complex_atts.h"
#include "lexicon/attributes/plain_atts.h"
#include "shell/reader/irslist.h"
#include "shell/support/str_bufs.h"

namespace velmo {

// ---- Construction and storage

AttVec::AttVec(const AttInterpreterList* type) : type_(type) {
  if (!type_) {
    report_error("Creating AttVec with nil Interpreter\n");
    return;
  }
  allocate_block();
  std::memset(block_, 0, layout_.block_words() * sizeof(Word));
}

AttVec::AttVec(const AttInterpreterList* type, IRSlist& text) : AttVec(type) { read(text); }

AttVec::AttVec(const AttVec& other) : RefCounted(), type_(other.type_) { copy_from(other); }

AttVec::AttVec(const AttVec& other, const LBitSet* mask) : AttVec(other.type_) {
  if (usable()) unify(other, mask, true);
}

AttVec& AttVec::operator=(const AttVec& other) {
  if (this == &other) return *this;
  if (type_ && other.type_ && type_ != other.type_) {
    report_error("AttVec::operator=: the vectors are of different types");
    return *this;
  }
  if (assign_in_place(other)) return *this;
  free_block();
  if (!type_) type_ = other.type_;
  copy_from(other);
  return *this;
}

// The chart copies a vector into a recycled item for every new item: when
// both blocks have the same layout the block is kept and overwritten, and a
// shared value that both vectors hold keeps its reference instead of being
// released and taken again. Only the shared values a vector holds are
// visited (its defined set masked by the type's shared set), not every
// attribute of the type that could hold one.
bool AttVec::assign_in_place(const AttVec& other) {
  if (!block_ || !other.usable() || type_ != other.type_) return false;
  if (layout_.atts != other.layout_.atts || layout_.words != other.layout_.words ||
      layout_.bytes != other.layout_.bytes)
    return false;
  const int bit_words = layout_.bit_words();
  if (bit_words > kMaxInPlaceBitWords) return false;
  std::uint32_t kept[kMaxInPlaceBitWords];  // the shared values held by both
  for (int k = 0; k < bit_words; ++k) {
    kept[k] = 0;
    for_each_bit(defined_bits()[k] & type_->shared_word(static_cast<std::size_t>(k)), k * 32, [&](int index) {
      const AttInterpreter& att = type_->attribute(index);
      if (other.defined(index) && other.block_[att.slot()] == block_[att.slot()])
        kept[k] |= 1u << (index % 32);
      else
        att.release(*this);
    });
  }
  std::memcpy(block_, other.block_, layout_.block_words() * sizeof(Word));
  for (int k = 0; k < bit_words; ++k)
    for_each_bit(defined_bits()[k] & type_->shared_word(static_cast<std::size_t>(k)) & ~kept[k], k * 32,
                 [&](int index) {
                   const AttInterpreter& att = type_->attribute(index);
                   const Word value = block_[att.slot()];
                   block_[att.slot()] = 0;  // the copied word holds no reference yet
                   att.set(*this, value);
                 });
  return true;
}

AttVec::~AttVec() { free_block(); }

void AttVec::copy_from(const AttVec& other) {
  if (!other.usable()) return;
  layout_ = other.layout_;
  block_ = type_->acquire_block(layout_.block_words());
  std::memcpy(block_, other.block_, layout_.block_words() * sizeof(Word));
  claim_shared_values();
}

void AttVec::claim_shared_values() {
  for_each_shared_value([&](int index) {
    const AttInterpreter& att = type_->attribute(index);
    const Word value = att.get(*this);
    block_[att.slot()] = 0;  // the copied word holds no reference yet
    att.set(*this, value);
  });
}

void AttVec::release_shared_values() {
  for_each_shared_value([&](int index) { type_->attribute(index).release(*this); });
}

void AttVec::allocate_block() {
  layout_ = type_->layout();
  block_ = type_->acquire_block(layout_.block_words());
}

void AttVec::free_block() {
  if (!block_) return;
  release_shared_values();
  type_->release_block(block_, layout_.block_words());
  block_ = nullptr;
  layout_ = AttLayout{};
}

void AttVec::grow_to_type() {
  const AttLayout old_layout = layout_;
  const AttLayout& wanted = type_->layout();
  if (wanted.atts == old_layout.atts && wanted.words == old_layout.words && wanted.bytes == old_layout.bytes) return;
  Word* old_block = block_;
  const std::uint32_t* old_defined = defined_bits();
  const std::uint32_t* old_binary = binary_bits();
  const std::uint8_t* old_bytes = bytes();
  layout_ = wanted;
  block_ = type_->acquire_block(layout_.block_words());
  std::memset(block_, 0, layout_.block_words() * sizeof(Word));
  // Attributes are only ever appended, so every old position stays valid.
  std::memcpy(block_, old_block, old_layout.words * sizeof(Word));
  std::memcpy(defined_bits(), old_defined, old_layout.bit_words() * sizeof(std::uint32_t));
  std::memcpy(binary_bits(), old_binary, old_layout.bit_words() * sizeof(std::uint32_t));
  std::memcpy(bytes(), old_bytes, static_cast<std::size_t>(old_layout.bytes));
  type_->release_block(old_block, old_layout.block_words());
}

void AttVec::set_word(int slot, Word w) {
  if (slot >= layout_.words) grow_to_type();
  block_[slot] = w;
}

void AttVec::set_byte(int slot, std::uint8_t b) {
  if (slot >= layout_.bytes) grow_to_type();
  bytes()[slot] = b;
}

void AttVec::set_binary_value(int index, bool on) {
  ensure_index(index);
  std::uint32_t& word = binary_bits()[index / 32];
  const std::uint32_t bit = 1u << (index % 32);
  word = on ? word | bit : word & ~bit;
}

void AttVec::mark_defined(int index) {
  ensure_index(index);
  defined_bits()[index / 32] |= 1u << (index % 32);
}

void AttVec::mark_undefined(int index) {
  if (index < layout_.atts) defined_bits()[index / 32] &= ~(1u << (index % 32));
}

// ---- Sharing

// ---- Single attributes

Word AttVec::get(int index) const { return defined(index) ? type_->attribute(index).get(*this) : 0; }

void AttVec::set(int index, Word value) {
  if (!usable()) return;
  const AttInterpreter* att = type_->at(index);
  if (!att) return;
  mark_defined(index);
  att->set(*this, value);
}

void AttVec::remove(int index) {
  if (!defined(index)) return;
  type_->attribute(index).release(*this);
  mark_undefined(index);
}

const char* AttVec::att_name(int index) const {
  const AttInterpreter* att = type_ ? type_->at(index) : nullptr;
  return att ? att->name().c_str() : nullptr;
}

std::string AttVec::str_val(int index) const {
  return defined(index) ? type_->attribute(index).str_val(get(index)) : std::string();
}

bool AttVec::empty() const {
  for (int k = 0; k < layout_.bit_words(); ++k)
    if (defined_bits()[k]) return false;
  return true;
}

std::size_t AttVec::defined_count() const {
  std::size_t n = 0;
  for (int k = 0; k < layout_.bit_words(); ++k) n += static_cast<std::size_t>(std::popcount(defined_bits()[k]));
  return n;
}

LBitSet AttVec::defined_set() const {
  LBitSet set(static_cast<std::size_t>(layout_.atts));
  for (int k = 0; k < layout_.bit_words(); ++k) for_each_bit(defined_bits()[k], k * 32, [&](int i) { set.set(i); });
  return set;
}

void AttVec::clear() {
  if (!usable()) return;
  release_shared_values();
  std::memset(block_, 0, layout_.block_words() * sizeof(Word));
}

// ---- Reading from text

void AttVec::read(IRSlist& text, int depth) {
  if (!usable()) return;
  for (IRSlist* element : text.children()) {
    if (element->is_nil() || (element->is_list() && element->children().first()->is_list()) ||
        (element->is_list() && !element->children().first()->atom())) {
      report_error("() is used as attribute name.\n");
      return;
    }
    // A list element gives up its head as the name while its value is made.
    std::unique_ptr<IRSlist> head = element->is_list() ? element->take_first() : nullptr;
    const char* name = head ? head->atom() : element->atom();
    const int index = type_->index_of(name);
    if (index >= 0) {
      const AttInterpreter& att = type_->attribute(index);
      const Word value = att.make_nested_val(*element, depth);
      att.unify_val(*this, value, true);
      att.drop_unclaimed(value);
    } else if (const AttVec* alias = type_->aliases().find(name)) {
      unify(*alias);
    } else {
      report_error(std::string("Unknown attribute ") + name);
    }
    if (head) element->prepend(std::move(head));
  }
}

// ---- Unification and its relatives

bool AttVec::unify_binary(int index, const AttVec& other, bool set_flag) {
  const bool theirs = other.binary_value(index);
  if (!defined(index)) {
    if (set_flag) {
      mark_defined(index);
      set_binary_value(index, theirs);
    }
    return true;
  }
  return binary_value(index) == theirs;
}

template <class T>
bool AttVec::unify_plain(AttInterpreter::UnifyRule rule, bool defined, T& mine, T theirs, bool set_flag) {
  using Rule = AttInterpreter::UnifyRule;
  if (!defined) {
    if (set_flag) mine = theirs;
    return true;
  }
  switch (rule) {
    case Rule::kKeepByte:
      return true;
    case Rule::kEqualByte:
    case Rule::kEqualWord:
      return mine == theirs;
    default:
      break;
  }
  // A disjunction: the alternatives left on both sides.
  if (mine == 0 && theirs == 0) return true;
  const T both = mine & theirs;
  if (both == 0) return false;
  if (set_flag) mine = both;
  return true;
}

bool AttVec::unify_attribute(int index, const AttVec& other, bool set_flag) {
  using Rule = AttInterpreter::UnifyRule;
  if (type_->is_binary(index)) return unify_binary(index, other, set_flag);
  const AttInterpreterList::UnifyShortcut& cut = type_->shortcut(index);
  const bool was_defined = defined(index);
  switch (cut.rule) {
    case Rule::kEqualByte:
    case Rule::kKeepByte:
    case Rule::kMaskByte: {
      std::uint8_t mine = byte_at(cut.slot);
      if (!unify_plain<std::uint8_t>(cut.rule, was_defined, mine, other.byte_at(cut.slot), set_flag)) return false;
      if (set_flag) {
        if (!was_defined) mark_defined(index);
        set_byte(cut.slot, mine);
      }
      return true;
    }
    case Rule::kEqualWord:
    case Rule::kMaskWord: {
      Word mine = word_at(cut.slot);
      if (!unify_plain<Word>(cut.rule, was_defined, mine, other.word_at(cut.slot), set_flag)) return false;
      if (set_flag) {
        if (!was_defined) mark_defined(index);
        set_word(cut.slot, mine);
      }
      return true;
    }
    case Rule::kCallUnifyVal:
      break;
  }
  const AttInterpreter& att = type_->attribute(index);
  return att.unify_val(*this, att.get(other), set_flag);
}

bool AttVec::unify(const AttVec& other, const LBitSet* mask, bool set_flag) {
  if (!set_flag) return unifiable(other, mask);
  if (!other.usable() || other.empty()) return true;
  if (!usable() || type_ != other.type_) return false;
  if (layout_.atts < other.layout_.atts) grow_to_type();
  for (int k = 0; k < other.layout_.bit_words(); ++k) {
    std::uint32_t w = other.defined_word(k, mask);
    while (w) {
      const int index = k * 32 + std::countr_zero(w);
      w &= w - 1;
      if (!unify_attribute(index, other, true)) return false;
    }
  }
  return true;
}

bool AttVec::unifiable(const AttVec& other, const LBitSet* mask) const {
  if (!other.usable()) return true;
  if (!usable() || type_ != other.type_) return other.empty();
  const int words = other.layout_.bit_words();
  // Binary attributes are settled a word at a time.
  for (int k = 0; k < words && k < layout_.bit_words(); ++k) {
    const std::uint32_t common = other.defined_word(k, mask) & defined_bits()[k] & type_->binary_word(k);
    if (common & (binary_bits()[k] ^ other.binary_bits()[k])) return false;
  }
  for (int k = 0; k < words; ++k) {
    std::uint32_t w = other.defined_word(k, mask) & ~type_->binary_word(k);
    // An attribute this vector leaves undefined takes any value.
    w &= k < layout_.bit_words() ? defined_bits()[k] : 0;
    while (w) {
      const int index = k * 32 + std::countr_zero(w);
      w &= w - 1;
      if (!value_unifiable(index, other)) return false;
    }
  }
  return true;
}

// unify_attribute without the set flag, for an attribute (not binary)
// defined in both vectors.
bool AttVec::value_unifiable(int index, const AttVec& other) const {
  using Rule = AttInterpreter::UnifyRule;
  const AttInterpreterList::UnifyShortcut& cut = type_->shortcut(index);
  switch (cut.rule) {
    case Rule::kKeepByte:
      return true;
    case Rule::kEqualByte:
      return byte_at(cut.slot) == other.byte_at(cut.slot);
    case Rule::kEqualWord:
      return word_at(cut.slot) == other.word_at(cut.slot);
    case Rule::kMaskByte: {
      const std::uint8_t mine = byte_at(cut.slot);
      const std::uint8_t theirs = other.byte_at(cut.slot);
      return (mine == 0 && theirs == 0) || (mine & theirs) != 0;
    }
    case Rule::kMaskWord: {
      const Word mine = word_at(cut.slot);
      const Word theirs = other.word_at(cut.slot);
      return (mine == 0 && theirs == 0) || (mine & theirs) != 0;
    }
    case Rule::kCallUnifyVal:
      break;
  }
  const AttInterpreter& att = type_->attribute(index);
  // unify_val without the set flag changes nothing.
  return att.unify_val(const_cast<AttVec&>(*this), att.get(other), false);
}

void AttVec::merge(const AttVec& other, const LBitSet* mask) {
  if (!usable() || !other.usable() || type_ != other.type_) return;
  for (int k = 0; k < other.layout_.bit_words(); ++k)
    for_each_bit(other.defined_word(k, mask), k * 32, [&](int index) { unify_attribute(index, other, true); });
}

void AttVec::overwrite(const AttVec& other, const LBitSet* mask) {
  if (!usable() || !other.usable() || type_ != other.type_) return;
  for (int k = 0; k < other.layout_.bit_words(); ++k)
    for_each_bit(other.defined_word(k, mask), k * 32, [&](int index) {
      const AttInterpreter& att = type_->attribute(index);
      att.put(*this, att.get(other));
    });
}

void AttVec::generalize(const AttVec& other, const LBitSet* mask) {
  if (!usable() || !other.usable() || type_ != other.type_) return;
  for (int k = 0; k < other.layout_.bit_words(); ++k)
    for_each_bit(other.defined_word(k, mask), k * 32,
                 [&](int index) { type_->attribute(index).generalize(*this, other); });
  for (int k = 0; k < layout_.bit_words(); ++k)
    for_each_bit(defined_word(k, mask) & ~other.defined_word(k, nullptr), k * 32, [&](int index) { remove(index); });
}

void AttVec::subtract(const AttVec& other, const LBitSet* mask) {
  if (!usable() || !other.usable() || type_ != other.type_) return;
  for (int k = 0; k < other.layout_.bit_words(); ++k)
    for_each_bit(other.defined_word(k, mask), k * 32,
                 [&](int index) { type_->attribute(index).subtract(*this, other); });
}

int AttVec::compare_defined_sets(const AttVec& other, const LBitSet* mask) const {
  bool superset = true;
  bool subset = true;
  const int words = std::max(layout_.bit_words(), other.layout_.bit_words());
  for (int k = 0; k < words; ++k) {
    const std::uint32_t mine = defined_word(k, mask);
    const std::uint32_t theirs = other.defined_word(k, mask);
    if (theirs & ~mine) superset = false;
    if (mine & ~theirs) subset = false;
  }
  if (superset && subset) return 0;
  if (superset) return 1;
  if (subset) return -1;
  return 2;
}

int AttVec::compare(const AttVec& other, const LBitSet* mask) const {
  if (type_ != other.type_) return 2;
  int result = compare_defined_sets(other, mask);
  if (result == 2) return 2;
  const int words = std::min(layout_.bit_words(), other.layout_.bit_words());
  for (int k = 0; k < words; ++k) {
    std::uint32_t common = defined_word(k, mask) & other.defined_word(k, mask);
    if (common & type_->binary_word(k) & (binary_bits()[k] ^ other.binary_bits()[k])) return 2;
    common &= ~type_->binary_word(k);
    while (common) {
      const int index = k * 32 + std::countr_zero(common);
      common &= common - 1;
      const AttInterpreter& att = type_->attribute(index);
      result = combine_comparison(result, att.compare(att.get(*this), att.get(other)));
      if (result == 2) return 2;
    }
  }
  return result;
}

bool AttVec::equals(const AttVec& other, const LBitSet* mask) const {
  if (type_ != other.type_) return false;
  // Equal blocks hold equal values (every attribute's comparison gives 0
  // for a value and itself): packing finds most of its equal items here.
  if (block_ && other.block_ && layout_.atts == other.layout_.atts && layout_.words == other.layout_.words &&
      layout_.bytes == other.layout_.bytes && std::memcmp(block_, other.block_, layout_.used_bytes()) == 0)
    return true;
  const int words = std::max(layout_.bit_words(), other.layout_.bit_words());
  for (int k = 0; k < words; ++k)
    if (defined_word(k, mask) != other.defined_word(k, mask)) return false;
  const int common_words = std::min(layout_.bit_words(), other.layout_.bit_words());
  for (int k = 0; k < common_words; ++k) {
    std::uint32_t common = defined_word(k, mask);
    if (common & type_->binary_word(k) & (binary_bits()[k] ^ other.binary_bits()[k])) return false;
    common &= ~type_->binary_word(k);
    while (common) {
      const int index = k * 32 + std::countr_zero(common);
      common &= common - 1;
      if (!same_value(index, other)) return false;
    }
  }
  return true;
}

// The plain classes compare their stored byte or word: equal values give 0
// and, but for integers (compared in 32 bits), different ones do not; a
// disjunction's order is that of its masks. Everything else, and integers
// whose words differ, goes through the interpreter.
bool AttVec::same_value(int index, const AttVec& other) const {
  using Rule = AttInterpreter::UnifyRule;
  const AttInterpreterList::UnifyShortcut& cut = type_->shortcut(index);
  switch (cut.rule) {
    case Rule::kEqualByte:
    case Rule::kKeepByte:
    case Rule::kMaskByte:
      return byte_at(cut.slot) == other.byte_at(cut.slot);
    case Rule::kMaskWord:
      return word_at(cut.slot) == other.word_at(cut.slot);
    case Rule::kEqualWord:
      if (word_at(cut.slot) == other.word_at(cut.slot)) return true;
      break;
    case Rule::kCallUnifyVal:
      break;
  }
  const AttInterpreter& att = type_->attribute(index);
  return att.compare(att.get(*this), att.get(other)) == 0;
}

bool AttVec::contains_value(int index, const AttVec& other) const {
  using Rule = AttInterpreter::UnifyRule;
  const AttInterpreterList::UnifyShortcut& cut = type_->shortcut(index);
  int order = 0;
  switch (cut.rule) {
    case Rule::kEqualByte:
    case Rule::kKeepByte:
      return byte_at(cut.slot) == other.byte_at(cut.slot);
    case Rule::kMaskByte:
      order = Disjunction::compare(byte_at(cut.slot), other.byte_at(cut.slot));
      return order == 0 || order == -1;
    case Rule::kMaskWord:
      order = Disjunction::compare(word_at(cut.slot), other.word_at(cut.slot));
      return order == 0 || order == -1;
    case Rule::kEqualWord:
      if (word_at(cut.slot) == other.word_at(cut.slot)) return true;
      break;
    case Rule::kCallUnifyVal:
      break;
  }
  const AttInterpreter& att = type_->attribute(index);
  order = att.compare(att.get(*this), att.get(other));
  return order == 0 || order == -1;
}

float AttVec::distance(const AttVec& other) const {
  if (type_ != other.type_) return 0.0f;
  float total = 0.0f;
  const int words = std::min(layout_.bit_words(), other.layout_.bit_words());
  for (int k = 0; k < words; ++k)
    for_each_bit(defined_bits()[k] & other.defined_bits()[k], k * 32,
                 [&](int index) { total += type_->attribute(index).distance(*this, other); });
  return total;
}

// ---- Binary form

namespace {

bool wide_entries(const AttInterpreterList& type) { return type.count() >= 126; }

void put_entry(StrBufs& out, bool wide, int entry) {
  if (wide)
    out.put_u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(entry)));
  else
    out.push(static_cast<char>(static_cast<std::int8_t>(entry)));
}

}  // namespace

void AttVec::pack(StrBufs& out) const {
  if (!usable()) return;
  const bool wide = wide_entries(*type_);
  for (int k = 0; k < layout_.bit_words(); ++k)
    for_each_bit(defined_bits()[k], k * 32, [&](int index) {
      const AttInterpreter& att = type_->attribute(index);
      const bool present = type_->is_binary(index) ? binary_value(index) : att.get(*this) != 0;
      put_entry(out, wide, present ? index : -index - 1);
      if (present && !type_->is_binary(index)) att.pack(*this, out);
    });
  put_entry(out, wide, type_->count() + 1);
}

bool AttVec::unpack(ByteCursor& in) {
  if (!usable()) return false;
  const int count = type_->count();
  const bool wide = wide_entries(*type_);
  for (;;) {
    int entry;
    if (!(wide ? in.read_i16(entry) : in.read_i8(entry))) return false;
    if (entry > count) return true;
    const int index = entry >= 0 ? entry : -entry - 1;
    if (index >= count) return false;
    const AttInterpreter& att = type_->attribute(index);
    mark_defined(index);
    if (type_->is_binary(index)) {
      set_binary_value(index, entry >= 0);
    } else if (entry < 0) {
      att.set(*this, 0);
    } else if (!att.unpack(*this, in)) {
      return false;
    }
  }
}

// ---- Printing

void AttVec::print_attributes(std::ostream& out, const LBitSet* filter, bool abbreviate) const {
  bool first = true;
  auto item = [&](const std::string& text) {
    if (text.empty()) return;
    if (!first) out << ' ';
    out << text;
    first = false;
  };
  std::optional<AttVec> rest;
  if (abbreviate && !type_->aliases().empty()) {
    rest.emplace(*this);
    for (const AliasSet::Alias* alias : type_->aliases().in_order()) {
      const int c = compare(*alias->vec);
      if (c != 0 && c != 1) continue;
      item(alias->name);
      rest->subtract(*alias->vec);
    }
  }
  const AttVec& shown = rest ? *rest : *this;
  for (int k = 0; k < shown.layout_.bit_words(); ++k)
    for_each_bit(shown.defined_bits()[k], k * 32, [&](int index) {
      if (filter && !filter->test(static_cast<std::size_t>(index))) return;
      std::ostringstream text;
      type_->attribute(index).print(text, shown);
      item(text.str());
    });
}

void AttVec::print(std::ostream& out, const LBitSet* filter, bool abbreviate) const {
  out << '(';
  if (usable()) print_attributes(out, filter, abbreviate);
  out << ')';
}

std::string AttVec::text(const LBitSet* filter, bool abbreviate) const {
  std::ostringstream out;
  print(out, filter, abbreviate);
  return out.str();
}

}  // namespace velmo
