#pragma once

namespace store {

// Stops the process at a named moment, as a kill at that moment would, when
// the environment variable ZORAVIN_FAULT_POINT names it. Tests use it to
// prove that work spanning two databases or a folder rename can be cut at
// its worst moment and still be finished; without the variable it does
// nothing.
namespace FaultInjection {

void reach(const char* point);

} // namespace FaultInjection
} // namespace store
