#pragma once

#include <string_view>

namespace kelvo {

/// What a custom-command save needs of the rest of the program once both
/// files are written. The program wires it to the bookmark dialog and the
/// engine; tests use a recording fake.
class CustomCommandHooks {
public:
    virtual ~CustomCommandHooks() = default;

    /// Refreshes the bookmark matching window's check box and its list of
    /// current voice commands; does nothing when the window is not open.
    virtual void refreshBookmarkMatching() = 0;

    /// True when the grammar the recognizer has loaded now holds a rule of
    /// that name; false when no grammar is loaded.
    virtual bool loadedGrammarHasRule(std::string_view ruleName) = 0;

    /// Sleeps (-1) or wakes (1), loading that state's grammar file again.
    virtual void muteUnmute(int mode) = 0;
};

} // namespace kelvo
