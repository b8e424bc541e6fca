#include "lexical/patterns/lpattern.h"

#include <algorithm>
#include <string>

#include "lexical/items/item_lattice.h"
#include "shell/reader/irslist.h"
#include "shell/interpreter/obj_factory.h"
#include "shell/support/diagnostics.h"
#include "shell/lib/text_equality.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

constexpr std::size_t kPatternBuckets = 23;
// Matching recurses over the sub-patterns, so the size of one pattern is
// bounded to keep the stack safe whatever the command file holds.
constexpr std::size_t kMaxPatternNodes = 2000;

// Counts the patterns made within one outermost make().
struct MakeScope {
  static inline int depth = 0;
  static inline std::size_t nodes = 0;
  static inline bool reported = false;
  MakeScope() {
    if (depth++ == 0) {
      nodes = 0;
      reported = false;
    }
  }
  ~MakeScope() { --depth; }
  MakeScope(const MakeScope&) = delete;
  MakeScope& operator=(const MakeScope&) = delete;
  // False (reported once) when the outermost pattern grows too big.
  static bool count_node() {
    if (++nodes <= kMaxPatternNodes) return true;
    if (!reported) diag() << "A pattern may hold at most " << kMaxPatternNodes << " sub-patterns\n" << std::flush;
    reported = true;
    return false;
  }
};

TypeId match_type() {
  static const TypeId id = type_id(Match::kTypeText);
  return id;
}

// The condition of a bare word in a pattern: the word, ignoring ASCII case.
class WordEquals final : public LExp, public TextEqualityTest {
 public:
  explicit WordEquals(std::string_view word) : word_(word) {
    set_types("char*", "int");
    for (char c : word_) lower_word_ += ascii_lower(c);
  }
  const char* name() const override { return "word="; }
  LExpPtr clone() const override { return std::make_unique<WordEquals>(word_); }
  Word eval(Word input, TypeId) override { return input && equal_nocase(from_word<const char>(input), word_) ? 1 : 0; }
  bool lower_text(std::string_view& text) const override {
    text = lower_word_;
    return true;
  }

 private:
  std::string word_;
  std::string lower_word_;
};

void* clone_pattern(void* prototype) { return static_cast<LPattern*>(prototype)->clone().release(); }
void destroy_pattern(void* pattern) { delete static_cast<LPattern*>(pattern); }

void add_kind(std::string_view name, LPatternPtr prototype, const char* doc) {
  if (ObjFactory::instance().add_prototype(LPattern::kFactoryClass, name, prototype.get(), doc))
    prototype.release();  // the maker destroys its prototypes
}

LPatternPtr word_pattern(const char* word) {
  auto pattern = std::make_unique<WordPat>();
  pattern->set_condition(std::make_unique<WordEquals>(word));
  return pattern;
}

}  // namespace

// ---------------------------------------------------------------- making

LPatternPtr LPattern::make(IRSlist& form) {
  ObjFactory& factory = ObjFactory::instance();
  if (!factory.find_maker(kFactoryClass)) {
    diag() << "need to call pattern_init()\n" << std::flush;
    return nullptr;
  }
  MakeScope scope;
  if (!MakeScope::count_node()) return nullptr;
  if (form.is_atom()) {
    if (!form.atom()) {
      diag() << "The pattern () is not defined\n" << std::flush;
      return nullptr;
    }
    return word_pattern(form.atom());
  }
  const bool no_gap = form.take_flag(":nogap");
  const IRSlist* head = form.children().first();
  if (!head) {
    diag() << "The pattern () is not defined\n" << std::flush;
    return nullptr;
  }
  if (head->is_nil()) {
    form.take_first();
    diag() << "The pattern () is not defined\n" << std::flush;
    return nullptr;
  }
  const char* name = form.take_atom();  // a list here is reported by the reader
  if (!name) return nullptr;
  const auto* prototype = static_cast<const LPattern*>(factory.find_prototype(kFactoryClass, name));
  if (!prototype) {
    diag() << "The pattern " << name << " is not defined\n" << std::flush;
    return nullptr;
  }
  LPatternPtr pattern = prototype->clone();
  if (!pattern->init(form)) return nullptr;
  pattern->set_no_gap(no_gap);
  return pattern;
}

bool LPattern::init(IRSlist&) { return true; }

bool LPattern::take_option(IRSlist& arg, bool& broken) {
  if (arg.is_atom()) {
    if (!arg.atom()) return false;
    if (equal_nocase(arg.atom(), ":front-to-back")) {
      set_front_to_back(true);
      return true;
    }
    if (equal_nocase(arg.atom(), ":overlapping")) {
      set_overlapping(true);
      return true;
    }
    return false;
  }
  const IRSlist* head = arg.children().first();
  if (!head->is_atom() || !head->atom() || !equal_nocase(head->atom(), "constraint")) return false;
  arg.take_first();
  std::unique_ptr<IRSlist> expression = arg.take_first();
  if (!expression) {
    diag() << "The constraint of the pattern " << name() << " needs an expression\n" << std::flush;
    broken = true;
    return true;
  }
  constraint_ = LExp::get_exp(expression.get());
  if (!constraint_) broken = true;
  return true;
}

void LPattern::apply_constraint(MatchList& found) const {
  if (!constraint_ || found.empty()) return;
  auto rejects = [this](const MatchPtr& match) { return constraint_->eval(to_word(match.get()), match_type()) == 0; };
  if (ItemLattice* lattice = found.front()->lattice) {
    ItemTestPause pause(lattice->test_memo());
    std::erase_if(found, rejects);
    return;
  }
  std::erase_if(found, rejects);
}

// ---------------------------------------------------------------- scanning

bool LPattern::may_start_at(ItemLattice&, int) const { return true; }
bool LPattern::may_end_at(ItemLattice&, int) const { return true; }
bool LPattern::may_start_anywhere(ItemLattice&) const { return true; }
bool LPattern::may_end_anywhere(ItemLattice&) const { return true; }

void LPattern::match_all(ItemLattice& lattice, MatchList& out) {
  const int n = lattice.positions();
  if (front_to_back()) {
    for (int p = 1; p <= n - 1; ++p) matches_starting_at(lattice, p, out);
  } else {
    for (int p = n - 1; p >= 1; --p) matches_ending_at(lattice, p, out);
  }
}

// Backward from n, one past the last word, so that patterns ending in ($)
// can match; without ":overlapping" the scan goes on before the earliest
// match found (front to back: after the latest).
void MultiPattern::match_all(ItemLattice& lattice, MatchList& out) {
  const int n = lattice.positions();
  MatchList step;
  if (front_to_back()) {
    if (!may_start_anywhere(lattice)) return;
    for (int s = 1; s <= n - 1; ++s) {
      // Where nothing can start the scan goes on as after an empty step.
      if (!may_start_at(lattice, s)) continue;
      matches_starting_at(lattice, s, step);
      int largest_high = s;
      for (const MatchPtr& match : step) largest_high = std::max(largest_high, match->high);
      move_matches(step, out, sorts_matches());
      if (!overlapping()) s = largest_high;
    }
    return;
  }
  if (!may_end_anywhere(lattice)) return;
  for (int e = n; e >= 1; --e) {
    if (!may_end_at(lattice, e)) continue;
    matches_ending_at(lattice, e, step);
    int smallest_low = e;
    for (const MatchPtr& match : step) smallest_low = std::min(smallest_low, match->low);
    move_matches(step, out, sorts_matches());
    if (!overlapping()) e = smallest_low;
  }
}

bool MultiPattern::changes_nothing() const {
  if (constraint() || parts_.empty()) return false;
  for (const LPatternPtr& part : parts_)
    if (!part || !part->changes_nothing()) return false;
  return true;
}

// ---------------------------------------------------------------- arguments

bool AtomicPat::init(IRSlist& args) {
  std::unique_ptr<IRSlist> first = args.take_first();
  if (!first) {
    diag() << "The pattern " << name() << " needs a condition\n" << std::flush;
    return false;
  }
  set_condition(LExp::get_exp(first.get()));
  return condition_ != nullptr;
}

void AtomicPat::set_condition(LExpPtr condition) {
  condition_ = std::move(condition);
  reads_only_ = condition_ && ItemGuard::reads_only(*condition_, condition_type());
  condition_changed();
}

bool AtomicPat::holds(ItemLattice& lattice, Word input) const {
  if (reads_only_) return condition_->eval(input, condition_type()) != 0;
  ItemTestPause pause(lattice.test_memo());
  return condition_->eval(input, condition_type()) != 0;
}

bool CollectLexItems::init(IRSlist& args) {
  std::unique_ptr<IRSlist> first = args.take_first();
  if (!first) return true;  // every item is taken
  condition_ = LExp::get_exp(first.get());
  return condition_ != nullptr;
}

bool WordSeq::init(IRSlist& args) {
  for (const IRSlist* arg : args.children()) {
    if (arg->is_atom() && arg->atom()) words_.emplace_back(arg->atom());
  }
  if (words_.empty()) {
    diag() << "The pattern word-seq needs at least one word\n" << std::flush;
    return false;
  }
  return true;
}

bool MultiPattern::init(IRSlist& args) {
  MakeScope scope;
  bool broken = false;
  while (std::unique_ptr<IRSlist> arg = args.take_first()) {
    if (take_option(*arg, broken)) continue;
    if (arg->is_atom()) {
      if (arg->atom() && arg->atom()[0] == ':') continue;  // unknown options are ignored
      if (!arg->atom()) {
        diag() << "The pattern () is not defined\n" << std::flush;
        broken = true;
        continue;
      }
      if (!MakeScope::count_node()) {
        broken = true;
        continue;
      }
      parts_.push_back(word_pattern(arg->atom()));
      continue;
    }
    LPatternPtr part = make(*arg);
    if (!part) {
      broken = true;
      continue;
    }
    parts_.push_back(std::move(part));
  }
  if (parts_.empty() && !broken) {
    diag() << "The pattern " << name() << " needs at least one sub-pattern\n" << std::flush;
    return false;
  }
  return !broken;
}

bool OnePat::init(IRSlist& args) {
  bool broken = false;
  while (std::unique_ptr<IRSlist> arg = args.take_first()) {
    if (take_option(*arg, broken) || arg->is_atom() || part_ || broken) continue;
    part_ = make(*arg);
    if (!part_) broken = true;
  }
  if (!part_ && !broken) {
    diag() << "The pattern " << name() << " needs a sub-pattern\n" << std::flush;
    return false;
  }
  return !broken;
}

// ---------------------------------------------------------------- kinds

void register_pattern_kinds() {
  ObjFactory& factory = ObjFactory::instance();
  if (!factory.find_maker(LPattern::kFactoryClass))
    factory.add_maker(LPattern::kFactoryClass,
                      std::make_unique<Maker>(kPatternBuckets, &clone_pattern, &destroy_pattern));
  // After delete-name-space has destroyed the prototypes they come back.
  if (factory.find_prototype(LPattern::kFactoryClass, "word")) return;
  add_kind("word", std::make_unique<WordPat>(), "(word LEXP) matches a word that satisfies LEXP");
  add_kind("lexitem", std::make_unique<LexItemPat>(),
           "(lexitem LEXP) matches a single lexical item that satisfies LEXP");
  add_kind("not-in-lexicon", std::make_unique<NotInLexPat>(), "mattched if the word is not in the lexicon");
  add_kind("collect-lexitems", std::make_unique<CollectLexItems>(), "(collect-lexitems <cond>)");
  add_kind(".", std::make_unique<DotPat>(), "matches any single lexical item");
  add_kind("*", std::make_unique<StarPat>(), "(* <lpat>) matches a sequence of 0 or more matches of <lpat>");
  add_kind("+", std::make_unique<PlusPat>(), "(+ <lpat>) matches a sequence of 1 or more matches of <lpat>");
  add_kind("?", std::make_unique<OptionalPat>(), "(? <lpat>) matches 0 or 1 match of <lpat>");
  add_kind("no", std::make_unique<NoPat>(), "(no <lpat>) matches a word that does not match <lpat>");
  add_kind("seq", std::make_unique<SeqPat>(),
           "(seq <lpat> <lpat> ... <lpat>) matches a sequence of lexical items such that each of them matches the "
           "corresponding pattern in the list");
  add_kind("!", std::make_unique<OrPat>("!"),
           "(! <lpat> <lpat> ... <lpat>) matches a lexical item that matches one of the patterns in the list");
  add_kind("or-pat", std::make_unique<OrPat>("or-pat"),
           "(or-pat <lpat> <lpat> ... <lpat>) matches a lexical item that matches one of the patterns in the list");
  add_kind("&", std::make_unique<AndPat>("&"),
           "(& <lpat> <lpat> ... <lpat>) matches a lexical item that matches all of the patterns in the list");
  add_kind("and-pat", std::make_unique<AndPat>("and-pat"),
           "(and-pat <lpat> <lpat> ... <lpat>) matches a lexical item that matches all of the patterns in the list");
  add_kind("^", std::make_unique<BeginPat>(), "(^) matches the beginning of a sentence");
  add_kind("beginning-of-sentence", std::make_unique<BeginPat>(),
           "(beginning-of-sentence) matches the beginning of a sentence");
  add_kind("$", std::make_unique<EndPat>(), "($) matches the end of a sentence");
  add_kind("end-of-sentence", std::make_unique<EndPat>(), "(end-of-sentence) matches the end of a sentence");
  add_kind("whole-sentence", std::make_unique<WholeSentencePat>(), "(whole-sentence) matches the end of a sentence");
  add_kind("word-seq", std::make_unique<WordSeq>(), "(word-seq <word> <word> ...) matches a sequence of words");
}

}  // namespace velmo
