#pragma once

#include "windows/bookmark_phrase_editor_logic.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace kelvo {

/// The phrase editor frmCustomEditBookmark, shown modal: the bookmark, the
/// words to say, Save and Cancel. Behaviour lives in
/// BookmarkPhraseEditorLogic; this class only shows and forwards.
class BookmarkPhraseEditorWindow final : public QDialog, public BookmarkPhraseEditorView {
    Q_OBJECT
public:
    BookmarkPhraseEditorWindow(MessageBoxes& boxes, SaveCustomCommand save,
                               QWidget* parent = nullptr);

    BookmarkPhraseEditorLogic& logic() { return m_logic; }

    // BookmarkPhraseEditorView
    void setBookmark(const std::string& website, const std::string& source,
                     const std::string& description) override;
    std::string phraseText() const override;
    void closeEditor() override;

private:
    QLabel* m_website = nullptr;
    QLabel* m_source = nullptr;
    QLabel* m_description = nullptr;
    QLineEdit* m_phrase = nullptr;
    BookmarkPhraseEditorLogic m_logic;
};

} // namespace kelvo
