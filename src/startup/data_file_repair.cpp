#include "startup/data_file_repair.h"

#include "platform/atomic_file.h"
#include "speech/command_catalogue.h"
#include "speech/grammar_rules.h"

#include <algorithm>
#include <string_view>

namespace kelvo {

namespace fs = std::filesystem;

namespace {

// The store is the user's own: the start-up restores it from its backup
// or leaves it alone, never puts back an empty one.
constexpr std::string_view kCustomStoreFile = "commands_customfree.xml";

// What a file must hold beyond being a readable file; none for the files
// any text will do for (a settings key that is missing reads as unset).
bool holdsWhatItMust(const std::string& name, std::string_view text) {
    if (name == "commands.xml") {
        return isWholeCatalogue(text);
    }
    if (name == "en_CLICK.XML" || name == "en_CLICK_mute.XML" || name == "min.xml") {
        return isWholeGrammar(text);
    }
    return true;
}

bool isWhole(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) {
        return false;
    }
    auto text = readWholeFile(file);
    return text && holdsWhatItMust(file.filename().string(), *text);
}

} // namespace

fs::path keepDamagedAside(const fs::path& file, std::string& failure) {
    std::error_code ec;
    for (int k = 1; k < 1000; ++k) {
        fs::path aside = file;
        aside += k == 1 ? ".damaged" : ".damaged-" + std::to_string(k);
        if (fs::exists(fs::symlink_status(aside, ec))) {
            continue;
        }
        fs::rename(file, aside, ec);
        if (ec) {
            failure = "cannot rename " + file.string() + ": " + ec.message();
            return {};
        }
        return aside;
    }
    failure = "no free name beside " + file.string();
    return {};
}

std::vector<DataFileRepair> repairDamagedDataFiles(const fs::path& defaultsFolder,
                                                   const fs::path& dataFolder) {
    std::vector<DataFileRepair> repairs;
    std::error_code ec;
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(defaultsFolder, ec)) {
        if (entry.is_regular_file(ec) && entry.path().filename() != kCustomStoreFile) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const fs::path file = dataFolder / name;
        // A file that is missing is the installer's to put in place.
        if (!fs::exists(fs::symlink_status(file, ec)) || isWhole(file)) {
            continue;
        }
        DataFileRepair repair{name, {}, false, {}};
        repair.keptAs = keepDamagedAside(file, repair.failure);
        if (!repair.keptAs.empty()) {
            Status copied = copyFileAtomically(defaultsFolder / name, file);
            repair.repaired = copied.ok();
            if (!copied) {
                repair.failure = copied.message();
            }
        }
        repairs.push_back(std::move(repair));
    }
    return repairs;
}

std::string repairNotice(const std::vector<DataFileRepair>& repairs) {
    std::string notice;
    for (const DataFileRepair& repair : repairs) {
        notice += notice.empty() ? "" : "\n";
        if (repair.repaired) {
            notice += repair.name +
                      " was damaged and has been put back as installed; the "
                      "damaged file was kept as " +
                      repair.keptAs.filename().string() + ".";
        } else {
            notice += repair.name + " is damaged and could not be put back (" + repair.failure +
                      "); delete it and start kelvo again.";
        }
    }
    return notice;
}

} // namespace kelvo
