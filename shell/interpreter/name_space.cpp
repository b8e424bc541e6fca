#include "shell/interpreter/name_space.h"

#include <cstring>
#include <iostream>
#include <strings.h>

#include "shell/reader/irslist.h"
#include "shell/support/exit_memory.h"
#include "shell/support/diagnostics.h"

namespace velmo {
namespace {

struct NameSpaceRegistry {
  std::vector<std::unique_ptr<NameSpace>> spaces;  // oldest first
  NameSpace* current = nullptr;
};

NameSpaceRegistry& registry() {
  static NameSpaceRegistry instance;
  return instance;
}

int compare_exact_texts(const char* a, const char* b) { return std::strcmp(a, b); }
int compare_texts_nocase(const char* a, const char* b) { return strcasecmp(a, b); }

void report_duplicate(std::string_view name) { diag() << "Duplicate definition of " << name << '\n' << std::flush; }

}  // namespace

NameSpace::NameSpace(std::string_view name, std::size_t buckets)
    : name_(name), entries_(buckets), macros_(kMacroBuckets) {
  define_owned("strcmp", new NamedFunction(&compare_exact_texts), "function");
  define_owned("strcasecmp", new NamedFunction(&compare_texts_nocase), "function");
}

NameSpace::~NameSpace() {
  // Newest first: an object goes before the objects it was built from.
  while (!owned_.empty()) {
    NamedObject* object = owned_.back();
    owned_.pop_back();
    object->release_from_space();
  }
}

void NameSpace::close_at_exit() {
  std::vector<NamedObject*> kept;  // newest first
  for (auto it = owned_.rbegin(); it != owned_.rend(); ++it) {
    if ((*it)->close_at_exit())
      kept.push_back(*it);
    else
      (*it)->release_from_space();
  }
  owned_.assign(kept.rbegin(), kept.rend());
}

NamedEntry* NameSpace::define(std::string_view name, NamedObject* object, std::string_view type, bool* inserted) {
  auto [item, added] = entries_.insert(name, NamedEntry{std::string(name), object, std::string(type)});
  if (inserted) *inserted = added;
  if (!added) report_duplicate(name);
  return &item->value;
}

NamedEntry* NameSpace::define_owned(std::string_view name, NamedObject* object, std::string_view type, bool* inserted) {
  bool added = false;
  NamedEntry* entry = define(name, object, type, &added);
  if (inserted) *inserted = added;
  if (added) owned_.push_back(object);
  return entry;
}

Macro* NameSpace::find_macro(std::string_view name) {
  std::unique_ptr<Macro>* macro = macros_.find(name);
  return macro ? macro->get() : nullptr;
}

bool NameSpace::add_macro(std::string_view name, std::unique_ptr<Macro> macro) {
  auto [item, added] = macros_.insert(name, nullptr);
  if (!added) {
    report_duplicate(name);
    return false;
  }
  item->value = std::move(macro);
  return true;
}

NameSpace* NameSpaces::current() { return registry().current; }

NameSpace* NameSpaces::find(std::string_view name) {
  for (auto& space : registry().spaces)
    if (equal_nocase(space->name(), name)) return space.get();
  return nullptr;
}

NameSpace* NameSpaces::set_current(std::string_view name) {
  NameSpace* space = find(name);
  if (!space) {
    registry().spaces.push_back(std::make_unique<NameSpace>(name));
    space = registry().spaces.back().get();
  }
  registry().current = space;
  return space;
}

void NameSpaces::delete_all() {
  NameSpaceRegistry& r = registry();
  r.current = nullptr;
  // Newest space first, matching the order in which they were listed.
  while (!r.spaces.empty()) r.spaces.pop_back();
}

void NameSpaces::close_all_at_exit() {
  NameSpaceRegistry& r = registry();
  r.current = nullptr;
  while (!r.spaces.empty()) {
    std::unique_ptr<NameSpace> space = std::move(r.spaces.back());
    r.spaces.pop_back();
    space->close_at_exit();
    leave_to_process_exit(space.release());
  }
}

NameSpace* NameSpaces::resolve(std::string_view qualified, std::string_view& name) {
  const std::size_t separator = qualified.find("::");
  if (separator != std::string_view::npos) {
    const std::string_view space_name = qualified.substr(0, separator);
    name = qualified.substr(separator + 2);
    NameSpace* space = find(space_name);
    if (!space) diag() << "The NameSpace " << space_name << " is not defined.\n" << std::flush;
    return space;
  }
  name = qualified;
  if (registry().current) return registry().current;
  return registry().spaces.empty() ? nullptr : registry().spaces.back().get();
}

NamedEntry* NameSpaces::define(std::string_view name, NamedObject* object, std::string_view type, bool* inserted) {
  if (inserted) *inserted = false;
  std::string_view local;
  NameSpace* space = resolve(name, local);
  if (!space) return nullptr;
  return space->define(local, object, type, inserted);
}

NamedEntry* NameSpaces::define_owned(std::string_view name, NamedObject* object, std::string_view type,
                                     bool* inserted) {
  if (inserted) *inserted = false;
  std::string_view local;
  NameSpace* space = resolve(name, local);
  if (!space) return nullptr;
  return space->define_owned(local, object, type, inserted);
}

void NameSpaces::report_not_found(std::string_view name, std::string_view expected_type, bool complain) {
  if (complain)
    diag() << "The named object '" << name << "' (type=" << expected_type << ") is not found\n" << std::flush;
}

NamedObject* NameSpaces::lookup(std::string_view name, std::string_view expected_type, bool complain) {
  std::string_view local;
  NameSpace* space = resolve(name, local);
  NamedEntry* entry = space ? space->find(local) : nullptr;
  if (!entry) {
    if (space) report_not_found(name, expected_type, complain);
    return nullptr;
  }
  if (!entry->type.empty() && !expected_type.empty() && entry->type.find(expected_type) == std::string::npos) {
    diag() << "The named object '" << name << "' is of the type '" << entry->type << "', not the expected type '"
           << expected_type << "'.\n"
           << std::flush;
    return nullptr;
  }
  return entry->object;
}

CompareFn NameSpaces::lookup_function(std::string_view name, bool complain) {
  const auto* function = lookup_as<NamedFunction>(name, "function", complain);
  return function ? function->function() : nullptr;
}

NamedObject* NameSpaces::lookup_by_keyword(const IRSlist& args, std::string_view keyword,
                                           std::string_view expected_type) {
  const char* name = nullptr;
  if (!args.peek_value(keyword, name, true) || !name) return nullptr;
  return lookup(name, expected_type, true);
}

}  // namespace velmo
