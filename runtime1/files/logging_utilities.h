// Process-wide services of the runtime packages: the cooperative yield hook through which long
// loops keep the host's user interface alive.
#pragma once

#include <functional>

// The yield hook: a parameterless procedure bound to an object, unassigned at package start.
// Code that must not yield saves it, empties it and restores it afterwards.
using TYieldProcessProc = std::function<void()>;
extern TYieldProcessProc AYieldProcessProc;

// Calls AYieldProcessProc when it is assigned; otherwise does nothing. Long loops call it once
// per item or step.
void MyYieldProcess();
