#pragma once

#include "platform/special_folders.h"

#include <string>
#include <vector>

namespace kelvo::fakes {

/// Folders under a test's own root; records which folders were asked for.
/// A folder set to empty fails, as when no home folder is known.
class FakeSpecialFolders : public SpecialFolders {
public:
    explicit FakeSpecialFolders(const std::filesystem::path& root)
        : data(root / "data" / "kelvo"), documents(root / "Documents"), startup(root / "autostart"),
          program(root / "program"), system(root / "bin") {}

    Result<std::filesystem::path> dataFolder() const override { return answer("data", data); }
    Result<std::filesystem::path> documentsFolder() const override {
        auto folder = answer("documents", documents);
        if (folder) {
            std::filesystem::create_directories(*folder);
        }
        return folder;
    }
    Result<std::filesystem::path> startupFolder() const override {
        return answer("startup", startup);
    }
    std::filesystem::path programFolder() const override {
        calls.push_back("program");
        return program;
    }
    std::filesystem::path systemFolder() const override {
        calls.push_back("system");
        return system;
    }

    std::filesystem::path data;
    std::filesystem::path documents;
    std::filesystem::path startup;
    std::filesystem::path program;
    std::filesystem::path system;
    mutable std::vector<std::string> calls;

private:
    Result<std::filesystem::path> answer(const std::string& name,
                                         const std::filesystem::path& folder) const {
        calls.push_back(name);
        if (folder.empty()) {
            return Status::failure(76, "no " + name + " folder");
        }
        return folder;
    }
};

} // namespace kelvo::fakes
