#pragma once

#include "startup/startup_hooks.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kelvo::fakes {

/// Records every later step the start-up ran, in order ("name" or
/// "name:argument"). A step named in failures returns that failure;
/// onEngine, when set, plays the engine's part in each engine action.
class FakeStartupHooks : public StartupHooks {
public:
    Status prepareStartupReport() override { return step("prepareReport"); }
    Status postStartupReport(const std::string& summary) override {
        return step("postReport:" + summary, "postReport");
    }
    Status takeInStartupReply() override { return step("takeInReply"); }
    void setBusyPointer(bool busy) override { calls.push_back(busy ? "busy" : "normal"); }
    Status playWelcomeSound(const std::filesystem::path& sound) override {
        return step("welcome:" + sound.filename().string(), "welcome");
    }
    Status showSplashModal() override { return step("splash"); }
    Status mergeCustomCommandsIntoGrammar() override { return step("merge"); }
    Status loadMainWindow() override { return step("loadMain"); }
    Status loadAboutWindow() override { return step("loadAbout"); }
    Status showAdPanes(const std::array<AdPaneView, 4>& panes) override {
        std::string shown;
        for (const AdPaneView& pane : panes) {
            shown += pane.visible ? '1' : '0';
        }
        adPanes = panes;
        return step("adPanes:" + shown, "adPanes");
    }
    Status loadMusicLists() override { return step("music"); }
    Status showMouseHandedness() override { return step("handedness"); }
    void letWindowPaint() override { calls.push_back("paint"); }
    void controlEngine(std::string_view action, const std::string& profile) override {
        calls.push_back("engine:" + std::string(action) + ":" + profile);
        if (onEngine) {
            onEngine(action);
        }
    }
    Status showCreateProfileWizard() override { return step("createProfile"); }
    Status loadTrainingGrammar(const std::string& file) override {
        return step("training:" + file, "training");
    }
    Status hideFirstTimeFrame() override { return step("hideFirstTime"); }
    Status showSelectProfileWizard() override { return step("selectProfile"); }
    Status showMainWindow() override { return step("showMain"); }

    bool called(const std::string& call) const {
        for (const std::string& c : calls) {
            if (c == call) {
                return true;
            }
        }
        return false;
    }

    std::vector<std::string> calls;
    std::map<std::string, Status> failures;
    std::function<void(std::string_view action)> onEngine;
    std::array<AdPaneView, 4> adPanes;

private:
    Status step(const std::string& call, const std::string& name = {}) {
        calls.push_back(call);
        auto it = failures.find(name.empty() ? call : name);
        return it == failures.end() ? Status{} : it->second;
    }
};

} // namespace kelvo::fakes
