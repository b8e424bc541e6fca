// The expression base class: type table, building expressions from forms,
// registration in the object factory, native-function wrappers, adaptors and
// constants.
#include <cstring>
#include <fstream>
#include <iostream>
#include <typeinfo>

#include "shell/lexp/adaptors.h"
#include "shell/lexp/constants.h"
#include "shell/lexp/native.h"
#include "shell/reader/tokenizer.h"
#include "shell/lexp/lexp.h"
#include "shell/lexp/forms.h"
#include "shell/interpreter/interpreter.h"
#include "shell/interpreter/name_space.h"
#include "shell/interpreter/obj_factory.h"
#include "shell/support/diagnostics.h"

namespace velmo {

// ---------------------------------------------------------------------------
// Types.

TypeTable::TypeTable() : ids_(101) {}

TypeTable& TypeTable::instance() {
  static TypeTable table;
  return table;
}

TypeId TypeTable::id(std::string_view name) {
  auto [item, inserted] = ids_.insert(name, static_cast<TypeId>(names_.size() + 1));
  if (inserted) names_.push_back(item->name);
  return item->value;
}

std::string_view TypeTable::name(TypeId id) const {
  if (id == kAnyType) return "void*";
  if (id < 1 || static_cast<std::size_t>(id) > names_.size()) {
    diag() << "Unknown type id: " << id << '\n' << std::flush;
    return {};
  }
  return names_[static_cast<std::size_t>(id) - 1];
}

TypeId type_id(const char* name) { return name ? TypeTable::instance().id(name) : kAnyType; }
TypeId type_id(std::string_view name) { return TypeTable::instance().id(name); }
std::string_view type_name(TypeId id) { return TypeTable::instance().name(id); }

const ShellTypes& ShellTypes::get() {
  static const ShellTypes types{type_id("char*"),    type_id("int"),      type_id("Slist*"), type_id("stream*"),
                                type_id("ostream*"), type_id("TwoArgs*"), type_id("LExp*")};
  return types;
}

// A value known to be something other than a stream (a text, an integer)
// is no stream: reading or writing through it would corrupt memory.
std::istream* as_input_stream(Word value, TypeId type) {
  static const TypeId istream_type = type_id("istream*");
  if (!value) return nullptr;
  if (type == ShellTypes::get().stream) return static_cast<std::istream*>(from_word<std::fstream>(value));
  if (type != kAnyType && type != istream_type) return nullptr;
  return from_word<std::istream>(value);
}

std::ostream* as_output_stream(Word value, TypeId type) {
  if (!value) return nullptr;
  if (type == ShellTypes::get().stream) return static_cast<std::ostream*>(from_word<std::fstream>(value));
  if (type != kAnyType && type != ShellTypes::get().ostream) return nullptr;
  return from_word<std::ostream>(value);
}

// ---------------------------------------------------------------------------
// The base class.

const char* LExp::doc() const { return "No documentation provided"; }

void LExp::init(IRSlist&) {}

void LExp::set_types(const char* input_type, const char* output_type) {
  input_type_ = type_id(input_type);
  output_type_ = type_id(output_type);
}

void LExp::report_type_error(TypeId received, TypeId expected) const {
  diag() << name() << " received a wrong type of argument:'" << type_name(received) << "' (" << received << ")\n"
         << "The expected type of argument is:'" << type_name(expected) << "' (" << expected << ")\n"
         << std::flush;
}

bool eval_expecting(const LExp& consumer, LExp* exp, Word input, TypeId type, TypeId expected, Word& value) {
  value = exp ? exp->eval(input, type) : 0;
  if (value == 0 || expected == kAnyType) return true;
  const TypeId got = exp->result_type();
  if (got == kAnyType || got == expected) return true;
  consumer.report_type_error(got, expected);
  value = 0;
  return false;
}

void LExp::report_type_error(TypeId received) const {
  diag() << name() << " received a wrong type of argument:'" << type_name(received) << "' (" << received << ")\n"
         << "The expected type of argument is:'" << type_name(input_type_) << "' (" << input_type_ << ")\n"
         << std::flush;
}

namespace {

// Building recurses once per nesting level of the form; the bound keeps a
// deeply nested (or self-expanding) form from exhausting the stack.
constexpr int kMaxBuildDepth = 1000;
int build_depth = 0;

class BuildDepthGuard {
 public:
  BuildDepthGuard() { ++build_depth; }
  ~BuildDepthGuard() { --build_depth; }
  BuildDepthGuard(const BuildDepthGuard&) = delete;
  BuildDepthGuard& operator=(const BuildDepthGuard&) = delete;
  bool too_deep() const { return build_depth > kMaxBuildDepth; }
};

bool deep_nesting_reported = false;

LExpPtr build_from_prototype(const LExp& prototype, IRSlist& args) {
  LExpPtr exp = prototype.clone();
  exp->set_input_type(prototype.input_type());
  exp->set_output_type(prototype.output_type());
  exp->init(args);
  return exp;
}

LExpPtr expand_macro(Macro& macro, IRSlist& args) {
  std::string expansion;
  if (!Interpreter::instance().add_work(1) || !macro.expand(args, expansion)) return nullptr;
  return LExp::from_expansion(expansion);
}

}  // namespace

LExpPtr LExp::get_exp(IRSlist* node) {
  if (!node) return nullptr;
  if (node->is_atom()) {
    diag() << "LExp::get_exp: " << (node->atom() ? node->atom() : "()") << " is not a LExp\n" << std::flush;
    return nullptr;
  }
  // A stopped command builds nothing more.
  if (Interpreter::instance().command_stopped()) return nullptr;
  BuildDepthGuard depth;
  if (depth.too_deep()) {
    Interpreter::instance().stop_command();
    // Reported once per outermost build, not once per level on the way out.
    if (!deep_nesting_reported)
      diag() << "LExp::get_exp: expression nested more than " << kMaxBuildDepth << " levels deep\n" << std::flush;
    deep_nesting_reported = true;
    return nullptr;
  }
  if (build_depth == 1) deep_nesting_reported = false;
  const char* name = node->take_atom();
  if (!name) return nullptr;
  if (NameSpace* space = NameSpaces::current())
    if (Macro* macro = space->find_macro(name)) return expand_macro(*macro, *node);
  if (const LExp* prototype = find_prototype(name)) return build_from_prototype(*prototype, *node);
  diag() << "LExp::get_exp:  unknown type: '" << name << "'\n" << std::flush;
  return nullptr;
}

LExpPtr LExp::from_text(std::string_view text) {
  Tokenizer tokenizer(tokenizer_configs::kCommands);
  tokenizer.set_string_input(text);
  std::unique_ptr<IRSlist> form = IRSlist::read(tokenizer);
  return get_exp(form.get());
}

LExpPtr LExp::from_expansion(std::string_view text) {
  Tokenizer tokenizer(tokenizer_configs::kCommands);
  tokenizer.set_string_input(text);
  LExpList built;
  for (;;) {
    std::unique_ptr<IRSlist> form = IRSlist::read(tokenizer);
    if (!form) {
      if (!tokenizer.has_input()) break;
      continue;  // a stray ")"
    }
    if (LExpPtr exp = get_exp(form.get())) built.push_back(std::move(exp));
  }
  if (built.empty()) return nullptr;
  if (built.size() == 1) return std::move(built.front());
  auto prog = std::make_unique<ProgExp>();
  for (LExpPtr& exp : built) prog->add(std::move(exp));
  return prog;
}

const LExp* LExp::find_prototype(std::string_view name) {
  return static_cast<const LExp*>(ObjFactory::instance().find_prototype(kLExpClass, name));
}

bool LExp::is_registered_kind(const LExp& exp, const char* name) {
  if (std::strcmp(exp.name(), name) != 0) return false;
  const LExp* prototype = find_prototype(name);
  return prototype && typeid(exp) == typeid(*prototype);
}

LExpPtr LExp::build_first(IRSlist& args) {
  std::unique_ptr<IRSlist> first = args.take_first();
  return get_exp(first.get());
}

void LExp::build_all(IRSlist& args, LExpList& out) {
  while (std::unique_ptr<IRSlist> element = args.take_first())
    if (LExpPtr exp = get_exp(element.get())) out.push_back(std::move(exp));
}

// ---------------------------------------------------------------------------
// Registration.

namespace {

void* make_lexp(void* prototype) { return static_cast<LExp*>(prototype)->clone().release(); }
void destroy_lexp(void* exp) { delete static_cast<LExp*>(exp); }

void ensure_lexp_maker() {
  ObjFactory& factory = ObjFactory::instance();
  if (!factory.find_maker(kLExpClass))
    factory.add_maker(kLExpClass, std::make_unique<Maker>(kLExpBuckets, &make_lexp, &destroy_lexp));
}

}  // namespace

bool register_lexp(LExpPtr prototype, const char* name, const char* doc) {
  if (!prototype) return false;
  ensure_lexp_maker();
  const char* key = name ? name : prototype->name();
  const char* text = doc ? doc : prototype->doc();
  if (!ObjFactory::instance().add_prototype(kLExpClass, key, prototype.get(), text)) return false;
  prototype.release();  // owned by the factory from now on
  return true;
}

// ---------------------------------------------------------------------------
// Native functions.

MArgExp::MArgExp(std::string_view name, std::size_t max_args, const char* input_type, const char* output_type,
                 std::initializer_list<const char*> arg_types)
    : name_(name), max_args_(max_args) {
  set_types(input_type, output_type);
  for (const char* type : arg_types) arg_types_.push_back(type_id(type));
}

MArgExp::MArgExp(const MArgExp& prototype)
    : LExp(), name_(prototype.name_), max_args_(prototype.max_args_), arg_types_(prototype.arg_types_) {
  set_input_type(prototype.input_type());
  set_output_type(prototype.output_type());
}

void MArgExp::init(IRSlist& args) {
  const std::size_t count = args.length();
  if (count > max_args_) {
    diag() << "Incorrect number of arguments in " << name_ << ". Expected: " << max_args_ << " Actual: " << count
           << '\n'
           << std::flush;
    return;
  }
  // Positions matter: an argument that fails to build stays as a null slot.
  while (std::unique_ptr<IRSlist> element = args.take_first()) args_.push_back(get_exp(element.get()));
}

Word MArgExp::eval(Word input, TypeId type) {
  if (!check_input(type)) return 0;
  // The argument vector lives on the stack: evaluation allocates nothing.
  Word values[1 + kMaxNativeArgs] = {input};
  for (std::size_t i = 0; i < args_.size(); ++i) {
    const TypeId expected = i < arg_types_.size() ? arg_types_[i] : kAnyType;
    // A value of the wrong type is not passed on as 0: the call is not made.
    if (!eval_expecting(*this, args_[i].get(), input, type, expected, values[i + 1])) return 0;
  }
  return call(values);
}

// ---------------------------------------------------------------------------
// Adaptors.

LAdaptor::LAdaptor(TypeId intermediate) : intermediate_(intermediate) { set_output_type(intermediate); }

void LAdaptor::set_intermediate_type(TypeId type) {
  intermediate_ = type;
  set_output_type(inner_ ? inner_->output_type() : type);
}

void LAdaptor::init(IRSlist& args) {
  inner_ = build_first(args);
  set_output_type(inner_ ? inner_->output_type() : intermediate_);
}

Word LAdaptor::eval(Word input, TypeId type) {
  if (!check_input(type)) return 0;
  const Word converted = apply(input);
  if (!inner_) return returning(converted, intermediate_);
  const Word result = inner_->eval(converted, intermediate_);
  return returning(result, inner_->result_type());
}

FnAdaptor::FnAdaptor(std::string_view name, Fn fn, const char* input_type, const char* intermediate_type)
    : LAdaptor(type_id(intermediate_type)), name_(name), fn_(fn) {
  set_input_type(type_id(input_type));
}

LExpPtr FnAdaptor::clone() const {
  auto copy = std::make_unique<FnAdaptor>(name_, fn_, nullptr, nullptr);
  copy->set_input_type(input_type());
  copy->set_intermediate_type(intermediate_type());
  return copy;
}

bool register_adaptor(std::string_view name, FnAdaptor::Fn fn, const char* input_type, const char* intermediate_type,
                      const char* doc) {
  const std::string key(name);
  return register_lexp(std::make_unique<FnAdaptor>(name, fn, input_type, intermediate_type), key.c_str(), doc);
}

// ---------------------------------------------------------------------------
// Constants.

StrConst::StrConst() { set_output_type(ShellTypes::get().text); }

void StrConst::init(IRSlist& args) {
  const char* text = args.take_atom();
  if (!text) return;
  text_ = std::make_unique<std::string>(text);
  set_value(to_word(text_->c_str()));
}

IntegerConst::IntegerConst() { set_output_type(ShellTypes::get().integer); }

void IntegerConst::init(IRSlist& args) {
  // Stored as a machine word; negative numbers keep their two's complement.
  set_value(static_cast<Word>(static_cast<std::intptr_t>(static_cast<int>(args.take_long()))));
}

void NamedObjConst::init(IRSlist& args) {
  const char* name = args.take_atom();
  const char* type = args.take_atom();
  if (!name || !type) {
    diag() << "the type of '" << (name ? name : "") << "' is not defined\n" << std::flush;
    return;
  }
  // The value is the address of the whole object, which is what the
  // expressions that take it as their class expect. It is typed by the class
  // it was looked up as ("Lexicon" gives "Lexicon*"), so a consumer of
  // another type refuses it instead of misreading the object.
  set_output_type(type_id(std::string(type) + "*"));
  NamedObject* object = NameSpaces::lookup(name, type, true);
  set_value(to_word(object ? dynamic_cast<void*>(object) : nullptr));
}

PredConst::PredConst() { set_output_type(ShellTypes::get().lexp); }

void PredConst::init(IRSlist& args) {
  exp_ = build_first(args);
  set_value(to_word(exp_.get()));
}

namespace {

// The file named by the first argument, or null for none or "-".
const char* file_argument(IRSlist& args) {
  const char* name = args.take_atom();
  if (!name || std::string_view(name) == "-") return nullptr;
  return name;
}

}  // namespace

IstrmConst::IstrmConst() {
  set_output_type(type_id("istream*"));
  set_value(to_word<std::istream>(&std::cin));
}
IstrmConst::~IstrmConst() = default;

void IstrmConst::init(IRSlist& args) {
  const char* name = file_argument(args);
  if (!name) return;
  auto file = std::make_unique<std::ifstream>(name, std::ios::binary);
  if (!file->is_open()) {
    diag() << "Can't open file: " << name << '\n' << std::flush;
    return;
  }
  file_ = std::move(file);
  set_value(to_word<std::istream>(file_.get()));
}

OstrmConst::OstrmConst() {
  set_output_type(ShellTypes::get().ostream);
  set_value(to_word<std::ostream>(&std::cout));
}
OstrmConst::~OstrmConst() = default;

void OstrmConst::init(IRSlist& args) {
  const char* name = file_argument(args);
  if (!name) return;
  auto file = std::make_unique<std::ofstream>(name, std::ios::binary | std::ios::trunc);
  if (!file->is_open()) {
    diag() << "Can't open file: " << name << '\n' << std::flush;
    return;
  }
  // Every write reaches the file at once: the expression may belong to a
  // grammar or rule set that the process exit leaves undeleted, so no
  // destructor would flush what is left in the buffer.
  file->setf(std::ios::unitbuf);
  file_ = std::move(file);
  set_value(to_word<std::ostream>(file_.get()));
}

void register_constants() {
  register_lexp(std::make_unique<StrConst>());
  register_lexp(std::make_unique<IntegerConst>());
  register_lexp(std::make_unique<NamedObjConst>());
  register_lexp(std::make_unique<PredConst>());
  register_lexp(std::make_unique<IstrmConst>());
  register_lexp(std::make_unique<OstrmConst>());
}

}  // namespace velmo
