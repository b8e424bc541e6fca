#include "lexicon/dictionary/dict_index.h"

#include <iostream>

#include "lexicon/dictionary/dict_entry_reader.h"
#include "shell/support/diagnostics.h"
#include "shell/support/str_bufs.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

constexpr std::size_t kIndexWindow = 64;

}  // namespace

bool DictIndexBuilder::build(RawFile& dictionary, const std::string& index_path) {
  diag() << "Making Index file " << index_path << ". Please wait.\n" << std::flush;
  RawFile index(index_path, RawFile::Mode::kWrite);
  if (!index.is_open()) {
    diag() << "Cannot open index file " << index_path << '\n' << std::flush;
    return false;
  }
  std::vector<Located> entries;
  std::string bytes;
  if (!collect(dictionary, entries) || !encode(entries, bytes)) {
    diag() << "The dictionary is too large for an index file: " << index_path << '\n' << std::flush;
    return false;
  }
  if (!index.write(bytes.data(), bytes.size())) {
    diag() << "Cannot open index file " << index_path << '\n' << std::flush;
    return false;
  }
  return true;
}

bool DictIndexBuilder::collect(RawFile& dictionary, std::vector<Located>& entries) {
  if (!dictionary.seek(0)) return false;
  StrBufs text(1024);
  for (;;) {
    const std::uint64_t position = dictionary.tell();
    if (reader_.read(dictionary, text) != DictEntryReader::Result::kEntry) break;
    // The high bit marks single-entry buckets, so positions need 31 bits.
    if (position + 1 >= kSingleEntryBit) return false;
    const std::uint32_t hash = elf_hash_nocase(reader_.key_of(text.view()));
    entries.push_back({hash % buckets_, static_cast<std::uint32_t>(position + 1)});
    if (entries.size() % kProgressStep == 0) diag() << entries.size() << " entries\n" << std::flush;
  }
  diag() << entries.size() << " entries\n" << std::flush;
  return true;
}

bool DictIndexBuilder::encode(const std::vector<Located>& entries, std::string& out) const {
  // Counting sort by bucket keeps each bucket in dictionary order.
  std::vector<std::uint32_t> counts(buckets_, 0);
  for (const Located& entry : entries) ++counts[entry.bucket];
  std::vector<std::uint32_t> table(buckets_, 0);
  std::vector<std::uint32_t> list_start(buckets_, 0);
  std::uint64_t offset = 4ull * buckets_;
  std::uint32_t slot = 0;
  for (std::uint32_t b = 0; b < buckets_; ++b) {
    list_start[b] = slot;
    if (counts[b] < 2) continue;
    if (offset >= kSingleEntryBit) return false;
    table[b] = static_cast<std::uint32_t>(offset);
    offset += 4ull * (counts[b] + 1);
    slot += counts[b] + 1;
  }
  std::vector<std::uint32_t> lists(slot, 0);
  std::vector<std::uint32_t> filled(buckets_, 0);
  for (const Located& entry : entries) {
    const std::uint32_t b = entry.bucket;
    if (counts[b] == 1)
      table[b] = kSingleEntryBit | entry.position_plus_one;
    else
      lists[list_start[b] + filled[b]++] = entry.position_plus_one;
  }
  StrBufs bytes(4 * (table.size() + lists.size()));
  for (std::uint32_t value : table) bytes.put_u32(value);
  for (std::uint32_t value : lists) bytes.put_u32(value);
  out = std::move(bytes.str());
  return true;
}

bool DictIndex::plausible_size(std::uint64_t size, std::uint32_t buckets) {
  const std::uint64_t table = 4ull * buckets;
  return size >= table && (size - table) % 4 == 0;
}

bool DictIndex::open(const std::string& path, std::uint32_t buckets, std::uint64_t dictionary_size) {
  // A bucket number and a short list fit in one small window.
  file_ = RawFile(path, RawFile::Mode::kRead, kIndexWindow);
  buckets_ = buckets;
  dictionary_size_ = dictionary_size;
  size_ = file_.size();
  return file_.is_open();
}

void DictIndex::candidates(std::uint32_t hash, std::vector<std::uint64_t>& positions) {
  positions.clear();
  if (!file_.is_open() || buckets_ == 0) return;
  const std::uint32_t bucket = hash % buckets_;
  std::uint32_t value = 0;
  if (!file_.seek(4ull * bucket) || !file_.read_u32(value) || value == 0) return;
  if (value & kSingleEntryBit) {
    add_position(value & ~kSingleEntryBit, positions);
    return;
  }
  read_list(value, positions);
}

void DictIndex::read_list(std::uint32_t offset, std::vector<std::uint64_t>& positions) {
  // A list lies after the bucket table, aligned to its numbers.
  if (offset < 4ull * buckets_ || offset % 4 != 0 || offset >= size_) return;
  if (!file_.seek(offset)) return;
  std::uint32_t value = 0;
  while (file_.read_u32(value) && value != 0) add_position(value, positions);
}

void DictIndex::add_position(std::uint32_t position_plus_one, std::vector<std::uint64_t>& positions) const {
  if (position_plus_one == 0 || position_plus_one - 1 >= dictionary_size_) return;
  positions.push_back(position_plus_one - 1);
}

}  // namespace velmo
