// A reference content service for kelvo: answers the start-up report and
// the two download paths from a content folder, on 127.0.0.1 only.
//
//   kelvo-content-service CONTENT_FOLDER [PORT]
//
// The folder holds reply.txt (the "|"-separated reply; a date field left
// empty is filled with the date of the file it stands for), commands.xml
// and en_CLICK.XML (the command and grammar files) and any of the pictures
// the reply dates (splash.swf, coupon1.gif, ...). Each request is printed.
#include "services/date_parsing.h"
#include "startup/server_exchange.h"
#include "startup/startup_reply.h"

#include <httplib.h>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

// What the service sends when it has nothing for a key.
constexpr const char* kNothing = "-11111";
constexpr const char* kOldDate = "1/1/2000";

std::optional<std::string> readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The file's modification time as the program writes dates.
std::string fileDate(const fs::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
        return kOldDate;
    }
    std::tm local{};
    localtime_r(&info.st_mtime, &local);
    const std::chrono::year_month_day day{
        std::chrono::year(local.tm_year + 1900),
        std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
        std::chrono::day(static_cast<unsigned>(local.tm_mday))};
    return kelvo::dateTimeText(std::chrono::sys_days(day) + std::chrono::hours(local.tm_hour) +
                               std::chrono::minutes(local.tm_min) +
                               std::chrono::seconds(local.tm_sec));
}

std::string decodeFormValue(const std::string& text) {
    std::string value;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            value += ' ';
        } else if (text[i] == '%' && i + 2 < text.size()) {
            value += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            value += text[i];
        }
    }
    return value;
}

std::map<std::string, std::string> formFields(const std::string& body) {
    std::map<std::string, std::string> fields;
    std::istringstream pairs(body);
    std::string pair;
    while (std::getline(pairs, pair, '&')) {
        const size_t equals = pair.find('=');
        fields.emplace(decodeFormValue(pair.substr(0, equals)),
                       equals == std::string::npos ? "" : decodeFormValue(pair.substr(equals + 1)));
    }
    return fields;
}

std::string reply(const fs::path& content) {
    auto text = readFile(content / "reply.txt");
    if (!text) {
        return kNothing;
    }
    while (!text->empty() && (text->back() == '\n' || text->back() == '\r')) {
        text->pop_back();
    }
    std::vector<std::string> fields;
    std::istringstream split(*text);
    std::string field;
    while (std::getline(split, field, '|')) {
        fields.push_back(field);
    }
    if (!text->empty() && text->back() == '|') {
        fields.emplace_back();
    }
    const auto fill = [&fields](size_t index, const std::string& date) {
        if (index < fields.size() && fields[index].empty()) {
            fields[index] = date;
        }
    };
    const std::string commands =
        std::max(fileDate(content / "commands.xml"), fileDate(content / "en_CLICK.XML"));
    fill(15, commands);
    fill(16, commands);
    fill(17, kOldDate);
    for (const auto& file : kelvo::kOtherUpdateFiles) {
        fill(file.field, fileDate(content / file.file));
    }
    std::string joined;
    for (size_t i = 0; i < fields.size(); ++i) {
        joined += (i ? "|" : "") + fields[i];
    }
    return joined;
}

std::string updateFile(const fs::path& content, const std::string& type) {
    const char* name = type == "grammarxml"    ? "en_CLICK.XML"
                       : type == "corewebcomm" ? "commands.xml"
                                               : nullptr;
    auto body = name ? readFile(content / name) : std::nullopt;
    return body ? *body : "<html><body>No update</body></html>";
}

std::string otherFile(const fs::path& content, const std::string& key) {
    for (const auto& file : kelvo::kOtherUpdateFiles) {
        if (key == file.key) {
            auto body = readFile(content / file.file);
            return body ? *body : kNothing;
        }
    }
    return kNothing;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: kelvo-content-service CONTENT_FOLDER [PORT]\n");
        return 2;
    }
    const fs::path content = argv[1];
    const int port = argc == 3 ? std::atoi(argv[2]) : 0;
    if (!fs::is_directory(content)) {
        std::fprintf(stderr, "kelvo-content-service: no folder %s\n", content.c_str());
        return 2;
    }
    // SIGTERM and SIGINT end the service through a thread of their own.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    httplib::Server server;
    const auto answer = [&content](const std::string& path, auto respond) {
        return [&content, path, respond](const httplib::Request& request,
                                         httplib::Response& response) {
            const auto form = formFields(request.body);
            const auto type = form.find("type");
            std::printf("POST /%s %s\n", path.c_str(), request.body.c_str());
            std::fflush(stdout);
            response.set_content(respond(content, type == form.end() ? "" : type->second),
                                 "application/octet-stream");
        };
    };
    server.Post("/" + std::string(kelvo::kReportPath),
                answer(std::string(kelvo::kReportPath),
                       [](const fs::path& folder, const std::string&) { return reply(folder); }));
    server.Post("/" + std::string(kelvo::kUpdateFilePath),
                answer(std::string(kelvo::kUpdateFilePath), updateFile));
    server.Post("/" + std::string(kelvo::kOtherUpdateFilePath),
                answer(std::string(kelvo::kOtherUpdateFilePath), otherFile));

    const int bound = port == 0 ? server.bind_to_any_port("127.0.0.1")
                                : (server.bind_to_port("127.0.0.1", port) ? port : -1);
    if (bound <= 0) {
        std::fprintf(stderr, "kelvo-content-service: cannot listen on 127.0.0.1:%d\n", port);
        return 1;
    }
    std::printf("kelvo-content-service: listening on http://127.0.0.1:%d/\n", bound);
    std::fflush(stdout);
    std::thread stopper([&server, &stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        server.stop();
    });
    server.listen_after_bind();
    stopper.detach();
    return 0;
}
