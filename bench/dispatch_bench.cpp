// Dispatch of one recognised phrase against a large catalogue with custom
// commands appended: the cost of the whole recognition road.

#include "platform/desktop.h"
#include "quiet_ports.h"
#include "services/app_control.h"
#include "services/dialog_port.h"
#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "services/window_registry.h"
#include "speech/desktop_actions.h"
#include "speech/feedback_port.h"
#include "speech/match_key.h"
#include "speech/recognition_dispatcher.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace kelvo {
namespace {

class QuietHost final : public DispatchHost {
public:
    speech::SpeechGrammar* grammar() override { return nullptr; }
    void resetGrammarDueToCounter() override {}
    void muteUnmute(int) override {}
    void makeBeep(int, int) override {}
    void clickTab(const std::string&) override {}
    std::string mainWindowCaption() override { return "Kelvo"; }
    void setSignalText(const std::string&) override {}
    Status openUrl(const std::string& target) override {
        benchmark::DoNotOptimize(target.data());
        return {};
    }
    Status startProgram(const std::vector<std::string>&) override { return {}; }
    std::filesystem::path programFolder() override { return {}; }
};

class QuietWindows final : public WindowRegistry {
public:
    std::vector<std::string> loadedWindows() const override { return {}; }
    void unloadWindow(std::string_view) override {}
    void hideWindow(std::string_view) override {}
    void showWindow(std::string_view) override {}
    bool setWindowTopMost(std::string_view, bool) override { return true; }
    void sendToBack(std::string_view) override {}
    void bringToFront(std::string_view) override {}
};

class QuietFeedback final : public FeedbackPort {
public:
    void setFeedbackText(const std::string&) override {}
    void setLocationText(const std::string&) override {}
    void showBalloon(const std::string&, const std::string&) override {}
    void setTrayIcon(TrayIconKind, const std::string&) override {}
    void setListeningIndicator(int) override {}
    void setBusyPointer(bool) override {}
    void setTrainingMenuEnabled(bool) override {}
    void welcome() override {}
};

class QuietErrors final : public ErrorSink {
public:
    void reportError(int, std::string_view, std::string_view) override {}
};

constexpr int kCatalogueRows = 10000;
constexpr int kCustomRows = 1000;

struct Road {
    Road() {
        auto& table = catalogue.commandTable;
        for (int i = 0; i < kCatalogueRows; ++i) {
            CommandRecord row;
            row[CommandColumn::Phrase] = "open site number " + std::to_string(i);
            row[CommandColumn::Target] = "https://site" + std::to_string(i) + ".example/";
            row[CommandColumn::Type] = "1";
            row[CommandColumn::Display] = "Site " + std::to_string(i);
            table.push_back(row);
        }
        for (int i = 0; i < kCustomRows; ++i) {
            CommandRecord row;
            row[CommandColumn::Phrase] = "my bookmark " + std::to_string(i);
            row[CommandColumn::Target] = "https://mine" + std::to_string(i) + ".example/";
            table.push_back(row);
        }
    }

    std::unique_ptr<Desktop> desktop = makeUnavailableDesktop("bench");
    QuietHost host;
    QuietWindows windows;
    QuietFeedback feedback;
    bench::QuietDialogs dialogs;
    bench::QuietApp app;
    QuietErrors errors;
    SpeechState speech;
    DispatchState state;
    CatalogueState catalogue;
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    SettingsFile settings{std::filesystem::temp_directory_path() / "kelvo-bench-mouse.ini", errors};
    DesktopPrograms programs{settings, ""};
    DesktopActions actions{*desktop, state.mouseHandedness, boxes, host, programs};
    NoInterpreters interpreters;
    RecognitionDispatcher dispatcher{DispatchContext{state, speech, catalogue, boxState, boxes, app,
                                                     windows, feedback, settings, host, actions,
                                                     interpreters}};
};

void dispatchPhrase(benchmark::State& bench, const std::string& phrase) {
    Road road;
    const std::string key = recognitionKey(phrase, 0);
    road.dispatcher.handleRecoEvent("Recognition", key, phrase); // builds the index
    for (auto _ : bench) {
        road.speech.commandCounter = 0;
        road.dispatcher.handleRecoEvent("Recognition", key, phrase);
    }
}

// The last catalogue row: a walk over the table would be at its slowest.
void BM_DispatchLastCatalogueRow(benchmark::State& bench) {
    dispatchPhrase(bench, "Open Site Number " + std::to_string(kCatalogueRows - 1));
}
BENCHMARK(BM_DispatchLastCatalogueRow);

void BM_DispatchLastCustomCommand(benchmark::State& bench) {
    dispatchPhrase(bench, "my bookmark " + std::to_string(kCustomRows - 1));
}
BENCHMARK(BM_DispatchLastCustomCommand);

void BM_DispatchNoMatch(benchmark::State& bench) {
    dispatchPhrase(bench, "nothing like any phrase");
}
BENCHMARK(BM_DispatchNoMatch);

void BM_DispatchBuiltinPhrase(benchmark::State& bench) {
    dispatchPhrase(bench, "go options tab");
}
BENCHMARK(BM_DispatchBuiltinPhrase);

// The first dispatch after the table was loaded also indexes it.
void BM_IndexAfterLoad(benchmark::State& bench) {
    Road road;
    const std::string phrase = "open site number 5";
    const std::string key = recognitionKey(phrase, 0);
    for (auto _ : bench) {
        bench.PauseTiming();
        CommandTable copy = road.catalogue.commandTable;
        road.catalogue.commandTable = std::move(copy);
        ++road.catalogue.tableGeneration;
        bench.ResumeTiming();
        road.dispatcher.handleRecoEvent("Recognition", key, phrase);
    }
}
BENCHMARK(BM_IndexAfterLoad)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelvo
