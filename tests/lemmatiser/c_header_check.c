/* A C program that includes the lemmatiser's public header and calls it, so that the header
 * stays valid C. It loads a stop list written here and checks one membership answer. */
#include <stdio.h>
#include <string.h>

#include "QV7CorvaneLemmatiser.h"

int main(int argc, char **argv) {
  if (argc < 2) return 2;
  FILE *file = fopen(argv[1], "wb");
  if (file == NULL) return 2;
  fputs("the\r\nand\r\n", file);
  fclose(file);

  char16_t name[1024] = {0};
  for (size_t i = 0; i < strlen(argv[1]) && i < 1023; ++i) name[i] = (unsigned char)argv[1][i];
  const QV7AnnounceNumberAndMessageProc no_line_count = {NULL, NULL};
  const QV7ShowSomeProgressProc no_progress = {NULL, NULL};
  if (LoadedOne(0, name, QV7_AS_STOP, no_line_count, no_progress, 0x0409, 1, 0) != -1) return 1;
  if (StopListWordsCount(0) != 2) return 1;
  if (FoundInTheList(0, "and", 0, QV7_AS_STOP) == NULL) return 1;
  if (FoundInTheList(0, "or", 0, QV7_AS_STOP) != NULL) return 1;
  remove(argv[1]);
  puts("C header check passed");
  return 0;
}
