#include "startup/program_hooks.h"

#include "fakes/fake_error_sink.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

constexpr const char* kGrammar = "<Grammar LANGID=\"409\"><RULE NAME=\"open google\" "
                                 "TOPLEVEL=\"ACTIVE\"><P>open google</P></RULE></Grammar>";

struct HooksRig {
    HooksRig() {
        app.startup.dataFolder = dir.path();
        app.startup.myDocumentsFolder = dir.path() / "docs";
        write("en_CLICK.XML", kGrammar);
    }
    void write(const char* name, const std::string& text) {
        ASSERT_TRUE(writeFileAtomically(dir.path() / name, text).ok());
    }
    std::string read(const char* name) { return readWholeFile(dir.path() / name).value(); }

    fakes::TempDir dir;
    fakes::FakeErrorSink errors;
    AppState app;
    ProgramHooks hooks{app, errors};
};

TEST(ProgramHooks, MergeAddsTheCustomCommandsToTheListeningGrammarOfTheRun) {
    HooksRig r;
    r.write("commands_customfree.xml", "<cset><c d=\"open notes\" u=\"x\">open notes</c></cset>");
    // The start sets the grammar name before the merge; another name is
    // honoured, not the default.
    r.write("other.XML", kGrammar);
    r.app.speech.grammarFile = "other.XML";
    ASSERT_TRUE(r.hooks.mergeCustomCommandsIntoGrammar().ok());
    EXPECT_TRUE(r.errors.reports.empty());
    EXPECT_NE(r.read("other.XML").find("NAME=\"open notes\""), std::string::npos);
    EXPECT_EQ(r.read("en_CLICK.XML"), kGrammar);
}

TEST(ProgramHooks, BrokenStoreAddsNothingAndTheStartGoesOnWithTheGrammarUntouched) {
    HooksRig r;
    r.write("commands_customfree.xml", "<cset><c>");
    EXPECT_TRUE(r.hooks.mergeCustomCommandsIntoGrammar().ok());
    EXPECT_TRUE(r.errors.reports.empty());
    EXPECT_EQ(r.read("en_CLICK.XML"), kGrammar);
}

TEST(ProgramHooks, AStepNoLayerCarriesOutSaysSoOnceAndTheStartGoesOn) {
    HooksRig rig;
    EXPECT_TRUE(rig.hooks.showSplashModal().ok());
    EXPECT_TRUE(rig.hooks.showSplashModal().ok());
    EXPECT_TRUE(rig.hooks.playWelcomeSound("welcome.mp3").ok());
    EXPECT_EQ(rig.app.dispatch.diagnostics.lines(),
              (std::deque<std::string>{"start-up step not built yet: showSplashModal",
                                       "start-up step not built yet: playWelcomeSound"}));
}

TEST(ProgramHooks, CatalogueFilesFollowTheFoldersAndTheGrammarName) {
    HooksRig r;
    r.app.speech.grammarFile = "en_CLICK_mute.XML";
    const CatalogueFiles files = catalogueFilesOf(r.app);
    EXPECT_EQ(files.grammar(), r.dir.path() / "en_CLICK_mute.XML");
    EXPECT_EQ(files.customStoreBackup(), r.dir.path() / "docs" / "commands_customfree.xml");
}

} // namespace
} // namespace kelvo
