#pragma once

#include "platform/key_store.h"

#include <map>
#include <string>
#include <vector>

namespace kelvo::fakes {

/// A key store in memory. Values are looked up by "ROOT\path|name" exactly
/// as the test stored them (no case folding); every write is recorded.
class FakeKeyStore : public KeyStore {
public:
    static std::string slot(RootKey root, std::string_view keyPath, std::string_view name) {
        return std::string(rootKeyName(root)) + "\\" + std::string(keyPath) + "|" +
               std::string(name);
    }

    void set(RootKey root, std::string_view keyPath, std::string_view name, std::string value) {
        values[slot(root, keyPath, name)] = std::move(value);
    }

    bool regQueryValue(RootKey root, std::string_view keyPath, std::string_view valueName,
                       std::string& out) override {
        queries.push_back(slot(root, keyPath, valueName));
        auto it = values.find(slot(root, keyPath, valueName));
        if (it == values.end()) {
            out.clear();
            return false;
        }
        out = it->second;
        return true;
    }

    bool regSetString(RootKey root, std::string_view keyPath, std::string_view valueName,
                      std::string_view value) override {
        writes.push_back(slot(root, keyPath, valueName) + "=" + std::string(value));
        if (failWrites) {
            return false;
        }
        values[slot(root, keyPath, valueName)] = std::string(value);
        return true;
    }

    std::vector<std::string> regEnumValues(RootKey root, std::string_view keyPath) override {
        const std::string prefix =
            std::string(rootKeyName(root)) + "\\" + std::string(keyPath) + "|";
        std::vector<std::string> names;
        for (const auto& [key, value] : values) {
            if (key.starts_with(prefix)) {
                names.push_back(key.substr(prefix.size()));
            }
        }
        names.emplace_back();
        return names;
    }

    std::map<std::string, std::string> values;
    std::vector<std::string> queries;
    std::vector<std::string> writes;
    bool failWrites = false;
};

} // namespace kelvo::fakes
