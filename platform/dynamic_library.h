// Loading one function from a shared library by name. Replaces LoadLibrary, GetProcAddress
// and FreeLibrary with dlopen, dlsym and dlclose; a handle is a pointer-sized value, not a
// 32-bit module handle. A name ending in ".dll" that cannot be loaded is tried again with ".so".
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Loads a library (a path, or a name the dynamic loader searches for); 0 on failure.
uintptr_t LoadLibraryNamed(const std::string &name);
// The address of an exported function; null when the handle is 0 or the name is absent.
void *LibraryFunction(uintptr_t handle, const std::string &function_name);
// Releases a loaded library; false when the handle is 0 or the loader refused.
bool FreeLibraryHandle(uintptr_t handle);

}  // namespace platform
