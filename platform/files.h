// Whole-file reading and file tests for UTF-16 or UTF-8 file names.
// Stands in for the platform's FileExists and file streams opened for shared reading.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A file name given as UTF-16, as the interfaces receive it, in the form the file system takes.
std::string NativeFileName(std::u16string_view name);

// True when the name is an existing file that is not a folder.
bool FileExists(const std::string &name);

// Reads the whole file. Empty optional, with a message in *error when one is given, when the
// file cannot be opened or read, or when it is a folder.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string &name,
                                                  std::string *error = nullptr);

}  // namespace platform
