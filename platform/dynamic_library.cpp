#include "platform/dynamic_library.h"

#include <dlfcn.h>

namespace platform {

uintptr_t LoadLibraryNamed(const std::string &name) {
  if (name.empty()) return 0;
  void *handle = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr && name.size() > 4 && name.compare(name.size() - 4, 4, ".dll") == 0) {
    const std::string so = name.substr(0, name.size() - 4) + ".so";
    handle = ::dlopen(so.c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  return reinterpret_cast<uintptr_t>(handle);
}

void *LibraryFunction(uintptr_t handle, const std::string &function_name) {
  if (handle == 0 || function_name.empty()) return nullptr;
  return ::dlsym(reinterpret_cast<void *>(handle), function_name.c_str());
}

bool FreeLibraryHandle(uintptr_t handle) {
  if (handle == 0) return false;
  return ::dlclose(reinterpret_cast<void *>(handle)) == 0;
}

}  // namespace platform
