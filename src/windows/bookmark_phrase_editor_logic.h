#pragma once

#include "services/message_boxes.h"
#include "windows/bookmark_phrase_editor_view.h"

#include <functional>
#include <string>
#include <string_view>

namespace kelvo {

/// Saves a custom command: kind, phrase, target; true when it was saved
/// (a refusal has shown its own message).
using SaveCustomCommand = std::function<bool(std::string_view kind, const std::string& phrase,
                                             const std::string& target)>;

/// The phrase as the bookmark editor saves it: lower case, blanks at the
/// ends dropped, "my space" joined to "myspace" and "facebook" split into
/// "face book", as the grammar knows those words.
std::string bookmarkPhrase(std::string_view typed);

/// The phrase editor frmCustomEditBookmark: the words to say for one
/// bookmark, saved as a custom command of kind "CustomBookmark".
class BookmarkPhraseEditorLogic {
public:
    BookmarkPhraseEditorLogic(BookmarkPhraseEditorView& view, MessageBoxes& boxes,
                              SaveCustomCommand save);

    void open(const std::string& website, const std::string& source,
              const std::string& description);
    void saveClicked();
    void cancelClicked();

private:
    BookmarkPhraseEditorView& m_view;
    MessageBoxes& m_boxes;
    SaveCustomCommand m_save;
    std::string m_website;
};

} // namespace kelvo
