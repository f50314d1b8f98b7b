#include "integrations/music/media_tags.h"

#include "platform/regular_file.h"

#include <fileref.h>
#include <tag.h>
#include <tiostream.h>
#include <tpropertymap.h>

#include <algorithm>
#include <cstdlib>

namespace kelvo {

namespace {

/// More than the tags of any real file take; a large file that is no
/// media (a zero-filled ".mp3") is searched for a frame to its end, a
/// minute of a core per gigabyte.
constexpr std::uint64_t kMostRead = std::uint64_t{32} << 20;

/// The file as TagLib reads it: read-only, and failing every read once a
/// stop is requested or kMostRead bytes were read, as a failing disk
/// would, so TagLib ends soon whatever it was looking for.
class TagStream final : public TagLib::IOStream {
public:
    TagStream(std::string name, RegularFile file, std::stop_token stop)
        : m_name(std::move(name)), m_file(std::move(file)), m_stop(std::move(stop)) {}

    TagLib::FileName name() const override { return m_name.c_str(); }

    TagLib::ByteVector readBlock(unsigned long length) override {
        if (m_stop.stop_requested() || m_position >= m_file.size()) {
            return {};
        }
        const std::uint64_t wanted =
            std::min<std::uint64_t>({length, kMostRead - m_read, m_file.size() - m_position});
        TagLib::ByteVector block(static_cast<unsigned int>(wanted), '\0');
        auto got = m_file.readAt(m_position, block.data(), wanted);
        if (!got) {
            return {};
        }
        block.resize(static_cast<unsigned int>(*got));
        m_position += *got;
        m_read += *got;
        return block;
    }

    void writeBlock(const TagLib::ByteVector&) override {}
    void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
    void removeBlock(unsigned long, unsigned long) override {}
    bool readOnly() const override { return true; }
    bool isOpen() const override { return true; }

    void seek(long offset, Position from) override {
        long base = 0;
        if (from == Current) {
            base = tell();
        } else if (from == End) {
            base = length();
        }
        // As a file does, a seek before the start fails and one past the
        // end is allowed.
        if (offset >= -base) {
            m_position = static_cast<std::uint64_t>(base + offset);
        }
    }

    long tell() const override { return static_cast<long>(m_position); }
    long length() override { return static_cast<long>(m_file.size()); }
    void truncate(long) override {}

private:
    const std::string m_name;
    const RegularFile m_file;
    const std::stop_token m_stop;
    std::uint64_t m_position = 0;
    std::uint64_t m_read = 0;
};

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

MediaTags readMediaTags(const std::filesystem::path& file, std::stop_token stop) {
    MediaTags tags;
    auto opened = RegularFile::open(file);
    if (!opened) {
        return tags;
    }
    // TagLib tells the format by the name's extension.
    TagStream stream(file.string(), std::move(opened).value(), std::move(stop));
    // Audio properties are not read: the index needs only the tags.
    TagLib::FileRef ref(&stream, false);
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
