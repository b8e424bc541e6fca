#include "corpus/qhash.h"

#include <sys/stat.h>

#include <algorithm>
#include <iostream>

#include "shell/support/diagnostics.h"
#include "shell/support/str_bufs.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

constexpr std::uint32_t kMaxFunctionName = 1024;

void report(std::string_view text) { diag() << text << '\n' << std::flush; }

bool file_has_data(const std::string& name) {
  struct stat status {};
  return ::stat(name.c_str(), &status) == 0 && status.st_size > 0;
}

std::uint32_t padded(std::uint32_t length) { return (length + 3U) & ~3U; }

std::uint32_t u32_at(const char* p) { return get_u32(reinterpret_cast<const unsigned char*>(p)); }

std::string u32_bytes(std::uint32_t value) {
  StrBufs bytes(4);
  bytes.put_u32(value);
  return std::string(bytes.view());
}

}  // namespace

std::string_view QHash::key_of(std::string_view entry) { return entry.substr(0, entry.find('\0')); }

// ---- Opening and closing.

QHash::OpenResult QHash::open(std::string_view file_name, std::uint32_t buckets, std::uint32_t block_size,
                              std::string_view compare_name, QFile::Mode mode) {
  close();
  const std::string name(file_name);
  const bool existing = file_has_data(name);
  if (!existing) {
    if (buckets == 0 || buckets > kMaxBuckets) {
      report("A hash file needs between 1 and " + std::to_string(kMaxBuckets) + " buckets");
      return OpenResult::kFailed;
    }
    if (block_size > QFile::kMaxBlockSize) {
      report("A hash file's blocks take at most " + std::to_string(QFile::kMaxBlockSize) + " bytes");
      return OpenResult::kFailed;
    }
    if (!bind_compare(compare_name)) return OpenResult::kUnknownFunction;
  }
  if (!file_.open(name, block_size, mode)) return OpenResult::kFailed;
  if (existing) {
    const OpenResult result = read_layout();
    if (result != OpenResult::kOk) {
      file_.close();
      buckets_.clear();
      compare_name_.clear();
      return result;
    }
  } else if (!create_layout(buckets, compare_name)) {
    file_.close();
    return OpenResult::kFailed;
  }
  return OpenResult::kOk;
}

bool QHash::create_layout(std::uint32_t buckets, std::string_view compare_name) {
  StrBufs layout(20 + buckets * 4 + compare_name.size());
  layout.put_u32(buckets);
  layout.str().append(std::size_t{buckets} * 4, '\0');
  layout.put_u32(static_cast<std::uint32_t>(compare_name.size()));
  layout.append(compare_name);
  layout.str().append(padded(static_cast<std::uint32_t>(compare_name.size())) - compare_name.size(), '\0');
  const std::optional<std::uint32_t> at = file_.append_raw(layout.view());
  if (!at || *at != QFile::kHeaderSize) return false;
  buckets_.assign(buckets, 0);
  compare_name_ = std::string(compare_name);
  data_start_ = file_.end_offset();
  return true;
}

QHash::OpenResult QHash::read_layout() {
  compare_ = nullptr;
  compare_name_.clear();
  const std::uint64_t end = file_.end_offset();
  char word[4];
  if (end < kBucketTableOffset + 4 || !file_.read_raw(QFile::kHeaderSize, word, 4)) {
    report("The hash file " + file_.name() + " is truncated");
    return OpenResult::kFailed;
  }
  const std::uint32_t count = u32_at(word);
  if (count == 0) {
    report("The hash file " + file_.name() + " has no buckets");
    return OpenResult::kFailed;
  }
  const std::uint64_t name_at = kBucketTableOffset + std::uint64_t{count} * 4;
  if (count > kMaxBuckets || name_at + 4 > end) {
    report("The hash file " + file_.name() + " is truncated");
    return OpenResult::kFailed;
  }
  std::string table(std::size_t{count} * 4, '\0');
  if (!file_.read_raw(kBucketTableOffset, table.data(), table.size()) ||
      !file_.read_raw(static_cast<std::uint32_t>(name_at), word, 4))
    return OpenResult::kFailed;
  const std::uint32_t name_length = u32_at(word);
  if (name_length > kMaxFunctionName || name_at + 4 + padded(name_length) > end) {
    report("The hash file " + file_.name() + " is truncated");
    return OpenResult::kFailed;
  }
  std::string name(name_length, '\0');
  if (!file_.read_raw(static_cast<std::uint32_t>(name_at + 4), name.data(), name.size())) return OpenResult::kFailed;
  buckets_.resize(count);
  for (std::uint32_t i = 0; i < count; ++i) buckets_[i] = u32_at(table.data() + std::size_t{i} * 4);
  data_start_ = static_cast<std::uint32_t>(name_at + 4 + padded(name_length));
  compare_name_ = name;
  return bind_compare(name) ? OpenResult::kOk : OpenResult::kUnknownFunction;
}

bool QHash::bind_compare(std::string_view name) {
  const CompareFn function = NameSpaces::lookup_function(name, false);
  if (!function) {
    diag() << "The function '" << name << "' is not registered as a named object\n" << std::flush;
    compare_ = nullptr;
    return false;
  }
  compare_ = function;
  compare_name_ = std::string(name);
  return true;
}

bool QHash::write_bucket_table() {
  StrBufs table(buckets_.size() * 4);
  for (std::uint32_t offset : buckets_) table.put_u32(offset);
  return file_.write_raw(kBucketTableOffset, table.view());
}

bool QHash::sync() {
  if (!file_.is_open()) return false;
  if (file_.read_only()) return true;
  return write_bucket_table() && file_.sync();
}

void QHash::close() {
  if (!file_.is_open()) return;
  sync();
  file_.close();
  buckets_.clear();
  compare_ = nullptr;
  compare_name_.clear();
  data_start_ = 0;
}

// ---- Chains.

std::uint32_t QHash::bucket_of(std::string_view key) const {
  return elf_hash_nocase(key) % static_cast<std::uint32_t>(buckets_.size());
}

std::uint32_t QHash::max_chain_length() const { return (file_.end_offset() - data_start_) / file_.block_size() + 1; }

bool QHash::walk(std::uint32_t bucket, const std::function<bool(const Link&)>& f, std::string& scratch, bool in_place) {
  const std::uint32_t limit = max_chain_length();
  std::uint32_t steps = 0;
  for (std::uint32_t offset = buckets_[bucket]; offset != 0;) {
    if (++steps > limit) {
      report("The chain of bucket " + std::to_string(bucket) + " in " + file_.name() + " loops");
      return false;
    }
    if (offset < data_start_) {
      report("The record at " + std::to_string(offset) + " lies outside " + file_.name());
      return false;
    }
    std::optional<std::string_view> data;
    if (in_place) {
      data = file_.record_data(offset, scratch);
    } else if (std::optional<std::string> copy = file_.read_record(offset)) {
      scratch = std::move(*copy);
      data = scratch;
    }
    if (!data) return false;
    if (data->size() < 4) {
      report("The record at " + std::to_string(offset) + " in " + file_.name() + " is too short");
      return false;
    }
    const Link link{offset, u32_at(data->data()), data->substr(4)};
    if (!f(link)) return true;
    offset = link.next;
  }
  return true;
}

std::optional<QHash::Found> QHash::locate(std::string_view key, std::string_view* entry, std::string* scratch) {
  if (!file_.is_open()) return std::nullopt;
  const std::string wanted(key);
  std::optional<Found> found;
  std::uint32_t previous = 0;
  // Nothing is written during the walk: the entries may be viewed in place.
  walk(
      bucket_of(key),
      [&](const Link& link) {
        // An entry starts with its key ended by a NUL, where the comparison
        // stops; one without (damaged) is compared whole from a copy.
        const bool ended = link.entry.find('\0') != std::string_view::npos;
        if (compare_(wanted.c_str(), ended ? link.entry.data() : std::string(link.entry).c_str()) == 0) {
          found = Found{link.offset, previous, link.next};
          if (entry) *entry = link.entry;
          return false;
        }
        previous = link.offset;
        return true;
      },
      scratch ? *scratch : scratch_, true);
  return found;
}

std::optional<std::string> QHash::find(std::string_view key) {
  std::string_view entry;
  if (!locate(key, &entry)) return std::nullopt;
  return std::string(entry);
}

std::optional<std::string_view> QHash::find_view(std::string_view key, std::string& scratch) {
  std::string_view entry;
  if (!locate(key, &entry, &scratch)) return std::nullopt;
  return entry;
}

bool QHash::set_bucket(std::uint32_t bucket, std::uint32_t offset) {
  buckets_[bucket] = offset;
  return file_.write_raw(kBucketTableOffset + bucket * 4, u32_bytes(offset));
}

bool QHash::set_next(std::uint32_t offset, std::uint32_t next) {
  return file_.write_raw(offset + QFile::kRecordHeaderSize, u32_bytes(next));
}

bool QHash::insert(std::string_view entry) {
  if (!file_.is_open()) return false;
  const std::uint32_t bucket = bucket_of(key_of(entry));
  std::string data = u32_bytes(buckets_[bucket]);
  data.append(entry);
  const std::optional<std::uint32_t> offset = file_.write_record(std::nullopt, data);
  return offset && set_bucket(bucket, *offset);
}

bool QHash::replace(std::string_view entry) {
  const std::string_view key = key_of(entry);
  const std::optional<Found> found = locate(key);
  if (!found) return false;
  std::string data = u32_bytes(found->next);
  data.append(entry);
  if (file_.fits_in_place(found->offset, data.size())) return file_.write_record(found->offset, data).has_value();
  // Rewriting in place would take several writes, and a kill between them
  // would leave neither form: the new form is written apart and linked in
  // instead of the old one with a single write.
  const std::optional<std::uint32_t> offset = file_.write_record(std::nullopt, data);
  if (!offset) return false;
  const bool linked = found->previous == 0 ? set_bucket(bucket_of(key), *offset) : set_next(found->previous, *offset);
  return linked && file_.free_record(found->offset);
}

bool QHash::store(std::string_view entry) {
  if (!file_.ensure_writable()) return false;
  return replace(entry) || insert(entry);
}

bool QHash::remove(std::string_view key) {
  const std::optional<Found> found = locate(key);
  if (!found) return false;
  const bool unlinked =
      found->previous == 0 ? set_bucket(bucket_of(key), found->next) : set_next(found->previous, found->next);
  return unlinked && file_.free_record(found->offset);
}

bool QHash::clear() {
  if (!file_.is_open() || !file_.ensure_writable()) return false;
  // The chains are emptied before their records go, so that no bucket ever
  // points past the end of the file.
  std::fill(buckets_.begin(), buckets_.end(), 0);
  return write_bucket_table() && file_.truncate_to(data_start_);
}

bool QHash::for_each(const std::function<bool(std::string_view entry)>& f) {
  bool stopped = false;
  // f may change the file: each entry is a copy.
  std::string scratch;
  for (std::uint32_t bucket = 0; bucket < buckets_.size() && !stopped; ++bucket) {
    const bool whole = walk(
        bucket,
        [&](const Link& link) {
          stopped = !f(link.entry);
          return !stopped;
        },
        scratch, false);
    if (!whole) return false;
  }
  return true;
}

// ---- Maintenance.

// Relinking a chain in place takes several writes, and between any two of
// them the chain would lack records or loop: every new link goes to the
// file as one change through its journal.
bool QHash::sort_links() {
  if (!file_.is_open()) return false;
  if (!file_.ensure_writable()) return false;
  std::vector<WordWrite> words;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> heads;  // bucket, new head
  std::vector<std::pair<std::uint32_t, std::uint32_t>> chain;  // offset, next
  for (std::uint32_t bucket = 0; bucket < buckets_.size(); ++bucket) {
    chain.clear();
    if (!walk(
            bucket,
            [&](const Link& link) {
              chain.emplace_back(link.offset, link.next);
              return true;
            },
            scratch_, true))
      return false;
    if (std::is_sorted(chain.begin(), chain.end())) continue;
    std::sort(chain.begin(), chain.end());
    for (std::size_t i = 0; i < chain.size(); ++i) {
      const std::uint32_t next = i + 1 < chain.size() ? chain[i + 1].first : 0;
      if (chain[i].second != next) words.push_back({chain[i].first + QFile::kRecordHeaderSize, next});
    }
    words.push_back({kBucketTableOffset + bucket * 4, chain.front().first});
    heads.emplace_back(bucket, chain.front().first);
  }
  if (!file_.write_words_atomically(words)) return false;
  for (const auto& [bucket, head] : heads) buckets_[bucket] = head;
  return true;
}

std::optional<std::vector<std::uint32_t>> QHash::chain_lengths() {
  std::vector<std::uint32_t> lengths(buckets_.size(), 0);
  for (std::uint32_t bucket = 0; bucket < buckets_.size(); ++bucket) {
    const bool whole = walk(
        bucket,
        [&](const Link&) {
          ++lengths[bucket];
          return true;
        },
        scratch_, true);
    if (!whole) return std::nullopt;
  }
  return lengths;
}

bool QHash::validate(std::ostream& err) {
  if (!file_.is_open()) return false;
  const std::uint32_t limit = max_chain_length();
  for (std::uint32_t bucket = 0; bucket < buckets_.size(); ++bucket) {
    std::uint32_t steps = 0;
    for (std::uint32_t offset = buckets_[bucket]; offset != 0;) {
      if (offset < data_start_ || offset >= file_.end_offset()) {
        err << "out of bound\n" << std::flush;
        return false;
      }
      const RecordCheck check = file_.check_record(offset);
      if (check != RecordCheck::kOk) {
        err << (check == RecordCheck::kOutOfBounds ? "out of bound\n" : "invalid header\n") << std::flush;
        return false;
      }
      if (++steps > limit) {
        err << "chain loop\n" << std::flush;
        return false;
      }
      char next[4];
      if (!file_.read_raw(offset + QFile::kRecordHeaderSize, next, 4)) return false;
      offset = u32_at(next);
    }
  }
  return true;
}

}  // namespace velmo
