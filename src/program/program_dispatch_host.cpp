#include "program/program_dispatch_host.h"

#include "services/error_sink.h"
#include "speech/dispatch_failure.h"

#include <utility>

namespace kelvo {

namespace {

// The shell fails only where the machine refuses: no such file, no program
// to open it with, no right to run it, no process to be had. Its own codes
// are no error numbers; these say the refusal, so a box says it and the
// program goes on.
int refusalNumber(int shellResult) {
    switch (shellResult) {
    case shell_result::kFileNotFound:
    case shell_result::kNoAssociation:
        return error_number::kFileNotFound;
    case shell_result::kPathNotFound:
        return error_number::kPathNotFound;
    case shell_result::kAccessDenied:
        return error_number::kPermissionDenied;
    default:
        return error_number::kPathFileAccess;
    }
}

} // namespace

ProgramDispatchHost::ProgramDispatchHost(AddressOpener& opener, Shell& shell,
                                         DispatchWindowHooks window,
                                         const std::filesystem::path& programFolder)
    : m_opener(opener), m_shell(shell), m_window(std::move(window)),
      m_programFolder(programFolder) {}

speech::SpeechGrammar* ProgramDispatchHost::grammar() {
    return m_speech == nullptr ? nullptr : m_speech->grammar();
}

void ProgramDispatchHost::resetGrammarDueToCounter() {
    if (m_speech != nullptr) {
        // A failed reload may leave the rules off: the road reports it and
        // turns the commands back on.
        require(m_speech->grammars().resetGrammarDueToCounter(), "grammar reload");
    }
}

void ProgramDispatchHost::muteUnmute(int mode) {
    if (m_speech != nullptr) {
        require(m_speech->sleepWake().muteUnmute(static_cast<std::int16_t>(mode)), "sleep or wake");
    }
}

void ProgramDispatchHost::makeBeep(int frequencyHz, int durationMs) {
    if (m_speech != nullptr) {
        m_speech->sleepWake().MakeBeep(frequencyHz, durationMs);
    }
}

void ProgramDispatchHost::clickTab(const std::string& tag) {
    if (m_window.clickTab) {
        m_window.clickTab(tag);
    }
}

std::string ProgramDispatchHost::mainWindowCaption() {
    return m_window.caption ? m_window.caption() : std::string();
}

void ProgramDispatchHost::setSignalText(const std::string& text) {
    if (m_window.setSignalText) {
        m_window.setSignalText(text);
    }
}

Status ProgramDispatchHost::openUrl(const std::string& target) {
    const int result = m_opener.openUrl(target);
    if (!shellSucceeded(result)) {
        return Status::failure(refusalNumber(result), "could not open " + target);
    }
    return {};
}

Status ProgramDispatchHost::startProgram(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return Status::failure(2, "no program");
    }
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    const int result = m_shell.startProgram(arguments.front(), rest);
    if (!shellSucceeded(result)) {
        return Status::failure(refusalNumber(result), "could not start " + arguments.front());
    }
    return {};
}

} // namespace kelvo
