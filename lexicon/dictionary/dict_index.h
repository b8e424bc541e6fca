#pragma once
// The binary hash index of a dictionary file. All numbers are 4-byte
// unsigned, big-endian:
//   bucket table, one number per bucket: 0 for an empty bucket; with the high
//   bit set, the position + 1 of the bucket's only entry; otherwise the byte
//   offset of the bucket's list in the index file;
//   then, for each bucket of two or more entries in bucket order, the
//   positions + 1 of its entries in dictionary order followed by a 0.
// A position is the offset at which the search for an entry's opening
// character begins.
#include <cstdint>
#include <string>
#include <vector>

#include "lexicon/dictionary/raw_file.h"

namespace velmo {

class DictEntryReader;

inline constexpr std::uint32_t kSingleEntryBit = 0x80000000u;
inline constexpr std::size_t kProgressStep = 5000;

// Writes the index of a dictionary in one sequential pass over it.
class DictIndexBuilder {
 public:
  DictIndexBuilder(const DictEntryReader& reader, std::uint32_t buckets) : reader_(reader), buckets_(buckets) {}

  // Reports progress on the error stream; false (reported) when the index
  // cannot be written.
  bool build(RawFile& dictionary, const std::string& index_path);

 private:
  struct Located {
    std::uint32_t bucket;
    std::uint32_t position_plus_one;
  };
  bool collect(RawFile& dictionary, std::vector<Located>& entries);
  bool encode(const std::vector<Located>& entries, std::string& out) const;

  const DictEntryReader& reader_;
  std::uint32_t buckets_;
};

// Reads bucket entries from an index file, trusting no number in it: list
// offsets outside the index and positions outside the dictionary are ignored.
class DictIndex {
 public:
  // Opens the index of a dictionary of `dictionary_size` bytes.
  bool open(const std::string& path, std::uint32_t buckets, std::uint64_t dictionary_size);
  bool is_open() const { return file_.is_open(); }
  // Whether a file of `size` bytes can be the index of `buckets` buckets.
  static bool plausible_size(std::uint64_t size, std::uint32_t buckets);

  // The dictionary positions of the entries in the bucket of `hash`.
  void candidates(std::uint32_t hash, std::vector<std::uint64_t>& positions);

 private:
  void read_list(std::uint32_t offset, std::vector<std::uint64_t>& positions);
  void add_position(std::uint32_t position_plus_one, std::vector<std::uint64_t>& positions) const;

  RawFile file_;
  std::uint32_t buckets_ = 0;
  std::uint64_t size_ = 0;
  std::uint64_t dictionary_size_ = 0;
};

}  // namespace velmo
