#pragma once
// The object factory: classes register a Maker, and prototypes by name under
// it; commands clone prototypes by class and name (expressions are its main
// user, under the class "LExp").
#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "shell/support/name_table.h"
#include "shell/support/slist.h"

namespace velmo {

class Maker {
 public:
  using MakeFn = void* (*)(void* prototype);
  using DestroyFn = void (*)(void* object);
  struct Prototype {
    void* object = nullptr;
    std::string doc;
  };

  Maker(std::size_t buckets, MakeFn make, DestroyFn destroy) : prototypes_(buckets), make_(make), destroy_(destroy) {}

  NameTable<Prototype>& prototypes() { return prototypes_; }
  TSlist<void*>& list() { return list_; }
  MakeFn make_fn() const { return make_; }
  DestroyFn destroy_fn() const { return destroy_; }

 private:
  NameTable<Prototype> prototypes_;
  TSlist<void*> list_;  // newest first
  MakeFn make_;
  DestroyFn destroy_;
};

class ObjFactory {
 public:
  static constexpr std::size_t kBuckets = 1979;
  static ObjFactory& instance();

  // A second maker for the same class prints "Duplicate definition of ".
  bool add_maker(std::string_view class_name, std::unique_ptr<Maker> maker);
  Maker* find_maker(std::string_view class_name);
  bool add_prototype(std::string_view class_name, std::string_view name, void* prototype, std::string_view doc);
  // With messages when the maker or the prototype is missing.
  void* get_prototype(std::string_view class_name, std::string_view name);
  // Without messages.
  void* find_prototype(std::string_view class_name, std::string_view name);
  // A new object made from the named prototype, or null (with messages).
  void* make(std::string_view class_name, std::string_view name);
  // Destroys the prototypes that their makers can destroy.
  void destroy_prototypes();
  // Counts the changes to the prototypes by name (one added, or some
  // destroyed): a look-up answered while the count stays the same gives the
  // same prototype again.
  std::uint64_t prototype_changes() const { return prototype_changes_; }

  // Help listings: the class names matching `class_regex`; the prototypes
  // matching `object_regex` of every class matching `class_regex`.
  void list_classes(std::ostream& out, const char* class_regex);
  void list_objects(std::ostream& out, const char* object_regex, const char* class_regex);

 private:
  ObjFactory() : makers_(kBuckets) {}
  NameTable<std::unique_ptr<Maker>> makers_;
  std::uint64_t prototype_changes_ = 0;
};

}  // namespace velmo
