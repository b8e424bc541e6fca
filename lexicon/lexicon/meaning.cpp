#include "lexicon/lexicon/meaning.h"

#include <iostream>
#include <sstream>

#include "lexicon/lexicon/freq_meaning.h"
#include "lexicon/lexicon/phrase_meaning.h"
#include "shell/reader/irslist.h"
#include "shell/interpreter/obj_factory.h"
#include "shell/support/diagnostics.h"

namespace velmo {
namespace {

void* clone_meaning(void* prototype) { return static_cast<Meaning*>(prototype)->clone().release(); }
void destroy_meaning(void* meaning) { delete static_cast<Meaning*>(meaning); }

}  // namespace

void Meaning::read_body(IRSlist&) {}

std::unique_ptr<Meaning> Meaning::make(IRSlist& elements) const {
  std::unique_ptr<Meaning> meaning = clone();
  meaning->read_body(elements);
  return meaning;
}

void Meaning::print(std::ostream& out) const {
  out << '(' << type_name() << ' ';
  print_body(out);
  out << ')';
}

std::string Meaning::text() const {
  std::ostringstream out;
  print(out);
  return out.str();
}

void register_meaning_kinds() {
  ObjFactory& factory = ObjFactory::instance();
  if (factory.find_maker(kMeaningClass)) return;
  factory.add_maker(kMeaningClass, std::make_unique<Maker>(kMeaningBuckets, &clone_meaning, &destroy_meaning));
  register_meaning_prototype(PhraseMeaning::kTypeName, std::make_unique<PhraseMeaning>());
  register_meaning_prototype(FreqMN::kTypeName, std::make_unique<FreqMN>());
}

bool register_meaning_prototype(std::string_view name, std::unique_ptr<Meaning> prototype) {
  if (!ObjFactory::instance().add_prototype(kMeaningClass, name, prototype.get(),
                                            "Maker for different kinds of meanings in lexicons")) {
    return false;
  }
  prototype.release();  // the factory's maker destroys its prototypes
  return true;
}

Meaning* find_meaning_prototype(std::string_view name) {
  return static_cast<Meaning*>(ObjFactory::instance().find_prototype(kMeaningClass, name));
}

std::unique_ptr<Meaning> make_meaning(IRSlist& expression) {
  ObjFactory& factory = ObjFactory::instance();
  if (!factory.find_maker(kMeaningClass)) {
    diag() << "lexicon.c: needs maker for Meaning\n" << std::flush;
    return nullptr;
  }
  const IRSlist* head = expression.children().first();
  const char* type = head && head->is_atom() ? head->atom() : nullptr;
  if (!type) return nullptr;
  const auto* prototype = static_cast<const Meaning*>(factory.find_prototype(kMeaningClass, type));
  if (!prototype) return nullptr;
  if (!prototype->usable()) {
    diag() << "The attribute type of the meaning " << type << " no longer exists\n" << std::flush;
    return nullptr;
  }
  expression.take_first();
  return prototype->make(expression);
}

}  // namespace velmo
