#pragma once

#include "platform/environment.h"
#include "platform/status.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// The roots of the key tree.
enum class RootKey { ClassesRoot, CurrentUser, LocalMachine, Users };

/// A tree of keys holding named text and 32-bit number values, in the
/// manner of the desktop's configuration registry. Key paths use "\" and,
/// like value names, match without regard to case. The empty value name is
/// the key's default value.
class KeyStore {
public:
    virtual ~KeyStore() = default;

    /// Reads a value into out: a text value unchanged, a number value as its
    /// unsigned decimal text. Returns false, with out emptied, when the key
    /// or the value is missing.
    virtual bool regQueryValue(RootKey root, std::string_view keyPath, std::string_view valueName,
                               std::string& out) = 0;

    /// Stores a text value, making the key when it is missing. Returns false
    /// when the store can't be written.
    virtual bool regSetString(RootKey root, std::string_view keyPath, std::string_view valueName,
                              std::string_view value) = 0;

    /// The value names of the key in stored order, followed by one empty
    /// element; a missing key gives one empty element alone.
    virtual std::vector<std::string> regEnumValues(RootKey root, std::string_view keyPath) = 0;
};

/// The key store kept in one file of ours. Keys the program reads from the
/// desktop's own configuration get fixed answers that fit Linux; the file
/// can override them. Every call reads the file; every write replaces it
/// atomically.
std::unique_ptr<KeyStore> makeFileKeyStore(std::filesystem::path file);

/// The key store file: $XDG_CONFIG_HOME/kelvo/keystore.ini (default
/// ~/.config/kelvo/keystore.ini). Fails when no home folder is known.
Result<std::filesystem::path> defaultKeyStoreFile(const Environment& env);

/// The name of a root key as the file writes it ("HKEY_LOCAL_MACHINE").
std::string_view rootKeyName(RootKey root);

} // namespace kelvo
