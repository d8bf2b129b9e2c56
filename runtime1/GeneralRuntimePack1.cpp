// The package's main unit: what identifies the package at run time.
#include "runtime1/GeneralRuntimePack1.h"

extern "C" const char *QV7GeneralRuntimePack1Version() {
  return "0.1.0";
}
