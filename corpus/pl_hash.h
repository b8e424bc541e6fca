#pragma once
// The base of every disk-backed database: an in-memory table of entries
// keyed by text, optionally linked to a hash file that is searched for keys
// the table does not hold. Changed entries are written to the file by `sync`;
// until then they live only in memory.
//
// Each database kind defines how its entries are made, printed, packed,
// unpacked, combined and read from text; the base reports a kind that lacks
// one of these.
#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "corpus/qhash.h"
#include "shell/support/name_table.h"
#include "shell/support/named_object.h"
#include "shell/support/str_bufs.h"

namespace velmo {

class LExp;

class PLHash : public NamedObject {
 public:
  // One entry of a database kind, unpacked.
  class Entry {
   public:
    virtual ~Entry() = default;
  };
  using EntryPtr = std::unique_ptr<Entry>;
  using EntryVisitor = std::function<void(std::string_view key, const Entry& entry)>;

  enum class LinkResult { kLinked, kFailed, kUnknownFunction };

  explicit PLHash(std::size_t buckets);
  ~PLHash() override;
  PLHash(const PLHash&) = delete;
  PLHash& operator=(const PLHash&) = delete;

  // ---- What each kind defines.
  virtual const char* kind() const { return "PLHash"; }
  virtual EntryPtr new_entry();
  virtual void print_entry(std::ostream& out, std::string_view key, const Entry& entry);
  virtual bool pack_entry(const Entry& entry, StrBufs& out);
  virtual EntryPtr unpack_entry(std::string_view key, std::string_view bytes);
  // Adds the counts of `from` into `into`.
  virtual bool combine_entries(Entry& into, const Entry& from);
  virtual bool populate(std::istream& in);
  // The comparison function a new hash file of this kind gets.
  virtual const char* key_compare_name() const { return "strcasecmp"; }

  // ---- Entries.
  // The entry of `key`: from memory, else from the linked file (then kept).
  const Entry* find(std::string_view key);
  // The entry of `key` for changing it, made when there is none; null when
  // the kind cannot make entries.
  Entry* modify(std::string_view key);
  // Every entry: those of the file bucket by bucket (their in-memory state
  // when loaded), then those only in memory. False when the file could not
  // be read to its end.
  bool for_each_entry(const EntryVisitor& visit);
  // Prints the entry of `key` when there is one.
  bool print_key(std::ostream& out, std::string_view key);
  // Prints every entry (or those whose key `filter` accepts).
  bool dump(std::ostream& out, LExp* filter);

  // Grows whenever entries may have changed (an entry handed out for
  // changing, a copy, merge, link or clear): what is derived from the
  // entries is stale when it differs from the value it was derived at.
  std::uint64_t changes() const { return changes_; }

  std::uint64_t total_count() const { return total_count_; }
  void add_to_total(std::uint64_t count) {
    total_count_ += count;
    total_changed_ = true;
  }

  // ---- Whole databases.
  bool copy_from(PLHash& source);
  bool merge_from(PLHash& source);
  // Empties the database and populates it anew.
  bool reconstruct(std::istream& in);
  // Forgets every entry and the total, in memory and in the linked file.
  bool clear();

  // ---- The linked file.
  // A read-only link never changes the file (a database shipped with the data).
  LinkResult link_file(const std::string& header_path, std::istream& header,
                       QFile::Mode mode = QFile::Mode::kReadWrite);
  // Writes the changes, closes the file and forgets everything.
  bool unlink_file();
  bool sync();
  bool linked() const { return file_ != nullptr; }
  // Closes the linked file as the destructor does and unlinks it; the
  // entries are left to the process exit.
  bool close_at_exit() override;
  QHash* file() { return file_.get(); }

 protected:
  // Reports the operation a kind has not defined.
  static void report_undefined(std::string_view operation);

 private:
  struct Slot {
    EntryPtr entry;
    bool dirty = false;
    bool on_disk = false;
  };

  Slot* load(std::string_view key);
  bool same_kind(const PLHash& other, std::string_view operation) const;
  EntryPtr clone(std::string_view key, const Entry& entry);
  bool store(std::string_view key, const Entry& entry);
  bool store_total();
  void load_total();
  bool adopt_file_entries();
  void forget_memory();

  NameTable<Slot> table_;
  NameTable<bool> absent_;  // keys the linked file lacks, as of absent_changes_
  std::uint64_t absent_changes_ = 0;
  std::unique_ptr<QHash> file_;
  std::uint64_t total_count_ = 0;
  bool total_changed_ = false;  // since the last sync
  std::uint64_t changes_ = 0;
};

}  // namespace velmo
