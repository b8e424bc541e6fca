#include "lexical/functions/lexical_functions.h"

#include "lexical/functions/abbrev.h"
#include "lexical/functions/att_functions.h"
#include "lexical/functions/construction_functions.h"
#include "lexical/functions/item_functions.h"
#include "lexical/functions/lattice_functions.h"
#include "lexical/functions/sbnd.h"
#include "shell/lexp/lexp.h"

namespace velmo {

void register_lexical_functions() {
  // Prototypes live as long as the factory; registering twice would only
  // report duplicates.
  if (LExp::find_prototype("look-up")) return;
  register_item_functions();
  register_lattice_functions();
  register_construction_functions();
  register_att_functions();
  register_abbrev_functions();
  register_sbnd_expressions();
}

}  // namespace velmo
