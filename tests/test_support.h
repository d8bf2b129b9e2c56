// Small helpers shared by the tests: a private scratch folder removed afterwards, and whole-file
// reading and writing of bytes.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace test_support {

// A fresh folder under the temporary folder, removed with everything in it on destruction.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qv7testXXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir &) = delete;
  TempDir &operator=(const TempDir &) = delete;

  const std::string &path() const { return path_; }
  // The name of an item in the folder.
  std::string operator/(const std::string &name) const {
    return (std::filesystem::path(path_) / name).string();
  }

 private:
  std::string path_;
};

// The whole file's bytes; empty when it cannot be read.
inline std::vector<uint8_t> ReadAll(const std::string &name) {
  std::ifstream in(name, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Replaces the file with the bytes.
inline void WriteAll(const std::string &name, const std::vector<uint8_t> &bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char *>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace test_support
