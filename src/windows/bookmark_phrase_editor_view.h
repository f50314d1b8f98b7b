#pragma once

#include <string>

namespace kelvo {

/// The phrase editor frmCustomEditBookmark as its logic sees it. Calls
/// never fail; text is plain text.
class BookmarkPhraseEditorView {
public:
    virtual ~BookmarkPhraseEditorView() = default;

    /// The bookmark the command is made from.
    virtual void setBookmark(const std::string& website, const std::string& source,
                             const std::string& description) = 0;
    /// The words typed in the phrase box.
    virtual std::string phraseText() const = 0;
    /// Closes the editor.
    virtual void closeEditor() = 0;
};

} // namespace kelvo
