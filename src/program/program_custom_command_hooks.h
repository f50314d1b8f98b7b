#pragma once

#include "speech/custom_command_hooks.h"

#include <functional>
#include <string>

namespace kelvo {

/// The custom-command save's hooks in the running program, each filled in
/// by the part that owns it; one left empty does nothing (or finds no rule).
class ProgramCustomCommandHooks final : public CustomCommandHooks {
public:
    std::function<void()> refreshMatching;
    std::function<bool(std::string_view)> grammarHasRule;
    std::function<void(int)> sleepOrWake;

    void refreshBookmarkMatching() override {
        if (refreshMatching) {
            refreshMatching();
        }
    }
    bool loadedGrammarHasRule(std::string_view ruleName) override {
        return grammarHasRule && grammarHasRule(ruleName);
    }
    void muteUnmute(int mode) override {
        if (sleepOrWake) {
            sleepOrWake(mode);
        }
    }
};

} // namespace kelvo
