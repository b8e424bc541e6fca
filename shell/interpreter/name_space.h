#pragma once
// Named objects: every object made by a def- or make- command is registered
// under a name, with a type text, in a name space that owns it. Name spaces
// are process-wide; one of them is current.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shell/support/name_table.h"

namespace velmo {

class IRSlist;

using DestroyFn = void (*)(void*);

template <class T>
void destroy_as(void* object) {
  delete static_cast<T*>(object);
}

// A macro of the command language; the expression language implements it.
class Macro {
 public:
  virtual ~Macro() = default;
  // Expands the macro with `args` into command text; false on an error
  // (already reported).
  virtual bool expand(IRSlist& args, std::string& text) = 0;
};

struct NamedEntry {
  std::string name;
  void* object = nullptr;
  std::string type;  // empty: none
};

// The comparison functions every name space defines as objects of type "function".
using CompareFn = int (*)(const char*, const char*);

class NameSpace {
 public:
  static constexpr std::size_t kBuckets = 101;
  static constexpr std::size_t kMacroBuckets = 1979;

  explicit NameSpace(std::string_view name, std::size_t buckets = kBuckets);
  ~NameSpace();  // destroys the owned objects, newest first
  NameSpace(const NameSpace&) = delete;
  NameSpace& operator=(const NameSpace&) = delete;

  const std::string& name() const { return name_; }
  // Adds an entry; on a duplicate name prints "Duplicate definition of "
  // and returns the existing entry (the new object is not registered).
  NamedEntry* define(std::string_view name, void* object, std::string_view type, DestroyFn destroy,
                     bool* inserted = nullptr);
  NamedEntry* find(std::string_view name) { return entries_.find(name); }

  // Macros of this name space; add_macro refuses duplicates like define.
  Macro* find_macro(std::string_view name);
  bool add_macro(std::string_view name, std::unique_ptr<Macro> macro);
  template <class F>
  void for_each_macro(F&& f) {
    macros_.for_each([&](auto& item) { f(item.name, *item.value); });
  }

 private:
  struct Owned {
    void* object;
    DestroyFn destroy;
  };
  std::string name_;
  NameTable<NamedEntry> entries_;
  std::vector<Owned> destructors_;
  NameTable<std::unique_ptr<Macro>> macros_;
};

// The process-wide list of name spaces (newest first) and the current one.
class NameSpaces {
 public:
  static NameSpace* current();
  // The name space of that name (case-insensitive), or null.
  static NameSpace* find(std::string_view name);
  // Makes the named space current, creating it when there is none.
  static NameSpace* set_current(std::string_view name);
  // Deletes every name space with its objects; afterwards none is current.
  static void delete_all();

  // Resolves "space::name" or a plain name (current space, else the newest).
  // Reports an undefined space and returns null.
  static NameSpace* resolve(std::string_view qualified, std::string_view& name);

  static NamedEntry* define(std::string_view name, void* object, std::string_view type,
                            DestroyFn destroy = nullptr, bool* inserted = nullptr);
  // Defines an owned object; a refused definition destroys the object and
  // returns null.
  template <class T>
  static T* define_owned(std::string_view name, std::unique_ptr<T> object, std::string_view type) {
    bool inserted = false;
    NamedEntry* entry = define(name, object.get(), type, &destroy_as<T>, &inserted);
    if (!entry || !inserted) return nullptr;
    return object.release();
  }
  // Finds an object; the expected type (empty: any) must occur in the stored
  // type text. Prints the lookup messages.
  static void* lookup(std::string_view name, std::string_view expected_type, bool complain = true);
  template <class T>
  static T* lookup_as(std::string_view name, std::string_view expected_type, bool complain = true) {
    return static_cast<T*>(lookup(name, expected_type, complain));
  }
  // Looks up the object named by the value after `keyword` in `args`.
  static void* lookup_by_keyword(const IRSlist& args, std::string_view keyword, std::string_view expected_type);
};

}  // namespace velmo
