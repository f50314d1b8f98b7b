#include "startup/startup_reply.h"

#include "services/date_parsing.h"
#include "services/hex_coding.h"
#include "services/text_crypto.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

namespace kelvo {

namespace {

// Longest text whose hex form a settings read of that length keeps whole.
constexpr size_t hexFits(int readLength) {
    return static_cast<size_t>(readLength - 1) / 2;
}

Status badField(size_t field, std::string_view why) {
    return Status::failure(error_number::kTypeMismatch,
                           "reply field " + std::to_string(field) + " " + std::string(why));
}

std::vector<std::string> splitFields(std::string_view text) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const size_t bar = text.find('|', start);
        fields.emplace_back(text.substr(start, bar - start));
        if (bar == std::string_view::npos) {
            return fields;
        }
        start = bar + 1;
    }
}

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isSwitch(std::string_view text) {
    return text.empty() || text == "0" || text == "1";
}

bool isCouponLocation(std::string_view text) {
    return text.empty() || text == "local" || text == "#" || isWebAddress(text);
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

std::string decodedOr(std::string_view hex, std::string fallback) {
    auto decoded = decodeHex(hex);
    return decoded ? std::move(decoded).value() : fallback;
}

} // namespace

bool isUsableReply(std::string_view text) {
    const std::string_view head = text.substr(0, 6);
    return !text.empty() && head != "<html>" && head != "-11111";
}

bool isWebAddress(std::string_view text) {
    size_t rest = 0;
    if (startsWithNoCase(text, "http://")) {
        rest = 7;
    } else if (startsWithNoCase(text, "https://")) {
        rest = 8;
    } else {
        return false;
    }
    const bool clean = std::none_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) <= ' ' || c == '\x7f';
    });
    return clean && rest < text.size() && text[rest] != '/' && text[rest] != '?' &&
           text[rest] != '#';
}

Result<StartupReply> parseStartupReply(std::string_view text) {
    if (!isUsableReply(text)) {
        return Status::failure(0, "no usable reply");
    }
    // A line break after the last field is the service's, not the field's.
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    const std::vector<std::string> f = splitFields(text);
    if (f.size() < kReplyFields) {
        return Status::failure(error_number::kInvalidCall, "reply has " + std::to_string(f.size()) +
                                                               " fields, not " +
                                                               std::to_string(kReplyFields));
    }
    StartupReply reply;
    reply.surveyState = f[0];
    reply.surveyDate = f[1];
    if (f[0].size() != 4 || f[0].find_first_not_of("01") != std::string::npos) {
        return badField(0, "is no questionnaire state");
    }
    if (f[0] != "0000" && !tryParseDate(f[1], false)) {
        return badField(1, "is no m/d/yyyy date");
    }
    reply.upgradeMessage = f[3];
    reply.upgradeLink = f[4];
    if (!f[4].empty() && !isWebAddress(f[4])) {
        return badField(4, "is no web address");
    }
    // `Etowah` `Days` is read back with four characters.
    if (!allDigits(f[5]) || f[5].size() > 4) {
        return badField(5, "is no number of days");
    }
    reply.days = f[5];
    for (size_t k = 0; k < 4; ++k) {
        reply.adPane[k] = {f[6 + k], f[10 + k]};
        if (!isSwitch(f[6 + k])) {
            return badField(6 + k, "is no show flag");
        }
        if (!isCouponLocation(f[10 + k])) {
            return badField(10 + k, "is no coupon location");
        }
        if (f[6 + k].size() + 1 + f[10 + k].size() > hexFits(150)) {
            return badField(10 + k, "is too long");
        }
    }
    reply.serverVersion = f[14];
    for (size_t field = 15; field <= 35; ++field) {
        if ((field == 34 || field == 35) && f[field].empty()) {
            continue;
        }
        auto date = tryParseDateTime(f[field]);
        if (!date) {
            return badField(field, "is no date");
        }
        if (field == 15) {
            reply.cmdFileDate = *date;
        } else if (field == 16) {
            reply.cmdFileDateClient = *date;
        }
    }
    for (size_t i = 0; i < std::size(kOtherUpdateFiles); ++i) {
        reply.otherFiles[i] = {kOtherUpdateFiles[i].key, kOtherUpdateFiles[i].file,
                               tryParseDateTime(f[kOtherUpdateFiles[i].field]).value()};
    }
    if (!isWebAddress(f[38]) || f[38].size() > maxPlaintextForReadLength(300)) {
        return badField(38, "is no web address");
    }
    reply.newServerBase = f[38];
    if (!isSwitch(f[39]) || !isSwitch(f[40])) {
        return badField(f[39].size() > 1 ? 39 : 40, "is no login switch");
    }
    reply.facebookLoginSwitch = f[39];
    reply.myspaceLoginSwitch = f[40];
    if ((!f[41].empty() && !isWebAddress(f[41])) || f[41].size() > hexFits(150)) {
        return badField(41, "is no web address");
    }
    reply.bookmarkTemplate = f[41];
    return reply;
}

void takeInStartupReply(const StartupReply& reply, SettingsFile& settings) {
    if (reply.surveyState != "0000") {
        settings.writeIni("Yazoo", "Date", reply.surveyDate);
        settings.writeIni("Yazoo", "Last", reply.surveyState);
    }
    settings.writeIni("Etowah", "Days", reply.days);
    const std::pair<const char*, const std::string*> switches[] = {
        {"Flatrock", &reply.facebookLoginSwitch}, {"Miami", &reply.myspaceLoginSwitch}};
    for (const auto& [section, value] : switches) {
        const std::string stored = settings.readIni(section, "l", "x", 10);
        if (*value != decodedOr(stored, "x")) {
            settings.writeIni(section, "l", stringToHex(*value));
        }
    }
    const std::string bookmarks = settings.readIni("Etowah", "delaware", "x", 150);
    if (bookmarks == "x" || reply.bookmarkTemplate != decodedOr(bookmarks, "x")) {
        settings.writeIni("Etowah", "delaware", stringToHex(reply.bookmarkTemplate));
    }
    const std::string stored = settings.readIni("Etowah", "s", "x", 500);
    std::string current;
    if (stored != "x" && !stored.empty()) {
        auto decrypted = tryDecryptText(stored, kServerAddressPassphrase);
        current = decrypted ? std::move(decrypted).value() : std::string();
    }
    if (reply.newServerBase != current) {
        // The address acts from the next start.
        auto encrypted = tryEncryptText(reply.newServerBase, kServerAddressPassphrase);
        if (encrypted) {
            settings.writeIni("Etowah", "s", *encrypted);
        } else {
            std::fprintf(stderr, "kelvo: new server address not stored: %s\n",
                         encrypted.error().message().c_str());
        }
    }
}

} // namespace kelvo
