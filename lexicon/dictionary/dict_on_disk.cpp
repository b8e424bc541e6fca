#include "shell/support/sizes.h"
#include "lexicon/dictionary/dict_on_disk.h"

#include <fstream>
#include <iostream>

#include "lexicon/dictionary/dict_header.h"
#include "shell/interpreter/interpreter.h"
#include "shell/support/diagnostics.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

// Index offsets are 31-bit numbers, so the bucket table must stay well below
// 2 GB; building it also takes a few numbers per bucket in memory.
constexpr long kMaxBuckets = static_cast<long>(kMaxDiskBucketCount);
constexpr std::size_t kBuildWindow = 1 << 16;

}  // namespace

DictOnDisk::DictOnDisk(std::string_view header_name) : work_(kWorkBufferSize) { open(header_name); }

void DictOnDisk::open(std::string_view header_name) {
  SearchPath& search_path = Interpreter::instance().search_path();
  const std::optional<std::string> header_path = search_path.find(header_name);
  if (!header_path) return;
  const std::string directory = search_path.last_found_directory();
  std::ifstream header_file(*header_path, std::ios::binary);
  if (!header_file) return;
  const DictHeader header = read_dict_header(header_file);
  if (!open_dictionary(directory, header)) return;

  if (header.buckets < 1 || header.buckets > kMaxBuckets) {
    dictionary_.close();
    return;
  }
  buckets_ = static_cast<std::uint32_t>(header.buckets);
  reader_ = DictEntryReader(header.open, header.close);
  index_path_ = path_beside(directory, header.index_name);
  if (index_needs_building(buckets_)) {
    // One sequential pass: a wide window saves system calls.
    RawFile whole(dictionary_path_, RawFile::Mode::kRead, kBuildWindow);
    DictIndexBuilder builder(reader_, buckets_);
    if (!builder.build(whole, index_path_)) {
      dictionary_.close();
      return;
    }
  }
  if (!index_.open(index_path_, buckets_, dictionary_.size())) {
    diag() << "Cannot open the index file: '" << index_path_ << "'\n" << std::flush;
    dictionary_.close();
  }
}

bool DictOnDisk::open_dictionary(const std::string& directory, const DictHeader& header) {
  dictionary_path_ = path_beside(directory, header.dictionary_name);
  if (!regular_file_exists(dictionary_path_)) {
    diag() << dictionary_path_ << " does not exist\n" << std::flush;
    return false;
  }
  dictionary_ = RawFile(dictionary_path_, RawFile::Mode::kRead);
  if (!dictionary_.is_open()) {
    diag() << "Error openning dictionary " << dictionary_path_ << '\n' << std::flush;
    return false;
  }
  return true;
}

// A missing index, one older than its dictionary, and one whose size cannot
// belong to the bucket count (truncated or made for another header) are
// rebuilt rather than trusted.
bool DictOnDisk::index_needs_building(std::uint32_t buckets) const {
  if (!regular_file_exists(index_path_)) return true;
  if (modified_before(index_path_, dictionary_path_)) return true;
  const RawFile existing(index_path_, RawFile::Mode::kRead);
  return existing.is_open() && !DictIndex::plausible_size(existing.size(), buckets);
}

std::optional<std::string_view> DictOnDisk::get_entry(std::string_view word) {
  if (!is_open()) {
    diag() << "Dictionary file or index file not openned.\n" << std::flush;
    return std::nullopt;
  }
  index_.candidates(elf_hash_nocase(word), candidates_);
  for (std::uint64_t position : candidates_) {
    if (std::optional<std::string_view> entry = entry_at(position, word)) return entry;
  }
  return std::nullopt;
}

std::optional<std::string_view> DictOnDisk::entry_at(std::uint64_t position, std::string_view word) {
  if (!dictionary_.seek(position)) return std::nullopt;
  if (reader_.read(dictionary_, work_) != DictEntryReader::Result::kEntry) return std::nullopt;
  if (!equal_nocase(reader_.key_of(work_.view()), word)) return std::nullopt;
  return work_.view();
}

}  // namespace velmo
