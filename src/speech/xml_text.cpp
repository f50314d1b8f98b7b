#include "speech/xml_text.h"

#include "platform/atomic_file.h"
#include "services/error_sink.h"

#include <cstdint>
#include <sstream>

namespace kelvo {

namespace {

// Reads one UTF-8 sequence at text[pos]; returns 0 when it is malformed.
std::size_t readUtf8(std::string_view text, std::size_t pos, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (pos + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallest[length] || codePoint > 0x10FFFF) {
        return 0;
    }
    return length;
}

bool allowedInXml(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Iterative walk below root (deep documents must not exhaust the stack);
// stops when visit returns false.
template <typename Visit> void walkBelow(const pugi::xml_node& root, Visit visit) {
    pugi::xml_node node = root.first_child();
    while (node) {
        if (!visit(node)) {
            return;
        }
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node != root && !node.next_sibling()) {
            node = node.parent();
        }
        if (node == root) {
            break;
        }
        node = node.next_sibling();
    }
}

} // namespace

Status parseXml(pugi::xml_document& doc, std::string_view text, std::string_view fileName) {
    const pugi::xml_parse_result parsed = doc.load_buffer(text.data(), text.size());
    if (!parsed) {
        return Status::failure(error_number::kInvalidCall,
                               std::string(fileName) +
                                   " is not well-formed XML: " + parsed.description() +
                                   " at byte " + std::to_string(parsed.offset));
    }
    if (!doc.document_element()) {
        return Status::failure(error_number::kInvalidCall,
                               std::string(fileName) + " holds no XML element");
    }
    return {};
}

Status loadXmlFile(pugi::xml_document& doc, const std::filesystem::path& file) {
    auto text = readWholeFile(file);
    if (!text) {
        std::error_code ec;
        const int number = std::filesystem::exists(file, ec) ? error_number::kPathFileAccess
                                                             : error_number::kFileNotFound;
        return Status::failure(number,
                               "cannot read " + file.string() + ": " + text.error().message());
    }
    return parseXml(doc, *text, file.filename().string());
}

std::string serializeXml(const pugi::xml_document& doc) {
    std::ostringstream out;
    doc.save(out, "\t", pugi::format_default, pugi::encoding_utf8);
    return std::move(out).str();
}

std::string wholeText(const pugi::xml_node& node) {
    std::string text;
    walkBelow(node, [&text](const pugi::xml_node& below) {
        if (below.type() == pugi::node_pcdata || below.type() == pugi::node_cdata) {
            text += below.value();
        }
        return true;
    });
    return text;
}

pugi::xml_node firstElementNamed(const pugi::xml_node& root, const char* name) {
    if (std::string_view(root.name()) == name && root.type() == pugi::node_element) {
        return root;
    }
    pugi::xml_node first;
    const std::string_view wanted(name);
    walkBelow(root, [&](const pugi::xml_node& below) {
        if (below.type() == pugi::node_element && wanted == below.name()) {
            first = below;
            return false;
        }
        return true;
    });
    return first;
}

std::vector<pugi::xml_node> elementsNamed(const pugi::xml_node& root, const char* name) {
    std::vector<pugi::xml_node> found;
    const std::string_view wanted(name);
    walkBelow(root, [&](const pugi::xml_node& below) {
        if (below.type() == pugi::node_element && wanted == below.name()) {
            found.push_back(below);
        }
        return true;
    });
    return found;
}

bool isXmlSafeText(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t codePoint = 0;
        const std::size_t length = readUtf8(text, pos, codePoint);
        if (length == 0 || !allowedInXml(codePoint)) {
            return false;
        }
        pos += length;
    }
    return true;
}

} // namespace kelvo
