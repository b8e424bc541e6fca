// A process killed at any moment of a sequence of database changes must
// leave a hash file that still holds every entry synced before the kill (and,
// for a sync under way, each entry in its old or its new form), with every
// chain whole. The sequence is run in a child process that stops itself
// after its k-th write to the file, for every k until the sequence ends.
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "corpus/triple_db.h"
#include "shell/interpreter/name_space.h"
#include "temp_dir.h"

namespace velmo {
namespace {

using testing_support::read_bytes;
using testing_support::TempDir;
using testing_support::write_bytes;

constexpr int kStopped = 3;  // exit status of a child stopped at its k-th write
constexpr int kDone = 0;     // exit status of a child that ran every step

// What the file holds: each key with its printed entry, and the total.
struct Snapshot {
  std::map<std::string, std::string> entries;
  std::size_t visits = 0;  // more than the entries when a key is held twice
  std::uint64_t total = 0;
};

Snapshot snapshot_of(TripleDb& db) {
  Snapshot state;
  db.for_each_entry([&](std::string_view key, const PLHash::Entry& entry) {
    std::ostringstream printed;
    db.print_entry(printed, key, entry);
    state.entries.emplace(std::string(key), printed.str());
    ++state.visits;
  });
  state.total = db.total_count();
  return state;
}

// Built in two steps: GCC 12 warns falsely about `"literal" + std::string`.
std::string word(std::string_view stem, int n) {
  std::string text(stem);
  text += std::to_string(n);
  return text;
}

class KillAtEveryWriteTest : public ::testing::Test {
 protected:
  // The steps after linking; each is complete when it returns.
  enum Step { kSortLinks, kGrowAndSync, kInsertAndSync, kSortAgain, kUnlink, kStepCount };

  void SetUp() override {
    NameSpaces::set_current("STD");
    write_bytes(header, "kill.qh 4 32\n");
    make_base_file();
    base = read_bytes(file);
  }

  void link(TripleDb& db) {
    std::istringstream in(read_bytes(header));
    ASSERT_EQ(db.link_file(header, in), PLHash::LinkResult::kLinked);
  }

  // A file whose chains are all out of offset order, with records that have
  // outgrown their first extents and free space between them.
  void make_base_file() {
    TripleDb db(7);
    link(db);
    for (int i = 0; i < 24; ++i) db.add_triple(word("head", i), "obj", word("m", i));
    ASSERT_TRUE(db.sync());
    for (int i = 0; i < 24; i += 3) db.add_triple(word("head", i), "mod", std::string(40, 'x'));
    ASSERT_TRUE(db.sync());
    ASSERT_TRUE(db.unlink_file());
  }

  static void run_step(TripleDb& db, int step) {
    switch (step) {
      case kSortLinks:
      case kSortAgain:
        db.file()->sort_links();
        break;
      case kGrowAndSync:
        for (int i = 0; i < 24; i += 2) db.add_triple(word("head", i), "nmod", std::string(70, 'y'));
        for (int i = 24; i < 30; ++i) db.add_triple(word("head", i), "obj", "new");
        db.sync();
        break;
      case kInsertAndSync:
        for (int i = 30; i < 40; ++i) db.add_triple(word("head", i), "subj", word("s", i));
        db.add_triple("head1", "obj", "m1", 5);
        db.sync();
        break;
      case kUnlink:
        db.unlink_file();
        break;
    }
  }

  // The state after each step, from an uninterrupted run.
  std::vector<Snapshot> expected_states() {
    std::vector<Snapshot> states;
    write_bytes(file, base);
    TripleDb db(7);
    link(db);
    states.push_back(snapshot_of(db));
    for (int step = 0; step < kStepCount; ++step) {
      run_step(db, step);
      states.push_back(step == kUnlink ? states.back() : snapshot_of(db));
    }
    // After the last step nothing more changes.
    states.push_back(states.back());
    return states;
  }

  // Runs the steps in a child that stops after its k-th write. Returns the
  // child's exit status and the number of steps it completed.
  std::pair<int, int> run_until_write(int k) {
    int pipe_ends[2];
    EXPECT_EQ(::pipe(pipe_ends), 0);
    const pid_t child = ::fork();
    if (child == 0) {
      ::close(pipe_ends[0]);
      TripleDb db(7);
      std::istringstream in(read_bytes(header));
      if (db.link_file(header, in) != PLHash::LinkResult::kLinked) ::_exit(1);
      int writes = 0;
      db.file()->file().set_write_hook([&] {
        if (++writes == k) ::_exit(kStopped);
      });
      for (int step = 0; step < kStepCount; ++step) {
        run_step(db, step);
        const char done = 'x';
        if (::write(pipe_ends[1], &done, 1) != 1) ::_exit(1);
      }
      ::_exit(kDone);
    }
    ::close(pipe_ends[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    int steps = 0;
    char done;
    while (::read(pipe_ends[0], &done, 1) == 1) ++steps;
    ::close(pipe_ends[0]);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, steps};
  }

  TempDir dir;
  std::string header = dir.file("kill.hdr");
  std::string file = dir.file("kill.qh");
  std::string base;
};

TEST_F(KillAtEveryWriteTest, NoSyncedEntryIsLostAndTheFileValidates) {
  const std::vector<Snapshot> states = expected_states();
  int k = 1;
  for (; k < 10000; ++k) {
    write_bytes(file, base);
    const auto [status, steps] = run_until_write(k);
    ASSERT_TRUE(status == kStopped || status == kDone) << "write " << k << ": status " << status;

    TripleDb db(7);
    link(db);
    std::ostringstream problems;
    ASSERT_TRUE(db.file()->validate(problems)) << "write " << k << ": " << problems.str();
    const Snapshot found = snapshot_of(db);
    // The step under way may have written some of its changes.
    const Snapshot& before = states[steps];
    const Snapshot& after = states[steps + 1];
    std::map<std::string, std::string> keys = before.entries;
    keys.insert(after.entries.begin(), after.entries.end());
    for (const auto& [key, unused] : keys) {
      const auto old_entry = before.entries.find(key);
      const auto new_entry = after.entries.find(key);
      const auto on_disk = found.entries.find(key);
      if (on_disk == found.entries.end()) {
        EXPECT_TRUE(old_entry == before.entries.end()) << "write " << k << " (step " << steps << ") lost " << key;
        continue;
      }
      const bool old_form = old_entry != before.entries.end() && old_entry->second == on_disk->second;
      const bool new_form = new_entry != after.entries.end() && new_entry->second == on_disk->second;
      EXPECT_TRUE(old_form || new_form) << "write " << k << " (step " << steps << ") damaged " << key << ":\n"
                                        << on_disk->second;
    }
    EXPECT_EQ(found.visits, found.entries.size()) << "write " << k << ": a key is held twice";
    for (const auto& [key, unused] : found.entries) EXPECT_TRUE(keys.count(key)) << "write " << k << ": " << key;
    EXPECT_TRUE(found.total == before.total || found.total == after.total) << "write " << k;
    if (HasFailure() || status == kDone) break;
  }
  EXPECT_GT(k, 50) << "the sequence should take many writes";
}

}  // namespace
}  // namespace velmo
