// Enabled states of the pass commands. Tests: tests/search/PassCommandsTest.cpp.

#include "search/PassCommands.h"

namespace morvane::search {

PassCommandStates UpdatePassCommands(const PassCommandInputs& inputs)
{
    const bool ready = inputs.workPageActive && inputs.itemSelected
        && (inputs.markedCount >= 1 || inputs.selectedName != "..");
    PassCommandStates states;
    states.passes = ready;
    states.find = ready || inputs.colourSetupMode;
    states.replacePassim = ready && !inputs.colourSetupMode;
    return states;
}

} // namespace morvane::search
