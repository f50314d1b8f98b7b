#pragma once

#include "platform/speech/sphinx_decoder.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kelvo::speech {

/// Whether the utterance the decoder last ended was heard with a poor fit:
/// the model could follow fewer than kPoorPhonesPerSecond phones a second
/// through it, though most of it was heard as sound rather than silence. A
/// muffled, covered or wrong microphone gives that (a vowel held for most
/// of a second); speech it hears well, a command or not, runs at eight to
/// twelve. Nothing for an utterance shorter than kShortestJudgedFrames.
std::optional<bool> fitsPoorly(const SphinxDecoder& decoder);

/// The same judgement of an utterance's spans; `phones` counts the phones of
/// a dictionary entry.
std::optional<bool> fitsPoorly(const std::vector<SphinxDecoder::Span>& spans,
                               const std::function<int(const std::string&)>& phones);

inline constexpr double kPoorPhonesPerSecond = 3.0;
inline constexpr double kPoorSoundShare = 0.5;
inline constexpr int kShortestJudgedFrames = 30;

/// Tells when recognition is persistently poor: of the last kWindow judged
/// utterances, at least kPoor were heard with a poor fit. Says so once.
class PoorRecognitionWatch {
public:
    static constexpr std::size_t kWindow = 8;
    static constexpr std::size_t kPoor = 6;

    /// One utterance ended; true the first time the rule holds.
    bool utteranceEnded(std::optional<bool> poorFit);

private:
    std::deque<bool> m_recent;
    bool m_told = false;
};

} // namespace kelvo::speech
