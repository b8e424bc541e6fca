#pragma once
// A dictionary kept on disk: a text file of parenthesised entries searched
// through a binary hash index beside it. A small header file names both files,
// the bucket count and the entry delimiters; the index is built when it is
// missing and rebuilt when the dictionary is newer.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/dictionary/dict_entry_reader.h"
#include "lexicon/dictionary/dict_index.h"
#include "lexicon/dictionary/raw_file.h"
#include "shell/support/str_bufs.h"

namespace velmo {

struct DictHeader;

class DictOnDisk {
 public:
  static constexpr std::size_t kWorkBufferSize = 1024;

  // Opens the dictionary described by the header file found on the search
  // path. The object exists even when this fails (see is_open).
  explicit DictOnDisk(std::string_view header_name);
  DictOnDisk(const DictOnDisk&) = delete;
  DictOnDisk& operator=(const DictOnDisk&) = delete;

  bool is_open() const { return dictionary_.is_open() && index_.is_open(); }
  // The raw text of the entry whose key equals `word` ignoring case, or
  // nothing. The text stays valid until the next call.
  std::optional<std::string_view> get_entry(std::string_view word);

  const std::string& dictionary_path() const { return dictionary_path_; }
  const std::string& index_path() const { return index_path_; }

 private:
  void open(std::string_view header_name);
  bool open_dictionary(const std::string& directory, const DictHeader& header);
  bool index_needs_building(std::uint32_t buckets) const;
  std::optional<std::string_view> entry_at(std::uint64_t position, std::string_view word);

  StrBufs work_;
  RawFile dictionary_;
  DictIndex index_;
  DictEntryReader reader_{'(', ')'};
  std::uint32_t buckets_ = 0;
  std::string dictionary_path_;
  std::string index_path_;
  std::vector<std::uint64_t> candidates_;
};

}  // namespace velmo
