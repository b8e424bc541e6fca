#include "lexicon/lexicon/freq_meaning.h"

#include <bit>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "shell/reader/irslist.h"
#include "shell/support/diagnostics.h"
#include "shell/support/str_bufs.h"

namespace velmo {
namespace {

std::string element_text(const IRSlist& element) {
  if (element.is_list()) return element.text();
  return element.atom() ? element.atom() : "";
}

std::string pack(const std::vector<std::pair<std::string, float>>& pairs) {
  StrBufs out;
  out.put_u32(static_cast<std::uint32_t>(pairs.size()));
  for (const auto& [name, value] : pairs) {
    out.append(name);
    out.push('\0');
    out.put_u32(std::bit_cast<std::uint32_t>(value));
  }
  return std::move(out.str());
}

// Calls visit(name, value) for each whole pair of a packed body, in order,
// until it returns true.
template <class Visit>
void for_each_packed_pair(std::string_view packed, Visit visit) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(packed.data());
  const std::size_t size = packed.size();
  if (size < 4) return;
  const std::uint32_t count = get_u32(bytes);
  std::size_t at = 4;
  for (std::uint32_t i = 0; i < count; ++i) {
    const void* nul = std::memchr(bytes + at, '\0', size - at);
    if (!nul) return;
    const auto name_end = static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - bytes);
    if (name_end + 5 > size) return;
    if (visit(packed.substr(at, name_end - at), std::bit_cast<float>(get_u32(bytes + name_end + 1)))) return;
    at = name_end + 5;
  }
}

}  // namespace

FreqMN::FreqMN() : packed_(pack({})) {}

std::vector<std::pair<std::string, float>> FreqMN::pairs() const {
  std::vector<std::pair<std::string, float>> result;
  for_each_packed_pair(packed_, [&](std::string_view name, float value) {
    result.emplace_back(std::string(name), value);
    return false;
  });
  return result;
}

std::optional<float> packed_freq_value(std::string_view packed, std::string_view name) {
  std::optional<float> found;
  for_each_packed_pair(packed, [&](std::string_view pair_name, float value) {
    if (pair_name == name) found = value;
    return found.has_value();
  });
  return found;
}

void FreqMN::print_body(std::ostream& out) const {
  bool first = true;
  for (const auto& [name, value] : pairs()) {
    if (!first) out << ' ';
    out << name << ' ' << value;
    first = false;
  }
}

std::unique_ptr<Meaning> FreqMN::clone() const {
  auto copy = std::make_unique<FreqMN>();
  copy->packed_ = packed_;
  return copy;
}

int FreqMN::compare(const Meaning& other) const {
  if (!dynamic_cast<const FreqMN*>(&other)) return -2;
  return &other == this ? 0 : 2;
}

void FreqMN::read_body(IRSlist& elements) {
  const std::size_t count = elements.is_nil() ? 0 : elements.length();
  if (count % 2 != 0) {
    diag() << "Incorrect format for (freq ...)\n" << std::flush;
    return;
  }
  std::vector<std::pair<std::string, float>> read;
  const IRSlist* name = nullptr;
  for (const IRSlist* element : elements.children()) {
    if (!name) {
      name = element;
      continue;
    }
    const char* number = element->atom();
    read.emplace_back(element_text(*name), number ? std::strtof(number, nullptr) : 0.0f);
    name = nullptr;
  }
  packed_ = pack(read);
}

}  // namespace velmo
