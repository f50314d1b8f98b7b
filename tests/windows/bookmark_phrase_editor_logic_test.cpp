#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "windows/bookmark_phrase_editor_logic.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

class FakeEditorView : public BookmarkPhraseEditorView {
public:
    void setBookmark(const std::string& website, const std::string&, const std::string&) override {
        shownWebsite = website;
    }
    std::string phraseText() const override { return typed; }
    void closeEditor() override { closed = true; }
    std::string shownWebsite;
    std::string typed;
    bool closed = false;
};

TEST(BookmarkPhraseEditor, PhraseAsSaved) {
    const std::pair<const char*, const char*> cases[] = {
        {"Go My Space Page", "go myspace page"},
        {"my FaceBook wall", "my face book wall"},
        {"  C N N  ", "c n n"},
        {" \t ", ""},
    };
    for (const auto& [typed, saved] : cases) {
        EXPECT_EQ(bookmarkPhrase(typed), saved) << typed;
    }
}

TEST(BookmarkPhraseEditor, SavesAsABookmarkCommandAndClosesOnlyWhenSaved) {
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    MessageBoxState state;
    MessageBoxes boxes(state, dialogs, app);
    FakeEditorView view;
    std::vector<std::string> saves;
    bool accept = false;
    BookmarkPhraseEditorLogic logic(
        view, boxes, [&](std::string_view kind, const std::string& phrase, const std::string& to) {
            saves.push_back(std::string(kind) + "|" + phrase + "|" + to);
            return accept;
        });
    logic.open("http://news/", "Firefox", "News");
    logic.saveClicked();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title + "|" + dialogs.shown[0].message,
              "Missing Data|Please complete step 1.");
    view.typed = "Go News";
    logic.saveClicked();
    EXPECT_FALSE(view.closed);
    accept = true;
    logic.saveClicked();
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(saves, (std::vector<std::string>(2, "CustomBookmark|go news|http://news/")));
}

} // namespace
} // namespace kelvo
