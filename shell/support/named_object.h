#pragma once
// The base of every object that a name space can hold. Name spaces own and
// destroy their objects through this base, and typed lookups
// (NameSpaces::lookup_as<T>) reach the concrete class through dynamic_cast,
// so an object of the wrong class is refused instead of being misread.
//
// The type text that lookups compare and messages print ("Lexicon",
// "Tokenizer/TokenizerBase"...) is given when the object is defined, since
// one class may be registered under several texts.
#include "shell/support/current.h"

namespace velmo {

// Every named object can be a process-wide current object (current.h).
class NamedObject : public CanBeCurrent {
 public:
  virtual ~NamedObject() = default;
  // Called by the name space that owns the object when the space is
  // deleted. Deletes the object; an object shared through counted
  // references drops the space's reference instead.
  virtual void release_from_space() { delete this; }
  // Called instead of the deletion when the process ends: finishes whatever
  // must reach a file (a writable database syncs and closes it) and says
  // whether the object holds nothing more than memory, which the process
  // exit then takes back at once instead of object by object. An object
  // whose destruction does more than free memory and that does not do it
  // here returns false and is destroyed as usual.
  virtual bool close_at_exit() { return true; }

 protected:
  NamedObject() = default;
  NamedObject(const NamedObject&) = default;
  NamedObject& operator=(const NamedObject&) = default;
};

// The comparison functions every name space defines as objects of type
// "function" ("strcmp", "strcasecmp"), named by the disk hash files.
using CompareFn = int (*)(const char*, const char*);

class NamedFunction final : public NamedObject {
 public:
  explicit NamedFunction(CompareFn function) : function_(function) {}
  CompareFn function() const { return function_; }

 private:
  CompareFn function_;
};

}  // namespace velmo
