#pragma once

#include "platform/status.h"

#include <pugixml.hpp>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace kelvo {

/// Opens a web address or local file with the desktop (openUrl); returns
/// the shell result, above 32 on success.
using OpenAddress = std::function<int(const std::string& target)>;

/// Replaces page with a fresh copy of its template: the old page is deleted
/// first, so a page never keeps rows of an earlier run. Fails, naming the
/// file, when the template is missing or the copy cannot be written.
Status copyTemplatePage(const std::filesystem::path& templateFile,
                        const std::filesystem::path& page);

/// Loads a page written as well-formed markup. Fails with the parser's
/// reason and the file's name.
Status loadPage(pugi::xml_document& document, const std::filesystem::path& page);

/// Saves the document over page, atomically, as HTML a browser reads the
/// same way: no XML declaration, every empty element other than the void
/// ones (br, img, input, meta, link ...) written with its end tag.
Status savePage(pugi::xml_document& document, const std::filesystem::path& page);

/// The HTML text savePage writes.
std::string pageText(pugi::xml_document& document);

/// A file:// address for a local file, with an optional fragment
/// ("search_local", without "#").
std::string fileAddress(const std::filesystem::path& file, std::string_view fragment = {});

/// Opens a local page at an anchor. Desktop openers drop the fragment of a
/// file address, so a page with a fragment is reached through a small
/// forwarding page written into redirectFolder, one per page and fragment
/// (opens in quick succession each reach their own). Fails when the forwarding
/// page cannot be written or the desktop could not open the page.
Status openLocalPage(const std::filesystem::path& page, std::string_view fragment,
                     const std::filesystem::path& redirectFolder, const OpenAddress& open);

} // namespace kelvo
