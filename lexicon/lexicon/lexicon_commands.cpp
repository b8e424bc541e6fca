#include "shell/support/sizes.h"
#include "lexicon/lexicon/lexicon_commands.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/lexicon/av_meaning.h"
#include "lexicon/lexicon/ending_table_base.h"
#include "lexicon/lexicon/lexicon.h"
#include "lexicon/lexicon/str_meaning.h"
#include "shell/interpreter/interpreter.h"
#include "shell/lexp/types.h"
#include "shell/reader/irslist.h"
#include "shell/interpreter/name_space.h"

namespace velmo {
namespace {

constexpr const char* kEndingTableType = "EndingTable";

Lexicon* lexicon_named(const char* name) {
  if (!name) return nullptr;
  return NameSpaces::lookup_as<Lexicon>(name, Lexicon::kTypeText);
}

Lexicon* take_lexicon(IRSlist& args) { return lexicon_named(args.take_atom()); }

// A list builds a table of the lexicon's own; an atom names a defined one.
void attach_ending_table(Lexicon& lexicon, IRSlist& table_form) {
  if (table_form.is_atom()) {
    if (!table_form.atom()) return;
    if (auto* table = NameSpaces::lookup_as<EndingTableBase>(table_form.atom(), kEndingTableType))
      lexicon.set_ending_table(table);
    return;
  }
  EndingTableBuilder* builder = EndingTableBuilder::installed();
  if (!builder) return;
  if (std::unique_ptr<EndingTableBase> table = builder->build(table_form))
    lexicon.set_own_ending_table(std::move(table));
}

Word make_lexicon_command(IRSlist& args) {
  std::unique_ptr<IRSlist> endings = args.take_value_node(":ending-table", true);
  const char* name = args.take_atom();
  if (!name) return 0;
  const long size = args.take_long();
  // No size (read as 0) means one bucket, as it always has.
  auto lexicon = std::make_unique<Lexicon>(size == 0 ? 1 : checked_buckets("make-lexicon", size));
  if (endings) attach_ending_table(*lexicon, *endings);
  return to_word(NameSpaces::define_owned(name, std::move(lexicon), Lexicon::kTypeText));
}

Word lex_command(IRSlist& args) {
  Lexicon* lexicon = take_lexicon(args);
  if (!lexicon) return 0;
  while (std::unique_ptr<IRSlist> entry = args.take_first()) lexicon->add(*entry, true);
  return to_word(lexicon);
}

Word load_lex_command(IRSlist& args) {
  const char* no_dup = args.take_value(":no-dup", true);
  const bool duplicate_flag = no_dup ? std::strtol(no_dup, nullptr, 10) != 0 : true;
  Lexicon* lexicon = take_lexicon(args);
  const char* file = args.take_atom();
  if (!lexicon || !file) return 0;
  const std::optional<std::string> path = Interpreter::instance().search_path().find(file);
  if (!path) return 0;
  std::ifstream in(*path, std::ios::binary);
  if (!in) return 0;
  lexicon->load(in, duplicate_flag);
  return to_word(lexicon);
}

Word lex_entry_command(IRSlist& args) {
  Lexicon* lexicon = take_lexicon(args);
  if (!lexicon) return 0;
  while (!args.children().empty()) {
    const char* word = args.take_atom();
    if (!word) continue;
    if (const LexEntry* entry = lexicon->lookup(word)) lexicon->print_entry(std::cout, *entry);
  }
  std::cout << std::flush;
  return to_word(lexicon);
}

Word clear_lexicon_command(IRSlist& args) {
  Lexicon* lexicon = take_lexicon(args);
  if (lexicon) lexicon->clear();
  return to_word(lexicon);
}

Word link_lex_file_command(IRSlist& args) {
  Lexicon* lexicon = take_lexicon(args);
  if (!lexicon) return 0;
  while (!args.children().empty()) {
    const char* header = args.take_atom();
    if (!header) continue;
    auto dictionary = std::make_unique<DictOnDisk>(header);
    if (dictionary->is_open()) lexicon->link(std::move(dictionary));
  }
  return to_word(lexicon);
}

Word print_lex_command(IRSlist& args) {
  Lexicon* lexicon = take_lexicon(args);
  if (!lexicon) return 0;
  const char* file = args.take_atom();
  if (!file || std::string_view(file) == "-") {
    lexicon->print_sorted(std::cout);
    std::cout << std::flush;
    return to_word(lexicon);
  }
  std::ofstream out(file, std::ios::binary);
  if (out) lexicon->print_sorted(out);
  return to_word(lexicon);
}

Word make_avmeaning_proto_command(IRSlist& args) {
  if (args.length() != 2) return 0;
  const char* type_name = args.take_atom();
  const char* name = args.take_atom();
  if (!type_name || !name) return 0;
  auto* type = NameSpaces::lookup_as<AttInterpreterList>(type_name, AttInterpreterList::kTypeText);
  if (!type) return 0;
  // A prototype left behind by a deleted attribute type takes the new type,
  // so that a grammar can be loaded again after its name space was deleted.
  if (auto* stale = dynamic_cast<AVMeaning*>(find_meaning_prototype(name)); stale && !stale->usable()) {
    stale->retype(type);
    return to_word(static_cast<Meaning*>(stale));
  }
  auto prototype = std::make_unique<AVMeaning>(type);
  Meaning* raw = prototype.get();
  return register_meaning_prototype(name, std::move(prototype)) ? to_word(raw) : 0;
}

Word make_str_meaning_proto_command(IRSlist& args) {
  if (args.length() != 1) return 0;
  const char* name = args.take_atom();
  if (!name) return 0;
  auto prototype = std::make_unique<StrMeaning>(name);
  Meaning* raw = prototype.get();
  return register_meaning_prototype(name, std::move(prototype)) ? to_word(raw) : 0;
}

}  // namespace

void register_lexicon_commands(Interpreter& interpreter) {
  register_meaning_kinds();
  interpreter.add_command(
      "make-lexicon", &make_lexicon_command,
      "(make-lexicon <name> <size>)  <name> is the name of the lexicon, which is accessible as a named object.  "
      "<size> is the size of the internal hashtable");
  interpreter.add_command("lex", &lex_command,
                          "(lex <lexicon>  <entry>  ... ...  <entry>)  Load the entries into <lexicon>.");
  interpreter.add_command("load-lex", &load_lex_command,
                          "(load-lex <lexicon> <file>) --- load entries in <file> into <lexicon>");
  interpreter.add_command(
      "lex-entry", &lex_entry_command,
      "(lex-entry lexicon-name word1 word2 ...) print the entries for word1 word2 ... in the lexicon");
  interpreter.add_command(
      "clear-lexicon", &clear_lexicon_command,
      "(clear-lexicon lexicon-name) remove the entries in the lexicon (the disk file is unchanged).");
  interpreter.mark_freeing("clear-lexicon");
  interpreter.add_command("link-lex-file", &link_lex_file_command,
                          "(link-lex-file lexicon-name header.hdr) Link a lexicon to a disk file so that if an "
                          "entry is not found, the disk file will be searched.");
  interpreter.add_command("print-lex", &print_lex_command,
                          "(print-lex <lexicon> [file]) --- print the entries in the lexicon to a file");
  interpreter.add_command("make-avmeaning-proto", &make_avmeaning_proto_command, nullptr);
  interpreter.add_command("make-str-meaning-proto", &make_str_meaning_proto_command,
                          "(make-str-meaning-proto type) --- define type to be a type of str-meaning.");
  register_lexicon_tool_commands(interpreter);
  register_lexicon_functions();
}

}  // namespace velmo
