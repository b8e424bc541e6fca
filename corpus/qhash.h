#pragma once
// A hash file: a block file holding, after its header, the bucket count, a
// table of bucket chain heads and the name of the key-comparison function,
// then chains of records. Each record's data is the offset of the next record
// of its bucket followed by the entry bytes; an entry starts with its key,
// ended by a NUL byte.
//
// The bucket table stays in memory and every change to it is also written
// through at once, so the chains on disk are always complete.
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "shell/support/sizes.h"
#include "corpus/qfile.h"
#include "shell/interpreter/name_space.h"

namespace velmo {

class QHash {
 public:
  static constexpr std::uint32_t kBucketTableOffset = 16;
  static constexpr std::uint32_t kMaxBuckets = kMaxDiskBucketCount;

  enum class OpenResult { kOk, kFailed, kUnknownFunction };

  QHash() = default;
  QHash(const QHash&) = delete;
  QHash& operator=(const QHash&) = delete;
  ~QHash() { close(); }

  // Opens or creates the file. A new file gets `buckets` buckets and the
  // comparison function `compare_name`; an existing one keeps its own. The
  // function must be a named object of type "function".
  OpenResult open(std::string_view file_name, std::uint32_t buckets, std::uint32_t block_size,
                  std::string_view compare_name, QFile::Mode mode = QFile::Mode::kReadWrite);
  bool sync();
  void close();
  bool is_open() const { return file_.is_open(); }

  // The entry whose key equals `key`, or nothing.
  std::optional<std::string> find(std::string_view key);
  // The same without a copy: a view of the file's mapping, or of `scratch`
  // when the entry has to be read. It lasts until the file or `scratch`
  // next changes.
  std::optional<std::string_view> find_view(std::string_view key, std::string& scratch);
  // Adds an entry without looking for its key first.
  bool insert(std::string_view entry);
  // Replaces the entry with the same key; false when there is none.
  bool replace(std::string_view entry);
  // Replaces the entry with the same key or adds it.
  bool store(std::string_view entry);
  bool remove(std::string_view key);
  // Removes every entry.
  bool clear();

  // Calls f(entry) for every entry, bucket by bucket; stops when f returns
  // false. False when a chain could not be walked to its end.
  bool for_each(const std::function<bool(std::string_view entry)>& f);

  // Relinks every chain in ascending order of record offsets.
  bool sort_links();
  // The length of every bucket's chain; nothing when a chain is broken.
  std::optional<std::vector<std::uint32_t>> chain_lengths();
  // Walks every chain and reports the first inconsistency on `err`.
  bool validate(std::ostream& err);

  static std::string_view key_of(std::string_view entry);
  std::uint32_t bucket_count() const { return static_cast<std::uint32_t>(buckets_.size()); }
  const std::string& compare_name() const { return compare_name_; }
  QFile& file() { return file_; }

 private:
  // A record of a chain as met in a walk.
  struct Link {
    std::uint32_t offset;
    std::uint32_t next;
    std::string_view entry;
  };
  struct Found {
    std::uint32_t offset = 0;
    std::uint32_t previous = 0;  // 0: the record heads its chain
    std::uint32_t next = 0;
  };

  bool create_layout(std::uint32_t buckets, std::string_view compare_name);
  OpenResult read_layout();
  bool bind_compare(std::string_view name);
  std::uint32_t bucket_of(std::string_view key) const;
  // Walks a chain, calling f for each record until it returns false; false
  // when the chain breaks (reported) or loops. A record's entry is read into
  // `scratch`, or with `in_place` viewed in the file's mapping when it can
  // be: f must then not change the file while it looks at the entry.
  bool walk(std::uint32_t bucket, const std::function<bool(const Link&)>& f, std::string& scratch, bool in_place);
  // The record of `key`; `entry` views its entry (see find_view), read
  // into `scratch` (or scratch_) when it is not viewed in place.
  std::optional<Found> locate(std::string_view key, std::string_view* entry = nullptr, std::string* scratch = nullptr);
  bool set_bucket(std::uint32_t bucket, std::uint32_t offset);
  bool set_next(std::uint32_t offset, std::uint32_t next);
  std::uint32_t max_chain_length() const;
  bool write_bucket_table();

  QFile file_;
  std::vector<std::uint32_t> buckets_;
  std::string compare_name_;
  CompareFn compare_ = nullptr;
  std::uint32_t data_start_ = 0;
  std::string scratch_;  // what chains are read into by default
};

}  // namespace velmo
