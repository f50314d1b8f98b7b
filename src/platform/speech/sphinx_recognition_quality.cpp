#include "platform/speech/sphinx_recognition_quality.h"

#include <algorithm>
#include <sstream>

namespace kelvo::speech {
namespace {

int phoneCount(const SphinxDecoder& decoder, const std::string& entry) {
    std::istringstream phones(decoder.phones(entry));
    int count = 0;
    for (std::string phone; phones >> phone;) {
        ++count;
    }
    return count;
}

} // namespace

std::optional<bool> fitsPoorly(const SphinxDecoder& decoder) {
    return fitsPoorly(decoder.spans(),
                      [&decoder](const std::string& entry) { return phoneCount(decoder, entry); });
}

std::optional<bool> fitsPoorly(const std::vector<SphinxDecoder::Span>& spans,
                               const std::function<int(const std::string&)>& phones) {
    int frames = 0;
    int soundFrames = 0;
    int phoneTotal = 0;
    for (const SphinxDecoder::Span& span : spans) {
        const int length = span.last - span.first + 1;
        if (span.word.empty() || span.word == "(NULL)") {
            continue;
        }
        frames += length;
        // Silence and fillers ("<sil>", "[NOISE]", "+NOISE+") are no
        // phones of speech.
        if (span.word.front() != '<' && span.word.front() != '[' && span.word.front() != '+') {
            soundFrames += length;
            phoneTotal += std::max(phones(span.word), 1);
        }
    }
    if (frames < kShortestJudgedFrames) {
        return std::nullopt;
    }
    const double seconds = frames / 100.0;
    return phoneTotal / seconds < kPoorPhonesPerSecond &&
           soundFrames >= kPoorSoundShare * static_cast<double>(frames);
}

bool PoorRecognitionWatch::utteranceEnded(std::optional<bool> poorFit) {
    if (!poorFit || m_told) {
        return false;
    }
    m_recent.push_back(*poorFit);
    if (m_recent.size() > kWindow) {
        m_recent.pop_front();
    }
    if (static_cast<std::size_t>(std::count(m_recent.begin(), m_recent.end(), true)) >= kPoor) {
        m_told = true;
    }
    return m_told;
}

} // namespace kelvo::speech
