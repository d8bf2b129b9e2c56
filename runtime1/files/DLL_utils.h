// Loading one function from a shared library by name, and releasing the library.
#pragma once

#include <cstdint>
#include <string>

// The function found (or null) and the library's handle (or 0). The handle is pointer-sized.
struct Tlibrary_rec {
  void *FPointer = nullptr;
  uintptr_t Hinst = 0;
};

// Clears the record; loads the library by name (a ".dll" name is also tried as ".so"); when
// it loads, stores its handle in Hinst and the function's address in FPointer (null when the
// library has no such function). A library that does not load leaves the record cleared.
void FindLibraryFunction(const std::u16string &library_name, const std::u16string &function_name,
                         Tlibrary_rec &record);

// Releases the library by Hinst, clears the record and returns whether the release succeeded
// (false for a record without a handle).
bool CloseLibraryFunction(Tlibrary_rec &record);
