#pragma once
// Entries of a dictionary file: each runs from an opening character to its
// matching closing character; double-quoted stretches are copied as they are
// (a backslash inside them makes the next byte literal), so delimiters inside
// quotes do not count. Anything may stand between entries.
#include <string>
#include <string_view>

namespace velmo {

class RawFile;
class StrBufs;

class DictEntryReader {
 public:
  enum class Result {
    kEntry,      // an entry was copied
    kEnd,        // no opening character before the end of the file
    kUnmatched,  // the file ended inside the entry (reported)
  };

  DictEntryReader(char open, char close) : open_(open), close_(close) {}

  // Reads the next entry from the current position of `file` into `out`.
  // An entry that the file ends inside is reported on the error stream.
  Result read(RawFile& file, StrBufs& out) const;
  // The key of an entry text that begins with the opening character.
  std::string key_of(std::string_view entry) const;

  char open() const { return open_; }
  char close() const { return close_; }

 private:
  bool skip_to_open(RawFile& file) const;
  static void report_unmatched(const StrBufs& text);

  char open_;
  char close_;
};

}  // namespace velmo
