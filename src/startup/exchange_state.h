#pragma once

#include "startup/server_exchange.h"
#include "startup/startup_reply.h"
#include "windows/questionnaire_state.h"

#include <string>

namespace kelvo {

/// What the start-up report brought for this run; the close-down's content
/// update works from it.
struct ExchangeState {
    UserRecord userRecord;
    /// True once a usable, well-formed reply of this run was taken in.
    bool replyOk = false;
    /// The reply as it came (empty when none came).
    std::string replyText;
    /// The reply's fields; only meaningful when replyOk.
    StartupReply reply;
    /// The reply's questionnaire state and date, which the questionnaire
    /// works from; empty until a usable reply came.
    QuestionnaireState questionnaire;
};

} // namespace kelvo
