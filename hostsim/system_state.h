// State of the stand-in system module: the host's checklist.
#pragma once
#include <vector>

#include "hostsim.h"

namespace hostsim {

// Limb numbers that PerformCheckListForLimbs put in the host's checklist.
HS_API extern std::vector<int> checklist;

}  // namespace hostsim
