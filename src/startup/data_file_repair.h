#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kelvo {

/// What became of one damaged file of the data folder.
struct DataFileRepair {
    std::string name;
    /// Where the damaged file (or folder) was kept; empty when it could not
    /// be moved aside.
    std::filesystem::path keptAs;
    /// True once the installed file is back in its place.
    bool repaired = false;
    /// Why it could not be put back, when it was not.
    std::string failure;
};

/// Moves a damaged file or folder aside under a free name beside it
/// ("commands.xml.damaged", then "commands.xml.damaged-2", ...); returns the
/// new name, or an empty path when it could not be moved.
std::filesystem::path keepDamagedAside(const std::filesystem::path& file, std::string& failure);

/// Puts back from the installed defaults every file of the data folder the
/// program could not use, keeping the damaged one beside it: any installed
/// file that is no readable file (a folder in its place, no read access),
/// and a catalogue or grammar that is not well-formed, empty, or without a
/// command or a rule. The custom-command store is the user's and is never
/// touched here. Returns one entry per damaged file.
std::vector<DataFileRepair> repairDamagedDataFiles(const std::filesystem::path& defaultsFolder,
                                                   const std::filesystem::path& dataFolder);

/// The notice that tells the user what was put back and where the damaged
/// files are; empty when nothing was damaged.
std::string repairNotice(const std::vector<DataFileRepair>& repairs);

} // namespace kelvo
