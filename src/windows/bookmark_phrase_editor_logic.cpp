#include "windows/bookmark_phrase_editor_logic.h"

#include "platform/ascii_text.h"
#include "speech/custom_command_editor.h"

namespace kelvo {

namespace {

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

} // namespace

std::string bookmarkPhrase(std::string_view typed) {
    const size_t first = typed.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    typed = typed.substr(first, typed.find_last_not_of(" \t") - first + 1);
    std::string phrase;
    for (char c : typed) {
        phrase.push_back(asciiLower(c));
    }
    replaceAll(phrase, "my space", "myspace");
    replaceAll(phrase, "facebook", "face book");
    return phrase;
}

BookmarkPhraseEditorLogic::BookmarkPhraseEditorLogic(BookmarkPhraseEditorView& view,
                                                     MessageBoxes& boxes, SaveCustomCommand save)
    : m_view(view), m_boxes(boxes), m_save(std::move(save)) {}

void BookmarkPhraseEditorLogic::open(const std::string& website, const std::string& source,
                                     const std::string& description) {
    m_website = website;
    m_view.setBookmark(website, source, description);
}

void BookmarkPhraseEditorLogic::saveClicked() {
    const std::string phrase = bookmarkPhrase(m_view.phraseText());
    if (phrase.empty()) {
        m_boxes.custMsgBox("Missing Data", "ok", "Please complete step 1.", true);
        return;
    }
    if (m_save && m_save(kCustomBookmark, phrase, m_website)) {
        m_view.closeEditor();
    }
}

void BookmarkPhraseEditorLogic::cancelClicked() {
    m_view.closeEditor();
}

} // namespace kelvo
