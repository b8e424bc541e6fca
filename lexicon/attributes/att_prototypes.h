#pragma once
// The prototype registry of the attribute classes: one prototype of each
// concrete class, registered with the object factory under the class
// "AttIntepreter" (the historical spelling), cloned by type name.
#include <memory>
#include <string_view>

#include "lexicon/attributes/att_interpreter.h"

namespace velmo {

inline constexpr const char* kAttPrototypeClass = "AttIntepreter";
inline constexpr std::size_t kAttPrototypeBuckets = 23;

// Creates and registers the twelve prototypes (once).
void register_att_prototypes();
// A new, unplaced interpreter of the named class; null after a message.
std::unique_ptr<AttInterpreter> get_attitp(std::string_view type);

}  // namespace velmo
