#include "services/address_opener.h"

#include "platform/shell.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace kelvo {

namespace {

bool isDefaultOperation(std::string_view operation) {
    std::string lower(operation);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.empty() || lower == "open";
}

} // namespace

std::vector<std::string> splitParameters(std::string_view parameters) {
    std::vector<std::string> arguments;
    std::string current;
    bool inQuotes = false;
    bool hasArgument = false;
    for (char c : parameters) {
        if (c == '"') {
            inQuotes = !inQuotes;
            hasArgument = true;
        } else if ((c == ' ' || c == '\t') && !inQuotes) {
            if (hasArgument) {
                arguments.push_back(std::move(current));
                current.clear();
                hasArgument = false;
            }
        } else {
            current += c;
            hasArgument = true;
        }
    }
    if (hasArgument) {
        arguments.push_back(std::move(current));
    }
    return arguments;
}

AddressOpener::AddressOpener(Shell& shell, BrowserWindowCheck check)
    : m_shell(shell), m_check(std::move(check)) {}

int AddressOpener::openUrl(std::string_view target, std::string_view operation,
                           std::string_view parameters, std::string_view /*directory*/,
                           int /*showCommand*/) {
    const int result = open(target, operation, parameters);
    runBrowserWindowCheck(m_check);
    return result;
}

int AddressOpener::open(std::string_view target, std::string_view operation,
                        std::string_view parameters) {
    if (!isDefaultOperation(operation)) {
        // The desktop has no "print" or other verbs for a document.
        return shell_result::kNoAssociation;
    }
    const std::string path(target);
    if (path.empty()) {
        return shell_result::kFileNotFound;
    }
    if (!looksLikeAddress(path) && isProgramFile(path)) {
        return m_shell.startProgram(path, splitParameters(parameters));
    }
    return m_shell.openDocument(path);
}

} // namespace kelvo
