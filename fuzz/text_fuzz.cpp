// Feeds arbitrary bytes to the text readers: the UTF-8 checks, the character types of 8-bit and
// UTF-16 text, the numeric notations, the search-word record and the compacting buffer routines
// (each on a buffer of exactly the text's size, so that a write past its end is caught).
// Nothing may crash or hang, and a few results are checked against what they promise.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/char_types.h"
#include "runtime1/text/UTF8_UNit.h"
#include "runtime1/text/bare_assemb.h"
#include "runtime1/text/bare_assemb3.h"
#include "runtime1/text/myUnicodeNew.h"
#include "runtime1/text/my_string_functions.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void FuzzUtf8(std::string_view bytes) {
  const int32_t length = UTF8LengthInChars(bytes);
  Check(length >= 0 && static_cast<size_t>(length) <= bytes.size());
  bool all_ascii = false;
  const bool ok = CheckedUTF(bytes, all_ascii);
  if (ok && all_ascii)
    for (char c : bytes) Check(static_cast<unsigned char>(c) < 0x80);
  for (uint32_t code_page : {1252u, 1251u, 932u, 936u, 65001u}) {
    std::vector<uint16_t> types(bytes.size());
    Check(platform::GetStringTypeA(platform::CT_CTYPE1, bytes, code_page, types));
  }
}

void FuzzWide(std::u16string_view text) {
  std::vector<uint16_t> types(text.size());
  for (uint32_t info : {platform::CT_CTYPE1, platform::CT_CTYPE2, platform::CT_CTYPE3})
    Check(platform::GetStringTypeW(info, text, types));
  const std::u16string work = QVFormattedReadableStringToWorkString(text);
  Check(work.size() <= text.size());
  std::u16string typed(text);
  MyFormatValidNumberStr(typed);
  Check(typed.size() <= text.size());
  const Search_word_type32 record = StringToSearch_word_type32(text);
  Check(Search_word_type32ToString(&record).size() <= 80);
}

// Copies of the text on the heap, exactly as long as the text.
template <typename Unit>
std::unique_ptr<Unit[]> ExactCopy(std::basic_string_view<Unit> text) {
  auto copy = std::make_unique<Unit[]>(text.size() + (text.empty() ? 1 : 0));
  if (!text.empty()) std::memcpy(copy.get(), text.data(), text.size() * sizeof(Unit));
  return copy;
}

void FuzzCompacting(std::string_view bytes, std::u16string_view text, uint8_t control) {
  const int32_t n = static_cast<int32_t>(bytes.size());
  const int32_t w = static_cast<int32_t>(text.size());
  const char opening = static_cast<char>(control & 0x0F ? '<' : control);
  auto narrow = ExactCopy(bytes);
  Check(ClearBetweenChars(narrow.get(), opening, '>', n, n) <= n);
  narrow = ExactCopy(bytes);
  Check(CleanBetweenChars(narrow.get(), opening, '>', n, control % 7, control & 0x10, n) <= n);
  narrow = ExactCopy(bytes);
  Check(RemoveCharA(narrow.get(), ' ', n, n) <= n);
  auto wide = ExactCopy(text);
  Check(RemoveRedundantSpaceW(wide.get(), w, w) <= w);
  wide = ExactCopy(text);
  Check(CutDoubleCRLFsW(wide.get(), w, w) <= w);
  wide = ExactCopy(text);
  const int32_t a = w == 0 ? 0 : control % (w + 1);
  Swap2Strings(wide.get(), a, w - a);
  std::string pattern(bytes.substr(0, control % 4));
  if (const char *found = FastStrPos(bytes.data(), pattern.c_str(), n))
    Check(found >= bytes.data() && found < bytes.data() + n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) return 0;
  const uint8_t control = data[0];
  const std::string_view bytes(reinterpret_cast<const char *>(data + 1), size - 1);
  std::u16string text(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<char16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                    (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
  FuzzUtf8(bytes);
  FuzzWide(text);
  FuzzCompacting(bytes, text, control);
  if (bytes.size() >= kSearchWordType32Bytes) {
    uint8_t raw[kSearchWordType32Bytes];
    std::memcpy(raw, bytes.data(), sizeof raw);
    const Search_word_type32 record = Search_word_type32FromBytes(raw);
    Check(Search_word_type32ToString(&record).size() <= kSearchWordType32Units);
  }
  return 0;
}
