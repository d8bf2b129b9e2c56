#include "platform/yield_hook.h"

namespace platform {

namespace {
YieldHook g_hook;
}

void SetYieldHook(YieldHook hook) {
  g_hook = hook;
}

YieldHook GetYieldHook() {
  return g_hook;
}

void CallYieldHook() {
  if (g_hook.code != nullptr) g_hook.code(g_hook.object);
}

}  // namespace platform
