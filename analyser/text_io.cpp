#include "analyser/text_io.h"

#include <iterator>
#include <system_error>

namespace zentra {

std::string normalizeLineEnds(std::string_view raw) {
    std::string text;
    text.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const bool crBeforeLf = raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n';
        if (!crBeforeLf) text.push_back(raw[i]);
    }
    return text;
}

std::optional<std::string> readTextFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string raw{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return normalizeLineEnds(raw);
}

void writeTextFile(const std::filesystem::path& path, std::string_view content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

AppendingFile::AppendingFile(const std::filesystem::path& path)
    : out_(path, std::ios::binary | std::ios::trunc) {}

void AppendingFile::append(std::string_view text) {
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace zentra
