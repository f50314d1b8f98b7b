#include "windows/generated_page.h"

#include "platform/atomic_file.h"
#include "platform/shell.h"
#include "services/error_sink.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <system_error>

namespace kelvo {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, 14> kVoidElements = {
    "area",  "base", "br",   "col",   "embed",  "hr",    "img",
    "input", "link", "meta", "param", "source", "track", "wbr"};

bool isVoidElement(std::string_view name) {
    for (std::string_view element : kVoidElements) {
        if (element.size() == name.size()) {
            bool same = true;
            for (size_t i = 0; i < name.size() && same; ++i) {
                same = (name[i] | 0x20) == element[i];
            }
            if (same) {
                return true;
            }
        }
    }
    return false;
}

// An empty text child makes the writer close the element with an end tag;
// HTML reads "<td/>" as an open cell that swallows what follows.
void giveEndTags(pugi::xml_node node) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        if (!child.first_child() && !isVoidElement(child.name())) {
            child.append_child(pugi::node_pcdata);
        }
        giveEndTags(child);
    }
}

std::string percentEncodePath(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '_' || c == '.' ||
                           c == '~';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return out;
}

std::string escapeAttribute(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string forwardingPageName(std::string_view address) {
    // FNV-1a: the same target gets the same page in every run.
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : address) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    char name[40];
    std::snprintf(name, sizeof name, "open_page_%016llx.html",
                  static_cast<unsigned long long>(hash));
    return name;
}

} // namespace

Status copyTemplatePage(const fs::path& templateFile, const fs::path& page) {
    std::error_code error;
    if (!fs::is_regular_file(templateFile, error)) {
        return Status::failure(error_number::kFileNotFound,
                               "The template " + templateFile.string() + " is missing.");
    }
    fs::remove(page, error);
    if (error) {
        return Status::failure(error_number::kPathFileAccess,
                               "The old page " + page.string() + " could not be removed.");
    }
    if (Status copied = copyFileAtomically(templateFile, page); !copied) {
        return Status::failure(copied.number(), "The page " + page.string() +
                                                    " could not be written: " + copied.message());
    }
    return {};
}

Status loadPage(pugi::xml_document& document, const fs::path& page) {
    const pugi::xml_parse_result parsed =
        document.load_file(page.c_str(), pugi::parse_default | pugi::parse_doctype |
                                             pugi::parse_comments | pugi::parse_ws_pcdata_single);
    if (!parsed) {
        return Status::failure(error_number::kInvalidCall,
                               "The page " + page.string() +
                                   " is not well-formed: " + parsed.description() + ".");
    }
    return {};
}

std::string pageText(pugi::xml_document& document) {
    giveEndTags(document);
    std::ostringstream out;
    document.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return out.str();
}

Status savePage(pugi::xml_document& document, const fs::path& page) {
    if (Status written = writeFileAtomically(page, pageText(document)); !written) {
        return Status::failure(written.number(), "The page " + page.string() +
                                                     " could not be written: " + written.message());
    }
    return {};
}

std::string fileAddress(const fs::path& file, std::string_view fragment) {
    std::string address = "file://" + percentEncodePath(fs::absolute(file).lexically_normal());
    if (!fragment.empty()) {
        address += '#';
        address += fragment;
    }
    return address;
}

Status openLocalPage(const fs::path& page, std::string_view fragment,
                     const fs::path& redirectFolder, const OpenAddress& open) {
    std::string target = page.string();
    if (!fragment.empty()) {
        const std::string address = escapeAttribute(fileAddress(page, fragment));
        // One page per target: a second open must not rewrite the page the
        // browser has not read yet.
        const fs::path forward = redirectFolder / forwardingPageName(address);
        const std::string text =
            "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"/>"
            "<meta http-equiv=\"refresh\" content=\"0; url=" +
            address + "\"/><title>kelvo</title></head><body><p><a href=\"" + address +
            "\">Continue</a></p></body></html>\n";
        if (Status written = writeFileAtomically(forward, text); !written) {
            return Status::failure(written.number(),
                                   "The page " + forward.string() +
                                       " could not be written: " + written.message());
        }
        target = forward.string();
    }
    const int result = open(target);
    if (!shellSucceeded(result)) {
        return Status::failure(error_number::kFileNotFound,
                               "The page " + page.string() + " could not be opened.");
    }
    return {};
}

} // namespace kelvo
