#include "shell/interpreter/obj_factory.h"

#include <iostream>
#include <utility>
#include <vector>

#include "shell/interpreter/interpreter.h"
#include "shell/support/diagnostics.h"
#include "shell/support/regex.h"

namespace velmo {

ObjFactory& ObjFactory::instance() {
  static ObjFactory factory;
  return factory;
}

bool ObjFactory::add_maker(std::string_view class_name, std::unique_ptr<Maker> maker) {
  auto [item, added] = makers_.insert(class_name, nullptr);
  if (!added) {
    diag() << "Duplicate definition of " << class_name << '\n' << std::flush;
    return false;
  }
  item->value = std::move(maker);
  return true;
}

Maker* ObjFactory::find_maker(std::string_view class_name) {
  std::unique_ptr<Maker>* maker = makers_.find(class_name);
  return maker ? maker->get() : nullptr;
}

bool ObjFactory::add_prototype(std::string_view class_name, std::string_view name, void* prototype,
                               std::string_view doc) {
  Maker* maker = find_maker(class_name);
  if (!maker) {
    diag() << "ObjFactory::proto no maker for '" << class_name << "'\n" << std::flush;
    return false;
  }
  auto [item, added] = maker->prototypes().insert(name, Maker::Prototype{prototype, std::string(doc)});
  if (!added) {
    diag() << "Duplicate definition of " << name << '\n' << std::flush;
    return false;
  }
  (void)item;
  maker->list().prepend(prototype);
  ++prototype_changes_;
  return true;
}

void* ObjFactory::find_prototype(std::string_view class_name, std::string_view name) {
  Maker* maker = find_maker(class_name);
  if (!maker) return nullptr;
  Maker::Prototype* prototype = maker->prototypes().find(name);
  return prototype ? prototype->object : nullptr;
}

void* ObjFactory::get_prototype(std::string_view class_name, std::string_view name) {
  Maker* maker = find_maker(class_name);
  if (!maker) {
    diag() << "Object Factory does not have a maker for " << class_name << '\n' << std::flush;
    return nullptr;
  }
  Maker::Prototype* prototype = maker->prototypes().find(name);
  if (!prototype || !prototype->object) {
    diag() << "No prototype for " << name << " exists in the Object Factory\n" << std::flush;
    return nullptr;
  }
  return prototype->object;
}

void* ObjFactory::make(std::string_view class_name, std::string_view name) {
  void* prototype = get_prototype(class_name, name);
  if (!prototype) return nullptr;
  Maker* maker = find_maker(class_name);
  return maker->make_fn() ? maker->make_fn()(prototype) : nullptr;
}

void ObjFactory::destroy_prototypes() {
  ++prototype_changes_;
  makers_.for_each([](auto& item) {
    Maker& maker = *item.value;
    if (!maker.destroy_fn()) return;
    std::vector<std::string> destroyed;
    maker.prototypes().for_each([&](auto& proto) {
      if (proto.value.object && maker.list().contains(proto.value.object)) {
        maker.list().remove(proto.value.object);
        maker.destroy_fn()(proto.value.object);
        destroyed.emplace_back(proto.name);
      }
    });
    for (const std::string& name : destroyed) maker.prototypes().erase(name);
  });
}

void ObjFactory::list_classes(std::ostream& out, const char* class_regex) {
  std::vector<std::pair<std::string, const char*>> entries;
  makers_.for_each([&](auto& item) { entries.emplace_back(item.name, nullptr); });
  print_help_listing(out, std::move(entries), class_regex);
}

void ObjFactory::list_objects(std::ostream& out, const char* object_regex, const char* class_regex) {
  Regex class_filter;
  if (class_regex) {
    if (!class_filter.compile_anchored(class_regex)) {
      diag() << "regexp(3): " << class_filter.error() << '\n' << std::flush;
      return;
    }
  }
  // The object filter is compiled once per class below: a bad one is
  // reported once, here.
  if (Regex object_filter; object_regex && !object_filter.compile_anchored(object_regex)) {
    diag() << "regexp(3): " << object_filter.error() << '\n' << std::flush;
    return;
  }
  std::vector<std::pair<std::string, Maker*>> classes;
  makers_.for_each([&](auto& item) {
    if (!class_regex || class_filter.matches_prefix(item.name)) classes.emplace_back(item.name, item.value.get());
  });
  for (auto& [name, maker] : classes) {
    std::vector<std::pair<std::string, const char*>> entries;
    maker->prototypes().for_each([&](auto& proto) {
      entries.emplace_back(proto.name, proto.value.doc.empty() ? nullptr : proto.value.doc.c_str());
    });
    print_help_listing(out, std::move(entries), object_regex);
  }
}

}  // namespace velmo
