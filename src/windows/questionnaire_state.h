#pragma once

#include <string>

namespace kelvo {

/// What this run's start-up reply said about the questionnaires; both empty
/// when no usable reply came.
struct QuestionnaireState {
    /// Four characters, a "1" for each completed one from the right.
    std::string surveyState;
    /// The reference date, "m/d/yyyy".
    std::string surveyDate;
};

} // namespace kelvo
