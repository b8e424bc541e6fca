#include "lexicon/attributes/alias_file.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <vector>

#include "lexicon/attributes/alias_set.h"
#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/byte_cursor.h"
#include "shell/support/str_bufs.h"

namespace velmo {

namespace {

constexpr std::size_t kReadBuffer = 4096;
constexpr std::size_t kWriteBuffer = 20000;

void report_file(const std::string& path, const std::string& problem) {
  report_error("The alias file " + path + " " + problem);
}

// Reads one record into `buffer`; false at the end of the file or when the
// rest of the file cannot hold the record (reported).
bool read_record(std::ifstream& in, std::size_t& remaining, const std::string& path, std::vector<char>& buffer,
                 std::size_t& length) {
  if (remaining == 0) return false;
  unsigned char header[4];
  if (remaining < sizeof header || !in.read(reinterpret_cast<char*>(header), sizeof header)) {
    report_file(path, "is truncated");
    return false;
  }
  remaining -= sizeof header;
  length = get_u32(header);
  if (length > remaining) {
    report_file(path, "has a record of " + std::to_string(length) + " bytes, beyond its end");
    return false;
  }
  if (length > buffer.size()) buffer.resize(std::max(length, buffer.size() + buffer.size() / 4 + 4));
  if (!in.read(buffer.data(), static_cast<std::streamsize>(length))) {
    report_file(path, "is truncated");
    return false;
  }
  remaining -= length;
  return true;
}

// Adds the alias of one record; false when the record is corrupt.
bool add_record(AttInterpreterList& type, const char* record, std::size_t length, const std::string& path) {
  const void* nul = std::memchr(record, 0, length);
  if (!nul) {
    report_file(path, "has a record without a name");
    return false;
  }
  const std::string name(record, static_cast<std::size_t>(static_cast<const char*>(nul) - record));
  const std::size_t name_bytes = name.size() + 1;
  ByteCursor cursor(record + name_bytes, length - name_bytes);
  auto* vec = new AttVec(&type);
  if (!vec->unpack(cursor)) {
    report_file(path, "has a corrupt vector for the alias " + name);
    delete vec;
    return false;
  }
  type.aliases().add(name, vec);
  AttVec::drop_if_unclaimed(vec);
  return true;
}

}  // namespace

bool save_alias_file(const AttInterpreterList& type, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    report_error("The file " + path + " cannot be opened");
    return false;
  }
  StrBufs record(kWriteBuffer);
  StrBufs header(4);
  for (const AliasSet::Alias* alias : type.aliases().in_order()) {
    record.clear();
    record.append(alias->name);
    record.push('\0');
    alias->vec->pack(record);
    header.clear();
    header.put_u32(static_cast<std::uint32_t>(record.size()));
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    out.write(record.data(), static_cast<std::streamsize>(record.size()));
  }
  out.flush();
  if (!out) {
    report_error("The file " + path + " cannot be written");
    return false;
  }
  return true;
}

std::size_t load_alias_file(AttInterpreterList& type, const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    report_error("The file " + path + " cannot be opened");
    return 0;
  }
  in.seekg(0, std::ios::end);
  std::size_t remaining = static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0));
  in.seekg(0, std::ios::beg);
  std::vector<char> buffer(kReadBuffer);
  std::size_t length = 0;
  std::size_t added = 0;
  while (read_record(in, remaining, path, buffer, length))
    if (add_record(type, buffer.data(), length, path)) ++added;
  return added;
}

}  // namespace velmo
