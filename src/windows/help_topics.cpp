#include "windows/help_topics.h"

#include "services/message_boxes.h"

#include <array>
#include <system_error>

namespace kelvo {

namespace {

constexpr std::array<std::string_view, 28> kTopics = {
    "index.html",
    "default.html",
    "quickstart.html",
    "installation.html",
    "using.html",
    "tab_basiccommands.html",
    "tab_stuff.html",
    "tab_places.html",
    "tab_fun.html",
    "tab_customcommands.html",
    "tab_music.html",
    "tab_bookmark.html",
    "tab_bookmark.html#bookmark_import",
    "tab_bookmark.html#bookmark_search",
    "tab_search.html",
    "tab_search.html#search_regular",
    "tab_search.html#search_spell",
    "tab_search.html#search_local",
    "tab_social.html",
    "tab_options.html",
    "tips.html",
    "mac.html",
    "faq.html",
    "glossary.html",
    "license.html",
    "copyright.html",
    "training.html",
    "mic.html",
};

std::string_view pageOf(std::string_view topic) {
    return topic.substr(0, topic.find('#'));
}

std::string_view anchorOf(std::string_view topic) {
    const size_t hash = topic.find('#');
    return hash == std::string_view::npos ? std::string_view() : topic.substr(hash + 1);
}

} // namespace

std::span<const std::string_view> helpTopics() {
    return kTopics;
}

HelpTopics::HelpTopics(std::filesystem::path helpFolder, std::filesystem::path redirectFolder,
                       OpenAddress open, MessageBoxes& boxes)
    : m_helpFolder(std::move(helpFolder)), m_redirectFolder(std::move(redirectFolder)),
      m_open(std::move(open)), m_boxes(boxes) {}

std::filesystem::path HelpTopics::pageFile(std::string_view topic) const {
    return m_helpFolder / pageOf(topic);
}

void HelpTopics::open(std::string_view topic) {
    const std::filesystem::path page = pageFile(topic);
    std::error_code error;
    Status opened = std::filesystem::is_regular_file(page, error)
                        ? openLocalPage(page, anchorOf(topic), m_redirectFolder, m_open)
                        : Status::failure(error_number::kFileNotFound,
                                          "The help page " + page.string() + " is missing.");
    if (!opened) {
        m_boxes.showNotice("kelvo Help", opened.message(), 1, false);
    }
}

} // namespace kelvo
