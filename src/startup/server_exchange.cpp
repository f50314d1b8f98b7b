#include "startup/server_exchange.h"

#include <initializer_list>
#include <utility>

namespace kelvo {

namespace {

using Field = std::pair<std::string_view, std::string_view>;

std::string formOf(std::initializer_list<Field> fields) {
    std::string form;
    for (const auto& [name, value] : fields) {
        if (!form.empty()) {
            form += '&';
        }
        form += name;
        form += '=';
        form += formValue(value);
    }
    return form;
}

bool unreserved(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

} // namespace

UserRecord fillUserRecord(const SettingsFile& settings) {
    UserRecord user;
    user.id = settings.readIni("Yazoo", "Random", "abc", 50);
    user.client = settings.readIni("Edition", "Edition", "abc", 50);
    return user;
}

std::string formValue(std::string_view text) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (unreserved(c)) {
            encoded += ch;
        } else if (c == ' ') {
            encoded += '+';
        } else {
            encoded += '%';
            encoded += kDigits[c >> 4];
            encoded += kDigits[c & 0xF];
        }
    }
    return encoded;
}

std::string startupReportForm(const UserRecord& user, std::string_view sessionSummary) {
    return formOf({{"city", user.city},
                   {"zip", user.zip},
                   {"email", user.email},
                   {"age", user.age},
                   {"sex", user.sex},
                   {"country", user.country},
                   {"state", user.state},
                   {"language", "English"},
                   {"version", user.version},
                   {"edition", user.edition},
                   {"id", user.id},
                   {"productid", user.productid},
                   {"clientname", user.client},
                   {"oem", user.oem},
                   {"operatingsystem", user.operatingsystem},
                   {"session", sessionSummary}});
}

std::string downloadForm(const UserRecord& user, bool withCity) {
    std::string form = formOf({{"edition", user.edition},
                               {"type", user.type},
                               {"age", user.age},
                               {"country", user.country},
                               {"edition", user.edition},
                               {"id", user.id},
                               {"email", user.email},
                               {"client", user.client},
                               {"language", user.language},
                               {"productid", user.productid},
                               {"sex", user.sex},
                               {"state", user.state},
                               {"version", user.version},
                               {"zip", user.zip}});
    if (withCity) {
        form += "&city=" + formValue(user.city);
    }
    return form;
}

std::string serviceAddress(std::string_view serverBase, std::string_view path) {
    std::string address(serverBase);
    if (!address.empty() && address.back() != '/') {
        address += '/';
    }
    return address + std::string(path);
}

} // namespace kelvo
