// The last stage of the recognition road: the catalogue rows and the user's
// custom commands appended to them.

#include "platform/shell.h"
#include "speech/command_counter.h"
#include "speech/feedback.h"
#include "speech/match_key.h"
#include "speech/recognition_dispatcher.h"
#include "speech/web_target.h"

#include <filesystem>

namespace kelvo {

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
            openWebTarget(target);
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
        if (!row.custom) {
            // A downloaded row of no known type may only name a web address.
            if (isWebTarget(target)) {
                openAddress(target);
                break;
            }
            openWebTarget(target);
            continue;
        }
        if (hasAddressPrefix(target)) {
            openAddress(target);
            break;
        }
        // A program, a document or a folder the user chose.
        std::error_code error;
        if (std::filesystem::exists(target, error)) {
            openTarget(target);
            break;
        }
        reportNotOpened("not found: " + target, "\"" + target + "\" was not found.");
    }
    m_c.host.resetGrammarDueToCounter();
}

void RecognitionDispatcher::openTarget(const std::string& target) {
    // xdg-open shows a program file instead of running it, so a custom
    // command naming a program starts it.
    if (isProgramFile(target)) {
        startTarget({target});
    } else {
        openAddress(target);
    }
}

void RecognitionDispatcher::openWebTarget(const std::string& target) {
    if (!isWebTarget(target)) {
        reportNotOpened("refused: " + target,
                        "\"" + target + "\" is not a web address (http, https or ftp).");
        return;
    }
    openAddress(target);
}

void RecognitionDispatcher::openAddress(const std::string& target) {
    if (Status opened = m_c.host.openUrl(target); !opened) {
        reportNotOpened("not opened: " + target, opened.message());
    }
}

void RecognitionDispatcher::startTarget(const std::vector<std::string>& arguments) {
    if (Status started = m_c.host.startProgram(arguments); !started) {
        reportNotOpened("not started: " + arguments.front(), started.message());
    }
}

void RecognitionDispatcher::reportNotOpened(const std::string& diagnostic, const std::string& why) {
    // The phrase was heard and echoed; the user must also learn that it did
    // nothing, and why.
    m_c.state.diagnostics.append(diagnostic);
    m_c.boxes.showNotice("Nothing was opened", why, 1, false);
}

} // namespace kelvo
