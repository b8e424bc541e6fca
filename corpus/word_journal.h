#pragma once
// The journal of a change to a block file that takes several word writes:
// the words are recorded in a file beside the block file before any of them
// is written there, so that a process killed half-way can be followed by one
// that writes them all. Writing a word twice does no harm, so the journal is
// simply written again in full.
//
// Layout: the 8 bytes "VJOURNL1", the number of words (4 bytes), each word
// as its offset and its value (4 bytes each), and an FNV-1a 64-bit checksum
// of everything before it (8 bytes); all big-endian.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// A 4-byte big-endian word to be written at an offset of a file.
struct WordWrite {
  std::uint32_t offset = 0;
  std::uint32_t value = 0;
  bool operator==(const WordWrite&) const = default;
};

std::string encode_word_journal(const std::vector<WordWrite>& words);
// The words of a journal, or nothing when it is incomplete or damaged.
std::optional<std::vector<WordWrite>> decode_word_journal(std::string_view bytes);

// Writes `bytes` to the file `name` so that it either exists with all of them
// on the disk or does not exist (written under a temporary name, flushed and
// renamed). `after_step` is called after each step that changes the disk.
bool write_file_whole(const std::string& name, std::string_view bytes, const std::function<void()>& after_step);

}  // namespace velmo
