#include "platform/speech/sphinx_profile_store.h"

#include "platform/atomic_file.h"

#include <cstdio>
#include <random>
#include <sstream>

namespace kelvo::speech {
namespace {

constexpr const char* kIndexFile = "profiles.ini";
// "Path/file access error", as the other refused file writes: a folder the
// disk refuses is the user's to put right, not a fault of the program.
constexpr int kPathFileAccess = 75;

std::string newId() {
    std::random_device random;
    char text[40];
    std::snprintf(text, sizeof text, "%08x%08x", random(), random());
    return text;
}

bool plainId(const std::string& id) {
    return !id.empty() && id.find_first_not_of("0123456789abcdef") == std::string::npos;
}

bool usableName(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7f) {
            return false;
        }
    }
    return true;
}

} // namespace

SphinxProfileStore::SphinxProfileStore(std::filesystem::path folder)
    : m_folder(std::move(folder)) {}

SphinxProfileStore::Index SphinxProfileStore::readIndex() const {
    Index index;
    Result<std::string> text = readWholeFile(m_folder / kIndexFile);
    if (!text) {
        return index;
    }
    std::istringstream lines(*text);
    for (std::string line; std::getline(lines, line);) {
        std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        std::string key = line.substr(0, equals);
        std::string value = line.substr(equals + 1);
        // Ids name folders: anything else in the file is ignored.
        if (!plainId(value)) {
            continue;
        }
        if (key == "Default") {
            index.defaultId = value;
        } else if (key == "Profile") {
            index.ids.push_back(value);
        }
    }
    return index;
}

Status SphinxProfileStore::writeIndex(const Index& index) const {
    std::string text = "[Profiles]\nDefault=" + index.defaultId + "\n";
    for (const std::string& id : index.ids) {
        text += "Profile=" + id + "\n";
    }
    return writeFileAtomically(m_folder / kIndexFile, text);
}

Result<std::vector<SpeechToken>> SphinxProfileStore::profiles() const {
    std::vector<SpeechToken> tokens;
    for (const std::string& id : readIndex().ids) {
        Result<std::string> name = readWholeFile(m_folder / id / "name");
        if (name && usableName(*name)) {
            tokens.push_back({id, *name});
        } else if (m_reported.insert(id).second) {
            std::fprintf(stderr, "kelvo: voice profile %s left out: %s\n", (m_folder / id).c_str(),
                         name ? "its name is damaged" : name.error().message().c_str());
        }
    }
    return tokens;
}

std::filesystem::path SphinxProfileStore::folderOf(const std::string& id) const {
    return plainId(id) ? m_folder / id : std::filesystem::path();
}

Result<SpeechToken> SphinxProfileStore::create(const std::string& description) {
    Index index = readIndex();
    std::string id = newId();
    std::error_code error;
    std::filesystem::create_directories(m_folder / id, error);
    if (error) {
        return Status::failure(kPathFileAccess,
                               "cannot make the voice profile folder: " + error.message());
    }
    if (Status written = writeFileAtomically(m_folder / id / "name", description); !written) {
        return written;
    }
    index.ids.push_back(id);
    if (index.defaultId.empty()) {
        index.defaultId = id;
    }
    if (Status written = writeIndex(index); !written) {
        return written;
    }
    return SpeechToken{id, description};
}

Result<SpeechToken> SphinxProfileStore::defaultProfile() const {
    Result<std::vector<SpeechToken>> all = profiles();
    if (!all) {
        return all.error();
    }
    if (all->empty()) {
        return Status::failure(ENOENT, "there is no voice profile");
    }
    std::string wanted = readIndex().defaultId;
    for (const SpeechToken& token : *all) {
        if (token.id == wanted) {
            return token;
        }
    }
    return all->front();
}

Status SphinxProfileStore::setDefault(const std::string& id) {
    Index index = readIndex();
    for (const std::string& known : index.ids) {
        if (known == id) {
            index.defaultId = id;
            return writeIndex(index);
        }
    }
    return Status::failure(ENOENT, "no voice profile with the id " + id);
}

} // namespace kelvo::speech
