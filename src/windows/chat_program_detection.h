#pragma once

#include "windows/main_window_state.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// The folders that hold desktop entries, most important first:
/// $XDG_DATA_HOME/applications, then each of $XDG_DATA_DIRS. Empty or unset
/// variables take their XDG defaults (home/.local/share, /usr/local/share
/// and /usr/share).
std::vector<std::filesystem::path> applicationFolders(const char* dataHome, const char* dataDirs,
                                                      const std::filesystem::path& home);

/// The installed chat and video-call programs: desktop entries of type
/// Application whose categories hold InstantMessaging, Chat or
/// VideoConference and that are not hidden. An entry found in an earlier
/// folder hides one of the same id in a later folder. Within a folder the
/// order is by file name. At most maxCount programs; unreadable files and
/// folders are skipped.
std::vector<ChatProgram> detectChatPrograms(const std::vector<std::filesystem::path>& folders,
                                            int maxCount = kMaxChatPrograms);

/// Reads one desktop entry; empty name when it is not a chat program.
ChatProgram parseChatDesktopEntry(std::string_view text);

/// The command of an Exec line with its field codes (%f, %U, ...) removed.
std::string stripExecFieldCodes(std::string_view exec);

/// Splits a command as desktop entries quote it: blanks separate
/// arguments, double quotes group them, and inside quotes a backslash
/// escapes ", `, $ and \. Empty when the quoting is broken.
std::vector<std::string> splitExecCommand(std::string_view command);

/// The argument list that starts a stored chat program: a stored text that
/// names an existing file is that one program, anything else is a command
/// line split as above.
std::vector<std::string> chatProgramArguments(const std::string& stored);

/// Quotes one argument so that splitExecCommand gives it back unchanged.
std::string quoteExecArgument(std::string_view arg);

} // namespace kelvo
