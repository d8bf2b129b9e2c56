#include "runtime1/files/logging_utilities.h"

TYieldProcessProc AYieldProcessProc;

void MyYieldProcess() {
  if (AYieldProcessProc) AYieldProcessProc();
}
