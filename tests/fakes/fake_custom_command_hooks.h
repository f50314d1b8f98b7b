#pragma once

#include "speech/custom_command_hooks.h"

#include <set>
#include <string>
#include <vector>

namespace kelvo::fakes {

/// Records what a save asked for; the loaded grammar's rules are set by
/// the test.
class FakeCustomCommandHooks : public CustomCommandHooks {
public:
    void refreshBookmarkMatching() override { calls.push_back("refreshBookmarks"); }
    bool loadedGrammarHasRule(std::string_view ruleName) override {
        return loadedRules.count(std::string(ruleName)) != 0;
    }
    void muteUnmute(int mode) override { calls.push_back("muteUnmute " + std::to_string(mode)); }

    std::set<std::string> loadedRules;
    std::vector<std::string> calls;
};

} // namespace kelvo::fakes
