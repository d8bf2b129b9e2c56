// Names of zip archives and of files inside them: an archive path followed by a path
// delimiter and the inner name ("/corpus/texts.zip/a/b.txt"). Both '/' and '\' count as
// delimiters and ".zip" is matched without regard to ASCII case.
#pragma once

#include <string>
#include <string_view>

// True when `ext` (with its dot) is ".zip" in any case.
bool IsZipExtension(std::u16string_view ext);
// True when the file name's extension is ".zip" in any case.
bool IsAZipFile(std::u16string_view filename);
// True when no file of that name exists and the name contains ".zip" followed by a delimiter.
bool IsWithinAZipFile(std::u16string_view filename);
// The name up to and including the first ".zip" that is followed by a delimiter; empty when
// there is none.
std::u16string ZipFileFullFileName(std::u16string_view name);
// What follows that ".zip" and its delimiter; empty when there is none.
std::u16string ZipFileWantedFileNameWithin(std::u16string_view name);
