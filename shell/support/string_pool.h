#pragma once
// Chunked append-only character store. Texts handed out stay valid until
// clear() or destruction; the store owns the texts of a table or tokenizer.
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace velmo {

class StringPool {
 public:
  explicit StringPool(std::size_t chunk_size = 4096) : chunk_size_(chunk_size) {}
  StringPool(const StringPool&) = delete;
  StringPool& operator=(const StringPool&) = delete;

  // Copies the text, NUL-terminated, and returns the copy.
  const char* add(std::string_view text);
  // Forgets every text but keeps the first chunk for reuse.
  void clear();
  std::size_t chunk_count() const { return chunks_.size(); }

 private:
  struct Chunk {
    std::unique_ptr<char[]> bytes;
    std::size_t capacity;
  };
  std::size_t chunk_size_;
  std::vector<Chunk> chunks_;
  std::size_t used_ = 0;  // bytes used in the last chunk
};

}  // namespace velmo
