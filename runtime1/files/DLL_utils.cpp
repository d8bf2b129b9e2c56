#include "runtime1/files/DLL_utils.h"

#include "platform/dynamic_library.h"
#include "platform/utf16_text.h"

void FindLibraryFunction(const std::u16string &library_name, const std::u16string &function_name,
                         Tlibrary_rec &record) {
  record = Tlibrary_rec{};
  const uintptr_t handle = platform::LoadLibraryNamed(platform::Utf16ToUtf8(library_name));
  if (handle == 0) return;
  record.Hinst = handle;
  record.FPointer = platform::LibraryFunction(handle, platform::Utf16ToUtf8(function_name));
}

bool CloseLibraryFunction(Tlibrary_rec &record) {
  const bool ok = platform::FreeLibraryHandle(record.Hinst);
  record = Tlibrary_rec{};
  return ok;
}
