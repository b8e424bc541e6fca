// Feeds arbitrary bytes to a hash file and its journal: the input is cut
// into the hash file and a journal left beside it. The file is opened (which
// completes the journal), walked, searched, changed, sorted, closed and
// opened again; damage must be reported, never followed outside the file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>

#include "corpus/qhash.h"
#include "corpus/triple_db.h"
#include "fuzz_shell.h"
#include "shell/interpreter/name_space.h"

namespace {

void exercise(velmo::QHash& hash) {
  std::ostringstream problems;
  hash.validate(problems);
  hash.chain_lengths();
  int visited = 0;
  hash.for_each([&](std::string_view) { return ++visited < 1000; });
  hash.find("eat");
  hash.find("");
  const std::string grown = std::string("eat") + '\0' + std::string(300, 'x');
  hash.store(grown);
  hash.store(std::string("new") + '\0' + "entry");
  hash.remove("new");
  hash.sort_links();
  hash.sync();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velmo::fuzz::FuzzShell::get();
  velmo::NameSpaces::set_current("STD");
  const auto parts = velmo::fuzz::split_parts(std::string_view(reinterpret_cast<const char*>(data), size), 2);
  velmo::fuzz::write_file("fuzz.qh", parts[0]);
  if (parts[1].empty()) {
    std::remove("fuzz.qh-journal");
  } else {
    velmo::fuzz::write_file("fuzz.qh-journal", parts[1]);
  }
  {
    velmo::QHash hash;
    if (hash.open("fuzz.qh", 7, 32, "strcasecmp") == velmo::QHash::OpenResult::kOk) exercise(hash);
  }
  {
    // Entries read as the triple database reads them.
    velmo::TripleDb db(7);
    velmo::fuzz::write_file("fuzz.hdr", "fuzz.qh 7 32");
    std::istringstream header("fuzz.qh 7 32");
    if (db.link_file("fuzz.hdr", header) == velmo::PLHash::LinkResult::kLinked) {
      std::ostringstream out;
      db.dump(out, nullptr);
      db.add_triple("eat", "obj", "apple");
      db.sync();
      db.unlink_file();
    }
  }
  std::remove("fuzz.qh-journal");
  return 0;
}
