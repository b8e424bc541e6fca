#pragma once
// An attribute vector type: the declared attributes in order, the storage
// layout every vector of the type shares, its aliases and named attribute
// sets. Types are named objects of class "AttInterpreterList".
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "lexicon/attributes/att_interpreter.h"
#include "lexicon/attributes/lbitset.h"
#include "shell/support/name_table.h"
#include "shell/support/named_object.h"

namespace velmo {

class AliasSet;
class AttVec;

// Sizes of the value block of one vector.
struct AttLayout {
  int atts = 0;   // attribute count (bits of the defined and binary sets)
  int words = 0;  // word area, in machine words
  int bytes = 0;  // byte area

  // A shift, not a division: the count is never negative, and the
  // vectors ask it at every look at their bit sets.
  int bit_words() const { return (atts + 31) >> 5; }
  // The whole block in machine words: word area, two bit sets, byte area.
  std::size_t block_words() const {
    const std::size_t extra = 2 * sizeof(std::uint32_t) * bit_words() + bytes;
    return words + (extra + sizeof(Word) - 1) / sizeof(Word);
  }
  // The bytes of the block that hold something (the rest is padding).
  std::size_t used_bytes() const {
    return words * sizeof(Word) + 2 * sizeof(std::uint32_t) * bit_words() + static_cast<std::size_t>(bytes);
  }
};

class AttInterpreterList : public NamedObject {
 public:
  static constexpr const char* kTypeText = "AttInterpreterList";
  static constexpr std::size_t kSetBuckets = 41;

  explicit AttInterpreterList(std::string_view name, std::size_t capacity = 4);
  ~AttInterpreterList() override;
  AttInterpreterList(const AttInterpreterList&) = delete;
  AttInterpreterList& operator=(const AttInterpreterList&) = delete;

  const std::string& name() const { return name_; }

  // ---- Attributes.
  // Appends and places the attribute; refuses a name already declared.
  bool add(std::unique_ptr<AttInterpreter> att);
  int count() const { return static_cast<int>(atts_.size()); }
  // Checked access, with a message for an index outside the list.
  AttInterpreter* at(int index) const;
  // Unchecked access for indices known to be valid.
  AttInterpreter& attribute(int index) const { return *atts_[static_cast<std::size_t>(index)]; }
  // Index of an attribute name (one leading "+", "-" or "~" ignored); -1.
  int index_of(std::string_view name) const;

  // ---- Storage layout, grown by the attributes as they are placed.
  const AttLayout& layout() const { return layout_; }
  int binary_count() const { return binary_count_; }
  void add_binary(int index);
  int reserve_byte() { return layout_.bytes++; }
  int reserve_word() { return layout_.words++; }
  bool is_binary(int index) const { return binary_.test(static_cast<std::size_t>(index)); }
  std::uint32_t binary_word(std::size_t k) const { return binary_.word(k); }
  // The unification rule and storage slot of each attribute, for the
  // vectors' unification loops.
  struct UnifyShortcut {
    AttInterpreter::UnifyRule rule;
    int slot;
  };
  const UnifyShortcut& shortcut(int index) const { return shortcuts_[static_cast<std::size_t>(index)]; }
  // Indices of the attributes whose values are shared objects.
  const std::vector<int>& shared_value_indices() const { return shared_; }
  // The same as a bit set, word k (bits k*32..k*32+31): a vector's
  // defined set masked by it names the shared values it holds.
  std::uint32_t shared_word(std::size_t k) const { return shared_set_.word(k); }

  // ---- Value blocks of the vectors, recycled through a free list.
  Word* acquire_block(std::size_t words) const;
  void release_block(Word* block, std::size_t words) const;

  // ---- Aliases and attribute sets.
  AliasSet& aliases() { return *aliases_; }
  const AliasSet& aliases() const { return *aliases_; }
  // The set of the named attributes; unknown names are reported and skipped.
  LBitSet make_att_set(const std::vector<std::string_view>& names) const;
  // Stores a named set (a repeated name keeps the first); null when refused.
  const LBitSet* define_att_set(std::string_view name, const LBitSet& set);
  const LBitSet* find_att_set(std::string_view name) const;

  // ---- Vectors made by commands, which live as long as their type.
  AttVec* keep(AttVec* vec);
  // The kept vector at that address in any live type, or null; `owner`
  // receives its type.
  static AttVec* find_kept(Word address, AttInterpreterList** owner = nullptr);
  // Whether `type` still exists (vectors of a destroyed type cannot be freed).
  static bool is_live(const AttInterpreterList* type);

  // ---- Lookups by type name.
  // The named type (class "AttInterpreterList"), or null.
  static AttInterpreterList* find(std::string_view type_name, bool complain = false);
  // Index of an attribute of a named type, or -1 with a two-line message.
  static int att_index(std::string_view type_name, std::string_view att_name);
  // The value word of `value` for an attribute of a named type; 0 on failure.
  static Word get_att(std::string_view type_name, std::string_view att_name, std::string_view value);

 private:
  static std::unordered_set<AttInterpreterList*>& live_types();

  std::vector<std::unique_ptr<AttInterpreter>> atts_;
  std::string name_;
  LBitSet binary_;
  int binary_count_ = 0;
  AttLayout layout_;
  std::unique_ptr<AliasSet> aliases_;
  NameTable<std::unique_ptr<LBitSet>> att_sets_;
  std::unordered_map<std::string_view, int> index_;  // keys point into the interpreters' names
  std::vector<int> shared_;
  LBitSet shared_set_;
  std::vector<UnifyShortcut> shortcuts_;
  mutable std::vector<Word*> free_blocks_;
  mutable std::size_t free_block_words_ = 0;
  std::unordered_set<AttVec*> kept_;
};

// The current attribute vector type, used when a command names none.
AttInterpreterList* current_att_type();
void set_current_att_type(AttInterpreterList* type);

}  // namespace velmo
