/*
 * QV7CorvaneLemmatiser: lemma, match, stop and relation lists behind C exports.
 *
 * A host loads the library by name, loads list files into numbered slots (0 to 21) of four
 * kinds, and asks for headwords, variants, membership, counts, listings and walks. Everything
 * runs in the caller's thread; the library keeps no state on disk.
 *
 * Conventions
 * - 8-bit flags are true only when they equal 1. 16-bit results are 0 for false and -1 for true.
 * - UTF-16 texts are NUL-terminated char16_t; 8-bit texts are NUL-terminated bytes in the
 *   process's ANSI code page (Windows-1252 unless QV7_ANSI_CODEPAGE names another).
 * - Texts returned "in a buffer" live in one of two process-wide buffers of 256 units (UTF-16)
 *   or 256 bytes (8-bit), always NUL-terminated, cut to 255 units, and valid only until the
 *   next call that writes the same buffer.
 * - A slot above 21, a kind above 3 where a list is needed, or a null pointer gets the call's
 *   false, null or 0 result. No call ever lets an error escape.
 * - A callback is an object-method pair: code first, object second, called as
 *   code(object, arguments...). A null code address means "no callback".
 */
#ifndef QV7_CORVANE_LEMMATISER_H
#define QV7_CORVANE_LEMMATISER_H

#include <stdint.h>
#include <uchar.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(QV7_LEMMATISER_BUILD)
#define QV7_LEMMATISER_EXPORT __attribute__((visibility("default")))
#else
#define QV7_LEMMATISER_EXPORT
#endif

/* List kinds: the values of TLemmaMatchStopOptions. */
enum { QV7_AS_LEMMA = 0, QV7_AS_MATCH = 1, QV7_AS_STOP = 2, QV7_AS_RELATION = 3 };

enum { QV7_SLOT_COUNT = 22, QV7_RESULT_BUFFER_UNITS = 256, QV7_NAME_OF_PROCESS_UNITS = 101 };

/* One stored lemma pair: the variant (key) in the list's encoding, the headword in UTF-16. */
typedef struct QV7LemmaEntryRec {
  const void *variantp;
  const char16_t *headwordp;
} QV7LemmaEntryRec;

/* Progress while loading: n is the number of entries accepted so far. */
typedef struct QV7ShowSomeProgressProc {
  void (*code)(void *object, int32_t n);
  void *object;
} QV7ShowSomeProgressProc;

/* Line counts while loading: n is a count, mess the list kind's name (101 UTF-16 units). */
typedef struct QV7AnnounceNumberAndMessageProc {
  void (*code)(void *object, int32_t n, char16_t *mess);
  void *object;
} QV7AnnounceNumberAndMessageProc;

/* Entry handler of lemma walks. position is the entry's place in the walk and out_of the
 * number of nodes in the tree, both counting the list's 19 seed entries. */
typedef struct QV7HandleLemmaProc {
  void (*code)(void *object, QV7LemmaEntryRec *t, uint8_t in_unicode, uint8_t consider_affixes,
               int32_t position, int32_t out_of);
  void *object;
} QV7HandleLemmaProc;

/* Entry handler of match, relation and stop walks: t is the entry text in the list's encoding. */
typedef struct QV7HandleMatchProc {
  void (*code)(void *object, const void *t, uint8_t in_unicode, uint8_t consider_affixes,
               int32_t position, int32_t out_of);
  void *object;
} QV7HandleMatchProc;
typedef QV7HandleMatchProc QV7HandleStopProc;

/* The host's message pump, called between steps of every long operation. */
typedef struct QV7YieldProc {
  void (*code)(void *object);
  void *object;
} QV7YieldProc;

QV7_LEMMATISER_EXPORT int16_t LoadedOne(uint8_t slot, const char16_t *file_name, uint8_t kind,
                                        QV7AnnounceNumberAndMessageProc line_count,
                                        QV7ShowSomeProgressProc progress, uint32_t lcid,
                                        uint8_t case_sensitive, uint8_t allow_commas);
QV7_LEMMATISER_EXPORT int16_t ClearOne(uint8_t slot, uint8_t kind);
QV7_LEMMATISER_EXPORT void CancelOne(uint8_t slot, uint8_t kind);

QV7_LEMMATISER_EXPORT const void *TallymanChangeWord(uint8_t slot, const void *word,
                                                     int32_t code_page, int16_t utf16_result);
QV7_LEMMATISER_EXPORT const void *SightlineChangeWord(const void *word, int32_t code_page,
                                                      int16_t utf16_result);
QV7_LEMMATISER_EXPORT const void *SalientChangeWord(const void *word, int32_t code_page,
                                                    int16_t utf16_result);
QV7_LEMMATISER_EXPORT const void *FoundInTheList(uint8_t slot, const void *word,
                                                 uint8_t word_is_utf16, uint8_t kind);

QV7_LEMMATISER_EXPORT const char16_t *LemmaVariantsOf(uint8_t slot, const char16_t *headword,
                                                      const char16_t *separator);
QV7_LEMMATISER_EXPORT const char16_t *LemmaHeadWords(uint8_t slot, int32_t index);
QV7_LEMMATISER_EXPORT int32_t LemmaHeadWordsCount(uint8_t slot);
QV7_LEMMATISER_EXPORT int32_t LemmaPairEntriesAltogether(uint8_t slot);
QV7_LEMMATISER_EXPORT int32_t MatchListWordsCount(uint8_t slot);
QV7_LEMMATISER_EXPORT int32_t StopListWordsCount(uint8_t slot);

QV7_LEMMATISER_EXPORT int32_t TraversedOne(uint8_t slot, int32_t maximum, uint8_t kind);
QV7_LEMMATISER_EXPORT const void *GetAString(int32_t index, uint8_t utf16_result,
                                             int32_t code_page);

QV7_LEMMATISER_EXPORT void TraverseLemmasDoing(uint8_t slot, QV7HandleLemmaProc handler);
QV7_LEMMATISER_EXPORT void TraverseMatchesDoing(uint8_t slot, QV7HandleMatchProc handler);
QV7_LEMMATISER_EXPORT void TraverseRelationsDoing(uint8_t slot, QV7HandleMatchProc handler);
QV7_LEMMATISER_EXPORT void TraverseStopsDoing(uint8_t slot, QV7HandleStopProc handler);

/* Installs the host's message pump as the yield hook; a null code address removes it. */
QV7_LEMMATISER_EXPORT void SetLemmatiserYieldProc(QV7YieldProc pump);

#ifdef __cplusplus
}
#endif

#endif /* QV7_CORVANE_LEMMATISER_H */
