#pragma once

#include <memory>

#include "services/MachineCode.h"

// The machine's own disks (SMART, then the SCSI miniport) and BIOS area (the
// physical-memory section through ntdll). Each query that fails answers
// nothing; under Wine all of them do.
std::unique_ptr<MachineProbe> SystemMachineProbe();
