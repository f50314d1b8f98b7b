#pragma once

#include <string>
#include <vector>

namespace kelvo {

/// One detected chat or webcam program: its display name and its command.
struct ChatProgram {
    std::string name;
    std::string command;
};

/// At most this many detected programs are kept.
inline constexpr int kMaxChatPrograms = 31;

/// What the main window keeps for the whole run and other parts read.
struct MainWindowState {
    std::vector<ChatProgram> chatPrograms;
    /// Command (path) and display name of the chosen webcam or chat program.
    std::string sChatClient;
    std::string sChatClientName;
    /// Set once the login rows are listed; the login phrases act only then.
    bool facebookLoginShown = false;
    bool myspaceLoginShown = false;
    std::string appLanguage;
};

} // namespace kelvo
