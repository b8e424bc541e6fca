#include "corpus/qfile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iostream>
#include <cstring>
#include <limits>

#include "shell/support/diagnostics.h"
#include "shell/support/str_bufs.h"

namespace velmo {
namespace {

constexpr std::uint64_t kMaxFileSize = std::numeric_limits<std::uint32_t>::max();
// Bytes read at once when a record is visited: the header and, for most
// records, all of their data.
constexpr std::size_t kMinMapLength = std::size_t{1} << 24;

std::uint16_t make_flags(bool whole) { return static_cast<std::uint16_t>(QFile::kMagic | (whole ? 1U : 0U)); }

bool valid_magic(std::uint16_t flags) { return (flags & 0x7FFEU) == QFile::kMagic; }

std::uint32_t u32_at(const char* p) { return get_u32(reinterpret_cast<const unsigned char*>(p)); }
std::uint16_t u16_at(const char* p) { return get_u16(reinterpret_cast<const unsigned char*>(p)); }

void put_record_header(StrBufs& out, std::uint32_t length, std::uint16_t blocks, bool whole) {
  out.put_u32(length);
  out.put_u16(blocks);
  out.put_u16(make_flags(whole));
}

}  // namespace

std::uint32_t QFile::effective_block_size(std::uint32_t requested) {
  const std::uint32_t size = std::clamp(requested, kMinBlockSize, kMaxBlockSize);
  return (size + 3U) & ~3U;
}

// ---- Opening and closing.

bool QFile::open(std::string_view name, std::uint32_t block_size, Mode mode) {
  close();
  name_ = std::string(name);
  if (!open_descriptor(mode)) {
    report("Can't open " + name_);
    return false;
  }
  if (!lock_descriptor()) {
    ::close(fd_);
    fd_ = -1;
    return false;
  }
  struct stat status {};
  bool ok = ::fstat(fd_, &status) == 0;
  file_size_ = static_cast<std::uint64_t>(status.st_size);
  map_file();
  if (ok)
    ok = status.st_size == 0 ? start_fresh(block_size) : load_existing(static_cast<std::uint64_t>(status.st_size));
  if (ok) ok = finish_journal();
  if (!ok) {
    unmap_file();
    ::close(fd_);
    fd_ = -1;
  }
  return ok;
}

bool QFile::open_descriptor(Mode mode) {
  read_only_ = mode == Mode::kReadOnly;
  if (!read_only_) {
    fd_ = ::open(name_.c_str(), O_RDWR | O_CREAT, 0644);
    if (fd_ >= 0) return true;
    if (errno != EACCES && errno != EROFS) return false;
    read_only_ = true;
  }
  fd_ = ::open(name_.c_str(), O_RDONLY);
  return fd_ >= 0;
}

// Two writers (or a writer and a reader) on one file would each keep their
// own free list and bucket table: the second one is refused.
bool QFile::lock_descriptor() {
  if (::flock(fd_, (read_only_ ? LOCK_SH : LOCK_EX) | LOCK_NB) == 0) return true;
  if (errno != EWOULDBLOCK) return true;  // no locking on this file system
  report("The block file " + name_ + " is in use");
  return false;
}

bool QFile::start_fresh(std::uint32_t block_size) {
  if (read_only_) {
    report("Can't open " + name_);
    return false;
  }
  block_size_ = effective_block_size(block_size);
  end_ = kHeaderSize;
  free_list_.clear();
  stored_free_list_.reset();
  changed_ = true;
  return write_header(0);
}

bool QFile::load_existing(std::uint64_t file_size) {
  char header[kHeaderSize];
  if (file_size < kHeaderSize || !pread_all(0, header, kHeaderSize)) {
    report("The block file " + name_ + " is truncated");
    return false;
  }
  const std::uint32_t end = u32_at(header);
  const std::uint32_t free_list_offset = u32_at(header + 4);
  block_size_ = u32_at(header + 8);
  if (block_size_ < kMinBlockSize || block_size_ > kMaxBlockSize || block_size_ % 4 != 0 || end < kHeaderSize) {
    report("The block file " + name_ + " has a corrupt header");
    return false;
  }
  if (end > file_size || file_size > kMaxFileSize) {
    report("The block file " + name_ + " is truncated");
    return false;
  }
  // A file that grew after its header was last written was not closed: the
  // grown space holds nothing reachable and stays unused.
  end_ = static_cast<std::uint32_t>(file_size);
  free_list_.clear();
  stored_free_list_.reset();
  changed_ = false;
  if (free_list_offset != 0) load_free_list(free_list_offset);
  return true;
}

void QFile::load_free_list(std::uint32_t offset) {
  const std::optional<RecordHeader> header = read_header(offset, false);
  std::optional<std::string> data = header ? read_record(offset) : std::nullopt;
  if (!data || data->size() % 8 != 0) {
    report("The free list of " + name_ + " is unreadable; its space stays unused");
    return;
  }
  for (std::size_t i = 0; i < data->size(); i += 8) {
    const Extent extent{u32_at(data->data() + i), u32_at(data->data() + i + 4)};
    if (!inside(extent.offset, extent.size) || !free_list_.add(extent)) {
      report("The free list of " + name_ + " is unreadable; its space stays unused");
      free_list_.clear();
      return;
    }
  }
  // The list is written anew at close, so its record's own blocks are free.
  const Placement stored{offset, header->blocks, header->second};
  if (read_only_) {
    free_list_.add({stored.offset, static_cast<std::uint32_t>(first_extent_bytes(stored.blocks))});
    if (stored.second) free_list_.add(*stored.second);
    return;
  }
  stored_free_list_ = stored;
  detach_stored_free_list();
}

bool QFile::sync() {
  if (!is_open() || read_only_ || !changed_) return true;
  std::uint32_t list_offset = 0;
  if (!free_list_.empty()) {
    // Taking the record's own space may split an extent: room for one more.
    const std::uint64_t room = (free_list_.count() + 1) * 8;
    std::optional<Placement> placement = place_new(static_cast<std::uint32_t>(std::min(room, kMaxFileSize)));
    if (!placement) return false;
    StrBufs data(free_list_.count() * 8);
    for (const Extent& extent : free_list_.extents()) {
      data.put_u32(extent.offset);
      data.put_u32(extent.size);
    }
    if (!write_placed(*placement, data.view())) return false;
    list_offset = placement->offset;
    stored_free_list_ = placement;
  }
  if (!write_header(list_offset)) return false;
  changed_ = false;
  return true;
}

void QFile::close() {
  if (!is_open()) return;
  sync();
  unmap_file();
  ::close(fd_);
  fd_ = -1;
  free_list_.clear();
  stored_free_list_.reset();
  changed_ = false;
}

// ---- Changes of several words.

bool QFile::write_words_atomically(const std::vector<WordWrite>& words) {
  if (refuse_if_read_only()) return false;
  for (const WordWrite& word : words) {
    if (!inside(word.offset, 4)) {
      report("Writing outside the block file " + name_);
      return false;
    }
  }
  if (words.empty()) return true;
  if (!write_file_whole(journal_name(), encode_word_journal(words), [this] { wrote(); })) {
    report("Can't write " + journal_name());
    return false;
  }
  if (!apply_words(words)) return false;
  // The journal may go only once the words it protects are on the disk.
  if (!flush_to_disk() || ::unlink(journal_name().c_str()) != 0) {
    report("Can't remove " + journal_name());
    return false;
  }
  wrote();
  return true;
}

bool QFile::apply_words(const std::vector<WordWrite>& words) {
  changed_ = true;
  for (const WordWrite& word : words) {
    StrBufs bytes(4);
    bytes.put_u32(word.value);
    if (!pwrite_all(word.offset, bytes.data(), bytes.size())) return false;
  }
  return true;
}

bool QFile::flush_to_disk() {
  if (map_ && ::msync(map_, static_cast<std::size_t>(file_size_), MS_SYNC) != 0) return false;
  return ::fsync(fd_) == 0;
}

bool QFile::finish_journal() {
  const std::string journal = journal_name();
  // A journal that was never completed was never acted on.
  if (!read_only_) ::unlink((journal + ".tmp").c_str());
  struct stat status {};
  if (::stat(journal.c_str(), &status) != 0) return true;
  if (read_only_) {
    report("The block file " + name_ + " has an unfinished change in " + journal +
           ": open it for writing once to finish it");
    return false;
  }
  std::string bytes(static_cast<std::size_t>(status.st_size), '\0');
  const int fd = ::open(journal.c_str(), O_RDONLY);
  const bool read = fd >= 0 && ::pread(fd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size());
  if (fd >= 0) ::close(fd);
  std::optional<std::vector<WordWrite>> words = read ? decode_word_journal(bytes) : std::nullopt;
  const bool fits = words && std::all_of(words->begin(), words->end(),
                                         [this](const WordWrite& word) { return inside(word.offset, 4); });
  if (!fits) {
    report("The journal " + journal + " of " + name_ + " is damaged: remove it to open the file as it is");
    return false;
  }
  if (!apply_words(*words) || !flush_to_disk() || ::unlink(journal.c_str()) != 0) {
    report("Can't finish the change recorded in " + journal);
    return false;
  }
  wrote();
  return true;
}

bool QFile::write_header(std::uint32_t free_list_offset) {
  StrBufs header(kHeaderSize);
  header.put_u32(end_);
  header.put_u32(free_list_offset);
  header.put_u32(block_size_);
  return pwrite_all(0, header.data(), header.size());
}

bool QFile::refuse_if_read_only() {
  if (!is_open()) {
    report("The block file is not open");
    return true;
  }
  if (!read_only_) return false;
  diag() << "Trying to write read-only file!\n" << std::flush;
  return true;
}

bool QFile::detach_stored_free_list() {
  changed_ = true;
  if (!stored_free_list_) return true;
  const Placement stored = *stored_free_list_;
  stored_free_list_.reset();
  if (!write_header(0)) return false;
  bool ok = release({stored.offset, static_cast<std::uint32_t>(first_extent_bytes(stored.blocks))});
  if (stored.second) ok = release(*stored.second) && ok;
  return ok;
}

// ---- Records.

std::optional<RecordCheck> QFile::header_problem(std::uint32_t offset, RecordHeader& header) {
  char bytes[kRecordHeaderSize];
  if (!inside(offset, kRecordHeaderSize) || !pread_all(offset, bytes, kRecordHeaderSize))
    return RecordCheck::kOutOfBounds;
  header.length = u32_at(bytes);
  header.blocks = u16_at(bytes + 4);
  header.flags = u16_at(bytes + 6);
  header.second.reset();
  if (!valid_magic(header.flags)) return RecordCheck::kInvalidHeader;
  const std::uint64_t first = first_extent_bytes(header.blocks);
  if (header.blocks == 0 || !inside(offset, first)) return RecordCheck::kOutOfBounds;
  if (header.whole()) {
    if (header.length > first - kRecordHeaderSize) return RecordCheck::kInvalidHeader;
    return std::nullopt;
  }
  char link[8];
  if (!pread_all(offset + first - 8, link, 8)) return RecordCheck::kOutOfBounds;
  const std::uint64_t second_size = std::uint64_t{u32_at(link + 4)} * block_size_;
  const Extent second{u32_at(link), static_cast<std::uint32_t>(std::min(second_size, kMaxFileSize))};
  if (second.size == 0 || !inside(second.offset, second_size)) return RecordCheck::kOutOfBounds;
  const std::uint64_t in_first = first - 16;
  if (header.length <= in_first || header.length - in_first > second_size) return RecordCheck::kInvalidHeader;
  header.second = second;
  return std::nullopt;
}

std::optional<RecordHeader> QFile::read_header(std::uint32_t offset, bool quiet) {
  RecordHeader header;
  const std::optional<RecordCheck> problem = header_problem(offset, header);
  if (!problem) return header;
  if (!quiet) {
    if (*problem == RecordCheck::kInvalidHeader && !valid_magic(header.flags))
      diag() << "Invalid magic number!\n" << std::flush;
    else if (*problem == RecordCheck::kInvalidHeader)
      report("The record at " + std::to_string(offset) + " in " + name_ + " has an inconsistent length");
    else
      report("The record at " + std::to_string(offset) + " lies outside " + name_);
  }
  return std::nullopt;
}

bool QFile::fits_in_place(std::uint32_t offset, std::size_t length) {
  const std::optional<RecordHeader> header = read_header(offset, true);
  return header && length <= first_extent_bytes(header->blocks) - kRecordHeaderSize;
}

RecordCheck QFile::check_record(std::uint32_t offset) {
  RecordHeader header;
  return header_problem(offset, header).value_or(RecordCheck::kOk);
}

bool QFile::read_data(std::uint32_t offset, const RecordHeader& header, std::string& data) {
  data.resize(header.length);
  const std::size_t in_first = header.whole() ? header.length : first_extent_bytes(header.blocks) - 16;
  if (!pread_all(std::uint64_t{offset} + kRecordHeaderSize, data.data(), in_first)) return false;
  return !header.second || pread_all(header.second->offset, data.data() + in_first, header.length - in_first);
}

std::optional<std::string> QFile::read_record(std::uint32_t offset) {
  if (!is_open()) return std::nullopt;
  const std::optional<RecordHeader> header = read_header(offset, false);
  std::string data;
  if (!header || !read_data(offset, *header, data)) return std::nullopt;
  return data;
}

std::optional<std::string_view> QFile::record_data(std::uint32_t offset, std::string& scratch) {
  if (!is_open()) return std::nullopt;
  const std::optional<RecordHeader> header = read_header(offset, false);
  if (!header) return std::nullopt;
  // The header check keeps a whole record inside its first extent, and so
  // inside the file; the mapping may be read only within the file's size.
  const std::uint64_t start = std::uint64_t{offset} + kRecordHeaderSize;
  if (map_ && header->whole() && start + header->length <= file_size_)
    return std::string_view(map_ + start, header->length);
  if (!read_data(offset, *header, scratch)) return std::nullopt;
  return std::string_view(scratch);
}

std::optional<std::uint32_t> QFile::write_record(std::optional<std::uint32_t> offset, std::string_view data) {
  if (refuse_if_read_only()) return std::nullopt;
  if (data.size() > kMaxFileSize - kRecordHeaderSize) {
    report("A record of " + std::to_string(data.size()) + " bytes is too large for " + name_);
    return std::nullopt;
  }
  if (offset) {
    if (!rewrite(*offset, data)) return std::nullopt;
    return offset;
  }
  std::optional<Placement> placement = place_new(static_cast<std::uint32_t>(data.size()));
  if (!placement || !write_placed(*placement, data)) return std::nullopt;
  return placement->offset;
}

std::optional<QFile::Placement> QFile::place_new(std::uint32_t length) {
  const std::uint64_t total = std::uint64_t{length} + kRecordHeaderSize;
  const std::uint64_t blocks = (total + block_size_ - 1) / block_size_;
  Placement placement;
  if (blocks <= kMaxFirstBlocks) {
    placement.blocks = static_cast<std::uint16_t>(blocks);
  } else {
    // The block count of a first extent has 16 bits: the rest goes to a
    // second extent from the start.
    placement.blocks = static_cast<std::uint16_t>(kMaxFirstBlocks);
    const std::uint64_t rest = length - (first_extent_bytes(placement.blocks) - 16);
    const std::optional<std::uint32_t> second = allocate(rest);
    if (!second) return std::nullopt;
    const std::uint64_t second_blocks = (rest + block_size_ - 1) / block_size_;
    placement.second = Extent{*second, static_cast<std::uint32_t>(second_blocks * block_size_)};
  }
  const std::optional<std::uint32_t> first = allocate(first_extent_bytes(placement.blocks));
  if (!first) {
    if (placement.second) release(*placement.second);
    return std::nullopt;
  }
  placement.offset = *first;
  return placement;
}

bool QFile::write_placed(Placement placement, std::string_view data) {
  const std::uint64_t first = first_extent_bytes(placement.blocks);
  const bool whole = data.size() <= first - kRecordHeaderSize;
  if (whole && placement.second) {
    release(*placement.second);
    placement.second.reset();
  }
  StrBufs bytes(std::min<std::uint64_t>(first, data.size() + kRecordHeaderSize));
  put_record_header(bytes, static_cast<std::uint32_t>(data.size()), placement.blocks, whole);
  if (whole) {
    bytes.append(data);
    return pwrite_all(placement.offset, bytes.data(), bytes.size());
  }
  const std::size_t in_first = first - 16;
  bytes.append(data.substr(0, in_first));
  bytes.put_u32(placement.second->offset);
  bytes.put_u32(placement.second->size / block_size_);
  // The rest first: the first extent, once written, points at it.
  return pwrite_all(placement.second->offset, data.data() + in_first, data.size() - in_first) &&
         pwrite_all(placement.offset, bytes.data(), bytes.size());
}

bool QFile::rewrite(std::uint32_t offset, std::string_view data) {
  const std::optional<RecordHeader> header = read_header(offset, false);
  if (!header) return false;
  Placement placement{offset, header->blocks, header->second};
  const std::uint64_t first = first_extent_bytes(header->blocks);
  if (data.size() > first - kRecordHeaderSize) {
    const std::uint64_t rest = data.size() - (first - 16);
    if (!placement.second || placement.second->size < rest) {
      // The old second extent is too small: it goes back, a larger one is taken.
      if (placement.second && !release(*placement.second)) return false;
      placement.second.reset();
      const std::optional<std::uint32_t> second = allocate(rest);
      if (!second) return false;
      const std::uint64_t blocks = (rest + block_size_ - 1) / block_size_;
      placement.second = Extent{*second, static_cast<std::uint32_t>(blocks * block_size_)};
    }
  }
  return write_placed(placement, data);
}

bool QFile::free_extent(std::uint32_t offset, std::uint32_t blocks) {
  if (refuse_if_read_only()) return false;
  return release({offset, static_cast<std::uint32_t>(std::min(std::uint64_t{blocks} * block_size_, kMaxFileSize))});
}

bool QFile::free_record(std::uint32_t offset) {
  if (refuse_if_read_only()) return false;
  const std::optional<RecordHeader> header = read_header(offset, false);
  if (!header) return false;
  bool ok = release({offset, static_cast<std::uint32_t>(first_extent_bytes(header->blocks))});
  if (header->second) ok = release(*header->second) && ok;
  return ok;
}

bool QFile::release(Extent extent) {
  if (!detach_stored_free_list()) return false;
  if (!inside(extent.offset, extent.size)) {
    report("The extent at " + std::to_string(extent.offset) + " lies outside " + name_);
    return false;
  }
  if (!free_list_.add(extent)) {
    report("The extent at " + std::to_string(extent.offset) + " in " + name_ + " is already free");
    return false;
  }
  return true;
}

// ---- Allocation.

std::optional<std::uint32_t> QFile::allocate(std::uint64_t bytes) {
  if (!detach_stored_free_list()) return std::nullopt;
  const std::uint64_t blocks = std::max<std::uint64_t>(1, (bytes + block_size_ - 1) / block_size_);
  const std::uint64_t size = blocks * block_size_;
  if (size > kMaxFileSize) return grow(size);
  if (const std::optional<std::uint32_t> offset = free_list_.take_first_fit(static_cast<std::uint32_t>(size)))
    return offset;
  return grow(size);
}

std::optional<std::uint32_t> QFile::grow(std::uint64_t size) {
  const std::uint64_t wanted = std::max<std::uint64_t>(size, kGrowth);
  const std::uint64_t added = (wanted + block_size_ - 1) / block_size_ * block_size_;
  if (end_ + added > kMaxFileSize) {
    report("The block file " + name_ + " cannot grow beyond 4 GB");
    return std::nullopt;
  }
  if (!resize_file(end_ + added)) return std::nullopt;
  const std::uint32_t offset = end_;
  end_ = static_cast<std::uint32_t>(end_ + added);
  changed_ = true;
  if (added > size)
    free_list_.add({static_cast<std::uint32_t>(offset + size), static_cast<std::uint32_t>(added - size)});
  return offset;
}

// ---- Raw access.

bool QFile::read_raw(std::uint32_t offset, char* out, std::size_t length) {
  if (!is_open() || !inside(offset, length)) {
    report("Reading outside the block file " + name_);
    return false;
  }
  return pread_all(offset, out, length);
}

bool QFile::write_raw(std::uint32_t offset, std::string_view bytes) {
  if (refuse_if_read_only()) return false;
  if (!inside(offset, bytes.size())) {
    report("Writing outside the block file " + name_);
    return false;
  }
  changed_ = true;
  return pwrite_all(offset, bytes.data(), bytes.size());
}

std::optional<std::uint32_t> QFile::append_raw(std::string_view bytes) {
  if (refuse_if_read_only()) return std::nullopt;
  if (end_ + std::uint64_t{bytes.size()} > kMaxFileSize) {
    report("The block file " + name_ + " cannot grow beyond 4 GB");
    return std::nullopt;
  }
  const std::uint32_t offset = end_;
  if (!pwrite_all(offset, bytes.data(), bytes.size())) return std::nullopt;
  end_ = static_cast<std::uint32_t>(end_ + bytes.size());
  changed_ = true;
  return offset;
}

bool QFile::truncate_to(std::uint32_t end) {
  if (refuse_if_read_only()) return false;
  if (end < kHeaderSize || end > end_) return false;
  stored_free_list_.reset();
  free_list_.clear();
  end_ = end;
  changed_ = true;
  return write_header(0) && resize_file(end);
}

// ---- System calls.

bool QFile::resize_file(std::uint64_t size) {
  if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) {
    report("Can't write " + name_);
    return false;
  }
  file_size_ = size;
  if (map_ && size > map_length_) map_file();
  wrote();
  return true;
}

void QFile::map_file() {
  unmap_file();
  // Room to grow: remapping is needed only when the file doubles.
  const std::size_t length = std::max<std::size_t>(kMinMapLength, static_cast<std::size_t>(file_size_) * 2);
  const int protection = read_only_ ? PROT_READ : PROT_READ | PROT_WRITE;
  void* map = ::mmap(nullptr, length, protection, MAP_SHARED, fd_, 0);
  if (map == MAP_FAILED) return;
  map_ = static_cast<char*>(map);
  map_length_ = length;
}

void QFile::unmap_file() {
  if (map_) ::munmap(map_, map_length_);
  map_ = nullptr;
  map_length_ = 0;
}

bool QFile::pread_all(std::uint64_t offset, char* out, std::size_t length) {
  // Only bytes inside the file may be touched through the mapping.
  if (map_ && offset + length <= file_size_) {
    std::memcpy(out, map_ + offset, length);
    return true;
  }
  while (length > 0) {
    const ssize_t got = ::pread(fd_, out, length, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      report("Can't read " + name_);
      return false;
    }
    out += got;
    offset += static_cast<std::uint64_t>(got);
    length -= static_cast<std::size_t>(got);
  }
  return true;
}

bool QFile::pwrite_all(std::uint64_t offset, const char* data, std::size_t length) {
  if (map_ && !read_only_ && offset + length <= file_size_) {
    std::memcpy(map_ + offset, data, length);
    wrote();
    return true;
  }
  const std::uint64_t end = offset + length;
  while (length > 0) {
    const ssize_t put = ::pwrite(fd_, data, length, static_cast<off_t>(offset));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      report("Can't write " + name_);
      return false;
    }
    data += put;
    offset += static_cast<std::uint64_t>(put);
    length -= static_cast<std::size_t>(put);
  }
  if (end > file_size_) {
    file_size_ = end;
    if (map_ && end > map_length_) map_file();
  }
  wrote();
  return true;
}

void QFile::report(std::string_view text) const { diag() << text << '\n' << std::flush; }

}  // namespace velmo
