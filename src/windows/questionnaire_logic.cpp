#include "windows/questionnaire_logic.h"

#include "platform/clock.h"
#include "platform/random_source.h"
#include "platform/shell.h"
#include "services/app_control.h"
#include "services/date_parsing.h"
#include "services/error_sink.h"
#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "services/xml_helpers.h"
#include "windows/questionnaire_view.h"

#include <array>
#include <utility>

namespace kelvo {

namespace {

struct Stage {
    const char* state;
    const char* last;
};
constexpr std::array<Stage, 5> kStages = {
    {{"0000", "x"}, {"0001", "Initial"}, {"0011", "Second"}, {"0111", "Third"}, {"1111", "Final"}}};

std::string trimmedText(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::string nextQuestionnaire(const std::string& state) {
    auto isOne = [&state](size_t i) { return state.size() > i && state[i] == '1'; };
    if (isOne(1)) {
        return "Final";
    }
    if (isOne(2)) {
        return "Third";
    }
    if (isOne(3)) {
        return "Second";
    }
    return "Initial";
}

std::optional<std::string> stateFromLast(const std::string& last) {
    for (const Stage& stage : kStages) {
        if (last == stage.last || last == stage.state) {
            return std::string(stage.state);
        }
    }
    return std::nullopt;
}

QuestionnaireLogic::QuestionnaireLogic(QuestionnaireState& state, QuestionnaireView& view,
                                       SettingsFile& settings, MessageBoxes& boxes, AppControl& app,
                                       Clock& clock, RandomSource& random, OpenAddress open,
                                       std::filesystem::path programFolder,
                                       std::filesystem::path dataFolder)
    : m_state(state), m_view(view), m_settings(settings), m_boxes(boxes), m_app(app),
      m_clock(clock), m_random(random), m_open(std::move(open)),
      m_programFolder(std::move(programFolder)), m_dataFolder(std::move(dataFolder)) {}

bool QuestionnaireLogic::fewerThan30Days(const std::string& date) const {
    // A date that cannot be read holds nothing back: the quit that asks
    // must go on, and the invitation simply counts as due.
    Result<std::chrono::year_month_day> day = tryParseDate(date, false);
    if (!day) {
        return false;
    }
    const LocalDateTime now = m_clock.localNow();
    const std::chrono::year_month_day today{std::chrono::year(now.year),
                                            std::chrono::month(static_cast<unsigned>(now.month)),
                                            std::chrono::day(static_cast<unsigned>(now.day))};
    return std::chrono::sys_days(today) < std::chrono::sys_days(*day) + std::chrono::days(30);
}

bool QuestionnaireLogic::checkSurveyDue(bool forQuit) {
    if (m_settings.readIni("Yazoo", "Display", "abc", 6) == "False" ||
        m_state.surveyState == "1111") {
        return false;
    }
    const std::string date = m_settings.readIni("Yazoo", "Date", "", 75);
    if (date != "x" && fewerThan30Days(date)) {
        return false;
    }
    m_quitPending = m_quitPending || forQuit;
    m_view.showPrompt();
    return true;
}

void QuestionnaireLogic::continueQuit() {
    if (std::exchange(m_quitPending, false)) {
        m_app.quitProgram();
    }
}

void QuestionnaireLogic::yesClicked() {
    prepareSurvey(m_state.surveyState, m_state.surveyDate);
    m_view.closePrompt();
    continueQuit();
}

void QuestionnaireLogic::laterClicked() {
    m_view.closePrompt();
    continueQuit();
}

void QuestionnaireLogic::neverClicked() {
    m_settings.writeIni("Yazoo", "Display", "False");
    m_view.closePrompt();
    continueQuit();
}

void QuestionnaireLogic::timerTicked() {
    // An unanswered prompt lets the quit it holds go on; the prompt stays.
    continueQuit();
}

void QuestionnaireLogic::menuClicked() {
    const std::string date = m_settings.readIni("Yazoo", "Date", "", 75);
    if (date != "x" && !date.empty() && fewerThan30Days(date)) {
        m_boxes.custMsgBox("Not Ready For Survey", "ok",
                           "Questionnaires only need to be filled out 4 times, at thirty day "
                           "intervals.  You are not yet due to fill out another questionnaire.",
                           false);
        return;
    }
    if (!checkSurveyDue(false)) {
        m_boxes.showNotice("Questionnaire", "No questionnaire is due: thank you for taking part.",
                           1, false);
    }
}

std::string QuestionnaireLogic::installationId() {
    std::string id = m_settings.readIni("Yazoo", "Random", "", 30);
    if (trimmedText(id).starts_with("x")) {
        double draw = m_random.nextUnit();
        if (!(draw >= 0.0) || draw >= 1.0) {
            draw = 0.0;
        }
        const LocalDateTime now = m_clock.localNow();
        const int year = now.year % 100;
        id = "a" + std::to_string(static_cast<long>(draw * 10000.0)) + std::to_string(now.month) +
             std::to_string(now.day) + (year < 10 ? "0" : "") + std::to_string(year) + "a";
        m_settings.writeIni("Yazoo", "Random", id);
    }
    return id;
}

void QuestionnaireLogic::prepareSurvey(std::string& state, const std::string& date) {
    const std::string id = installationId();
    if (state == "1111") {
        return;
    }
    std::string referenceDate;
    if (!state.empty()) {
        for (const Stage& stage : kStages) {
            if (state == stage.state && stage.state != std::string_view("0000") &&
                stage.state != std::string_view("1111")) {
                m_settings.writeIni("Yazoo", "Last", stage.last);
            }
        }
        if (!date.empty()) {
            m_settings.writeIni("Yazoo", "Date", date);
            referenceDate = date;
        }
    } else {
        referenceDate = m_settings.readIni("Yazoo", "Date", "", 75);
        state = stateFromLast(m_settings.readIni("Yazoo", "Last", "", 15)).value_or("");
    }
    if (!state.empty() && state[0] == '1') {
        return;
    }
    if (!referenceDate.empty() && referenceDate != "x" && fewerThan30Days(referenceDate)) {
        return;
    }
    if (Status written = writePage(nextQuestionnaire(state), id); !written) {
        m_boxes.custMsgBox("kelvo", "ok", written.message(), true);
    }
}

Status QuestionnaireLogic::writePage(const std::string& stage, const std::string& id) {
    const std::filesystem::path page = m_dataFolder / "survey.html";
    if (Status copied = copyTemplatePage(m_programFolder / "template.html", page); !copied) {
        return copied;
    }
    pugi::xml_document document;
    if (Status loaded = loadPage(document, page); !loaded) {
        return loaded;
    }
    const pugi::xml_node title = getElementById(document, "span", "title");
    const pugi::xml_node type = getElementById(document, "input", "surveytype");
    const pugi::xml_node who = getElementById(document, "input", "id");
    const pugi::xml_node size = getElementById(document, "input", "filesize");
    if (!title || !type || !who || !size) {
        return Status::failure(error_number::kInvalidCall,
                               "The questionnaire template " +
                                   (m_programFolder / "template.html").string() +
                                   " lacks one of its fields.");
    }
    setNodeText(title, stage + " Survey");
    // The fields are created when the template left them out.
    for (auto [node, value] :
         {std::pair{type, stage}, std::pair{who, id}, std::pair{size, std::string("default")}}) {
        pugi::xml_node element = node;
        if (!element.attribute("value")) {
            element.append_attribute("value");
        }
        setAttributeValue(element, "value", value);
    }
    if (Status saved = savePage(document, page); !saved) {
        return saved;
    }
    if (!shellSucceeded(m_open(page.string()))) {
        return Status::failure(error_number::kFileNotFound,
                               "The questionnaire page could not be opened.");
    }
    return {};
}

} // namespace kelvo
