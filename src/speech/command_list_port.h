#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// The command lists of the main window that the catalogue code fills.
enum class CommandList {
    Stuff,         // lstvwWebCommands1, catalogue category "1"
    Places,        // lstvwWebCommands2, category "2"
    PureFun,       // lstvwWebCommands4, category "4"
    Searches,      // lstvwRegSearch, category "3"
    SpellSearches, // lstvwSpellSearch, category "3" with "spellsearch"
    MySpace,       // lstviewMySpace, category "5" after the fixed rows
    Facebook,      // lstViewFacebook, category "6" after the fixed rows
};

/// Column header of a list: its text and width in twips.
struct ListHeader {
    std::string_view text;
    int widthTwips;
};

/// Header of each catalogue list, and the two of the custom list.
ListHeader headerOf(CommandList list);
inline constexpr ListHeader kCustomPhraseHeader{"Command", 1500};
inline constexpr ListHeader kCustomTargetHeader{"Website/Program", 4450};

/// One row of the custom-command list: the phrase and its target.
struct CustomListRow {
    std::string phrase;
    std::string target;
    bool operator==(const CustomListRow&) const = default;
};

/// How the core hands its lists to the main window, which owns the list
/// views. src/ui implements it with Qt; tests with a recording fake.
class CommandListPort {
public:
    virtual ~CommandListPort() = default;

    /// Replaces the rows of a catalogue list, in the order given, with its
    /// header from headerOf(). For the two social lists it replaces only the
    /// catalogue rows; the window's fixed rows stay in front of them.
    virtual void setCatalogueRows(CommandList list, const std::vector<std::string>& rows) = 0;

    /// Replaces the rows of the custom-command list, in the order given.
    virtual void setCustomRows(const std::vector<CustomListRow>& rows) = 0;
};

} // namespace kelvo
