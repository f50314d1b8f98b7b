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
    std::string appLanguage;
};

} // namespace kelvo
