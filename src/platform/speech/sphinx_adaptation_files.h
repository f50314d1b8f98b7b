#pragma once

#include "platform/status.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo::speech {

/// The mixture-weight file the training tools read, made from the
/// compressed weights ("sendump") a recognizer-only model ships with.
Status writeMixtureWeightsFromSendump(const std::filesystem::path& sendump,
                                      const std::filesystem::path& mixtureWeights);

/// The mean of every frame of the cepstrum files (each 13 values a frame).
Result<std::vector<float>> cepstralMean(const std::vector<std::filesystem::path>& mfcFiles);

/// Checks a mean transform ("mllr_matrix" text) and gives the length of
/// each of its feature streams.
Result<std::vector<std::size_t>> parseMllrStreams(std::string_view text);

/// A transform that changes nothing, for streams of these lengths.
std::string identityMllr(const std::vector<std::size_t>& streams);

/// "41.00,-5.29,..." as the recognizer's cmninit setting writes them;
/// fails on anything that is not 13 finite numbers.
Result<std::vector<float>> parseCmnValues(std::string_view text);
std::string formatCmnValues(const std::vector<float>& values);

/// Number of cepstral values in a frame.
inline constexpr std::size_t kCepstrumLength = 13;

/// File names inside the adaptation folder.
inline constexpr const char* kCmnStartFile = "cmninit";
inline constexpr const char* kMllrFile = "mllr_matrix";

} // namespace kelvo::speech
