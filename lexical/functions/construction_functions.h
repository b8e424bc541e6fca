#pragma once
// make-lexitem and combine-lexitems: items built from expressions on a match.
namespace velmo {

void register_construction_functions();

}  // namespace velmo
