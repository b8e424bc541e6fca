#pragma once
// Attributes holding opaque entities owned elsewhere (a pointer in a word).
// Program code may install a hook that combines two entities in unification
// and one that prints an entity.
#include <string>

#include "lexicon/attributes/att_interpreter.h"

namespace velmo {

class EntAtt : public LongVAtt {
 public:
  // Combines the stored and the new entity; 0 means they do not unify.
  using UnifyHook = Word (*)(Word stored, Word value);
  using PrintHook = std::string (*)(Word value);

  using LongVAtt::LongVAtt;
  const char* type_name() const override { return "EntAtt"; }
  std::unique_ptr<AttInterpreter> clone() const override { return clone_unplaced(*this); }
  void set_facets(IRSlist& facets) override;
  bool unify_val(AttVec& vec, Word value, bool set_flag) const override;
  void print(std::ostream& out, const AttVec& vec) const override;
  std::string str_val(Word value) const override;
  // An empty value part gives the default value (set by the default facet).
  Word make_val(IRSlist& element) const override;
  // Entities have no binary form.
  void pack(const AttVec&, StrBufs&) const override {}
  bool unpack(AttVec&, ByteCursor&) const override { return true; }

  void set_unify_hook(UnifyHook hook) { unify_hook_ = hook; }
  void set_print_hook(PrintHook hook) { print_hook_ = hook; }

 private:
  UnifyHook unify_hook_ = nullptr;
  PrintHook print_hook_ = nullptr;
};

}  // namespace velmo
