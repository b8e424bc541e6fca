// The offline commands over lexicon files and on-disk dictionaries. An input
// named "-" or not named is standard input, an output likewise standard
// output; a file that cannot be opened makes the command do nothing.
#include <fstream>
#include <iostream>
#include <memory>
#include <string_view>

#include "lexicon/dictionary/dict_on_disk.h"
#include "lexicon/lexicon/form_reader.h"
#include "lexicon/lexicon/lex_entry.h"
#include "lexicon/lexicon/lex_file_tools.h"
#include "lexicon/lexicon/lexicon_commands.h"
#include "shell/interpreter/interpreter.h"
#include "shell/reader/irslist.h"
#include "shell/lexp/lexp.h"

namespace velmo {
namespace {

bool is_standard(const char* name) { return !name || std::string_view(name) == "-"; }

// An input file or standard input; null when the file cannot be opened.
class InputFile {
 public:
  explicit InputFile(const char* name) {
    if (is_standard(name)) return;
    file_ = std::make_unique<std::ifstream>(name, std::ios::binary);
  }
  bool ok() const { return !file_ || file_->is_open(); }
  std::istream& stream() { return file_ ? *file_ : std::cin; }

 private:
  std::unique_ptr<std::ifstream> file_;
};

class OutputFile {
 public:
  explicit OutputFile(const char* name) {
    if (is_standard(name)) return;
    file_ = std::make_unique<std::ofstream>(name, std::ios::binary);
  }
  ~OutputFile() { stream() << std::flush; }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  bool ok() const { return !file_ || file_->is_open(); }
  std::ostream& stream() { return file_ ? *file_ : std::cout; }

 private:
  std::unique_ptr<std::ofstream> file_;
};

using OneInputTool = void (*)(std::istream&, std::ostream&);
using TwoInputTool = void (*)(std::istream&, std::istream&, std::ostream&);

Word run_tool(const char* input, const char* output, OneInputTool tool) {
  InputFile in(input);
  if (!in.ok()) return 0;
  OutputFile out(output);
  if (!out.ok()) return 0;
  tool(in.stream(), out.stream());
  return 1;
}

Word run_tool(const char* first, const char* second, const char* output, TwoInputTool tool) {
  InputFile a(first);
  InputFile b(second);
  if (!a.ok() || !b.ok()) return 0;
  OutputFile out(output);
  if (!out.ok()) return 0;
  tool(a.stream(), b.stream(), out.stream());
  return 1;
}

Word select_command(IRSlist& args) {
  std::unique_ptr<IRSlist> form = args.take_first();
  LExpPtr condition = LExp::get_exp(form.get());
  if (!condition) return 0;
  const char* input = args.take_atom();
  const char* output = args.take_atom();
  InputFile in(input);
  OutputFile out(output);
  if (!in.ok() || !out.ok()) return 0;
  select_entries(in.stream(), out.stream(), *condition);
  return 1;
}

Word diff_command(IRSlist& args) {
  const char* first = args.take_atom();
  const char* second = args.take_atom();
  return run_tool(first, second, args.take_atom(), &diff_entries);
}

Word sort_lex_command(IRSlist& args) {
  if (args.length() != 2) return 0;
  const char* source = args.take_atom();
  return run_tool(source, args.take_atom(), &sort_entries);
}

Word rm_duplicates_command(IRSlist& args) {
  const char* source = args.take_atom();
  return run_tool(source, args.take_atom(), &remove_duplicate_entries);
}

Word merge_entries_command(IRSlist& args) {
  const char* input = args.take_atom();
  return run_tool(input, args.take_atom(), &merge_entries);
}

Word update_lex_command(IRSlist& args) {
  const char* addendum = args.take_atom();
  const char* old = args.take_atom();
  return run_tool(addendum, old, args.take_atom(), &update_entries);
}

Word combine_lex_command(IRSlist& args) {
  const char* first = args.take_atom();
  const char* second = args.take_atom();
  return run_tool(first, second, args.take_atom(), &combine_entries);
}

// Builds a temporary entry from an expression read from the file: the key
// and the meanings, phrase records going to the entry itself.
std::unique_ptr<LexEntry> temporary_entry(IRSlist& form) {
  const EntryKey key = entry_key_of(form);
  auto entry = std::make_unique<LexEntry>(key.text);
  CurrentEntryScope scope(entry.get());
  std::size_t index = 0;
  for (IRSlist* element : form.children()) {
    if (index++ < key.atoms || !element->is_list()) continue;
    if (std::unique_ptr<Meaning> meaning = make_meaning(*element)) entry->append_meaning(std::move(meaning));
  }
  return entry;
}

void filter_entry(LexEntry& entry, LExp* condition, LExp* meaning_action, LExp* entry_action) {
  const Word entry_word = to_word(&entry);
  // The entry goes with its type, so that an expression expecting something
  // else reports it instead of reading it as that.
  static const TypeId entry_type = type_id("LexEntry*");
  // No condition selects every entry.
  if (condition && !condition->eval(entry_word, entry_type)) return;
  if (meaning_action) {
    static const TypeId meaning_type = type_id("Meaning*");
    std::vector<const Meaning*> snapshot;
    for (const auto& meaning : entry.meanings()) snapshot.push_back(meaning.get());
    for (const Meaning* meaning : snapshot) {
      // The action may have removed meanings further down the list.
      if (entry.holds(meaning)) meaning_action->eval(to_word(meaning), meaning_type);
    }
  }
  eval_optional(entry_action, entry_word, entry_type);
}

LExpPtr take_expression(IRSlist& args) {
  std::unique_ptr<IRSlist> form = args.take_first();
  if (!form || form->is_nil()) return nullptr;
  return LExp::get_exp(form.get());
}

Word filter_entries_command(IRSlist& args) {
  const char* input = args.take_atom();
  LExpPtr condition = take_expression(args);
  LExpPtr meaning_action = take_expression(args);
  LExpPtr entry_action = take_expression(args);
  InputFile in(input);
  if (!in.ok()) return 0;
  for_each_form(in.stream(), [&](IRSlist& form) {
    std::unique_ptr<LexEntry> entry = temporary_entry(form);
    filter_entry(*entry, condition.get(), meaning_action.get(), entry_action.get());
  });
  return 1;
}

Word get_entry_command(IRSlist& args) {
  const char* header = args.take_atom();
  if (!header) return 0;
  DictOnDisk dictionary(header);
  if (!dictionary.is_open()) return 0;
  auto print = [&](const char* word) {
    if (!word) return;
    if (std::optional<std::string_view> entry = dictionary.get_entry(word)) std::cout << *entry << '\n';
  };
  // The words come as a list; loose words after the header are taken too.
  for (const IRSlist* element : args.children()) {
    if (element->is_atom()) print(element->atom());
    for (const IRSlist* word : element->children()) print(word->atom());
  }
  std::cout << std::flush;
  return 1;
}

}  // namespace

void register_lexicon_tool_commands(Interpreter& interpreter) {
  interpreter.add_command("select", &select_command,
                          "(select lexp input output) --- select the entries that satisfy the\n"
                          "expression lexp and print it to the output stream.");
  interpreter.add_command("diff", &diff_command,
                          "(diff file1 file2 output) --- print different entries in file1 and file2");
  interpreter.add_command(
      "sort-lex", &sort_lex_command,
      "(sort-lex source destination) sort the entries in source, the results are stored in destination.");
  interpreter.add_command("rm-duplicates", &rm_duplicates_command,
                          "(rm-duplicates source destination) remove the duplicate entries in source, the "
                          "results are stored in destination. The source lexicon is assumed to be sorted.");
  interpreter.add_command("merge-entries", &merge_entries_command,
                          "(merge-entries <input> <output>) --- merge the entries.");
  interpreter.add_command("update-lex", &update_lex_command,
                          "(update-lex addendum old-dict new-dict) --- \n"
                          "new-dict will consist of entries in addendum and old-dict entries\n"
                          "that are not found in addendum. Both addendum and old-dict are assumed\n"
                          "to be sorted");
  interpreter.add_command("combine-lex", &combine_lex_command, "(combine-lex dict1 dict2 new-dict)");
  interpreter.add_command("filter-entries", &filter_entries_command,
                          "(filter-entries <rules> <input> <output>) --- modifies the entries.");
  interpreter.add_command("get-entry", &get_entry_command,
                          "(get-entry dict (word ... word)) --- retrieve words from dict file.");
}

}  // namespace velmo
