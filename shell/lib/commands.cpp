#include "shell/support/sizes.h"
#include "shell/lib/commands.h"

#include <cstdlib>
#include <iostream>
#include <memory>

#include "shell/interpreter/interpreter.h"
#include "shell/lib/exp_support.h"
#include "shell/lib/word_list.h"
#include "shell/interpreter/name_space.h"
#include "shell/support/diagnostics.h"

namespace velmo {

namespace {

// (make-word-list NAME :hashsize SIZE [:case-sensitive] FILE ... (WORD ...)):
// a named hash-table word list. Without ":hashsize" nothing is made. The
// list always compares ignoring case; ":case-sensitive" is accepted and
// has no effect.
Word make_word_list_command(IRSlist& args) {
  if (!args.has_flag(":hashsize")) return 0;
  const char* size = args.take_value(":hashsize");
  args.take_flag(":case-sensitive");
  const char* name = args.take_atom();
  if (!name) {
    diag() << "make-word-list: the name of the word list is missing\n" << std::flush;
    return 0;
  }
  const std::size_t buckets = checked_size("make-word-list :hashsize", size, 1, kMaxBucketCount, 1);
  auto* list =
      NameSpaces::define_owned(name, std::make_unique<WordList>(buckets, /*case_sensitive=*/false), kWordListType);
  if (!list) return 0;
  for_each_listed_word(args, LineEnd::kKeepCarriageReturn, [list](std::string_view word) { list->add(word); });
  return to_word(list);
}

// (add-to-word-list NAME FILE ... (WORD ...)): more words for a named list.
Word add_to_word_list_command(IRSlist& args) {
  const char* name = args.take_atom();
  if (!name) {
    diag() << "add-to-word-list: the name of the word list is missing\n" << std::flush;
    return 0;
  }
  auto* list = NameSpaces::lookup_as<WordList>(name, kWordListType);
  if (!list) return 0;
  for_each_listed_word(args, LineEnd::kKeepCarriageReturn, [list](std::string_view word) { list->add(word); });
  return to_word(list);
}

}  // namespace

void register_library_commands(Interpreter& interpreter) {
  register_integer_expressions();
  register_text_expressions();
  register_regex_expressions();
  register_word_expressions();
  register_output_expressions();
  interpreter.add_command("make-word-list", &make_word_list_command,
                          "(make-word-list NAME :hashsize SIZE [:case-sensitive] FILE FILE (WORD WORD ...))");
  interpreter.add_command("add-to-word-list", &add_to_word_list_command,
                          "(add-to-word-list NAME FILE FILE (WORD WORD ...))");
}

}  // namespace velmo
