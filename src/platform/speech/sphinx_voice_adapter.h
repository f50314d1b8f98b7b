#pragma once

#include "platform/speech/sphinx_decoder.h"
#include "platform/speech/voice_adaptation.h"

#include <filesystem>
#include <memory>

namespace kelvo::speech {

struct SphinxAdapterOptions {
    /// The model adapted (its folder and pronunciation dictionary).
    SphinxModelPaths model = installedSphinxModel();
    /// Where the training tools (bw, mllr_solve) are installed.
    std::filesystem::path trainingTools = "/usr/lib/sphinxtrain";
    /// Where the model files the tools need beyond the shipped ones are
    /// made, once.
    std::filesystem::path cacheFolder;
};

/// True when every program the adaptation runs is installed.
bool sphinxAdaptationToolsPresent(const SphinxAdapterOptions& options);

/// Adapts with the PocketSphinx training tools: the recordings' cepstra
/// (sphinx_fe) give the cepstral start values; Baum-Welch counts (bw) give
/// a mean transform (mllr_solve).
std::unique_ptr<VoiceAdapter> makeSphinxVoiceAdapter(SphinxAdapterOptions options);

} // namespace kelvo::speech
