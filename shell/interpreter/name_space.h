#pragma once
// Named objects: every object made by a def- or make- command is registered
// under a name, with a type text, in a name space that owns it. Name spaces
// are process-wide; one of them is current.
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "shell/support/name_table.h"
#include "shell/support/named_object.h"

namespace velmo {

class IRSlist;

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
  NamedObject* object = nullptr;
  std::string type;  // empty: none
};

class NameSpace {
 public:
  static constexpr std::size_t kBuckets = 101;
  static constexpr std::size_t kMacroBuckets = 1979;

  explicit NameSpace(std::string_view name, std::size_t buckets = kBuckets);
  ~NameSpace();  // destroys the owned objects, newest first
  NameSpace(const NameSpace&) = delete;
  NameSpace& operator=(const NameSpace&) = delete;

  const std::string& name() const { return name_; }
  // Adds an entry for an object the caller keeps owning; on a duplicate
  // name prints "Duplicate definition of " and returns the existing entry
  // (the new object is not registered).
  NamedEntry* define(std::string_view name, NamedObject* object, std::string_view type, bool* inserted = nullptr);
  // The same for an object the name space takes over (it calls the
  // object's release_from_space() when it is deleted); a refused object is
  // left to the caller.
  NamedEntry* define_owned(std::string_view name, NamedObject* object, std::string_view type, bool* inserted = nullptr);
  NamedEntry* find(std::string_view name) { return entries_.find(name); }
  // Gets the owned objects ready for the end of the process, newest first:
  // each closes what must reach a file; the objects that cannot be left to
  // the exit are destroyed now, the others stay owned.
  void close_at_exit();

  // Macros of this name space; add_macro refuses duplicates like define.
  Macro* find_macro(std::string_view name);
  bool add_macro(std::string_view name, std::unique_ptr<Macro> macro);
  template <class F>
  void for_each_macro(F&& f) {
    macros_.for_each([&](auto& item) { f(item.name, *item.value); });
  }

 private:
  std::string name_;
  NameTable<NamedEntry> entries_;
  std::vector<NamedObject*> owned_;  // oldest first
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
  // The end of the process: every owned object closes what must reach a
  // file (NamedObject::close_at_exit), and the name spaces with the
  // memory of their objects are left to the process exit, which frees it
  // far faster than deleting object by object. Afterwards no space is
  // listed and none is current, as after delete_all.
  static void close_all_at_exit();

  // Resolves "space::name" or a plain name (current space, else the newest).
  // Reports an undefined space and returns null.
  static NameSpace* resolve(std::string_view qualified, std::string_view& name);

  // Defines an object the caller keeps owning (it must outlive the space or
  // be defined nowhere else).
  static NamedEntry* define(std::string_view name, NamedObject* object, std::string_view type,
                            bool* inserted = nullptr);
  // Defines an object owned by the name space; a refused definition destroys
  // the object and returns null.
  template <class T>
  static T* define_owned(std::string_view name, std::unique_ptr<T> object, std::string_view type) {
    static_assert(std::is_base_of_v<NamedObject, T>, "named objects derive from NamedObject");
    bool inserted = false;
    define_owned(name, static_cast<NamedObject*>(object.get()), type, &inserted);
    return inserted ? object.release() : nullptr;
  }
  // Defines an object that the name space releases with
  // release_from_space() when it is deleted (for objects shared through
  // counted references: the caller gives the space its reference). When
  // the definition is refused the object stays the caller's.
  static NamedEntry* define_owned(std::string_view name, NamedObject* object, std::string_view type, bool* inserted);

  // Finds an object; the expected type (empty: any) must occur in the stored
  // type text (so "TokenizerBase" accepts "Tokenizer/TokenizerBase"). Prints
  // the lookup messages unless `complain` is false; a type that does not
  // match is always reported.
  static NamedObject* lookup(std::string_view name, std::string_view expected_type, bool complain = true);
  // lookup(), then the object as a T. An object that passes the type-text
  // rule but is not a T is not found, with the not-found message.
  template <class T>
  static T* lookup_as(std::string_view name, std::string_view expected_type, bool complain = true) {
    NamedObject* object = lookup(name, expected_type, complain);
    if (!object) return nullptr;
    T* typed = dynamic_cast<T*>(object);
    if (!typed) report_not_found(name, expected_type, complain);
    return typed;
  }
  // The comparison function of that name (type "function"), or null.
  static CompareFn lookup_function(std::string_view name, bool complain = true);
  // Looks up the object named by the value after `keyword` in `args`.
  static NamedObject* lookup_by_keyword(const IRSlist& args, std::string_view keyword, std::string_view expected_type);

 private:
  static void report_not_found(std::string_view name, std::string_view expected_type, bool complain);
};

}  // namespace velmo
