#include "parser/chart/word_freq.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "shell/support/str_bufs.h"

namespace velmo {

std::optional<float> packed_freq_value(std::string_view packed, std::string_view name) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(packed.data());
  const std::size_t size = packed.size();
  if (size < 4) return std::nullopt;
  const std::uint32_t count = get_u32(bytes);
  std::size_t at = 4;
  for (std::uint32_t i = 0; i < count; ++i) {
    const void* nul = std::memchr(bytes + at, '\0', size - at);
    if (!nul) break;
    const auto name_end = static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - bytes);
    if (name_end + 5 > size) break;
    if (packed.substr(at, name_end - at) == name) return std::bit_cast<float>(get_u32(bytes + name_end + 1));
    at = name_end + 5;
  }
  return std::nullopt;
}

}  // namespace velmo
