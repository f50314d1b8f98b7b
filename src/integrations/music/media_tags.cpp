#include "integrations/music/media_tags.h"

#include <fileref.h>
#include <tag.h>
#include <tpropertymap.h>

#include <cstdlib>

namespace kelvo {

namespace {

std::string text(const TagLib::String& value) {
    return value.to8Bit(true);
}

std::string property(const TagLib::PropertyMap& properties, const char* key) {
    auto found = properties.find(key);
    if (found == properties.end() || found->second.isEmpty()) {
        return {};
    }
    return text(found->second.front());
}

/// "3" and "3/12" alike give 3.
int leadingNumber(const std::string& value) {
    return static_cast<int>(std::strtol(value.c_str(), nullptr, 10));
}

} // namespace

MediaTags readMediaTags(const std::filesystem::path& file) {
    MediaTags tags;
    // Audio properties are not read: the index needs only the tags.
    TagLib::FileRef ref(file.c_str(), false);
    if (ref.isNull() || ref.tag() == nullptr) {
        return tags;
    }
    const TagLib::Tag& tag = *ref.tag();
    tags.title = text(tag.title());
    tags.artist = text(tag.artist());
    tags.album = text(tag.album());
    tags.track = static_cast<int>(tag.track());
    const TagLib::PropertyMap properties = ref.file()->properties();
    tags.composer = property(properties, "COMPOSER");
    tags.disc = leadingNumber(property(properties, "DISCNUMBER"));
    tags.tvShow =
        !property(properties, "TVSHOW").empty() || !property(properties, "SHOWNAME").empty();
    return tags;
}

} // namespace kelvo
