// Feeds arbitrary bytes to the readers of saved lists and stream texts. The first byte picks
// the reader, the rest is the stream. Whatever a list reader accepts is saved again and must
// read back to the same bytes; nothing may crash, hang or allocate without bound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/error.h"
#include "platform/streams.h"
#include "runtime1/lists/SortableLists.h"
#include "runtime1/lists/Useful_Classes.h"

namespace {

// Reads a list, exercises it, saves it and checks that the saved bytes read back the same.
template <typename List>
void FuzzList(const uint8_t *data, size_t size) {
  platform::MemoryStream input(data, size);
  List list;
  const bool complete = list.ReadFromStream(input);
  if constexpr (requires { list.RemoveDuplicates(); }) list.RemoveDuplicates();
  platform::MemoryStream saved;
  if (!list.SaveToStream(saved)) return;  // e.g. a string longer than the readers accept
  saved.Seek(0);
  List back;
  if (!back.ReadFromStream(saved)) std::abort();
  platform::MemoryStream again;
  if (!back.SaveToStream(again) || again.Bytes() != saved.Bytes()) std::abort();
  (void)complete;
}

// Every key of a list read from the bytes must be found, before and after reordering it.
template <typename List, typename Find>
void FuzzSearches(const uint8_t *data, size_t size, Find find) {
  platform::MemoryStream input(data, size);
  List list;
  list.ReadFromStream(input);
  auto check = [&] {
    for (int32_t i = 0; i < list.Count() && i < 64; ++i) {
      if (find(list, list.Items(i).Key()) < 0) std::abort();
    }
  };
  if (list.sorted) check();
  list.ReverseTheSort();
  if constexpr (requires { list.SortAscendingDefault(); })
    list.SortAscendingDefault();
  else
    list.SortOnCardinals();
  check();
}

template <typename Read>
void FuzzText(const uint8_t *data, size_t size, Read read) {
  platform::MemoryStream input(data, size);
  try {
    while (input.Remaining() > 0) read(input);
  } catch (const platform::Error &) {
  }
}

void FuzzThreeKeySort(const uint8_t *data, size_t size) {
  struct Rows : T3SortYieldingList {
    const uint8_t *base = nullptr;
    void SetBase(void *P, int32_t) override { base = static_cast<const uint8_t *>(P); }
  } rows;
  for (size_t k = 0; k + 3 <= size && k < 3 * 4096; k += 3)
    rows.Add(const_cast<uint8_t *>(data + k));
  if (rows.Count() == 0) return;
  rows.SetAscending(data[0] & 1, data[0] & 2, data[0] & 4);
  const TCompareFunctOfObject compare = [&rows](void *item) {
    const int32_t k = rows.current_sort_rec.current_sort_var;
    return static_cast<int32_t>(static_cast<uint8_t *>(item)[k]) - rows.base[k];
  };
  rows.DoATrebleSort(compare, 0, 1, 2);
  for (int32_t i = 1; i < rows.Count(); ++i) {
    const auto *a = static_cast<const uint8_t *>(rows.Items(i - 1));
    const auto *b = static_cast<const uint8_t *>(rows.Items(i));
    for (int k = 0; k < 3; ++k) {
      if (a[k] == b[k]) continue;
      if ((a[k] < b[k]) != rows.fAscending[k]) std::abort();
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) return 0;
  const uint8_t choice = data[0];
  ++data;
  --size;
  switch (choice % 20) {
    case 0:
      FuzzList<TQVLongintList>(data, size);
      break;
    case 1:
      FuzzList<TCardinalList>(data, size);
      break;
    case 2:
      FuzzList<TQVInt64List>(data, size);
      break;
    case 3:
      FuzzList<TIntegerAndSingleList>(data, size);
      break;
    case 4:
      FuzzList<TCardinalAndFreqList>(data, size);
      break;
    case 5:
      FuzzList<TIntegerAnd3CardinalsList>(data, size);
      break;
    case 6:
      FuzzList<TStringColumnAndColourList>(data, size);
      break;
    case 7:
      FuzzList<T2StringsAnd2IntegersList>(data, size);
      break;
    case 8:
      FuzzList<T4LongintList>(data, size);
      break;
    case 9:
      FuzzList<TWordFreqAndSourceNumList>(data, size);
      break;
    case 10:
      FuzzSearches<TQVLongintList>(data, size, [](auto &l, auto key) { return l.IndexOf(key); });
      break;
    case 11:
      FuzzSearches<TCardinalAndFreqList>(data, size,
                                         [](auto &l, auto key) { return l.IndexOf(key); });
      break;
    case 12:
      FuzzSearches<TIntegerAndSingleList>(data, size,
                                          [](auto &l, auto key) { return l.Find(key); });
      break;
    case 13:
      FuzzText(data, size, [](TStream &s) { ReadShortString(s); });
      break;
    case 14:
      FuzzText(data, size, [](TStream &s) { ReadAnsiPchar(s); });
      break;
    case 15:
      FuzzText(data, size, [](TStream &s) { ReadWidePchar(s); });
      break;
    case 16:
      FuzzText(data, size, [](TStream &s) {
        ReadUnknownLengthPointerMaxSize<char>(s, INT32_MAX);
        ReadUnknownLengthPointer<char16_t>(s);
      });
      break;
    case 17:
      FuzzText(data, size, [](TStream &s) {
        std::u16string text;
        ReadAString(s, INT32_MAX, text);
      });
      break;
    case 18: {
      platform::MemoryStream input(data, size);
      TSmallintList smalls;
      int32_t n = 0;
      if (platform::ReadValue(input, n)) smalls.ReadFromStream(n, input);
      break;
    }
    case 19:
      FuzzThreeKeySort(data, size);
      break;
  }
  return 0;
}
