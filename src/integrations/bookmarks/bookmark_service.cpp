#include "integrations/bookmarks/bookmark_service.h"

#include "platform/ascii_text.h"

#include <pugixml.hpp>

#include <cstring>

namespace kelvo::bookmarks {

namespace {

std::string percentEncoded(std::string_view text) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
                                c == '~';
        if (unreserved) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('%');
            out.push_back(kDigits[c >> 4]);
            out.push_back(kDigits[c & 15]);
        }
    }
    return out;
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

bool isWebAddress(std::string_view address) {
    for (std::string_view scheme : {"http://", "https://"}) {
        if (address.size() > scheme.size() &&
            equalsIgnoreCase(address.substr(0, scheme.size()), scheme)) {
            return true;
        }
    }
    return false;
}

// The node after this one in document order, or null at the end.
pugi::xml_node nextInDocument(pugi::xml_node node) {
    if (node.first_child()) {
        return node.first_child();
    }
    while (node && !node.next_sibling()) {
        node = node.parent();
    }
    return node ? node.next_sibling() : pugi::xml_node();
}

} // namespace

std::string badResponse(std::string_view reply) {
    if (reply.find("503 Service Temporarily Unavailable") != std::string_view::npos) {
        return "503";
    }
    if (reply.find("401 Authorization Required") != std::string_view::npos) {
        return "401";
    }
    return {};
}

std::string serviceAddress(std::string_view addressTemplate, std::string_view user,
                           std::string_view password) {
    struct Slot {
        size_t at;
        size_t length;
        std::string text;
    };
    std::vector<Slot> slots;
    if (const size_t at = addressTemplate.find("user"); at != std::string_view::npos) {
        slots.push_back({at, 4, percentEncoded(user)});
    }
    if (const size_t at = addressTemplate.find("pass"); at != std::string_view::npos) {
        slots.push_back({at, 4, percentEncoded(password)});
    }
    if (slots.size() == 2 && slots[1].at < slots[0].at) {
        std::swap(slots[0], slots[1]);
    }
    std::string address;
    size_t done = 0;
    for (const Slot& slot : slots) {
        address.append(addressTemplate.substr(done, slot.at - done));
        address += slot.text;
        done = slot.at + slot.length;
    }
    address.append(addressTemplate.substr(done));
    return isWebAddress(address) ? address : std::string();
}

Result<std::vector<WebBookmark>> parseServiceReply(std::string_view reply) {
    std::string text(reply);
    replaceAll(text, "\xE2\x80\x98", "'");
    replaceAll(text, "\xE2\x80\x99", "'");
    replaceAll(text, ": ", "-");
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
    if (!parsed || !document.document_element()) {
        return Status::failure(1, std::string("the reply is no XML: ") + parsed.description());
    }
    std::vector<WebBookmark> bookmarks;
    // Walked without recursion, so no nesting depth can exhaust the stack.
    for (pugi::xml_node post = document.first_child(); post; post = nextInDocument(post)) {
        if (post.type() != pugi::node_element || std::strcmp(post.name(), "post") != 0) {
            continue;
        }
        const pugi::xml_attribute href = post.attribute("href");
        if (!href || *href.value() == '\0') {
            continue;
        }
        const pugi::xml_attribute description = post.attribute("description");
        bookmarks.push_back({description ? description.value() : href.value(), href.value()});
    }
    return bookmarks;
}

ServiceResult requestWebBookmarks(HttpClient& http, std::string_view addressTemplate,
                                  std::string_view user, std::string_view password) {
    ServiceResult result;
    if (addressTemplate.empty()) {
        result.outcome = ServiceOutcome::Unavailable;
        result.detail = "no service address is set";
        return result;
    }
    const std::string address = serviceAddress(addressTemplate, user, password);
    if (address.empty()) {
        result.detail = "the service address is no http or https address";
        return result;
    }
    const HttpReply reply = http.postForReply(address, "");
    std::string code = badResponse(reply.body);
    if (reply.status == 401 || reply.status == 503) {
        code = std::to_string(reply.status);
    }
    if (code == "503") {
        result.outcome = ServiceOutcome::Unavailable;
        return result;
    }
    if (code == "401") {
        result.outcome = ServiceOutcome::Refused;
        return result;
    }
    if (reply.status < 200 || reply.status > 299) {
        result.detail =
            reply.status == 0 ? reply.failure : "HTTP status " + std::to_string(reply.status);
        return result;
    }
    if (reply.body.empty()) {
        result.detail = "an empty reply";
        return result;
    }
    Result<std::vector<WebBookmark>> bookmarks = parseServiceReply(reply.body);
    if (!bookmarks) {
        result.detail = bookmarks.error().message();
        return result;
    }
    result.outcome = ServiceOutcome::Listed;
    result.bookmarks = std::move(bookmarks).value();
    return result;
}

} // namespace kelvo::bookmarks
