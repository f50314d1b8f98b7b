#include "speech/custom_command_editor.h"

#include "fakes/catalogue_builder.h"
#include "fakes/custom_editor_rig.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "speech/custom_command_store.h"
#include "speech/xml_text.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kelvo {
namespace {

constexpr const char* kGrammar =
    "<GRAMMAR LANGID=\"409\"><Grammar>"
    "<!-- standard rules -->"
    "<RULE NAME=\"go pets\" TOPLEVEL=\"ACTIVE\"><P>go pets</P></RULE>"
    "<RULE NAME=\"standard\" TOPLEVEL=\"ACTIVE\"><L><P>+go -birds</P><P>go cats</P></L></RULE>"
    "</Grammar></GRAMMAR>";

class CustomCommandEditorTest : public ::testing::Test, protected fakes::CustomEditorRig {
protected:
    CustomCommandEditorTest() {
        files.dataFolder = dir / "data";
        files.myDocumentsFolder = dir / "documents";
        write(files.grammar(), kGrammar);
        write(files.customStore(), "<cset/>");
        write(files.catalogue(), fakes::CatalogueBuilder().web("go pets", "1").xml());
    }

    void write(const std::filesystem::path& file, const std::string& text) {
        ASSERT_TRUE(writeFileAtomically(file, text).ok());
    }
    std::string read(const std::filesystem::path& file) { return readWholeFile(file).value(); }

    std::vector<CustomCommand> store() {
        return readCustomCommandStore(files.customStore()).value();
    }

    std::vector<std::string> ruleNames() { return fakes::grammarRuleNames(files.grammar()); }

    std::string lastMessage() const {
        return dialogs.shown.empty() ? "" : dialogs.shown.back().message;
    }

    fakes::TempDir dir;
};

TEST_F(CustomCommandEditorTest, SaveAddsRuleAndCommandAndRefreshesEverything) {
    EXPECT_TRUE(editor.saveCustomCommand(kCustomStandard, "open notes", "/usr/bin/notes"));
    EXPECT_EQ(store(),
              (std::vector<CustomCommand>{{"open notes", "open notes", "/usr/bin/notes"}}));
    EXPECT_EQ(ruleNames(), (std::vector<std::string>{"go pets", "standard", "open notes"}));
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(state.commandTable.size(), 2u);
    EXPECT_EQ(state.commandTable[1][CommandColumn::Phrase], "open notes");
    EXPECT_EQ(port.customRows, (std::vector<CustomListRow>{{"open notes", "/usr/bin/notes"}}));
    EXPECT_EQ(hooks.calls, (std::vector<std::string>{"muteUnmute 1"}));
    // The backup follows every save.
    EXPECT_EQ(read(files.customStoreBackup()), read(files.customStore()));
}

TEST_F(CustomCommandEditorTest, BookmarkSaveRefreshesTheBookmarkWindowAndAsleepStaysAsleep) {
    hooks.loadedRules.insert(kSleepRuleName);
    EXPECT_TRUE(editor.saveCustomCommand(kCustomBookmark, "my bank", "https://bank.example"));
    EXPECT_EQ(hooks.calls, (std::vector<std::string>{"refreshBookmarks", "muteUnmute -1"}));
}

TEST_F(CustomCommandEditorTest, DuplicatesAreRefusedAndChangeNothing) {
    const struct {
        std::string phrase;
        bool duplicate;
    } cases[] = {
        {"go pets", true},   // a rule of that name
        {"go cats", true},   // an alternative of a phrase list
        {"go birds", false}, // "+go -birds" reads " go  birds"
        {"standard", true},  // the name of a list rule
        {"Go Pets", false},  // exact comparison
    };
    for (const auto& c : cases) {
        write(files.grammar(), kGrammar);
        write(files.customStore(), "<cset/>");
        dialogs.shown.clear();
        hooks.calls.clear();
        const std::string grammarBefore = read(files.grammar());
        const bool saved = editor.saveCustomCommand(kCustomStandard, c.phrase, "https://x.example");
        EXPECT_EQ(saved, !c.duplicate) << c.phrase;
        if (c.duplicate) {
            ASSERT_EQ(dialogs.shown.size(), 1u);
            EXPECT_EQ(dialogs.shown[0].kind, "modal");
            EXPECT_EQ(dialogs.shown[0].title, "Kelvo");
            EXPECT_EQ(dialogs.shown[0].message, "Please select different trigger words - '" +
                                                    c.phrase + "' is already being used");
            EXPECT_EQ(read(files.grammar()), grammarBefore);
            EXPECT_TRUE(store().empty());
            EXPECT_TRUE(hooks.calls.empty());
        }
    }
}

TEST_F(CustomCommandEditorTest, OnlyAnEditReplacesTheTargetOfACommand) {
    ASSERT_TRUE(editor.saveCustomCommand(kCustomStandard, "open notes", "/old"));
    ASSERT_TRUE(editor.saveCustomCommand(kCustomStandard, "other", "/other"));
    // A new command, typed or made from a bookmark, never takes the place
    // of the user's command.
    for (const std::string_view kind : {kCustomStandard, kCustomBookmark}) {
        dialogs.shown.clear();
        EXPECT_FALSE(editor.saveCustomCommand(kind, "open notes", "/new"));
        EXPECT_EQ(lastMessage(),
                  "Please select different trigger words - 'open notes' is already being used");
        EXPECT_EQ(store().front(), (CustomCommand{"open notes", "open notes", "/old"}));
    }
    dialogs.shown.clear();
    EXPECT_TRUE(
        editor.saveCustomCommand(kCustomStandard, "open notes", "/new", CustomSave::NewTarget));
    EXPECT_EQ(store(), (std::vector<CustomCommand>{{"other", "other", "/other"},
                                                   {"open notes", "open notes", "/new"}}));
    EXPECT_EQ(ruleNames(),
              (std::vector<std::string>{"go pets", "standard", "open notes", "other"}));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(CustomCommandEditorTest, StoreEntryWithoutRuleIsReplacedAndGetsItsRule) {
    write(files.customStore(), "<cset><c d=\"news\" u=\"/old\">news</c><c d=\"z\" u=\"/z\">z</c>"
                               "<c d=\"news\" u=\"/older\">news</c></cset>");
    EXPECT_FALSE(editor.saveCustomCommand(kCustomStandard, "news", "/new"));
    EXPECT_TRUE(editor.saveCustomCommand(kCustomStandard, "news", "/new", CustomSave::NewTarget));
    EXPECT_EQ(store(), (std::vector<CustomCommand>{{"z", "z", "/z"}, {"news", "news", "/new"}}));
    EXPECT_EQ(ruleNames().back(), "news");
}

TEST_F(CustomCommandEditorTest, StoreEntryNamedLikeAStandardRuleIsStillADuplicate) {
    write(files.customStore(), "<cset><c d=\"go pets\" u=\"/x\">go pets</c></cset>");
    EXPECT_FALSE(editor.saveCustomCommand(kCustomStandard, "go pets", "/y"));
    EXPECT_EQ(store().front().target, "/x");
}

TEST_F(CustomCommandEditorTest, UnstorableTextIsRefusedWithAClearMessage) {
    for (const std::string& phrase : {std::string("bell\x07"), std::string("\xE9t\xE9")}) {
        dialogs.shown.clear();
        EXPECT_FALSE(editor.saveCustomCommand(kCustomStandard, phrase, "/x"));
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_NE(dialogs.shown[0].message.find("cannot be stored"), std::string::npos);
    }
    EXPECT_FALSE(editor.saveCustomCommand(kCustomStandard, "ok", std::string("/x\x01")));
    EXPECT_FALSE(editor.saveCustomCommand(kCustomStandard, "", "/x"));
    EXPECT_TRUE(store().empty());
    EXPECT_EQ(read(files.grammar()), kGrammar);
}

TEST_F(CustomCommandEditorTest, BrokenFilesGiveTheSaveErrorAndStayUntouched) {
    const struct {
        std::string grammar;
        std::string store;
    } cases[] = {
        {kGrammar, "<cset>"},
        {kGrammar, "<commands/>"},
        {"<GRAMMAR><Grammar>", "<cset/>"},
        {"<GRAMMAR/>", "<cset/>"},
    };
    for (const auto& c : cases) {
        write(files.grammar(), c.grammar);
        write(files.customStore(), c.store);
        dialogs.shown.clear();
        EXPECT_FALSE(editor.saveCustomCommand(kCustomStandard, "open notes", "/x"));
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].message,
                  "An error occurred while saving the command 'open notes'. Please try "
                  "re-editing and saving it again.");
        EXPECT_EQ(read(files.grammar()), c.grammar);
        EXPECT_EQ(read(files.customStore()), c.store);
    }
    std::filesystem::remove(files.grammar());
    EXPECT_FALSE(editor.saveCustomCommand(kCustomStandard, "open notes", "/x"));
    EXPECT_FALSE(std::filesystem::exists(files.grammar()));
}

TEST_F(CustomCommandEditorTest, GrammarWriteFailureLeavesNoHalfSave) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders";
    }
    // The store can be written (its folder is writable) but the grammar not.
    files.grammarFile = "locked/en_CLICK.XML";
    write(files.grammar(), kGrammar);
    ::chmod((files.dataFolder / "locked").c_str(), 0500);
    EXPECT_FALSE(editor.saveCustomCommand(kCustomStandard, "open notes", "/x"));
    ::chmod((files.dataFolder / "locked").c_str(), 0700);
    EXPECT_TRUE(store().empty());
    EXPECT_EQ(read(files.grammar()), kGrammar);
}

// A read-only or full documents folder costs the backup only: the save
// and the delete are done and the failure is one the program outlives.
TEST_F(CustomCommandEditorTest, ABackupThatCannotBeWrittenKeepsTheSaveAndTheDelete) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders";
    }
    std::filesystem::create_directories(files.myDocumentsFolder);
    ::chmod(files.myDocumentsFolder.c_str(), 0500);
    const bool saved = editor.saveCustomCommand(kCustomStandard, "open notes", "/x");
    const Status deleted = editor.deleteCustomCommand("open notes");
    ::chmod(files.myDocumentsFolder.c_str(), 0700);
    EXPECT_TRUE(saved);
    EXPECT_TRUE(deleted.ok());
    EXPECT_TRUE(store().empty());
    ASSERT_EQ(errors.reports.size(), 2u);
    for (const auto& report : errors.reports) {
        EXPECT_EQ(report.number, error_number::kPathFileAccess);
        EXPECT_EQ(report.location, "MutPrscg");
    }
}

TEST_F(CustomCommandEditorTest, DeleteRemovesAllStoreEntriesButOnlyTheFirstRule) {
    write(files.grammar(), "<GRAMMAR><Grammar>"
                           "<RULE NAME=\"news\" TOPLEVEL=\"ACTIVE\"><P>news</P></RULE>"
                           "<RULE NAME=\"news\" TOPLEVEL=\"ACTIVE\"><P>news</P></RULE>"
                           "</Grammar></GRAMMAR>");
    write(files.customStore(), "<cset><c d=\"news\" u=\"/a\">news</c><c d=\"k\" u=\"/k\">k</c>"
                               "<c d=\"news\" u=\"/b\">news</c></cset>");
    EXPECT_TRUE(editor.deleteCustomCommand("news").ok());
    EXPECT_EQ(store(), (std::vector<CustomCommand>{{"k", "k", "/k"}}));
    EXPECT_EQ(ruleNames(), std::vector<std::string>{"news"});
    EXPECT_EQ(read(files.customStoreBackup()), read(files.customStore()));
}

TEST_F(CustomCommandEditorTest, DeleteWithoutRuleSavesOnlyTheStore) {
    write(files.customStore(), "<cset><c d=\"news\" u=\"/a\">news</c></cset>");
    const std::string grammarBefore = read(files.grammar());
    EXPECT_TRUE(editor.deleteCustomCommand("news").ok());
    EXPECT_TRUE(store().empty());
    EXPECT_EQ(read(files.grammar()), grammarBefore);
}

TEST_F(CustomCommandEditorTest, DeleteNeverRemovesAStandardRule) {
    // Not a custom command: the standard rule stays.
    EXPECT_TRUE(editor.deleteCustomCommand("go pets").ok());
    EXPECT_EQ(read(files.grammar()), kGrammar);
    // A stored command with a catalogue phrase leaves the catalogue's rule.
    write(files.customStore(), "<cset><c d=\"go pets\" u=\"/a\">go pets</c></cset>");
    EXPECT_TRUE(editor.deleteCustomCommand("go pets").ok());
    EXPECT_EQ(read(files.grammar()), kGrammar);
    EXPECT_TRUE(store().empty());
    // A stored command named like a list rule leaves that rule too.
    write(files.customStore(), "<cset><c d=\"standard\" u=\"/a\">standard</c></cset>");
    EXPECT_TRUE(editor.deleteCustomCommand("standard").ok());
    EXPECT_EQ(read(files.grammar()), kGrammar);
    EXPECT_TRUE(store().empty());
}

TEST_F(CustomCommandEditorTest, DeleteWithoutPhraseOnlyExplains) {
    const std::string storeBefore = read(files.customStore());
    EXPECT_TRUE(editor.deleteCustomCommand("").ok());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, "modeless");
    EXPECT_EQ(dialogs.shown[0].title, "Delete");
    EXPECT_EQ(dialogs.shown[0].message,
              "You cannot delete - you have not yet selected a command to delete.");
    EXPECT_EQ(read(files.customStore()), storeBefore);
}

TEST_F(CustomCommandEditorTest, DeleteFailsOnBrokenFilesAndChangesNothing) {
    write(files.customStore(), "<cset><c d=\"news\" u=\"/a\">news</c>");
    EXPECT_FALSE(editor.deleteCustomCommand("news").ok());
    EXPECT_EQ(read(files.customStore()), "<cset><c d=\"news\" u=\"/a\">news</c>");
    write(files.customStore(), "<cset><c d=\"news\" u=\"/a\">news</c></cset>");
    std::filesystem::remove(files.grammar());
    const Status missing = editor.deleteCustomCommand("news");
    EXPECT_FALSE(missing.ok());
    EXPECT_FALSE(missing.message().empty());
    EXPECT_EQ(store().size(), 1u);
}

} // namespace
} // namespace kelvo
