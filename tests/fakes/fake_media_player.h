#pragma once

#include "platform/media_player.h"

#include <string>
#include <vector>

namespace kelvo::fakes {

/// Records what the player was asked, in order ("load PATH", "volume 1",
/// "balance 0", "rate 1", "seek 0", "play"); loads only files that exist.
class FakeMediaPlayer : public MediaPlayer {
public:
    bool load(const std::filesystem::path& file) override {
        calls.push_back("load " + file.string());
        return std::filesystem::exists(file);
    }
    bool play() override { return record("play"); }
    bool setVolume(double factor) override { return record("volume", factor); }
    bool setBalance(double position) override { return record("balance", position); }
    bool setRate(double factor) override { return factor > 0 && record("rate", factor); }
    bool seek(double seconds) override { return record("seek", seconds); }
    std::optional<double> length() override { return fileLength; }

    std::vector<std::string> calls;
    std::vector<double> values;
    std::optional<double> fileLength = 1.2;

private:
    bool record(const std::string& what, double value = 0) {
        calls.push_back(what);
        values.push_back(value);
        return true;
    }
};

} // namespace kelvo::fakes
