#pragma once

#include "platform/speech/sphinx_decoder.h"
#include "platform/status.h"

#include <cstdint>
#include <vector>

namespace kelvo::speech {

/// A short spoken sentence for warmUpDecoder, made by espeak-ng; empty
/// when it cannot be run.
std::vector<std::int16_t> warmUpSpeech();

/// Decodes `speech` as one utterance with the decoder's current search and
/// throws the result away. A fresh decoder takes its running cepstral mean
/// from whatever its first utterance holds; when that is only the noise the
/// level detector mistakes for speech as it settles, the mean is wrong and
/// the next phrases are rejected. Starting from speech avoids that.
/// Nothing is done for an empty sample.
Status warmUpDecoder(SphinxDecoder& decoder, const std::vector<std::int16_t>& speech);

} // namespace kelvo::speech
