#include "runtime1/text/FileOfChar.h"

#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/file_ops.h"
#include "platform/files.h"

void AddToFileOfChar(std::u16string_view file_name, std::u16string_view text) {
  if (file_name.empty()) return;
  std::vector<uint8_t> bytes(text.size() * 2);
  for (size_t i = 0; i < text.size(); ++i) {
    bytes[2 * i] = static_cast<uint8_t>(text[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<uint8_t>(text[i] >> 8);
  }
  const std::string name = platform::NativeFileName(file_name);
  std::string error;
  if (!platform::AppendToFile(name, bytes.data(), bytes.size(), std::string_view("\xFF\xFE", 2),
                              &error))
    throw platform::Error("cannot append to " + name + ": " + error);
}
