#pragma once

#include "ui/busy_pointer.h"
#include "windows/bookmark_matching_logic.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QTreeWidget;

namespace kelvo {

/// The matching window frmMatchBookmarks: the bookmark list with a box per
/// row, the list of custom commands beside it, the filter and show boxes.
/// Behaviour lives in BookmarkMatchingLogic; this class only shows and
/// forwards.
class BookmarkMatchingWindow final : public QWidget, public BookmarkMatchingView {
    Q_OBJECT
public:
    /// Runs the phrase editor for a row, modal over the given parent.
    using EditorRunner = std::function<void(const BookmarkListRow&, QWidget* parent)>;

    BookmarkMatchingWindow(BookmarkMatchingServices services, EditorRunner runEditor);

    BookmarkMatchingLogic& logic() { return m_logic; }

    // BookmarkMatchingView
    void setBookmarkRows(const std::vector<BookmarkListRow>& rows) override;
    void setCommandRows(const std::vector<CommandListRow>& rows) override;
    void setWide(bool wide) override;
    bool filterTicked() const override;
    void setBusyPointer(bool busy) override;
    void showWindow() override;
    void showPhraseEditor(const BookmarkListRow& row) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeWidget* m_bookmarks = nullptr;
    QTreeWidget* m_commands = nullptr;
    QCheckBox* m_filter = nullptr;
    QCheckBox* m_showCommands = nullptr;
    EditorRunner m_runEditor;
    bool m_filling = false;
    BusyPointer m_busy;
    BookmarkMatchingLogic m_logic;
};

} // namespace kelvo
