#include "runtime2/GeneralRuntimePack2.h"

extern "C" const char *QV7GeneralRuntimePack2Version() {
  return "0.1.0";
}
