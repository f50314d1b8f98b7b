#include "windows/delete_command_logic.h"

#include "fakes/custom_editor_rig.h"
#include "fakes/fake_dialog_views.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "speech/custom_command_store.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

class DeleteCommandLogicTest : public ::testing::Test, protected fakes::CustomEditorRig {
protected:
    DeleteCommandLogicTest() {
        writeFiles(dir.path(), "<GRAMMAR><Grammar/></GRAMMAR>");
        for (const char* phrase : {"go fish", "don't panic"}) {
            EXPECT_TRUE(editor.saveCustomCommand(kCustomStandard, phrase, "http://a.example"));
        }
        hooks.calls.clear();
    }
    void write(const std::filesystem::path& file, const std::string& text) {
        ASSERT_TRUE(writeFileAtomically(file, text).ok());
    }
    std::vector<std::string> storedPhrases() {
        std::vector<std::string> phrases;
        const std::vector<CustomCommand> commands =
            readCustomCommandStore(files.customStore()).value();
        for (const CustomCommand& command : commands) {
            phrases.push_back(command.phrase);
        }
        return phrases;
    }

    fakes::TempDir dir;
    fakes::FakeDeleteCommandView view;
    DeleteCommandLogic logic{view, editor, lists, files, hooks, boxes};
};

TEST_F(DeleteCommandLogicTest, YesDeletesThePhraseItAskedAbout) {
    logic.open("go fish");
    // Asked again while open (another row chosen meanwhile): the newer one.
    logic.open("don't panic");
    EXPECT_EQ(view.question, "Are you sure you want to delete voice command 'don't panic'?");
    logic.yesClicked();
    EXPECT_EQ(storedPhrases(), (std::vector<std::string>{"go fish"}));
    EXPECT_EQ(fakes::grammarRuleNames(files.grammar()), (std::vector<std::string>{"go fish"}));
    EXPECT_EQ(port.customRows, (std::vector<CustomListRow>{{"go fish", "http://a.example"}}));
    EXPECT_EQ(hooks.calls, (std::vector<std::string>{"muteUnmute 1"}));
    EXPECT_EQ(view.calls, (std::vector<std::string>{"show", "show", "close"}));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(DeleteCommandLogicTest, AsleepStaysAsleepAndNoLeavesEverything) {
    hooks.loadedRules.insert(kSleepRuleName);
    logic.open("go fish");
    logic.noClicked();
    EXPECT_EQ(storedPhrases().size(), 2u);
    EXPECT_TRUE(hooks.calls.empty());
    logic.open("go fish");
    logic.yesClicked();
    EXPECT_EQ(hooks.calls, (std::vector<std::string>{"muteUnmute -1"}));
}

TEST_F(DeleteCommandLogicTest, AFailedDeleteIsToldAndChangesNothing) {
    write(files.grammar(), "<GRAMMAR><Grammar>");
    const std::string store = readWholeFile(files.customStore()).value();
    logic.open("go fish");
    logic.yesClicked();
    EXPECT_EQ(readWholeFile(files.customStore()).value(), store);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Delete");
    EXPECT_EQ(dialogs.shown[0].message.rfind("The command 'go fish' could not be deleted: ", 0),
              0u);
    EXPECT_FALSE(view.open);
}

} // namespace
} // namespace kelvo
