#include "platform/key_store.h"

#include "platform/ascii_text.h"
#include "platform/atomic_file.h"
#include "platform/special_folders.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>

namespace kelvo {

namespace fs = std::filesystem;

namespace {

enum class ValueType { Text, Number };

struct Value {
    std::string name;
    ValueType type = ValueType::Text;
    std::string data; // a number is kept as its decimal text
};

struct Key {
    std::string path; // root name, "\", key path
    std::vector<Value> values;
};

std::string fullPath(RootKey root, std::string_view keyPath) {
    std::string path(rootKeyName(root));
    std::string_view rest = keyPath;
    while (!rest.empty() && rest.front() == '\\') {
        rest.remove_prefix(1);
    }
    while (!rest.empty() && rest.back() == '\\') {
        rest.remove_suffix(1);
    }
    if (!rest.empty()) {
        path += '\\';
        path += rest;
    }
    return path;
}

// Names and values go on one line: the few characters that would break
// the line structure are written as %XX. A name also starts the line, so
// the comment marks are escaped there too.
std::string escape(std::string_view text, bool isName) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        const bool special = c == '%' || c == '\r' || c == '\n' ||
                             (isName && (c == '=' || c == '[' || c == ';' || c == '#'));
        if (special) {
            const auto byte = static_cast<unsigned char>(c);
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

std::string unescape(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexDigitValue(text[i + 1]) >= 0 &&
            hexDigitValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexDigitValue(text[i + 1]) * 16 + hexDigitValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::optional<std::uint32_t> parseNumber(std::string_view text) {
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return number;
}

// Lines that don't parse are skipped, so a damaged file loses only them.
// The values below a damaged key line are skipped with it: they must not
// end up in the key above.
std::vector<Key> parse(std::string_view text) {
    std::vector<Key> keys;
    bool inKey = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            inKey = line.back() == ']' && line.size() > 2;
            if (inKey) {
                keys.push_back({unescape(line.substr(1, line.size() - 2)), {}});
            }
            continue;
        }
        const auto equals = line.find('=');
        if (!inKey || equals == std::string_view::npos) {
            continue;
        }
        std::string_view typed = line.substr(equals + 1);
        Value value{unescape(line.substr(0, equals)), ValueType::Text, {}};
        if (typed.starts_with("text:")) {
            value.data = unescape(typed.substr(5));
        } else if (typed.starts_with("number:")) {
            auto number = parseNumber(typed.substr(7));
            if (!number) {
                continue;
            }
            value.type = ValueType::Number;
            value.data = std::to_string(*number);
        } else {
            continue;
        }
        keys.back().values.push_back(std::move(value));
    }
    return keys;
}

std::string serialize(const std::vector<Key>& keys) {
    std::string text = "; kelvo key store\n";
    for (const Key& key : keys) {
        text += '[' + escape(key.path, false) + "]\n";
        for (const Value& value : key.values) {
            text += escape(value.name, true);
            text += value.type == ValueType::Number ? "=number:" : "=text:";
            text += escape(value.data, false);
            text += '\n';
        }
    }
    return text;
}

Key* findKey(std::vector<Key>& keys, std::string_view path) {
    auto it = std::find_if(keys.begin(), keys.end(),
                           [&](const Key& key) { return equalsIgnoreCase(key.path, path); });
    return it == keys.end() ? nullptr : &*it;
}

Value* findValue(Key& key, std::string_view name) {
    auto it = std::find_if(key.values.begin(), key.values.end(),
                           [&](const Value& value) { return equalsIgnoreCase(value.name, name); });
    return it == key.values.end() ? nullptr : &*it;
}

// What the desktop's own configuration would answer, given Linux terms:
// the default web handler is xdg-open (never the old browser whose window
// count the open-address service watches), and the program folders are
// the shared-data and add-on-program folders.
std::vector<Key> builtInKeys() {
    return {
        {"HKEY_CLASSES_ROOT\\http\\shell\\open\\command",
         {{"", ValueType::Text, "xdg-open \"%1\""}}},
        {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
         {{"CommonFilesDir", ValueType::Text, "/usr/share"},
          {"ProgramFilesDir", ValueType::Text, "/opt"}}},
    };
}

class FileKeyStore final : public KeyStore {
public:
    explicit FileKeyStore(fs::path file) : m_file(std::move(file)) {}

    bool regQueryValue(RootKey root, std::string_view keyPath, std::string_view valueName,
                       std::string& out) override {
        auto keys = merged();
        const std::string path = fullPath(root, keyPath);
        if (Key* key = findKey(keys, path)) {
            if (Value* value = findValue(*key, valueName)) {
                out = value->data;
                return true;
            }
        }
        out.clear();
        return false;
    }

    bool regSetString(RootKey root, std::string_view keyPath, std::string_view valueName,
                      std::string_view value) override {
        auto keys = stored();
        if (!keys) {
            return false;
        }
        const std::string path = fullPath(root, keyPath);
        Key* key = findKey(*keys, path);
        if (key == nullptr) {
            keys->push_back({path, {}});
            key = &keys->back();
        }
        if (Value* existing = findValue(*key, valueName)) {
            existing->type = ValueType::Text;
            existing->data = std::string(value);
        } else {
            key->values.push_back({std::string(valueName), ValueType::Text, std::string(value)});
        }
        return writeFileAtomically(m_file, serialize(*keys)).ok();
    }

    std::vector<std::string> regEnumValues(RootKey root, std::string_view keyPath) override {
        std::vector<std::string> names;
        auto keys = merged();
        if (Key* key = findKey(keys, fullPath(root, keyPath))) {
            for (const Value& value : key->values) {
                names.push_back(value.name);
            }
        }
        names.emplace_back();
        return names;
    }

private:
    // The file's keys; an absent file is an empty store, an unreadable one
    // an error.
    std::optional<std::vector<Key>> stored() const {
        std::error_code ec;
        if (!fs::exists(m_file, ec)) {
            return std::vector<Key>{};
        }
        auto text = readWholeFile(m_file);
        if (!text) {
            return std::nullopt;
        }
        return parse(*text);
    }

    // The file's keys with the built-in answers added where it has none.
    std::vector<Key> merged() const {
        auto keys = stored().value_or(std::vector<Key>{});
        for (Key& builtIn : builtInKeys()) {
            Key* key = findKey(keys, builtIn.path);
            if (key == nullptr) {
                keys.push_back(std::move(builtIn));
                continue;
            }
            for (Value& value : builtIn.values) {
                if (findValue(*key, value.name) == nullptr) {
                    key->values.push_back(std::move(value));
                }
            }
        }
        return keys;
    }

    fs::path m_file;
};

} // namespace

std::string_view rootKeyName(RootKey root) {
    switch (root) {
    case RootKey::ClassesRoot:
        return "HKEY_CLASSES_ROOT";
    case RootKey::CurrentUser:
        return "HKEY_CURRENT_USER";
    case RootKey::LocalMachine:
        return "HKEY_LOCAL_MACHINE";
    case RootKey::Users:
        return "HKEY_USERS";
    }
    return "HKEY_CURRENT_USER";
}

std::unique_ptr<KeyStore> makeFileKeyStore(fs::path file) {
    return std::make_unique<FileKeyStore>(std::move(file));
}

Result<fs::path> defaultKeyStoreFile(const Environment& env) {
    auto config = xdgBaseFolder(env, "XDG_CONFIG_HOME", ".config");
    if (!config) {
        return config.error();
    }
    return *config / "kelvo" / "keystore.ini";
}

} // namespace kelvo
