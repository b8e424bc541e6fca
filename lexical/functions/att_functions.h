#pragma once
// Expression functions on attribute value vectors: tests of defined
// attributes, unification against constants, values as texts, and the
// constants attvec, att-set and att-index.
namespace velmo {

void register_att_functions();

}  // namespace velmo
