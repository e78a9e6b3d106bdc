#pragma once

#include "app/ProductRegistry.h"
#include "services/MachineCode.h"

// The "/makemachine" run: computes the machine code from probe and stores it
// machine-wide, unless a code is stored already. Without administrator
// rights the write fails quietly and the next start asks again.
void StoreMachineCodeOnce(const ProductRegistry& registry, MachineProbe& probe);

// Starts this program elevated ("runas") with "/makemachine" and waits for it
// up to 3 s. False only when the user refused the elevation, after the
// message "CancelLed"; the code is read from the registry again afterwards.
bool RequestElevatedMachineCode();
