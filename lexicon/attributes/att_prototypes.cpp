#include "lexicon/attributes/att_prototypes.h"

#include <string>

#include "lexicon/attributes/complex_atts.h"
#include "lexicon/attributes/ent_att.h"
#include "lexicon/attributes/plain_atts.h"
#include "lexicon/attributes/str_att.h"
#include "lexicon/attributes/trace_att.h"
#include "shell/interpreter/obj_factory.h"

namespace velmo {

namespace {

void* clone_prototype(void* prototype) { return static_cast<AttInterpreter*>(prototype)->clone().release(); }
void destroy_interpreter(void* object) { delete static_cast<AttInterpreter*>(object); }

void add_prototype(ObjFactory& factory, std::unique_ptr<AttInterpreter> prototype) {
  const std::string name = prototype->type_name();
  if (factory.add_prototype(kAttPrototypeClass, name, prototype.get(), "")) prototype.release();
}

}  // namespace

void register_att_prototypes() {
  ObjFactory& factory = ObjFactory::instance();
  if (factory.find_maker(kAttPrototypeClass)) return;
  factory.add_maker(kAttPrototypeClass,
                    std::make_unique<Maker>(kAttPrototypeBuckets, &clone_prototype, &destroy_interpreter));
  add_prototype(factory, std::make_unique<BinAtt>("BinAtt"));
  add_prototype(factory, std::make_unique<SmIntAtt>("SmIntAtt"));
  add_prototype(factory, std::make_unique<EnumAtt>("EnumAtt"));
  add_prototype(factory, std::make_unique<Disj8Att>("Disj8Att"));
  add_prototype(factory, std::make_unique<IntAtt>("IntAtt"));
  add_prototype(factory, std::make_unique<StrAtt>("StrAtt"));
  add_prototype(factory, std::make_unique<EntAtt>("EntAtt"));
  add_prototype(factory, std::make_unique<DisjAtt>("DisjAtt"));
  add_prototype(factory, std::make_unique<TraceAtt>("TraceAtt"));
  add_prototype(factory, std::make_unique<ListAtt>("ListAtt"));
  add_prototype(factory, std::make_unique<StackAtt>("StackAtt"));
  add_prototype(factory, std::make_unique<VecAtt>("VecAtt"));
}

std::unique_ptr<AttInterpreter> get_attitp(std::string_view type) {
  auto* prototype = static_cast<AttInterpreter*>(ObjFactory::instance().find_prototype(kAttPrototypeClass, type));
  if (!prototype) {
    report_error("AttInterpreter::get_attitp:  unknown type: " + std::string(type));
    return nullptr;
  }
  return prototype->clone();
}

}  // namespace velmo
