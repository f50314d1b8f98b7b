#pragma once

#include "platform/status.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// The text of the data folder's file for an operating-system word: "xp"
/// reads "xp.txt", "vista" "vista.txt". The file's items (separated by
/// commas or line ends, enclosing double quotes removed) each come preceded
/// by CR LF. Fails for any other word and for a file that can't be read.
Result<std::string> readOsTextFile(std::string_view word, const std::filesystem::path& dataFolder);

/// The items of a free-format text: separated by commas or line ends, blanks
/// around an item dropped, a double-quoted item taken up to its closing
/// quote with commas kept. A blank line is one empty item.
std::vector<std::string> freeFormatItems(std::string_view text);

} // namespace kelvo
