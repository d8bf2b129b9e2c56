// Appending UTF-16 text to a file of 2-byte characters.
#pragma once

#include <string_view>

// Appends the text's units to the file as 2-byte little-endian records. A file that does not
// exist yet, or is empty, starts with the signature FF FE. Nothing happens for an empty file
// name; an empty text only creates the file, or gives an empty file its signature. Raises
// platform::Error with the reason when the file cannot be created or written.
void AddToFileOfChar(std::u16string_view file_name, std::u16string_view text);
