#include "parser/grammar/korvel_parser.h"

#include <cstdio>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_vec.h"
#include "parser/grammar/builtin_attributes.h"
#include "parser/chart/chart.h"
#include "parser/grammar/category_names.h"
#include "shell/support/current.h"

namespace velmo {
namespace {

// Each setting is cleared when its object is deleted; deleting a parser
// deletes its categories and links, so it clears all three.
struct CurrentGrammar {
  Current<KorvelParser> parser;
  Current<GCate> category;
  Current<GLink> link;
};

CurrentGrammar& current() {
  static CurrentGrammar state;
  return state;
}

}  // namespace

KorvelParser* current_parser() { return current().parser.get(); }
void set_current_parser(KorvelParser* parser) { current().parser.set(parser); }
GCate* current_category() { return current().category.get(); }
void set_current_category(GCate* category) { current().category.set(category); }
GLink* current_link() { return current().link.get(); }
void set_current_link(GLink* link) { current().link.set(link); }

bool& weight_debugging() {
  static bool on = false;
  return on;
}

KorvelParser::KorvelParser(std::string_view name, std::size_t buckets, std::string_view empty_category,
                           std::string_view empty_relation)
    : name_(name),
      categories_(buckets),
      empty_category_(std::make_unique<GCate>(this, empty_category)),
      chart_(std::make_unique<Chart>(nullptr)) {
  empty_link_ = empty_category_->make_free_link(empty_category_.get());
  empty_link_->set_relation(empty_relation);
}

// The parser's categories and links clear their own settings as they go.
KorvelParser::~KorvelParser() = default;

void KorvelParser::set_att_type(const AttInterpreterList* type) {
  att_type_ = type;
  chart_ = std::make_unique<Chart>(type);
}

GCate* KorvelParser::find(std::string_view name, bool create) {
  if (auto* found = categories_.find(name)) return found->get();
  if (!create || name.empty()) return nullptr;
  auto [item, inserted] = categories_.insert(name, std::make_unique<GCate>(this, name));
  return item->value.get();
}

GCate* KorvelParser::category_of(const AttVec& vec) {
  const std::string full = category_name(vec);
  if (full.empty()) return nullptr;
  if (GCate* found = find(full)) return found;
  const BuiltinAttributes& b = builtin_attributes();
  if (b.node >= 0 && vec.defined(b.node)) return nullptr;
  if (args_of(vec).empty()) return nullptr;
  return make_subcategory(vec, full, cat_short_name(vec));
}

// A category for a subcategorisation frame the grammar does not list: one
// position per argument and the head, each argument attached as "compN"
// and checked against its argument, hung under the base category.
GCate* KorvelParser::make_subcategory(const AttVec& vec, const std::string& full_name, std::string_view base_name) {
  GCate* base = find(base_name);
  if (!base) return nullptr;
  const std::vector<AttVec*> args = args_of(vec);
  const int n = static_cast<int>(args.size());
  const bool head_final = flag_set(vec, builtin_attributes().head_final);
  GCate* cate = find(full_name, true);
  cate->reset_positions(n + 1);
  cate->subcategory = true;
  cate->head = head_final ? n : 0;
  for (int i = 0; i < n; ++i) {
    const int position = head_final ? i : i + 1;
    GCate* modifier = find(cat_short_name(*args[static_cast<std::size_t>(i)]));
    if (!modifier) continue;
    GLink* link = cate->add_link(position, modifier);
    link->no_guest = false;
    char relation[32];
    std::snprintf(relation, sizeof relation, "comp%d", position);
    link->set_relation(relation);
    link->check_arg = i;
    link->percolated = default_percolating;
    cate->skip_adjunct |= position < 32 ? (1u << position) : 0u;
    modifier->insert_modifier_link(link);
  }
  cate->visible_atts = base->subcat_atts;
  const BuiltinAttributes& b = builtin_attributes();
  if (b.cat >= 0) cate->visible_atts.set(static_cast<std::size_t>(b.cat));
  if (b.lexitem >= 0) cate->visible_atts.set(static_cast<std::size_t>(b.lexitem));
  if (base->head >= 0) {
    GLink* link = base->add_link(base->head, cate);
    link->set_relation("subcat");
    link->percolated = cate->visible_atts;
    cate->insert_modifier_link(link);
  }
  return cate;
}

}  // namespace velmo
