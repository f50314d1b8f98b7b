#pragma once

#include "speech/diagnostic_list.h"
#include "speech/search_address.h"

#include <string>

namespace kelvo {

/// Primary mouse button of a right-handed and a left-handed user.
inline constexpr int kRightHanded = 1;
inline constexpr int kLeftHanded = 2;

/// What the recognition road keeps for the whole run.
struct DispatchState {
    /// 1 right-handed, 2 left-handed; set at start and by the Options tab.
    int mouseHandedness = kRightHanded;
    /// The chosen webcam or chat program (command line) and its name.
    std::string sChatClient;
    std::string sChatClientName;
    /// Set by the social list when the login switches are on.
    bool facebookLoginShown = false;
    bool myspaceLoginShown = false;
    /// The location last chosen by a select phrase or a local search.
    std::string currentLocation;
    /// Display words of the last catalogue command carried out.
    std::string lastCommandText;
    /// The search waiting for its words, and those words once heard.
    PendingSearch pendingSearch;
    std::string gsSearchPhrase;
    /// "zip", "city" or empty: a location dictation waiting for its words.
    std::string dictationMode;
    /// Lines of the diagnostic window.
    DiagnosticList diagnostics;
};

} // namespace kelvo
