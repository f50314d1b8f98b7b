#include "windows/custom_edit_logic.h"

#include "fakes/custom_editor_rig.h"
#include "fakes/fake_dialog_views.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "speech/custom_command_store.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kelvo {
namespace {

constexpr const char* kGrammar = "<GRAMMAR LANGID=\"409\"><Grammar>"
                                 "<RULE NAME=\"go pets\" TOPLEVEL=\"ACTIVE\"><P>go pets</P></RULE>"
                                 "<RULE NAME=\"Go Cats\" TOPLEVEL=\"ACTIVE\"><P>Go Cats</P></RULE>"
                                 "</Grammar></GRAMMAR>";

class CustomEditLogicTest : public ::testing::Test, protected fakes::CustomEditorRig {
protected:
    CustomEditLogicTest() { writeFiles(dir.path(), kGrammar); }

    void write(const std::filesystem::path& file, const std::string& text) {
        ASSERT_TRUE(writeFileAtomically(file, text).ok());
    }
    std::vector<CustomCommand> store() {
        return readCustomCommandStore(files.customStore()).value();
    }
    // Types both boxes of a new command and presses Save.
    void save(const std::string& phrase, const std::string& target) {
        logic.openNew();
        view.phraseText = phrase;
        view.targetText = target;
        logic.saveClicked();
    }
    const fakes::FakeDialogPort::Shown& lastBox() const { return dialogs.shown.back(); }

    fakes::TempDir dir;
    fakes::FakeCustomEditView view;
    CustomEditLogic logic{view, editor, boxes};
};

TEST_F(CustomEditLogicTest, MissingDataNamesEachEmptyStepInOneBox) {
    const struct {
        std::string phrase, target, message;
    } cases[] = {
        {"", "", "Please complete step 1.\nPlease complete step 3."},
        {"   ", "http://", "Please complete step 1."},
        {"go home", "", "Please complete step 3."},
    };
    for (const auto& c : cases) {
        dialogs.shown.clear();
        save(c.phrase, c.target);
        ASSERT_EQ(dialogs.shown.size(), 1u) << c.message;
        EXPECT_EQ(lastBox().kind, "modeless");
        EXPECT_EQ(lastBox().title, "Missing Data");
        EXPECT_EQ(lastBox().message, c.message);
        EXPECT_TRUE(view.open);
    }
    EXPECT_TRUE(store().empty());
}

TEST_F(CustomEditLogicTest, PhraseIsLowerCasedWithTheTwoSiteRewrites) {
    const struct {
        std::string typed, saved;
    } cases[] = {
        {"Open MySpace Home", "open myspace home"},
        {"Log Into My Space And Facebook", "log into myspace and face book"},
        {"  Go   My  Space \t Now ", "go myspace now"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(normalizedPhrase(c.typed), c.saved);
    }
    save("Open MySpace Home", "http://www.myspace.com");
    EXPECT_EQ(store(), (std::vector<CustomCommand>{
                           {"open myspace home", "open myspace home", "http://www.myspace.com"}}));
    EXPECT_FALSE(view.open);
    EXPECT_EQ(hooks.calls, (std::vector<std::string>{"muteUnmute 1"}));
}

TEST_F(CustomEditLogicTest, BadPhraseOrTargetIsRefusedAndNothingIsWritten) {
    write(dir / "notes.txt", "just text");
    write(dir / "tool", "#!/bin/sh\n");
    ASSERT_EQ(::chmod((dir / "tool").c_str(), 0700), 0);
    const struct {
        std::string phrase, target;
        bool saved;
    } cases[] = {
        {std::string(201, 'a'), "http://a.example", false},
        {std::string(200, 'a'), "http://a.example", true},
        {"go pets!", "http://a.example", false},
        {"go <b>", "http://a.example", false},
        {"caf\xc3\xa9 time", "http://a.example", false},
        {"open it", "http://", false},
        {"open it", "https://  ", false},
        {"open it", "www.example.org", false},
        {"open it", (dir / "missing").string(), false},
        {"open files", "FTP://files.example", true},
        {"run my tool", (dir / "tool").string(), true},
        // A document or a folder opens with the desktop's handler.
        {"open notes", (dir / "notes.txt").string(), true},
        {"open folder", dir.path().string(), true},
        // Found only from the folder the program happened to start in.
        {"open notes", "notes.txt", false},
    };
    const std::filesystem::path started = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    for (const auto& c : cases) {
        dialogs.shown.clear();
        const std::string before = readWholeFile(files.customStore()).value();
        save(c.phrase, c.target);
        EXPECT_EQ(view.open, !c.saved) << c.phrase << " " << c.target;
        if (!c.saved) {
            ASSERT_EQ(dialogs.shown.size(), 1u);
            EXPECT_EQ(lastBox().kind, "modeless");
            EXPECT_FALSE(lastBox().message.empty());
            EXPECT_EQ(readWholeFile(files.customStore()).value(), before);
        }
        logic.cancelClicked();
    }
    std::filesystem::current_path(started);
    EXPECT_EQ(store().size(), 5u);
}

TEST_F(CustomEditLogicTest, RunAProgramWithNothingChosenAsksForTheProgram) {
    logic.openNew();
    view.phraseText = "run it";
    logic.runProgramClicked();
    logic.saveClicked();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(lastBox().title, "Missing Data");
    EXPECT_EQ(lastBox().message,
              "Please complete step 3: click \"Select A Program\" to choose the program to run.");
    view.chosenFile = "/usr/bin/true";
    logic.browseClicked();
    logic.saveClicked();
    EXPECT_FALSE(view.open);
    EXPECT_EQ(store(), (std::vector<CustomCommand>{{"run it", "run it", "/usr/bin/true"}}));
}

TEST_F(CustomEditLogicTest, DuplicatesAreFoundByExactCaseAfterLowerCasing) {
    save("Go Pets", "http://pets.example");
    EXPECT_TRUE(view.open);
    EXPECT_EQ(lastBox().message, "Please select different trigger words - 'go pets' is already "
                                 "being used");
    logic.cancelClicked();
    // The grammar's "Go Cats" is another phrase than "go cats".
    save("go cats", "http://cats.example");
    EXPECT_FALSE(view.open);
    // Adding it again, in any capitals, keeps the command the user has.
    save("Go Cats", "http://other.example");
    EXPECT_TRUE(view.open);
    EXPECT_EQ(lastBox().message, "Please select different trigger words - 'go cats' is already "
                                 "being used");
    EXPECT_EQ(store(), (std::vector<CustomCommand>{{"go cats", "go cats", "http://cats.example"}}));
}

TEST_F(CustomEditLogicTest, EditSavesTheNewTargetInPlaceOfTheOld) {
    // A stored phrase is kept exactly, even one the editor would rewrite.
    for (const std::string phrase : {"go fish", "my space rocks"}) {
        ASSERT_TRUE(editor.saveCustomCommand(kCustomStandard, phrase, "http://old.example"));
        view.duringModal = [this] {
            EXPECT_TRUE(view.phraseLocked);
            EXPECT_EQ(view.targetText, "http://old.example");
            EXPECT_EQ(view.choice, TargetChoice::GoToWebsite);
            view.targetText = "http://new.example";
            logic.saveClicked();
        };
        EXPECT_TRUE(logic.openEdit(phrase, "http://old.example"));
        EXPECT_EQ(view.caption, "Edit Custom Voice Command");
        EXPECT_TRUE(view.labels[EditModeLabel::Edit]);
        EXPECT_FALSE(view.labels[EditModeLabel::New]);
        EXPECT_FALSE(view.open);
        EXPECT_EQ(store().back(), (CustomCommand{phrase, phrase, "http://new.example"}));
    }
    EXPECT_EQ(store().size(), 2u);
}

TEST_F(CustomEditLogicTest, ChoicesAndTheProgramChooser) {
    logic.openNew();
    EXPECT_EQ(view.caption, "Add Custom Voice Command");
    EXPECT_EQ(view.choice, TargetChoice::GoToWebsite);
    EXPECT_FALSE(view.browseEnabled);
    EXPECT_EQ(view.targetText, "http://");
    view.targetText = "http://typed.example";
    logic.goToWebsiteClicked();
    EXPECT_EQ(view.targetText, "http://");

    logic.runProgramClicked();
    EXPECT_FALSE(view.targetEnabled);
    EXPECT_TRUE(view.browseEnabled);
    view.chosenFile = "/usr/bin/true";
    logic.browseClicked();
    EXPECT_EQ(view.targetText, "/usr/bin/true");
    view.chosenFile.reset();
    logic.browseClicked();
    EXPECT_EQ(view.targetText, "/usr/bin/true");

    // A program command opens in edit mode on the program choice.
    logic.cancelClicked();
    EXPECT_TRUE(logic.openEdit("run it", "/usr/bin/true"));
    EXPECT_EQ(view.choice, TargetChoice::RunProgram);
    EXPECT_FALSE(view.targetEnabled);
    EXPECT_EQ(view.targetText, "/usr/bin/true");
}

TEST_F(CustomEditLogicTest, AnOpenEditorIsOnlyRaisedAndKeepsItsMode) {
    logic.openNew();
    view.phraseText = "half typed";
    EXPECT_FALSE(logic.openEdit("go fish", "http://fish.example"));
    logic.openNew();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"show", "raise", "raise"}));
    EXPECT_FALSE(logic.editMode());
    EXPECT_EQ(view.phraseText, "half typed");
    logic.cancelClicked();
    EXPECT_TRUE(store().empty());
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
} // namespace kelvo
