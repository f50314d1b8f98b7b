#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/temp_dir.h"
#include "windows/bookmark_matching_logic.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kelvo {
namespace {

class FakeMatchingView : public BookmarkMatchingView {
public:
    void setBookmarkRows(const std::vector<BookmarkListRow>& rows) override { bookmarks = rows; }
    void setCommandRows(const std::vector<CommandListRow>& rows) override { commands = rows; }
    void setWide(bool wide) override { this->wide = wide; }
    bool filterTicked() const override { return false; }
    void setBusyPointer(bool) override {}
    void showWindow() override {}
    void showPhraseEditor(const BookmarkListRow& row) override {
        edited.push_back(row.website);
        // The editor saved a command meanwhile.
        std::ofstream(store) << "<cset><c d=\"go news\" u=\"http://b/\">go news</c></cset>";
    }
    std::vector<BookmarkListRow> bookmarks;
    std::vector<CommandListRow> commands;
    bool wide = true;
    std::vector<std::string> edited;
    std::filesystem::path store;
};

struct MatchingRig {
    MatchingRig() {
        view.store = files.customStore();
        std::ofstream(files.customStore()) << "<cset><c d=\"\" u=\"http://hidden/\"/></cset>";
        logic.formLoad();
        logic.listBookmark("Firefox", "beta", "http://b/", "");
        logic.listBookmark("Safari", "Alpha", "http://a/", "");
        logic.listBookmark("Firefox", "gamma", "http://c/", "");
        logic.showWindow();
    }
    std::vector<std::string> descriptions() const {
        std::vector<std::string> out;
        for (const auto& row : view.bookmarks) {
            out.push_back(row.description);
        }
        return out;
    }
    fakes::TempDir dir;
    CatalogueFiles files{dir.path(), dir.path()};
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    std::vector<std::string> opened;
    FakeMatchingView view;
    BookmarkMatchingLogic logic{
        view, {boxes, files, [this](const std::string& a) { opened.push_back(a); }, {}, {}}};
};

TEST(BookmarkMatchingLogic, HeaderClicksSortDescendingThenAscending) {
    MatchingRig rig;
    EXPECT_FALSE(rig.view.wide);
    EXPECT_TRUE(rig.view.commands.empty());
    EXPECT_EQ(rig.descriptions(), (std::vector<std::string>{"beta", "Alpha", "gamma"}));
    rig.logic.bookmarkHeaderClicked(BookmarkColumn::Description);
    EXPECT_EQ(rig.descriptions(), (std::vector<std::string>{"gamma", "beta", "Alpha"}));
    rig.logic.bookmarkHeaderClicked(BookmarkColumn::Description);
    EXPECT_EQ(rig.descriptions(), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    rig.logic.bookmarkHeaderClicked(BookmarkColumn::Source);
    EXPECT_EQ(rig.view.bookmarks.front().source, "Safari");
}

TEST(BookmarkMatchingLogic, OnlyATickOpensAndADoubleClickMakesACommand) {
    MatchingRig rig;
    rig.logic.bookmarkTicked(1, true);
    rig.logic.bookmarkTicked(1, false);
    rig.logic.bookmarkTicked(1, true);
    EXPECT_EQ(rig.opened, (std::vector<std::string>{"http://a/", "http://a/"}));

    rig.logic.bookmarkDoubleClicked(std::nullopt);
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].message, "An item was not selected.");
    rig.logic.bookmarkDoubleClicked(0);
    EXPECT_EQ(rig.view.edited, std::vector<std::string>{"http://b/"});
    EXPECT_EQ(rig.view.commands, (std::vector<CommandListRow>{{"go news", "http://b/"}}));
}

TEST(BookmarkMatchingLogic, ADamagedStoreListsNoCommandAndOpensNoErrorWindow) {
    MatchingRig rig;
    std::ofstream(rig.files.customStore()) << "<cset><c d=\"go news\" u=\"http://b/\">go";
    rig.logic.loadCurrentVoiceCommands();
    EXPECT_TRUE(rig.view.commands.empty());
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

} // namespace
} // namespace kelvo
