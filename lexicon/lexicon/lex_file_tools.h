#pragma once
// The offline tools over lexicon files: they sort, compare, merge and filter
// raw entries as text. Merging tools expect their inputs sorted by key.
#include <istream>
#include <ostream>

namespace velmo {

class LExp;

// Entries for which `condition` holds (given the entry with newlines as "|",
// typed "char*"), each followed by a newline.
void select_entries(std::istream& in, std::ostream& out, LExp& condition);
// Entries only in one file, and entries of equal keys that differ other than
// in white space and case, marked "< " (first) and "> " (second).
void diff_entries(std::istream& first, std::istream& second, std::ostream& out);
// All entries sorted by their whole text, ignoring case.
void sort_entries(std::istream& in, std::ostream& out);
// Each entry that differs (ignoring case) from the one before it.
void remove_duplicate_entries(std::istream& in, std::ostream& out);
// Runs of entries with equal keys become one entry of their distinct groups.
void merge_entries(std::istream& in, std::ostream& out);
// The addendum's entries, and the old entries whose keys it does not hold.
void update_entries(std::istream& addendum, std::istream& old, std::ostream& out);
// Both files' entries; equal keys become one entry with the groups of both.
void combine_entries(std::istream& first, std::istream& second, std::ostream& out);

}  // namespace velmo
