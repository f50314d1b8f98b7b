#include "speech/command_list_port.h"

namespace kelvo {

ListHeader headerOf(CommandList list) {
    switch (list) {
    case CommandList::Stuff:
        return {"Stuff", 1455};
    case CommandList::Places:
        return {"Places", 1355};
    case CommandList::PureFun:
        return {"Pure Fun", 11695};
    case CommandList::Searches:
        return {"Searches", 1850};
    case CommandList::SpellSearches:
        return {"Spell Searches", 1850};
    case CommandList::MySpace:
        return {"More Voice Commands", 2500};
    case CommandList::Facebook:
        return {"Voice Commands", 2500};
    }
    return {"", 0};
}

} // namespace kelvo
