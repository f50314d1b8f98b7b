#pragma once

#include "platform/speech/speech_engine.h"
#include "platform/status.h"

#include <filesystem>
#include <set>
#include <vector>

namespace kelvo::speech {

/// Voice profiles on disk: a folder per profile named by a generated id,
/// holding "name" (the profile's description), and an index file
/// "profiles.ini" listing the ids in creation order and the default.
class SphinxProfileStore {
public:
    explicit SphinxProfileStore(std::filesystem::path folder);

    /// The profiles in creation order. A profile whose folder is gone or
    /// whose name is unreadable, empty or holds control characters is
    /// skipped and reported once on stderr. A store that does not exist yet
    /// is empty.
    Result<std::vector<SpeechToken>> profiles() const;

    /// The folder of the profile with this id; empty for an id that cannot
    /// name a profile folder.
    std::filesystem::path folderOf(const std::string& id) const;

    /// Adds a profile and returns its token; the first profile becomes the
    /// default.
    Result<SpeechToken> create(const std::string& description);

    /// The default profile; fails when the store is empty.
    Result<SpeechToken> defaultProfile() const;

    /// Makes the profile with this id the default; fails for an unknown id.
    Status setDefault(const std::string& id);

private:
    struct Index {
        std::vector<std::string> ids;
        std::string defaultId;
    };
    Index readIndex() const;
    Status writeIndex(const Index& index) const;

    std::filesystem::path m_folder;
    // Damaged profiles already reported, so a list asked for again stays
    // quiet.
    mutable std::set<std::string> m_reported;
};

} // namespace kelvo::speech
