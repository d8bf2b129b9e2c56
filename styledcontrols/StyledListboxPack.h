// QV7StyledListboxPack's main unit: the version of the package.
#pragma once

extern "C" const char *QV7StyledListboxPackVersion();
