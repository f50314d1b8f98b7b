// The last stage of the recognition road: the catalogue rows and the user's
// custom commands appended to them.

#include "speech/command_counter.h"
#include "speech/feedback.h"
#include "speech/match_key.h"
#include "speech/recognition_dispatcher.h"
#include "speech/web_target.h"

#include <filesystem>
#include <unistd.h>

namespace kelvo {

namespace {

bool isCustomRow(const CommandRecord& row) {
    return row[CommandColumn::Type].empty() && row[CommandColumn::Display].empty();
}

} // namespace

void RecognitionDispatcher::catalogueStage(const std::string& key, const std::string& text) {
    std::string_view phrase;
    if (!standardKeyPhrase(trimmed(key), phrase)) {
        m_c.host.resetGrammarDueToCounter();
        return;
    }
    // Copies: carrying out a row may let a reload replace the table.
    const std::vector<std::size_t> rows =
        m_index.rowsOf(m_c.catalogue.commandTable, m_c.catalogue.tableGeneration, phrase);
    for (const std::size_t index : rows) {
        if (index >= m_c.catalogue.commandTable.size()) {
            break;
        }
        const CommandRecord row = m_c.catalogue.commandTable[index];
        const std::string& type = row[CommandColumn::Type];
        const std::string& target = row[CommandColumn::Target];
        if (type == "1") {
            countCommand(m_c.speech);
            m_c.state.lastCommandText = row[CommandColumn::Display];
            std::string shown = m_c.state.lastCommandText;
            giveFeedback(shown, m_c.feedback);
            if (isWebTarget(target)) {
                (void)m_c.host.openUrl(target);
            } else {
                m_c.state.diagnostics.append("refused: " + target);
            }
            break;
        }
        if (type == "2") {
            armSearch(row);
            return;
        }
        if (type == "3") {
            countCommand(m_c.speech);
            feedbackHeard(text);
            continue;
        }
        if (target.size() < 3) {
            continue;
        }
        countCommand(m_c.speech);
        feedbackHeard(text);
        m_c.state.lastCommandText = row[CommandColumn::Display];
        if (!isCustomRow(row)) {
            // A downloaded row of no known type may only name a web address.
            if (isWebTarget(target)) {
                (void)m_c.host.openUrl(target);
                break;
            }
            m_c.state.diagnostics.append("refused: " + target);
            continue;
        }
        if (hasAddressPrefix(target)) {
            (void)m_c.host.openUrl(target);
            break;
        }
        std::error_code error;
        if (std::filesystem::is_regular_file(target, error)) {
            openTarget(target);
            break;
        }
    }
    m_c.host.resetGrammarDueToCounter();
}

void RecognitionDispatcher::openTarget(const std::string& target) {
    // xdg-open shows a program file instead of running it, so a custom
    // command naming a program starts it.
    if (access(target.c_str(), X_OK) == 0) {
        (void)m_c.host.startProgram({target});
    } else {
        (void)m_c.host.openUrl(target);
    }
}

} // namespace kelvo
