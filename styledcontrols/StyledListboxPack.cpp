#include "styledcontrols/StyledListboxPack.h"

extern "C" const char *QV7StyledListboxPackVersion() {
  return "0.1.0";
}
