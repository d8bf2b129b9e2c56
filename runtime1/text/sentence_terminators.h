// Sentence-ending punctuation: the units that may end a sentence and the punctuation that
// never does, as the sentence splitter reads them.
#pragma once

#include <array>
#include <cstdint>

// "!", "." and "?".
extern const std::array<char16_t, 3> basic_sent_terminators;
// Sentence-ending punctuation of other scripts, in ascending order (63 units).
extern const std::array<char16_t, 63> other_sent_terminators;
// Punctuation that never ends a sentence, in ascending order (276 units).
extern const std::array<char16_t, 276> punct_not_ending_sent;

// True when u may end a sentence: never below U+0021 or from U+0040 to U+007D; otherwise when u
// is one of basic_sent_terminators or other_sent_terminators.
bool IsPotentialSentenceTerminator(char16_t u);

// True when u is one of punct_not_ending_sent.
bool IsPunctNotEndingSent(char16_t u);
