#pragma once

#include "windows/generated_page.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace kelvo {

class MessageBoxes;

/// Every help topic the program opens: a page of the help folder, with an
/// anchor after "#" for some.
std::span<const std::string_view> helpTopics();

/// The help pages in the program folder, opened in the user's browser.
class HelpTopics {
public:
    /// helpFolder holds the pages; redirectFolder (the data folder) takes
    /// the forwarding page that keeps a topic's anchor.
    HelpTopics(std::filesystem::path helpFolder, std::filesystem::path redirectFolder,
               OpenAddress open, MessageBoxes& boxes);

    /// Opens a topic such as "tab_search.html#search_local". A page that is
    /// missing or could not be opened is said in a notice, never silently.
    void open(std::string_view topic);

    /// The page file of a topic (its anchor dropped).
    std::filesystem::path pageFile(std::string_view topic) const;

private:
    std::filesystem::path m_helpFolder;
    std::filesystem::path m_redirectFolder;
    OpenAddress m_open;
    MessageBoxes& m_boxes;
};

} // namespace kelvo
