#pragma once

#include "speech/dispatch_host.h"

#include <functional>
#include <string>
#include <vector>

namespace kelvo::fakes {

/// Records what the recognition road asked of the program, in order, as
/// short lines: "reset", "mute -1", "beep 500 200", "tab Places",
/// "open <target>", "start <arg> <arg>", "signal <text>".
class FakeDispatchHost : public DispatchHost {
public:
    speech::SpeechGrammar* grammar() override { return grammarObject; }
    void resetGrammarDueToCounter() override {
        calls.push_back("reset");
        if (onReset) {
            onReset();
        }
    }
    void muteUnmute(int mode) override { calls.push_back("mute " + std::to_string(mode)); }
    void makeBeep(int frequencyHz, int durationMs) override {
        calls.push_back("beep " + std::to_string(frequencyHz) + " " + std::to_string(durationMs));
    }
    void clickTab(const std::string& tag) override { calls.push_back("tab " + tag); }
    std::string mainWindowCaption() override { return caption; }
    void setSignalText(const std::string& text) override { calls.push_back("signal " + text); }
    Status openUrl(const std::string& target) override {
        calls.push_back("open " + target);
        opened.push_back(target);
        if (onOpen) {
            onOpen();
        }
        return openResult;
    }
    Status startProgram(const std::vector<std::string>& arguments) override {
        std::string line = "start";
        for (const auto& argument : arguments) {
            line += " " + argument;
        }
        calls.push_back(line);
        started.push_back(arguments);
        return {};
    }
    std::filesystem::path programFolder() override { return folder; }

    /// Calls equal to the line.
    int count(const std::string& line) const {
        int n = 0;
        for (const auto& call : calls) {
            n += call == line ? 1 : 0;
        }
        return n;
    }

    speech::SpeechGrammar* grammarObject = nullptr;
    std::string caption = "Kelvo";
    std::filesystem::path folder;
    Status openResult;
    std::function<void()> onReset;
    std::function<void()> onOpen;
    std::vector<std::string> calls;
    std::vector<std::string> opened;
    std::vector<std::vector<std::string>> started;
};

} // namespace kelvo::fakes
