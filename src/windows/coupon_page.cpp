#include "windows/coupon_page.h"

#include "platform/shell.h"
#include "services/error_sink.h"

namespace kelvo {

namespace {

bool isWebAddress(const std::string& location) {
    auto startsWithNoCase = [&location](std::string_view prefix) {
        if (location.size() <= prefix.size()) {
            return false;
        }
        for (size_t i = 0; i < prefix.size(); ++i) {
            if ((location[i] | 0x20) != prefix[i]) {
                return false;
            }
        }
        return true;
    };
    return startsWithNoCase("http://") || startsWithNoCase("https://");
}

Status opened(int result, const std::string& what) {
    if (shellSucceeded(result)) {
        return {};
    }
    return Status::failure(error_number::kFileNotFound, what + " could not be opened.");
}

} // namespace

Status showCoupon(const std::string& location, int pane, const std::string& picture,
                  const std::filesystem::path& programFolder,
                  const std::filesystem::path& dataFolder, const OpenAddress& open) {
    if (location == "local") {
        const std::filesystem::path page =
            dataFolder / ("coupon_" + std::to_string(pane) + ".html");
        if (Status copied = copyTemplatePage(programFolder / "coupon_template.html", page);
            !copied) {
            return copied;
        }
        pugi::xml_document document;
        if (Status loaded = loadPage(document, page); !loaded) {
            return loaded;
        }
        for (pugi::xpath_node img : document.select_nodes("//img")) {
            pugi::xml_node element = img.node();
            pugi::xml_attribute src = element.attribute("src");
            (src ? src : element.append_attribute("src")).set_value(picture.c_str());
        }
        if (Status saved = savePage(document, page); !saved) {
            return saved;
        }
        return opened(open(page.string()), "The coupon page");
    }
    if (isWebAddress(location)) {
        return opened(open(location), "The coupon address " + location);
    }
    return {};
}

} // namespace kelvo
