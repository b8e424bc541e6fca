#pragma once
// Shared helpers of the attribute tests: a small attribute vector type built
// in code, and vectors read from text.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/complex_atts.h"
#include "lexicon/attributes/ent_att.h"
#include "lexicon/attributes/plain_atts.h"
#include "lexicon/attributes/str_att.h"
#include "lexicon/attributes/trace_att.h"
#include "shell/reader/irslist.h"
#include "shell/support/string_pool.h"

namespace velmo::testing {

// Owns one parsed text so that its atoms outlive the call that uses them.
class Texts {
 public:
  IRSlist& parse(std::string_view text) {
    nodes_.push_back(IRSlist::parse(text, store_));
    return *nodes_.back();
  }

 private:
  StringPool store_;
  std::vector<std::unique_ptr<IRSlist>> nodes_;
};

// A type holding: sg BinAtt, per SmIntAtt, cat EnumAtt (n v adj), num DisjAtt
// (sg pl), x Disj8Att (a b c), root StrAtt, n IntAtt, agr VecAtt (own type),
// args ListAtt, stk StackAtt.
class AttTypeFixture : public ::testing::Test {
 protected:
  AttTypeFixture() : type(std::make_unique<AttInterpreterList>("syn")) {
    add(std::make_unique<BinAtt>("sg"));
    add(std::make_unique<SmIntAtt>("per"));
    add(std::make_unique<EnumAtt>("cat"), "((allowable-values n v adj))");
    add(std::make_unique<DisjAtt>("num"), "((allowable-values sg pl))");
    add(std::make_unique<Disj8Att>("x"), "((allowable-values a b c))");
    add(std::make_unique<StrAtt>("root"));
    add(std::make_unique<IntAtt>("n"));
    add(std::make_unique<VecAtt>("agr"));
    add(std::make_unique<ListAtt>("args"));
    add(std::make_unique<StackAtt>("stk"));
  }

  AttInterpreter* add(std::unique_ptr<AttInterpreter> att, std::string_view facets = "") {
    if (!facets.empty()) att->set_facets(texts.parse(facets));
    AttInterpreter* raw = att.get();
    return type->add(std::move(att)) ? raw : nullptr;
  }

  std::unique_ptr<AttVec> vec(std::string_view text) { return std::make_unique<AttVec>(type.get(), texts.parse(text)); }
  std::string text_of(std::string_view text) { return vec(text)->text(); }
  int index(std::string_view name) const { return type->index_of(name); }

  Texts texts;
  std::unique_ptr<AttInterpreterList> type;
};

}  // namespace velmo::testing
