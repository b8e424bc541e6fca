#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "analyser/workspace.h"

namespace zentra::testing {

// A fresh directory for one test, removed with everything in it afterwards.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zentra-test-XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  std::filesystem::path path(std::string_view name) const { return dir_ / name; }
  Workspace workspace() const { return Workspace(dir_); }

  void write(std::string_view name, std::string_view content) const {
    std::ofstream out(path(name), std::ios::binary);
    out << content;
  }
  std::string read(std::string_view name) const {
    std::ifstream in(path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  bool exists(std::string_view name) const { return std::filesystem::exists(path(name)); }

 private:
  std::filesystem::path dir_;
};

// One node line of the parser's dependency format.
inline std::string node(std::string_view label, std::string_view word, std::string_view root, std::string_view category,
                        std::string_view parent, std::string_view relation, std::string_view governor = {}) {
  std::string line = std::string(label) + "\t(" + std::string(word) + "\t" + std::string(root) + " " +
                     std::string(category) + "\t" + std::string(parent) + "\t" + std::string(relation);
  if (!governor.empty()) line += "\t(gov " + std::string(governor) + ")";
  return line + ")\n";
}

// The parser output for one sentence, as the shell prints it after a prompt.
inline std::string tree(std::string_view node_lines) { return "> (\n" + std::string(node_lines) + ")\n"; }

}  // namespace zentra::testing
