#include "program/recognition_road.h"

#include <cstdlib>

namespace kelvo {

namespace {

std::unique_ptr<Desktop> openDesktop() {
    auto desktop = Desktop::create();
    if (desktop.ok()) {
        return std::move(desktop).value();
    }
    return makeUnavailableDesktop(desktop.error().message());
}

std::string pathVariable() {
    const char* path = std::getenv("PATH");
    return path == nullptr ? "" : path;
}

} // namespace

RecognitionRoad::RecognitionRoad(const RecognitionRoadParts& parts)
    : m_desktop(openDesktop()), m_programs(parts.settings, pathVariable()),
      m_actions(*m_desktop, parts.state.dispatch.mouseHandedness, parts.boxes, parts.host,
                m_programs),
      m_dispatcher(DispatchContext{parts.state.dispatch, parts.state.speech, parts.state.catalogue,
                                   parts.state.messageBoxes, parts.boxes, parts.app, parts.windows,
                                   parts.feedback, parts.settings, parts.host, m_actions,
                                   parts.interpreters}),
      m_events(m_dispatcher, parts.state.dispatch, parts.host, parts.onRequestUI) {}

} // namespace kelvo
