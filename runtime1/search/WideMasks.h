// File-name masks with the wildcards "*" and "?", as used when folders and zip archives are
// scanned for texts: building an array of masks from a ";"-separated text and testing names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Splits a mask text into masks: the text is trimmed, every CR LF becomes ";", and the text is
// cut at each ";". Empty pieces stay in the array (an empty text gives an empty array).
void BuildAMask(std::vector<std::u16string> &masks, std::u16string_view text);

// True when text is not empty and matches mask. The mask may itself list several patterns
// separated by ";" (leading spaces of each are skipped); "*" matches any run of characters,
// "?" exactly one character, "*.*" every name, and letter case is ignored.
bool MatchesMask(std::u16string_view text, std::u16string_view mask);

// The 0-based index of the first non-empty mask that text matches, or -1.
int32_t WhereInAMask(std::u16string_view text, const std::vector<std::u16string> &masks);
