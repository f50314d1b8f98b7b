#include "platform/speech/sphinx_warm_up.h"

#include "platform/speech/sphinx_audio_source.h"
#include "platform/speech/sphinx_run_program.h"
#include "platform/speech/sphinx_wav.h"

namespace kelvo::speech {

std::vector<std::int16_t> warmUpSpeech() {
    auto wav = runProgramForOutput(
        {"espeak-ng", "-v", "en-us", "--stdout", "listening for your commands now"});
    if (!wav) {
        return {};
    }
    auto samples = decodeWavAsSpeech(*wav);
    return samples ? std::move(samples).value() : std::vector<std::int16_t>{};
}

Status warmUpDecoder(SphinxDecoder& decoder, const std::vector<std::int16_t>& speech) {
    if (speech.empty()) {
        return {};
    }
    // Room noise around the sentence, as a microphone delivers it.
    constexpr std::size_t kQuiet = kSpeechSampleRate / 2;
    std::vector<std::int16_t> audio(kQuiet);
    std::uint32_t seed = 99;
    fillWithRoomNoise(audio.data(), audio.size(), seed);
    audio.insert(audio.end(), speech.begin(), speech.end());
    audio.resize(audio.size() + kQuiet);
    fillWithRoomNoise(audio.data() + audio.size() - kQuiet, kQuiet, seed);
    if (Status started = decoder.startUtterance(); !started) {
        return started;
    }
    Status processed = decoder.process(audio.data(), audio.size());
    (void)decoder.endUtterance();
    return processed;
}

} // namespace kelvo::speech
