// The generated pages as a browser reads them: Chromium, headless, parses
// each page and its DOM must hold what our markup holds.
#include "windows/coupon_page.h"
#include "windows/print_lists_logic.h"
#include "windows/questionnaire_logic.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_random_source.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "platform/shell.h"
#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "test_paths.h"
#include "windows/questionnaire_view.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <map>
#include <regex>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

/// Runs a program found on PATH with stdout into a file; true on exit 0.
bool runInto(std::vector<std::string> arguments, const fs::path& out) {
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

/// How many elements of each name the markup opens; tbody, which the
/// browser adds to every table, left out.
std::map<std::string, int> elements(const std::string& text) {
    static const std::regex start("<([a-zA-Z][a-zA-Z0-9]*)");
    std::map<std::string, int> names;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), start);
         it != std::sregex_iterator(); ++it) {
        std::string name = (*it)[1].str();
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        ++names[name];
    }
    names.erase("tbody");
    return names;
}

struct NoPrompt : QuestionnaireView {
    void showPrompt() override {}
    void closePrompt() override {}
};

TEST(GeneratedPages, ChromiumReadsEveryGeneratedPageAsItWasWritten) {
    if (!fs::exists("/usr/bin/chromium")) {
        GTEST_SKIP() << "chromium is not installed";
    }
    fakes::TempDir dir;
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    fakes::FakeErrorSink errors;
    fakes::FakeClock clock;
    fakes::FakeRandomSource random;
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    const fs::path resources = KELVO_RESOURCES_DIR;
    fs::copy_file(resources / "defaults" / "commands.xml", dir / "commands.xml");
    ASSERT_TRUE(writeFileAtomically(dir / "commands_customfree.xml",
                                    "<cset><c d=\"&lt;script&gt;alert(1)&lt;/script&gt; &amp; co\" "
                                    "u=\"https://e.org/?a=1&amp;b=2\">x</c><c d=\"\" u=\"\">y</c>"
                                    "</cset>")
                    .ok());
    auto open = [](const std::string&) { return shell_result::kStarted; };
    CommandListPrinter printer(resources, dir.path(), open, boxes);
    std::vector<std::string> missing;
    ASSERT_TRUE(printer.writePages(missing).ok());
    ASSERT_TRUE(missing.empty());
    ASSERT_TRUE(showCoupon("local", 1, "coupon1.gif", resources, dir.path(), open).ok());
    SettingsFile settings(dir / "mouse.ini", errors);
    settings.writeIni("Yazoo", "Random", "a12a");
    NoPrompt prompt;
    QuestionnaireState state{"0011", ""};
    QuestionnaireLogic survey(state, prompt, settings, boxes, app, clock, random, open, resources,
                              dir.path());
    std::string surveyState = "0011";
    survey.prepareSurvey(surveyState, "");
    ASSERT_TRUE(dialogs.shown.empty());

    for (const char* page : {"vc_basic", "vc_web", "vc_search", "vc_custom", "vc_music",
                             "vc_bookmark", "vc_social", "coupon_1", "survey"}) {
        const fs::path file = dir / (std::string(page) + ".html");
        const std::string written = *readWholeFile(file);
        pugi::xml_document document;
        ASSERT_TRUE(document.load_string(written.c_str())) << page;
        const fs::path dom = dir / (std::string(page) + ".dom");
        ASSERT_TRUE(runInto({"chromium", "--headless", "--no-sandbox", "--disable-gpu",
                             "--user-data-dir=" + (dir / "chromium").string(), "--dump-dom",
                             "file://" + file.string()},
                            dom))
            << page;
        const std::string parsed = *readWholeFile(dom);
        // An element the browser read differently (an open "<td/>" or
        // "<textarea/>" swallowing what follows) changes these counts.
        EXPECT_EQ(elements(parsed), elements(written)) << page;
        if (const char* keep = std::getenv("KELVO_RENDERED_PAGES")) {
            fs::copy_file(file, fs::path(keep) / file.filename(),
                          fs::copy_options::overwrite_existing);
        }
    }
    const std::string custom = *readWholeFile(dir / "vc_custom.dom");
    EXPECT_NE(custom.find("&lt;script&gt;alert(1)&lt;/script&gt; &amp; co"), std::string::npos);
    EXPECT_EQ(custom.find("<script>alert"), std::string::npos);
    const std::string surveyDom = *readWholeFile(dir / "survey.dom");
    EXPECT_NE(surveyDom.find("Third Survey"), std::string::npos);
}

} // namespace
} // namespace kelvo
