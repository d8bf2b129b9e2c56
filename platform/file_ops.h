// File operations by UTF-8 name: sizes, times, prefix reads, safe copies and writes, appends
// and deletion. Replaces the platform's CopyFile, DeleteFile, GetFileSize, FileAge and file
// handles; unlike CopyFile, a copy never leaves a half-written target (temporary file +
// rename), and failures come back as false with a message instead of a last-error code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The size of an existing file that is not a folder; empty otherwise.
std::optional<uint64_t> FileSize(const std::string &name);

// The last-write time of a file or folder; empty when it does not exist.
std::optional<std::time_t> FileModificationTime(const std::string &name);

// Reads at most `max_bytes` from the start of a file (fewer when the file is shorter). Empty,
// with a message, when the file is missing, a folder or unreadable.
std::optional<std::vector<uint8_t>> ReadFilePrefix(const std::string &name, size_t max_bytes,
                                                   std::string *error = nullptr);

// Writes `bytes` to a temporary file in the target's folder, syncs it and renames it over the
// target. False (target unchanged) on any failure.
bool WriteFileAtomically(const std::string &name, const void *bytes, size_t size,
                         std::string *error = nullptr);
inline bool WriteFileAtomically(const std::string &name, const std::vector<uint8_t> &bytes,
                                std::string *error = nullptr) {
  return WriteFileAtomically(name, bytes.data(), bytes.size(), error);
}

// Copies a file over `target` through a temporary file and a rename. False (target unchanged)
// when the source is missing or unreadable, the copy would be onto the source itself, or the
// target cannot be written.
bool CopyFileReplacing(const std::string &source, const std::string &target,
                       std::string *error = nullptr);

// Appends `bytes` to a file, creating it when missing. When the file is new or empty,
// `prefix_when_empty` is written first (a byte-order mark, say), in the same write.
bool AppendToFile(const std::string &name, const void *bytes, size_t size,
                  std::string_view prefix_when_empty = {}, std::string *error = nullptr);

// Deletes a file (not a folder). False when it did not exist or could not be deleted.
bool DeleteFileNamed(const std::string &name, std::string *error = nullptr);

// The name with its extension (from the last '.' after the last '/') replaced by `ext`, which
// includes its dot; an extension is appended when the name has none.
std::string ChangeFileExtension(const std::string &name, std::string_view ext);

}  // namespace platform
