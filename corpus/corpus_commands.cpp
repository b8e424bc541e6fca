#include "shell/support/sizes.h"
#include "corpus/corpus_commands.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "corpus/pl_hash.h"
#include "corpus/smoothed_triple_db.h"
#include "corpus/triple_db.h"
#include "shell/interpreter/interpreter.h"
#include "shell/lexp/lexp.h"
#include "shell/interpreter/name_space.h"
#include "shell/support/diagnostics.h"

namespace velmo {
namespace {

// Chain lengths of `profile` above this one are counted under it.
constexpr std::size_t kProfileLimit = 19;
constexpr std::size_t kProfileItemsPerLine = 5;

// ---- Finding databases.

// The database named by the next argument, or null after a message.
template <class Db = PLHash>
Db* take_database(IRSlist& args, const char* type = "PLHash") {
  const char* name = args.length() > 0 ? args.take_atom() : nullptr;
  if (!name) {
    diag() << "Database name is missing\n" << std::flush;
    return nullptr;
  }
  if (!NameSpaces::lookup(name, "", false)) {
    diag() << "Database " << name << " is not found\n" << std::flush;
    return nullptr;
  }
  // An object of another type is reported by the lookup itself.
  return NameSpaces::lookup_as<Db>(name, type, false);
}

// The database named by the first argument when it is linked to a file.
QHash* take_linked_file(IRSlist& args) {
  const char* name = args.length() > 0 ? args.peek_atom() : nullptr;
  PLHash* db = take_database(args);
  if (!db) return nullptr;
  if (!db->linked()) {
    diag() << "Database " << name << " is not linked to a disk file\n" << std::flush;
    return nullptr;
  }
  return db->file();
}

Word result(bool ok) { return ok ? 1 : 0; }

// Runs `read` on the input file named by the next argument, or on the
// standard input when there is none.
template <class Read>
Word with_input(IRSlist& args, Read read) {
  if (args.length() == 0) return result(read(std::cin));
  const char* name = args.take_atom();
  std::unique_ptr<std::ifstream> in = Interpreter::instance().search_path().open(name ? name : "");
  return in ? result(read(*in)) : 0;
}

// ---- The commands of every disk-backed database.

Word search_command(IRSlist& args) {
  PLHash* db = take_database(args);
  if (!db) return 0;
  while (args.length() > 0) {
    const char* key = args.take_atom();
    if (key) db->print_key(std::cout, key);
  }
  std::cout << std::flush;
  return 1;
}

Word copy_command(IRSlist& args) {
  PLHash* destination = take_database(args);
  PLHash* source = destination ? take_database(args) : nullptr;
  return result(source && destination->copy_from(*source));
}

Word merge_command(IRSlist& args) {
  PLHash* destination = take_database(args);
  PLHash* source = destination ? take_database(args) : nullptr;
  return result(source && destination->merge_from(*source));
}

Word dump_command(IRSlist& args) {
  PLHash* db = take_database(args);
  if (!db) return 0;
  LExpPtr filter;
  const bool has_filter = args.length() >= 2 || (args.length() == 1 && args.element_at(0)->is_list());
  if (has_filter) {
    std::unique_ptr<IRSlist> form = args.take_first();
    filter = LExp::get_exp(form.get());
    if (!filter || !filter->check_input(ShellTypes::get().text)) return 0;
  }
  if (args.length() == 0) return result(db->dump(std::cout, filter.get()));
  const char* name = args.take_atom();
  std::ofstream out(name ? name : "", std::ios::trunc);
  if (!out) {
    diag() << "Can't open " << (name ? name : "") << '\n' << std::flush;
    return 0;
  }
  return result(db->dump(out, filter.get()));
}

// A database header found on the search path, open for reading.
struct HeaderFile {
  std::string path;
  std::unique_ptr<std::ifstream> stream;
};

// Names a header that is not on the search path; one that is there but
// cannot be read was reported by the search path itself.
std::optional<HeaderFile> open_header(const char* header_name) {
  SearchPath& path = Interpreter::instance().search_path();
  std::optional<std::string> found = path.find(header_name);
  if (!found) {
    diag() << "Can't open " << header_name << '\n' << std::flush;
    return std::nullopt;
  }
  std::unique_ptr<std::ifstream> stream = path.open(header_name);
  if (!stream) return std::nullopt;
  return HeaderFile{std::move(*found), std::move(stream)};
}

Word link_file_command(IRSlist& args) {
  const char* db_name = args.length() > 0 ? args.peek_atom() : nullptr;
  PLHash* db = take_database(args);
  if (!db) return 0;
  if (db->linked()) {
    diag() << "Database " << db_name << " is already linked to a disk file\n" << std::flush;
    return 0;
  }
  const char* header_name = args.length() > 0 ? args.take_atom() : nullptr;
  if (!header_name) {
    diag() << "(link-file db header.hdr) needs a header file\n" << std::flush;
    return 0;
  }
  std::optional<HeaderFile> header = open_header(header_name);
  if (!header) return 0;
  switch (db->link_file(header->path, *header->stream)) {
    case PLHash::LinkResult::kLinked:
      return 1;
    case PLHash::LinkResult::kFailed:
      return 0;
    case PLHash::LinkResult::kUnknownFunction:
      // A file keyed by a comparison this shell does not know cannot be
      // searched correctly by anything that follows.
      std::cout << std::flush;
      std::exit(1);
  }
  return 0;
}

// The database named first in `args`, when it is linked to a disk file.
PLHash* take_linked_database(IRSlist& args) {
  const char* name = args.length() > 0 ? args.peek_atom() : nullptr;
  PLHash* db = take_database(args);
  if (db && !db->linked()) {
    diag() << "Database " << name << " is not linked to a disk file\n" << std::flush;
    return nullptr;
  }
  return db;
}

Word unlink_file_command(IRSlist& args) {
  PLHash* db = take_linked_database(args);
  return db ? result(db->unlink_file()) : 0;
}

Word sync_command(IRSlist& args) {
  PLHash* db = take_linked_database(args);
  return db ? result(db->sync()) : 0;
}

Word populate_command(IRSlist& args) {
  PLHash* db = take_database(args);
  if (!db) return 0;
  return with_input(args, [db](std::istream& in) { return db->populate(in); });
}

Word reconstruct_command(IRSlist& args) {
  PLHash* db = take_database(args);
  if (!db) return 0;
  return with_input(args, [db](std::istream& in) { return db->reconstruct(in); });
}

Word get_total_count_command(IRSlist& args) {
  PLHash* db = take_database(args);
  if (!db) return 0;
  std::cout << db->total_count() << '\n' << std::flush;
  return static_cast<Word>(db->total_count());
}

Word validate_command(IRSlist& args) {
  QHash* file = take_linked_file(args);
  return result(file && file->validate(diag()));
}

void print_profile(std::ostream& out, const std::vector<std::uint32_t>& lengths) {
  std::vector<std::uint64_t> buckets_of_length(kProfileLimit + 1, 0);
  std::uint64_t total = 0;
  for (std::uint32_t length : lengths) {
    ++buckets_of_length[std::min<std::size_t>(length, kProfileLimit)];
    total += length;
  }
  for (std::size_t length = 0; length <= kProfileLimit; ++length) {
    out << "size=" << length << ' ' << buckets_of_length[length];
    const bool line_end = (length + 1) % kProfileItemsPerLine == 0 || length == kProfileLimit;
    out << (line_end ? '\n' : '\t');
  }
  out << "total number of elements = " << total << '\n' << std::flush;
}

Word profile_command(IRSlist& args) {
  QHash* file = take_linked_file(args);
  const auto lengths = file ? file->chain_lengths() : std::nullopt;
  if (!lengths) return 0;
  print_profile(std::cout, *lengths);
  return 1;
}

Word sort_links_command(IRSlist& args) {
  QHash* file = take_linked_file(args);
  return result(file && file->sort_links());
}

Word print_free_list_command(IRSlist& args) {
  QHash* file = take_linked_file(args);
  if (!file) return 0;
  std::cout << "Free list:" << file->file().free_list().describe() << '\n' << std::flush;
  return 1;
}

// ---- The triple-count database.

Word make_tripledb_command(IRSlist& args) {
  const char* name = args.length() > 0 ? args.take_atom() : nullptr;
  const long size = name && args.length() > 0 ? args.take_long() : 0;
  if (!name || size <= 0) {
    diag() << "(make-tripledb <dbname> <size>) needs a name and a positive size\n" << std::flush;
    return 0;
  }
  TripleDb* db = NameSpaces::define_owned(name, std::make_unique<TripleDb>(checked_buckets("make-tripledb", size)),
                                          TripleDb::kType);
  if (!db) return 0;
  return to_word(static_cast<PLHash*>(db));
}

Word add_triples_command(IRSlist& args) {
  auto* db = take_database<TripleDb>(args, "TripleDb");
  if (!db) return 0;
  const char* relation = args.length() > 0 ? args.take_atom() : nullptr;
  if (!relation || args.length() == 0) {
    diag() << "(add-triples <DB> <RELATION> <FILE>) needs a relation and a file\n" << std::flush;
    return 0;
  }
  return with_input(args, [db, relation](std::istream& in) { return db->add_triples(relation, in); });
}

// Entries a shipped relation database keeps in memory once asked for.
constexpr std::size_t kRelDbMemoryBuckets = 4093;

Word open_reldb_command(IRSlist& args) {
  const char* name = args.length() > 0 ? args.take_atom() : nullptr;
  const char* header_name = name && args.length() > 0 ? args.take_atom() : nullptr;
  if (!name || !header_name) {
    diag() << "(open-reldb <dbname> <header.hdr>) needs a name and a header file\n" << std::flush;
    return 0;
  }
  std::optional<HeaderFile> header = open_header(header_name);
  if (!header) return 0;
  auto db = std::make_unique<SmoothedTripleDb>(kRelDbMemoryBuckets);
  // Read-only: the shipped file is never rewritten by a parse.
  if (db->link_file(header->path, *header->stream, QFile::Mode::kReadOnly) != PLHash::LinkResult::kLinked) return 0;
  db->prepare();
  SmoothedTripleDb* defined = NameSpaces::define_owned(name, std::move(db), SmoothedTripleDb::kType);
  return defined ? to_word(static_cast<PLHash*>(defined)) : 0;
}

}  // namespace

void register_corpus_commands(Interpreter& interpreter) {
  interpreter.add_command("s", search_command,
                          "(s db key1 ... keyn) Search a PLHash and print the entries that are found");
  interpreter.add_command("copy", copy_command, "(copy des-db src-db) Make a des-db a copy of src-db");
  interpreter.add_command("merge", merge_command, "(merge des-db src-db) merge the entries in src-db into des-db");
  interpreter.add_command(
      "dump", dump_command,
      "(dump db [LExp] [output]) Print the entries in db that satisfy the LExp (if present) onto the output stream");
  interpreter.add_command("link-file", link_file_command,
                          "(link-file db header.hdr) Link the db to a disk file so that if an entry is not found in "
                          "db, the file will be searched.");
  interpreter.add_command("unlink-file", unlink_file_command,
                          "(unlink-file db) Remove the linkage between the db object and its associated disk file. "
                          "This will also clear all the data (including global data) in db.");
  interpreter.add_command("sync", sync_command, "(sync db) Syncronize the in-memory object of db and its disk file");
  interpreter.add_command("populate", populate_command, "(populate db [input]) populate db with with stuff from input");
  interpreter.add_command("reconstruct", reconstruct_command,
                          "(reconstruct db [input]) reconstruct db with with stuff from input");
  interpreter.add_command("get-total-count", get_total_count_command,
                          "(get-total-count db) return the total count of db");
  interpreter.add_command("validate", validate_command, "(validate db) check the disk file consistency of db");
  interpreter.add_command("profile", profile_command, "(profile db) print the hashtable profile of db");
  interpreter.add_command("sort-links", sort_links_command,
                          "(sort-links db) sort the links in each hash bucket so that they are in ascending order.");
  interpreter.add_command("print-free-list", print_free_list_command,
                          "(print-free-list db) print the free block list in the disk file");
  interpreter.add_command("make-tripledb", make_tripledb_command,
                          "(make-tripledb <dbname> <size>) creates a TripleDb object named <dbname>\n");
  interpreter.add_command("add-triples", add_triples_command, "(add-triples <DB> <RELATION> <FILE>)");
  interpreter.add_command("open-reldb", open_reldb_command,
                          "(open-reldb <dbname> <header.hdr>) opens a prebuilt triple database read-only as a "
                          "relation database whose probabilities are smoothed (for set-reldb)");
  // These free entries, or add so many that a table may be rebuilt, while
  // a dump filter may be walking them.
  for (const char* name : {"copy", "merge", "unlink-file", "populate", "reconstruct", "sort-links", "add-triples"})
    interpreter.mark_freeing(name);
}

}  // namespace velmo
