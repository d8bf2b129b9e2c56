// QV7GeneralRuntimePack1's main unit: the version of the package.
#pragma once

extern "C" const char *QV7GeneralRuntimePack1Version();
