#include "tactical/tma/tma_selection.h"

#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/world_lists.h"
#include "tactical/tma/tma_state.h"

namespace q71 {

ContactRecord* tmaSelectedContact() {
    TmaState& state = tmaState();
    if (!state.selected)
        return nullptr;
    if (const OwnShipEntity* own = worldOwnSubmarine())
        for (auto* node = own->contacts.head(); node; node = node->next)
            if (node->item == state.selected)
                return state.selected;
    state.selected = nullptr;
    state.firstIndex = -1;
    state.firstText.clear();
    return nullptr;
}

} // namespace q71
