#pragma once

#include "platform/status.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kelvo::speech {

/// One passage the user read aloud: its recording and the words in it.
struct AdaptationRecording {
    std::filesystem::path wav;
    std::string words;
};

/// Called with the share done (0 to 100) and what is being done, from the
/// thread that adapts.
using AdaptationProgress = std::function<void(int percent, const std::string& step)>;

/// Adapts the acoustic model to one speaker's voice.
class VoiceAdapter {
public:
    virtual ~VoiceAdapter() = default;

    /// Adapts the model to the recordings and stores the result in the
    /// profile folder's adaptation, which a recognizer takes up when asked
    /// (Recognizer::refreshProfile) or when it next starts listening. The adaptation there is
    /// replaced only when every step succeeded: on failure or cancel the previous one stays. Blocks
    /// for seconds; meant for a worker thread. When `cancel` turns true the running step is stopped
    /// and the call fails with kCancelled.
    virtual Status adapt(const std::filesystem::path& profileFolder,
                         const std::vector<AdaptationRecording>& recordings,
                         const AdaptationProgress& progress, const std::atomic<bool>& cancel) = 0;
};

/// A profile's adaptation as the engine applies it.
struct VoiceAdaptation {
    /// Cepstral means the recognizer starts from; empty: the model's own.
    std::vector<float> cmnStart;
    /// A transform of the model's means; empty: none.
    std::filesystem::path mllrFile;

    bool empty() const { return cmnStart.empty() && mllrFile.empty(); }
};

/// The microphone chosen for a profile (a PulseAudio source name), empty
/// when none was chosen or the choice cannot be read.
std::string profileMicrophone(const std::filesystem::path& profileFolder);

/// Keeps the microphone chosen for a profile; empty forgets the choice.
Status saveProfileMicrophone(const std::filesystem::path& profileFolder, const std::string& source);

/// The folder of a profile folder that holds its adaptation.
std::filesystem::path adaptationFolder(const std::filesystem::path& profileFolder);

/// Reads a profile's adaptation. A profile never trained has an empty one;
/// a damaged one (unreadable or malformed files) is an error naming it.
Result<VoiceAdaptation> readVoiceAdaptation(const std::filesystem::path& profileFolder);

} // namespace kelvo::speech
