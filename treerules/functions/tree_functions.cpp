#include "treerules/functions/tree_functions.h"

#include "treerules/functions/tree_function_support.h"

namespace velmo {

void register_tree_functions(Interpreter&) {
  register_tree_accessors();
  register_tree_searches();
  register_tree_edits();
  register_tree_reading();
  register_tree_printing();
}

}  // namespace velmo
