#pragma once

#include <string>
#include <vector>

namespace kelvo {

class SettingsFile;

/// The words a dictated zip code is made of: the digits, "o" among them.
std::vector<std::string> zipCodeVocabulary();

/// The places a dictated city is heard as first: the user's own places from
/// the local search settings, then the states and larger cities of the
/// United States. Any other place is left to the general model.
std::vector<std::string> cityVocabulary(const SettingsFile& settings);

} // namespace kelvo
