// QV7GeneralRuntimePack2's main unit: the version of the package.
#pragma once

extern "C" const char *QV7GeneralRuntimePack2Version();
