#pragma once
// A block file: a file of variable-length records allocated in whole blocks,
// with a free list. Every number on disk is big-endian.
//
// Layout: a 12-byte header (end offset, free-list record offset, block size)
// and then records. A record starts with an 8-byte header (data length, block
// count of its first extent, flags holding the 0x5554 magic and, in bit 0,
// "the whole record lies in its first extent"). A record that outgrew its
// first extent keeps the offset and block count of a second extent in the
// last 8 bytes of the first one.
//
// Crash safety: changes that take several writes to keep the file whole go
// through a journal beside the file ("<name>-journal"), which the next
// opening for writing completes. While the file is open for writing, the header names no
// free-list record unless the in-memory list equals the stored one, so a
// process killed before `close` leaves a file that opens with every record
// intact; only the free space of that session is lost (it is never reused).
//
// The file is mapped into memory while open, so visiting a record costs no
// system call; another process must not shorten the file meanwhile.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "corpus/free_list.h"
#include "corpus/word_journal.h"

namespace velmo {

// The on-disk header of one record, as read and checked.
struct RecordHeader {
  std::uint32_t length = 0;  // data bytes, header not included
  std::uint16_t blocks = 0;  // blocks of the first extent
  std::uint16_t flags = 0;
  std::optional<Extent> second;  // where the rest of the data lies
  bool whole() const { return (flags & 1U) != 0; }
};

// Result of a silent consistency check of one record.
enum class RecordCheck { kOk, kOutOfBounds, kInvalidHeader };

class QFile {
 public:
  static constexpr std::uint32_t kHeaderSize = 12;
  static constexpr std::uint32_t kRecordHeaderSize = 8;
  static constexpr std::uint16_t kMagic = 0x5554;
  static constexpr std::uint32_t kGrowth = 4096;
  static constexpr std::uint32_t kMinBlockSize = 32;
  // Every record takes at least one block: a block of gigabytes would make
  // each record a file of its own size.
  static constexpr std::uint32_t kMaxBlockSize = std::uint32_t{1} << 20;
  static constexpr std::uint32_t kMaxFirstBlocks = 0xFFFF;

  enum class Mode { kReadWrite, kReadOnly };

  QFile() = default;
  ~QFile() { close(); }
  QFile(const QFile&) = delete;
  QFile& operator=(const QFile&) = delete;

  // The block size a new file gets: at least 32 and a multiple of 4.
  static std::uint32_t effective_block_size(std::uint32_t requested);

  // Opens (creating when missing) the file. A new or empty file gets a fresh
  // header; an existing one keeps its own block size. A file that cannot be
  // opened for writing is opened read-only.
  bool open(std::string_view name, std::uint32_t block_size, Mode mode = Mode::kReadWrite);
  // Writes the free list and the header when the file has changed.
  bool sync();
  void close();

  bool is_open() const { return fd_ >= 0; }
  bool read_only() const { return read_only_; }
  const std::string& name() const { return name_; }
  std::uint32_t block_size() const { return block_size_; }
  std::uint32_t end_offset() const { return end_; }
  const FreeList& free_list() const { return free_list_; }

  // The data of the record at `offset`, or nothing (reported).
  std::optional<std::string> read_record(std::uint32_t offset);
  // The same data without a copy where the mapping holds the record whole:
  // a view of the mapping, else of `scratch`, into which it is read. The
  // view lasts until the file or `scratch` next changes.
  std::optional<std::string_view> record_data(std::uint32_t offset, std::string& scratch);
  // Rewrites the record at `offset` (gaining a second extent when the data
  // outgrows the first), or writes a new record when `offset` is empty.
  // Returns the record's offset.
  std::optional<std::uint32_t> write_record(std::optional<std::uint32_t> offset, std::string_view data);
  // Returns an extent of whole blocks to the free list.
  bool free_extent(std::uint32_t offset, std::uint32_t blocks);
  // Frees both extents of the record at `offset`.
  bool free_record(std::uint32_t offset);
  RecordCheck check_record(std::uint32_t offset);

  // True when `length` data bytes fit in the first extent of the record at
  // `offset`, so that rewriting it there takes a single write.
  bool fits_in_place(std::uint32_t offset, std::size_t length);
  // Writes every word as one change: a kill at any moment leaves all or none
  // of them in effect once the file is opened for writing again.
  bool write_words_atomically(const std::vector<WordWrite>& words);

  // Raw bytes between the header and the end offset, for layers that keep
  // fixed data there.
  bool read_raw(std::uint32_t offset, char* out, std::size_t length);
  bool write_raw(std::uint32_t offset, std::string_view bytes);
  // Appends bytes at the end offset (which moves past them); returns where.
  std::optional<std::uint32_t> append_raw(std::string_view bytes);
  // Drops every record after `end`: the file is cut there and the free list
  // emptied.
  bool truncate_to(std::uint32_t end);
  // False, with the read-only message, when the file may not be written.
  bool ensure_writable() { return !refuse_if_read_only(); }

  // Called after every change that reaches the file (a write, a change of
  // its size); tests stop the process there to see what a kill at that
  // moment leaves behind.
  void set_write_hook(std::function<void()> hook) { write_hook_ = std::move(hook); }

 private:
  // Where a new record goes: its first extent and, for data too large for
  // one extent, its second.
  struct Placement {
    std::uint32_t offset = 0;
    std::uint16_t blocks = 0;
    std::optional<Extent> second;
  };

  bool open_descriptor(Mode mode);
  bool lock_descriptor();
  bool start_fresh(std::uint32_t block_size);
  bool load_existing(std::uint64_t file_size);
  void load_free_list(std::uint32_t offset);
  bool write_header(std::uint32_t free_list_offset);
  std::string journal_name() const { return name_ + "-journal"; }
  // Completes the change a killed process left in the journal.
  bool finish_journal();
  bool apply_words(const std::vector<WordWrite>& words);
  // Waits until what was written is on the disk.
  bool flush_to_disk();
  bool refuse_if_read_only();
  // Forgets the stored free-list record before the in-memory list changes.
  bool detach_stored_free_list();

  std::optional<RecordHeader> read_header(std::uint32_t offset, bool quiet);
  // Reads the data of the record at `offset`, whose header is `header`.
  bool read_data(std::uint32_t offset, const RecordHeader& header, std::string& data);
  std::optional<RecordCheck> header_problem(std::uint32_t offset, RecordHeader& header);
  std::optional<std::uint32_t> allocate(std::uint64_t bytes);
  std::optional<std::uint32_t> grow(std::uint64_t size);
  std::optional<Placement> place_new(std::uint32_t length);
  bool write_placed(Placement placement, std::string_view data);
  bool rewrite(std::uint32_t offset, std::string_view data);
  bool release(Extent extent);

  std::uint64_t first_extent_bytes(std::uint16_t blocks) const { return std::uint64_t{blocks} * block_size_; }
  bool inside(std::uint64_t offset, std::uint64_t length) const {
    return offset >= kHeaderSize && offset + length <= end_;
  }
  bool pread_all(std::uint64_t offset, char* out, std::size_t length);
  bool pwrite_all(std::uint64_t offset, const char* data, std::size_t length);
  // Sets the file's size (new bytes are zeros) and keeps the mapping over it.
  bool resize_file(std::uint64_t size);
  // Maps the file into memory, with room to grow, so that reads and writes
  // inside it need no system call; without a mapping they go to the file.
  void map_file();
  void unmap_file();
  void report(std::string_view text) const;
  void wrote() const {
    if (write_hook_) write_hook_();
  }

  std::string name_;
  int fd_ = -1;
  bool read_only_ = false;
  bool changed_ = false;
  std::uint32_t block_size_ = kMinBlockSize;
  std::uint32_t end_ = kHeaderSize;
  std::uint64_t file_size_ = 0;
  char* map_ = nullptr;
  std::size_t map_length_ = 0;
  std::optional<Placement> stored_free_list_;
  FreeList free_list_;
  std::function<void()> write_hook_;
};

}  // namespace velmo
