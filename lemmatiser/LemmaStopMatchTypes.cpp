#include "lemmatiser/LemmaStopMatchTypes.h"

#include <algorithm>

namespace lemmatiser {

namespace {

constexpr std::u16string_view kNames[kListKinds] = {u"lemmas", u"match list", u"stop list",
                                                    u"relation list"};
constexpr std::u16string_view kFiles[kListKinds] = {u"lemmas file %s", u"match list file %s",
                                                    u"stop list file %s", u"relation list file %s"};

}  // namespace

std::u16string_view LemmaMatchStopnames_of_processes(TLemmaMatchStopOptions kind) {
  return kNames[kind % kListKinds];
}

std::u16string_view LemmaMatchStopFiles(TLemmaMatchStopOptions kind) {
  return kFiles[kind % kListKinds];
}

std::u16string LemmaMatchStopFileTypeStr(TLemmaMatchStopOptions kind, std::u16string_view s) {
  std::u16string text(LemmaMatchStopFiles(kind));
  const size_t at = text.find(u"%s");
  if (at != std::u16string::npos) text.replace(at, 2, s);
  return text;
}

TSharedResultBuffers &SharedBuffers() {
  static TSharedResultBuffers buffers;
  return buffers;
}

const char *FillAnsiBuffer(std::string_view text) {
  auto &buffer = SharedBuffers().ansi;
  buffer.fill(0);
  const size_t n = std::min(text.size(), buffer.size() - 1);
  std::copy_n(text.begin(), n, buffer.begin());
  return buffer.data();
}

const char16_t *FillWideBuffer(std::u16string_view text) {
  auto &buffer = SharedBuffers().wide;
  buffer.fill(0);
  const size_t n = std::min(text.size(), buffer.size() - 1);
  std::copy_n(text.begin(), n, buffer.begin());
  return buffer.data();
}

bool HasAffixes(std::u16string_view text) {
  const size_t open = text.find(u'<');
  return open != std::u16string_view::npos &&
         text.find(u'>', open + 1) != std::u16string_view::npos;
}

}  // namespace lemmatiser
