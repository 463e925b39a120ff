// System module: the host's checklist, which PerformCheckListForLimbs fills.
#include "impl.h"
#include "system_state.h"

namespace hostsim {

std::vector<int> checklist;

void reset_system() { checklist.clear(); }

namespace impl {

int System_ChecklistQuantity() { return static_cast<int>(checklist.size()); }
void System_EmptyChecklist() { checklist.clear(); }

}  // namespace impl
}  // namespace hostsim
