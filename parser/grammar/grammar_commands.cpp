#include "shell/support/sizes.h"
#include "parser/grammar/grammar_commands.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "lexical/analyzer/lex_analyzer.h"
#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/lexicon/relation_source.h"
#include "parser/forest/deps_modifier.h"
#include "parser/chart/chart_commands.h"
#include "parser/functions/pitem_functions.h"
#include "parser/grammar/builtin_attributes.h"
#include "parser/grammar/korvel_parser.h"
#include "shell/interpreter/interpreter.h"
#include "shell/lexp/constants.h"
#include "shell/support/diagnostics.h"
#include "shell/interpreter/name_space.h"

namespace velmo {
namespace {

Word as_word(const void* object) { return reinterpret_cast<Word>(object); }

// ---- Argument helpers.

// The value after an option, or null with `present` set when the option is
// given without a value (followed by another keyword or nothing).
IRSlistPtr take_option(IRSlist& args, std::string_view name, bool& present) {
  present = args.has_flag(name);
  if (!present) return nullptr;
  const IRSlist* next = args.peek_value_node(name, true);
  if (!next || (next->is_atom() && next->atom() && next->atom()[0] == ':')) {
    args.take_flag(name);
    return nullptr;
  }
  return args.take_value_node(name, true);
}

// The atom names of a node: its atom children, or the atom itself.
std::vector<std::string_view> names_of(const IRSlist& node) {
  std::vector<std::string_view> names;
  if (node.is_atom()) {
    if (node.atom()) names.emplace_back(node.atom());
    return names;
  }
  for (const IRSlist* child : node.children())
    if (child->is_atom() && child->atom()) names.emplace_back(child->atom());
  return names;
}

// The names of an attribute-list argument: the elements of the first list,
// or the remaining atoms when the names are written without parentheses.
std::vector<std::string_view> attribute_names(IRSlist& args) {
  const IRSlist* first = args.children().first();
  if (!first) return {};
  if (first->is_list()) return names_of(*first);
  return names_of(args);
}

// Indices of the names in the parser's type; unknown names are reported
// with `what` in front ("lexical attributes: ") and skipped.
std::vector<int> attribute_indices(const KorvelParser& parser, const std::vector<std::string_view>& names,
                                   std::string_view what) {
  std::vector<int> out;
  const AttInterpreterList* type = parser.att_type();
  for (std::string_view name : names) {
    const int index = type ? type->index_of(name) : -1;
    if (index < 0) {
      diag() << what << name << " is not an attribute name\n" << std::flush;
      continue;
    }
    out.push_back(index);
  }
  return out;
}

LBitSet as_set(const std::vector<int>& indices) {
  LBitSet set;
  for (int index : indices) set.set(static_cast<std::size_t>(index));
  return set;
}

LBitSet attribute_set(const KorvelParser& parser, IRSlist& args, std::string_view what) {
  return as_set(attribute_indices(parser, attribute_names(args), what));
}

void union_into(LBitSet& target, const LBitSet& extra) {
  for (std::size_t k = 0; k < extra.word_count(); ++k)
    for_each_bit(extra.word(k), static_cast<int>(k * 32), [&](int bit) { target.set(static_cast<std::size_t>(bit)); });
}

LBitSet intersection(const LBitSet& a, const LBitSet& b) {
  LBitSet out;
  for (std::size_t k = 0; k < a.word_count(); ++k)
    for_each_bit(a.word(k) & b.word(k), static_cast<int>(k * 32),
                 [&](int bit) { out.set(static_cast<std::size_t>(bit)); });
  return out;
}

void report_undefined(std::string_view name) { std::cout << "Node: " << name << " is not defined\n" << std::flush; }

// Opens a grammar data file as written, else on the search path.
std::unique_ptr<std::ifstream> open_data_file(std::string_view name) {
  auto in = std::make_unique<std::ifstream>(std::string(name), std::ios::binary);
  if (*in) return in;
  const std::optional<std::string> path = Interpreter::instance().search_path().find(name);
  if (!path) return nullptr;
  in = std::make_unique<std::ifstream>(*path, std::ios::binary);
  return *in ? std::move(in) : nullptr;
}

// Runs the remaining elements of `args` as commands.
void run_commands(IRSlist& args) { Interpreter::instance().execute_forms(args); }

const char* atom_text(const IRSlistPtr& node) { return node && node->is_atom() ? node->atom() : nullptr; }

LBitSet attribute_set_of(const KorvelParser& parser, const IRSlist* node, std::string_view what) {
  return node ? as_set(attribute_indices(parser, names_of(*node), what)) : LBitSet{};
}

Word def_korvel_parser(IRSlist& args) {
  bool present = false;
  IRSlistPtr size = take_option(args, ":hashtable-size", present);
  IRSlistPtr type_name = take_option(args, ":attribute-vector-type", present);
  IRSlistPtr lexical = take_option(args, ":lexical-attributes", present);
  IRSlistPtr show = take_option(args, ":show-attributes", present);
  const bool show_given = present;
  IRSlistPtr percolating = take_option(args, ":default-percolating-attributes", present);
  IRSlistPtr weights = take_option(args, ":weights-of-words", present);
  IRSlistPtr analyzer = take_option(args, ":lexical-analyzer", present);
  IRSlistPtr empty_cate = take_option(args, ":empty-category", present);
  IRSlistPtr empty_rel = take_option(args, ":empty-category-rel", present);
  IRSlistPtr dist = take_option(args, ":dist", present);
  IRSlistPtr bad = take_option(args, ":bad-triples", present);
  const char* name = args.take_atom();
  if (!name) return 0;

  std::size_t buckets = KorvelParser::kDefaultBuckets;
  if (const char* text = atom_text(size))
    buckets = checked_size(":hashtable-size", text, 1, kMaxBucketCount, KorvelParser::kDefaultBuckets);
  const char* ec = atom_text(empty_cate);
  const char* ecr = atom_text(empty_rel);
  auto parser = std::make_unique<KorvelParser>(name, buckets, ec ? ec : KorvelParser::kDefaultEmptyCategory,
                                               ecr ? ecr : KorvelParser::kDefaultEmptyRelation);
  if (const char* text = atom_text(type_name))
    parser->set_att_type(NameSpaces::lookup_as<AttInterpreterList>(text, AttInterpreterList::kTypeText));
  parser->lexical_atts = attribute_set_of(*parser, lexical.get(), "lexical attributes: ");
  if (show_given)
    parser->show_atts = show ? attribute_indices(*parser, names_of(*show), "show attributes: ") : std::vector<int>{};
  parser->default_percolating = attribute_set_of(*parser, percolating.get(), "default percolating attributes: ");
  if (weights) parser->weights_of_words = LExp::get_exp(weights.get());
  if (const char* text = atom_text(analyzer))
    parser->set_analyzer(NameSpaces::lookup_as<LexAnalyzer>(text, "LexAnalyzer"));
  const char* dist_name = atom_text(dist);
  const char* dist_file = dist_name ? dist_name : KorvelParser::kDefaultDistFile;
  if (auto in = open_data_file(dist_file)) parser->distances().read(*in, dist_file);
  if (const char* bad_name = atom_text(bad))
    if (auto in = open_data_file(bad_name)) parser->bad_triples().read(*in);

  KorvelParser* defined = NameSpaces::define_owned(name, std::move(parser), KorvelParser::kTypeText);
  if (defined) set_current_parser(defined);
  return as_word(defined);
}

// ---- Categories and positions.

// Reads one position: its ":skip-word" condition, its flags, and its link
// definitions.
void read_position(GCate& cate, int i, IRSlist& definition) {
  KorvelParser& parser = *cate.parser();
  bool present = false;
  IRSlistPtr skip = take_option(definition, ":skip-word", present);
  cate.skip_word_ids.push_back(skip ? parser.skip_word_condition_id(skip->text()) : -1);
  cate.skip_word_conds.push_back(skip ? LExp::get_exp(skip.get()) : nullptr);
  const std::uint32_t bit = i < 32 ? 1u << i : 0u;
  while (IRSlistPtr element = definition.take_first()) {
    if (element->is_atom()) {
      const std::string_view flag = element->atom() ? element->atom() : "";
      if (flag == "*") {
        cate.repeatable |= bit;
        cate.obligatory &= ~bit;
      } else if (flag == "?") {
        cate.obligatory &= ~bit;
      } else if (flag == "+") {
        cate.repeatable |= bit;
      } else if (equal_nocase(flag, ":head")) {
        cate.head = i;
      } else if (equal_nocase(flag, ":minimal")) {
        cate.minimal |= bit;
      } else if (equal_nocase(flag, ":skip-adjunct")) {
        cate.skip_adjunct |= bit;
      }
      continue;
    }
    const char* modifier_name = element->take_atom();
    if (!modifier_name) continue;
    GCate* modifier = parser.find(modifier_name);
    if (!modifier) {
      report_undefined(modifier_name);
      continue;
    }
    GLink* link = cate.add_link(i, modifier);
    link->percolated =
        i == cate.head ? modifier->visible_atts : intersection(modifier->visible_atts, parser.default_percolating);
    if (cate.skip_adjunct & bit) link->no_guest = false;
    modifier->insert_modifier_link(link);
    set_current_link(link);
    run_commands(*element);
    set_current_link(nullptr);
  }
}

void build_positions(GCate& cate, IRSlist& positions) {
  cate.reset_positions(static_cast<int>(positions.length()));
  int i = 0;
  while (IRSlistPtr definition = positions.take_first()) {
    if (definition->is_list()) {
      read_position(cate, i, *definition);
    } else {
      cate.skip_word_conds.push_back(nullptr);
      cate.skip_word_ids.push_back(-1);
    }
    ++i;
  }
}

Word def_category(IRSlist& args) {
  KorvelParser* parser = current_parser();
  const char* name = args.take_atom();
  if (!parser || !name) return 0;
  GCate* cate = parser->find(name, true);
  set_current_category(cate);
  run_commands(args);
  set_current_category(nullptr);
  return as_word(cate);
}

Word def_modifiers(IRSlist& args) {
  KorvelParser* parser = current_parser();
  if (!parser) return 0;
  GCate* cate = current_category();
  const IRSlist* first = args.children().first();
  if (first && first->is_atom()) {
    const char* name = args.take_atom();
    cate = name ? parser->find(name) : nullptr;
    if (!cate) {
      if (name) report_undefined(name);
      return 0;
    }
  }
  if (!cate || cate->parser() != parser) return 0;
  set_current_category(cate);
  build_positions(*cate, args);
  return as_word(cate);
}

Word def_subcat(IRSlist& args) {
  KorvelParser* parser = current_parser();
  if (!parser) return 0;
  const char* name = args.take_atom();
  const char* parent_name = args.take_atom();
  if (!name || !parent_name) return 0;
  GCate* parent = parser->find(parent_name);
  if (!parent) {
    report_undefined(parent_name);
    return 0;
  }
  GCate* cate = parser->find(name, true);
  set_current_category(cate);
  build_positions(*cate, args);
  cate->visible_atts = parent->visible_atts;
  if (builtin_attributes().cat >= 0) cate->visible_atts.set(static_cast<std::size_t>(builtin_attributes().cat));
  cate->subcategory = true;
  if (parent->head >= 0) {
    GLink* link = parent->add_link(parent->head, cate);
    link->set_relation("subcat");
    link->percolated = cate->visible_atts;
    cate->insert_modifier_link(link);
  }
  return as_word(cate);
}

Word def_subclass(IRSlist& args) {
  KorvelParser* parser = current_parser();
  if (!parser) return 0;
  const char* parent_name = args.take_atom();
  if (!parent_name) return 0;
  GCate* parent = parser->find(parent_name);
  if (!parent) {
    report_undefined(parent_name);
    return 0;
  }
  while (IRSlistPtr definition = args.take_first()) {
    const char* name = definition->is_list() ? definition->take_atom() : definition->atom();
    if (!name) continue;
    GCate* cate = parser->find(name, true);
    GLink* link = parent->add_link(parent->position_count(), cate);
    link->set_relation("subclass");
    link->subclass = 1;
    cate->insert_modifier_link(link);
    set_current_category(cate);
    if (definition->is_list()) run_commands(*definition);
  }
  set_current_category(nullptr);
  return as_word(parent);
}

// ---- Category settings.

Word visible_atts(IRSlist& args) {
  GCate* cate = current_category();
  if (!current_parser() || !cate) return 0;
  cate->visible_atts = attribute_set(*cate->parser(), args, "visible attributes: ");
  return as_word(cate);
}

Word subcat_atts(IRSlist& args) {
  GCate* cate = current_category();
  if (!current_parser() || !cate) return 0;
  cate->subcat_atts = attribute_set(*cate->parser(), args, "subcat attributes: ");
  return as_word(cate);
}

Word conj_atts(IRSlist& args) {
  GCate* cate = current_category();
  if (!current_parser() || !cate) return 0;
  IRSlistPtr identical = args.take_first();
  IRSlistPtr consistent = args.take_first();
  cate->conj_identical =
      identical ? attribute_indices(*cate->parser(), names_of(*identical), "conj attributes: ") : std::vector<int>{};
  cate->conj_consistent = attribute_set_of(*cate->parser(), consistent.get(), "conj attributes: ");
  cate->make_conj_link();
  return as_word(cate);
}

Word full_pitem_cond(IRSlist& args) {
  GCate* cate = current_category();
  if (!current_parser() || !cate) return 0;
  cate->full_item_cond = LExp::build_first(args);
  return as_word(cate);
}

Word minimal_modifier_cond(IRSlist& args) {
  GCate* cate = current_category();
  if (!current_parser() || !cate) return 0;
  cate->minimal_modifier_cond = LExp::build_first(args);
  return as_word(cate);
}

// ---- Link settings.

GLink* link_in_use() { return current_parser() ? current_link() : nullptr; }

template <LExpPtr GLink::*Field>
Word link_condition(IRSlist& args) {
  GLink* link = link_in_use();
  if (!link) return 0;
  link->*Field = LExp::build_first(args);
  return as_word(link);
}

// The merged condition or the head condition, with its plan: the chart
// answers the plan's tests of the joined items once per item, and its
// tests of the common shapes read the new item (merged or projected)
// directly.
template <std::shared_ptr<LExp> GLink::*Field, std::shared_ptr<const MergedConditionPlan> GLink::*Plan>
Word item_condition(IRSlist& args) {
  GLink* link = link_in_use();
  if (!link) return 0;
  link->*Field = LExp::build_first(args);
  KorvelParser* parser = current_parser();
  link->*Plan = MergedConditionPlan::build(link->*Field, parser->conditions(), parser->merged_parts());
  return as_word(link);
}

// A modifier or modifiee condition, with its plan: the chart answers the
// plan's parts once per item.
template <LExpPtr GLink::*Field, std::shared_ptr<const ConditionPlan> GLink::*Plan>
Word planned_link_condition(IRSlist& args) {
  GLink* link = link_in_use();
  if (!link) return 0;
  std::unique_ptr<IRSlist> form = args.take_first();
  link->*Plan = form ? ConditionPlan::build(*form, current_parser()->conditions()) : nullptr;
  link->*Field = LExp::get_exp(form.get());
  if (!(link->*Field)) link->*Plan = nullptr;
  ConditionPlan::Refusal refusal;
  if (link->*Plan) refusal = (link->*Plan)->first_refusal();
  const bool asked_alone = link->*Plan && (link->*Plan)->refusal_reads_only(current_parser()->conditions());
  if (Plan == &GLink::modifier_plan) {
    link->modifier_refusal_word = refusal.word;
    link->modifier_refusal_bit = refusal.bit;
    link->modifier_refusal_asked_alone = asked_alone;
    if (link->modifier()) link->modifier()->modifier_link_changed();
  } else {
    link->modifiee_refusal_word = refusal.word;
    link->modifiee_refusal_bit = refusal.bit;
    link->modifiee_refusal_asked_alone = asked_alone;
  }
  return as_word(link);
}

Word dep_type(IRSlist& args) {
  GLink* link = link_in_use();
  const char* name = args.take_atom();
  if (!link || !name) return 0;
  link->set_relation(name);
  return as_word(link);
}

Word max_dist(IRSlist& args) {
  GLink* link = link_in_use();
  if (!link || args.children().empty()) return 0;
  link->max_dist = static_cast<int>(args.take_long());
  return as_word(link);
}

Word head_reach(IRSlist& args) {
  GLink* link = link_in_use();
  if (!link || args.children().empty()) return 0;
  const long reach = args.take_long();
  link->head_reach = reach > 0 ? static_cast<int>(std::min(reach, 1000L)) : 0;
  return as_word(link);
}

Word check_arg(IRSlist& args) {
  GLink* link = link_in_use();
  if (!link || args.children().empty()) return 0;
  link->check_arg = static_cast<int>(args.take_long());
  return as_word(link);
}

Word allow_guest(IRSlist&) {
  GLink* link = link_in_use();
  if (!link) return 0;
  link->no_guest = false;
  return as_word(link);
}

Word dep_weight(IRSlist& args) {
  GLink* link = link_in_use();
  if (!link || args.children().empty()) return 0;
  link->weight = args.take_float();
  // The modifier's list of links is ordered by weight.
  link->modifier()->reorder_modifier_link(link);
  return as_word(link);
}

Word last_resort(IRSlist& args) {
  GLink* link = link_in_use();
  if (!link) return 0;
  if (!link->last_resort) ++link->modifiee()->parser()->last_resort_links;
  link->last_resort = true;
  const bool anywhere = args.take_flag("anywhere");
  if (anywhere != link->anywhere) link->modifiee()->parser()->anywhere_links += anywhere ? 1 : -1;
  link->anywhere = anywhere;
  if (link->modifier()) link->modifier()->modifier_link_changed();
  return as_word(link);
}

Word check_slash(IRSlist& args) {
  GLink* link = link_in_use();
  const BuiltinAttributes& b = builtin_attributes();
  if (!link || !b.type || b.check < 0) return 0;
  while (const char* value = args.take_atom())
    link->slash_mask |= static_cast<std::uint32_t>(b.type->attribute(b.check).get_val(value));
  return as_word(link);
}

Word percolate(IRSlist& args) {
  GLink* link = link_in_use();
  if (!link) return 0;
  link->percolated = attribute_set(*link->modifiee()->parser(), args, "percolate: ");
  return as_word(link);
}

Word block(IRSlist& args) {
  GLink* link = link_in_use();
  if (!link) return 0;
  for (int index : attribute_indices(*link->modifiee()->parser(), attribute_names(args), "block: "))
    link->percolated.reset(static_cast<std::size_t>(index));
  return as_word(link);
}

Word def_conj_constraints(IRSlist& args) {
  KorvelParser* parser = current_parser();
  const char* name = args.take_atom();
  if (!parser || !name) return 0;
  GCate* cate = parser->find(name);
  if (!cate) {
    report_undefined(name);
    return 0;
  }
  set_current_category(cate);
  set_current_link(cate->conj_link());
  run_commands(args);
  set_current_category(nullptr);
  set_current_link(nullptr);
  return as_word(cate);
}

// ---- Parser settings.

Word roots(IRSlist& args) {
  KorvelParser* parser = current_parser();
  if (!parser) return 0;
  std::vector<RootEntry> table;
  while (IRSlistPtr definition = args.take_first()) {
    if (!definition->is_list()) continue;
    const char* name = definition->take_atom();
    if (!name) continue;
    GCate* cate = parser->find(name);
    if (!cate) {
      report_undefined(name);
      continue;
    }
    RootEntry entry;
    entry.category = cate;
    if (IRSlistPtr cond = definition->take_first()) {
      if (!cond->is_nil()) {
        // The plan is read from the form before the expression takes it.
        entry.plan = ConditionPlan::build(*cond, parser->conditions());
        entry.condition = LExp::get_exp(cond.get());
      }
      if (!entry.condition || !entry.condition->same_as()) entry.plan = nullptr;
    }
    if (IRSlistPtr cost = definition->take_first()) entry.cost = LExp::get_exp(cost.get());
    entry.takes_every = !entry.plan && (!entry.condition || LExp::is_registered_kind(*entry.condition, "t"));
    const auto* constant = dynamic_cast<const LConst*>(entry.cost.get());
    entry.cost_fixed = !entry.cost || constant;
    entry.fixed_cost = constant ? static_cast<int>(constant->value()) : 0;
    table.push_back(std::move(entry));
  }
  parser->roots = std::move(table);
  return as_word(parser);
}

Word default_percolating_atts(IRSlist& args) {
  KorvelParser* parser = current_parser();
  if (!parser) return 0;
  union_into(parser->default_percolating, attribute_set(*parser, args, "default percolating attributes: "));
  return as_word(parser);
}

Word output_tree(IRSlist& args) {
  KorvelParser* parser = current_parser();
  if (!parser) return 0;
  parser->output_tree = args.take_long() != 0;
  return as_word(parser);
}

Word show_attributes(IRSlist& args) {
  KorvelParser* parser = current_parser();
  if (!parser) return 0;
  parser->show_atts = attribute_indices(*parser, attribute_names(args), "show attributes: ");
  return as_word(parser);
}

KorvelParser* take_parser(IRSlist& args) {
  const char* name = args.take_atom();
  return name ? NameSpaces::lookup_as<KorvelParser>(name, KorvelParser::kTypeText) : nullptr;
}

Word set_reldb(IRSlist& args) {
  KorvelParser* parser = take_parser(args);
  const char* name = args.take_atom();
  NamedObject* object = name ? NameSpaces::lookup(name, "") : nullptr;
  if (!parser || !object) return 0;
  auto* db = dynamic_cast<RelationSource*>(object);
  if (!db) {
    diag() << "set-reldb: " << name << " is not a relation database" << '\n' << std::flush;
    return 0;
  }
  parser->reldb = db;
  return as_word(parser);
}

Word set_deps_modifier(IRSlist& args) {
  KorvelParser* parser = take_parser(args);
  const char* name = args.take_atom();
  DepsModifier* modifier = name ? NameSpaces::lookup_as<DepsModifier>(name, "TreeModifier") : nullptr;
  if (!parser || !modifier) return 0;
  parser->deps_modifier = modifier;
  return as_word(parser);
}

Word debug_weight(IRSlist& args) {
  weight_debugging() = args.children().empty() || args.take_long() != 0;
  return weight_debugging() ? 1 : 0;
}

}  // namespace

void register_grammar_commands(Interpreter& interpreter) {
  register_pitem_functions();
  register_chart_commands(interpreter);
  interpreter.add_command("def-korvel-parser", &def_korvel_parser,
                          "(def-korvel-parser name size-of-hash att-type lex-attributes output-attributes "
                          "default-percolating-attributes max-weight-difference ...)");
  interpreter.add_command("def-category", &def_category,
                          "(def-category CATEGORY COMMAND1 .... COMMANDn) define a category.");
  interpreter.add_command("def-modifiers", &def_modifiers,
                          "(def-modifiers POSITION1 .... POSITIONn) define the modifiers of a category which this "
                          "def-modifiers command is inside the def-category command of.");
  interpreter.add_command("def-subcat", &def_subcat,
                          "(def-subcat cat parent MODIFIER1 .... MODIFIERn) define a subcategory.");
  interpreter.add_command("def-subclass", &def_subclass,
                          "(def-subcat parent CATEGORY1 ... CATEGORYn) define subclasses of parent. CAGEGORYi is in "
                          "the same format as the arguments of def-category command.");
  interpreter.add_command("visible-atts", &visible_atts,
                          "(visible-atts (att1 att2 ...)) define the attributes that are to be propagated to the "
                          "parent nodes (unless they are explicitly blocked).");
  interpreter.add_command("subcat-atts", &subcat_atts,
                          "(subcat-atts (att1 att2 ...)) define the attributes that are percolated from "
                          "subcategories.");
  interpreter.add_command("conj-atts", &conj_atts,
                          "(conj-atts (att1 ... attn) (att1' ... attn')) the conjuncts must have identical values for "
                          "att1 ... attn and consistent values of att1' ... attn'.");
  interpreter.add_command("modifier-cond", &planned_link_condition<&GLink::modifier_cond, &GLink::modifier_plan>,
                          "(modifier-cond LExp) the condition that must be satisfied by a modifier.");
  interpreter.add_command("modifiee-cond", &planned_link_condition<&GLink::modifiee_cond, &GLink::modifiee_plan>,
                          "(modifiee-cond LExp) the condition that must be satisfied by a modifiee.");
  interpreter.add_command("merged-cond", &item_condition<&GLink::merged_cond, &GLink::merged_plan>,
                          "(merged-cond LExp) the condition that must be satisfied by a merged item.");
  interpreter.add_command("head-cond", &item_condition<&GLink::head_cond, &GLink::head_plan>,
                          "(head-cond LExp) the condition that must be satisfied by a head item for it to be "
                          "projected to a higher level.");
  interpreter.add_command("dep-type", &dep_type, "(dep-type name) the name of the type of a dependency relation.");
  interpreter.add_command("max-dist", &max_dist, "(max-dist dist) the maximum distance between modifier and modifiee.");
  interpreter.add_command("head-reach", &head_reach,
                          "(head-reach dist) how far apart the head words of the link may lie in the first pass.");
  interpreter.add_command("check-arg", &check_arg,
                          "(check-arg index) make sure the args attribute of the head is consistant with the "
                          "attribute of the index'th modifier.");
  interpreter.add_command("allow-guest", &allow_guest, "(allow-guest) allow guest items.");
  interpreter.add_command("dep-weight", &dep_weight,
                          "(dep-weight weight) assign a weight to a dependency relation (this command must be part "
                          "of def-modifiers command).");
  interpreter.add_command("last-resort", &last_resort,
                          "(last-resort [anywhere]) try the link only when no analysis covers the sentence "
                          "without such links, and there only where one piece of the best cover ends and the "
                          "next begins; with anywhere, also inside a piece when the sentence is still in pieces "
                          "after that.");
  interpreter.add_command("full-pitem-cond", &full_pitem_cond,
                          "(full-pitem-cond LExp) if a pitem satisfies this condition, it is considered to be "
                          "complete and sent to parent nodes.");
  interpreter.add_command("minimal-modifier-cond", &minimal_modifier_cond,
                          "(minimal-modifier-cond LExp) if a modifier satisfies this condition, it is consider to be "
                          "minimal modifier. In other words, if something could possibly be a modifier at the "
                          "position, then it must be.");
  interpreter.add_command("check-slash", &check_slash,
                          "(check-slash att1 att2) att1 and att2 are values of checker attribute");
  interpreter.add_command("percolate", &percolate, nullptr);
  interpreter.add_command("block", &block, nullptr);
  interpreter.add_command("def-conj-constraints", &def_conj_constraints, nullptr);
  interpreter.add_command("roots", &roots, "(roots (CATEGORY1 COND1) (CATEGORY2 COND2) ...)");
  interpreter.add_command("default-percolating-atts", &default_percolating_atts, nullptr);
  interpreter.add_command("output-tree", &output_tree, "(output-tree 0|1) turn off/on constituency format");
  interpreter.add_command("show-attributes", &show_attributes,
                          "(show-attributes [ ( ATTRIBUTE ATTRIBUTE ... ) ]) show these attributes when printing "
                          "parse trees. If the attribute list is empty, all attributes are shown.");
  interpreter.add_command("set-reldb", &set_reldb, "(det-reldb PARSER DEPDB) use the DEPDB in the parser.");
  interpreter.add_command("set-deps-modifier", &set_deps_modifier,
                          "(set-deps-modifier PARSER MODIFIER) use MODIFIER to change the dependency trees returned "
                          "by PARSER");
  interpreter.add_command("debug-weight", &debug_weight, nullptr);
}

}  // namespace velmo
