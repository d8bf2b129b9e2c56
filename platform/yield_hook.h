// The cooperative yield hook: a process-wide callback that long operations call between steps
// so that the host can keep its user interface alive and deliver a cancel request.
// Stands in for the platform's message pump. Linux has no thread message queue, so the hook
// does nothing until a host installs its own pump. Each deliverable links its own copy of this
// unit and therefore has its own hook.
#pragma once

namespace platform {

struct YieldHook {
  void (*code)(void *object) = nullptr;
  void *object = nullptr;
};

// Replaces the process-wide hook; a hook with a null code address turns yielding off.
void SetYieldHook(YieldHook hook);
YieldHook GetYieldHook();

// Calls the hook when one is installed.
void CallYieldHook();

}  // namespace platform
