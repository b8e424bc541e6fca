#include "lexical/items/ending_commands.h"

#include <memory>

#include "lexical/items/ending_table.h"
#include "lexicon/lexicon/ending_table_base.h"
#include "shell/interpreter/interpreter.h"
#include "shell/reader/irslist.h"
#include "shell/interpreter/name_space.h"

namespace velmo {
namespace {

// Builds the tables of lexicons made with an inline ending list.
class ListTableBuilder final : public EndingTableBuilder {
 public:
  std::unique_ptr<EndingTableBase> build(IRSlist& endings) override {
    auto table = std::make_unique<EndingTable>();
    table->add_from_list(endings);
    return table;
  }
};

// A table defined earlier under the name, or a new one registered under it.
EndingTable* find_or_define_table(const char* name) {
  if (NameSpaces::lookup(name, "", false)) return NameSpaces::lookup_as<EndingTable>(name, EndingTable::kTypeText);
  return NameSpaces::define_owned(name, std::make_unique<EndingTable>(), EndingTable::kTypeText);
}

Word def_endings_command(IRSlist& args) {
  const char* name = args.take_atom();
  if (!name) return 0;
  EndingTable* table = find_or_define_table(name);
  if (!table) return 0;
  while (std::unique_ptr<IRSlist> definition = args.take_first()) table->add_ending(*definition);
  return reinterpret_cast<Word>(table);
}

}  // namespace

void install_ending_table_support() {
  static ListTableBuilder builder;
  EndingTableBuilder::install(&builder);
}

void register_ending_commands(Interpreter& interpreter) {
  install_ending_table_support();
  interpreter.add_command("def-endings", &def_endings_command, "(def-endings ending1 ...) define a set of endings.");
}

}  // namespace velmo
