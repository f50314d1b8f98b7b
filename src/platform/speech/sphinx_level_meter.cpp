#include "platform/speech/sphinx_level_meter.h"

#include "platform/speech/speech_events.h"

#include <algorithm>
#include <cmath>

namespace kelvo::speech {
namespace {

constexpr std::size_t kFrameSamples = 800;

} // namespace

std::optional<int> SpeechLevelMeter::feed(const std::int16_t* samples, std::size_t count,
                                          bool inSpeech) {
    if (count == 0) {
        return std::nullopt;
    }
    auto [low, high] = std::minmax_element(samples, samples + count);
    if (*high - *low <= kFloorSpan) {
        m_flatRun += count;
        m_liveRun = 0;
    } else {
        m_flatRun = 0;
        m_liveRun += count;
    }
    if (inSpeech) {
        for (std::size_t i = 0; i < count; ++i) {
            const double energy = static_cast<double>(samples[i]) * samples[i];
            m_frameEnergy += energy;
            if (++m_frameSamples == kFrameSamples) {
                m_frameLevels.push_back(10.0 * std::log10(m_frameEnergy / kFrameSamples + 1.0));
                m_frameEnergy = 0.0;
                m_frameSamples = 0;
            }
            m_windowEnergy += energy;
            m_clipped += std::abs(static_cast<int>(samples[i])) >= 32700 ? 1 : 0;
            if (++m_windowSamples == kWindowSamples) {
                closeWindow();
            }
        }
        m_speechSamples += count;
    }
    if (m_flatRun >= kNoSignalSamples && m_reported != Signal::Dead) {
        m_reported = Signal::Dead;
        return interference::kNoSignal;
    }
    if (m_liveRun >= kBackSamples && m_reported != Signal::Live) {
        m_reported = Signal::Live;
        return interference::kNone;
    }
    return std::nullopt;
}

void SpeechLevelMeter::closeWindow() {
    if (m_windowSamples > 0) {
        m_loudestRms = std::max(m_loudestRms,
                                std::sqrt(m_windowEnergy / static_cast<double>(m_windowSamples)));
    }
    m_windowEnergy = 0.0;
    m_windowSamples = 0;
}

std::optional<int> SpeechLevelMeter::utteranceEnded() {
    closeWindow();
    std::optional<int> code;
    if (m_speechSamples > 0) {
        if (static_cast<double>(m_clipped) > kClippedShare * static_cast<double>(m_speechSamples)) {
            code = interference::kTooLoud;
        } else if (m_loudestRms < kQuietRms) {
            code = interference::kTooQuiet;
        }
    }
    m_lastSteady = false;
    if (!m_frameLevels.empty()) {
        std::vector<double> levels = m_frameLevels;
        auto middle = levels.begin() + static_cast<long>(levels.size() / 2);
        std::nth_element(levels.begin(), middle, levels.end());
        const double median = *middle;
        const auto near = std::count_if(levels.begin(), levels.end(), [median](double level) {
            return std::abs(level - median) <= kSteadyDb;
        });
        m_lastSteady =
            static_cast<double>(near) >= kSteadyShare * static_cast<double>(levels.size());
    }
    m_frameLevels.clear();
    m_frameEnergy = 0.0;
    m_frameSamples = 0;
    m_speechSamples = 0;
    m_clipped = 0;
    m_loudestRms = 0.0;
    return code;
}

} // namespace kelvo::speech
