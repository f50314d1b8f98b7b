#pragma once

#include "windows/custom_edit_view.h"
#include "windows/delete_command_view.h"
#include "windows/splash_view.h"
#include "windows/upgrade_notice_view.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kelvo::fakes {

/// The calls every small window takes, recorded; for any of their views.
/// duringModal runs while a modal show waits, as the user would act then.
template <class View> class RecordingDialogView : public View {
public:
    void setCaption(const std::string& text) override { caption = text; }
    void showWindow(bool modal) override {
        calls.push_back(modal ? "show modal" : "show");
        open = true;
        if (modal && duringModal) {
            duringModal();
        }
    }
    void raiseWindow() override { calls.push_back("raise"); }
    void closeWindow() override {
        calls.push_back("close");
        open = false;
    }
    void armTimer(int ms) override { timerMs = ms; }

    std::string caption;
    std::vector<std::string> calls;
    bool open = false;
    int timerMs = 0;
    std::function<void()> duringModal;
};

class FakeCustomEditView : public RecordingDialogView<CustomEditView> {
public:
    void setModeLabelVisible(EditModeLabel label, bool visible) override {
        labels[label] = visible;
    }
    void setPhrase(const std::string& text) override { phraseText = text; }
    std::string phrase() const override { return phraseText; }
    void setPhraseLocked(bool locked) override { phraseLocked = locked; }
    void setTarget(const std::string& text) override { targetText = text; }
    std::string target() const override { return targetText; }
    void setTargetEnabled(bool enabled) override { targetEnabled = enabled; }
    void setChoice(TargetChoice value) override { choice = value; }
    void setBrowseEnabled(bool enabled) override { browseEnabled = enabled; }
    std::optional<std::filesystem::path> chooseProgramFile() override { return chosenFile; }

    std::map<EditModeLabel, bool> labels;
    std::string phraseText;
    bool phraseLocked = false;
    std::string targetText;
    bool targetEnabled = true;
    std::optional<TargetChoice> choice;
    bool browseEnabled = true;
    std::optional<std::filesystem::path> chosenFile;
};

class FakeDeleteCommandView : public RecordingDialogView<DeleteCommandView> {
public:
    void setQuestion(const std::string& text) override { question = text; }
    std::string question;
};

class FakeSplashView : public RecordingDialogView<SplashView> {
public:
    void showPage(const std::string& html, const std::filesystem::path&) override { page = html; }
    std::string page;
};

class FakeUpgradeNoticeView : public RecordingDialogView<UpgradeNoticeView> {
public:
    void setMessage(const std::string& text) override { message = text; }
    void setLinkText(const std::string& text) override { linkText = text; }
    void setBusyPointer(bool value) override { busy = value; }
    std::string message;
    std::string linkText;
    bool busy = false;
};

} // namespace kelvo::fakes
