#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/temp_dir.h"
#include "ui/bookmark_import_window.h"
#include "ui/bookmark_matching_window.h"
#include "ui/bookmark_phrase_editor_window.h"
#include "ui_test_helpers.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <fstream>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

class NoHttp : public HttpClient {
public:
    std::string httpPost(std::string_view, std::string_view) override { return {}; }
};

// The three bookmark windows drawn and clicked as a user does: build from a
// Favorites folder, tick a row, double click it and save a phrase.
TEST(BookmarkWindows, BuildTickAndMakeACommand) {
    fakes::TempDir dir;
    fs::create_directories(dir / "Favorites");
    std::ofstream(dir / "Favorites/News.url") << "[InternetShortcut]\nURL=http://news/\n";
    std::ofstream(dir / "commands_customfree.xml") << "<cset/>";
    const CatalogueFiles files{dir.path(), dir.path()};
    fakes::FakeErrorSink errors;
    SettingsFile settings(dir / "mouse.ini", errors);
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    MessageBoxState boxState;
    MessageBoxes boxes(boxState, dialogs, app);
    BookmarkState state;
    NoHttp http;
    std::vector<std::string> opened;
    std::vector<std::string> saved;
    bookmarks::BookmarkStores stores;
    stores.favoritesFolder = dir / "Favorites";

    BookmarkImportWindow* importWindow = nullptr;
    auto* matching = new BookmarkMatchingWindow(
        {boxes,
         files,
         [&](const std::string& a) { opened.push_back(a); },
         [&](const std::string& filter) { importWindow->logic().reImportBookmarks(filter); },
         {}},
        [&](const BookmarkListRow& row, QWidget* parent) {
            BookmarkPhraseEditorWindow editor(
                boxes,
                [&](std::string_view, const std::string& phrase, const std::string& target) {
                    saved.push_back(phrase + " -> " + target);
                    return true;
                },
                parent);
            editor.logic().open(row.website, row.source, row.description);
            testing::whenShown("frmCustomEditBookmark", [](QWidget* window) {
                window->findChild<QLineEdit*>("txtCommand")->setText("Read The News");
                testing::clickChild(window, "cmdSaveClose");
            });
            editor.exec();
        });
    importWindow =
        new BookmarkImportWindow({state,
                                  settings,
                                  boxes,
                                  http,
                                  [&]() -> BookmarkMatchingLogic& { return matching->logic(); },
                                  [&] { return stores; },
                                  {},
                                  {}});
    importWindow->show();
    // A box's click lands on its caption, not wherever its row ends.
    importWindow->findChild<QCheckBox*>("ckIE")->click();
    testing::clickChild(importWindow, "Command2");
    ASSERT_TRUE(dialogs.shown.empty());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(matching));
    auto* list = matching->findChild<QTreeWidget*>("ListView1");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "Internet Explorer");

    list->topLevelItem(0)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(opened, std::vector<std::string>{"http://news/"});
    const QPoint row = list->visualItemRect(list->topLevelItem(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
    EXPECT_EQ(saved, std::vector<std::string>{"read the news -> http://news/"});
    // A double click below the rows, with a row still selected, is on no row.
    ASSERT_TRUE(dialogs.shown.empty());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       QPoint(row.x(), list->viewport()->height() - 4));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].message, "An item was not selected.");
    EXPECT_EQ(saved.size(), 1u);

    importWindow->findChild<QCheckBox*>("ckDL")->click();
    EXPECT_TRUE(importWindow->findChild<QWidget*>("Picture2")->isVisible());
    delete importWindow;
    delete matching;
}

} // namespace
} // namespace kelvo
