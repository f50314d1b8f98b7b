#include "platform/media_player.h"

#include <gst/gst.h>

#include <mutex>

namespace kelvo {

namespace {

// Long enough for a local file to be opened and its first samples decoded.
constexpr GstClockTime kLoadTimeout = 5 * GST_SECOND;

class GstMediaPlayer final : public MediaPlayer {
public:
    ~GstMediaPlayer() override { unload(); }

    bool load(const std::filesystem::path& file) override {
        unload();
        GError* error = nullptr;
        gchar* uri = gst_filename_to_uri(file.c_str(), &error);
        if (uri == nullptr) {
            g_clear_error(&error);
            return false;
        }
        m_pipeline = gst_element_factory_make("playbin", nullptr);
        if (m_pipeline == nullptr) {
            g_free(uri);
            return false;
        }
        g_object_set(m_pipeline, "uri", uri, nullptr);
        g_free(uri);
        // The balance needs a panorama stage; without one it is refused.
        m_panorama = gst_element_factory_make("audiopanorama", nullptr);
        if (m_panorama != nullptr) {
            gst_object_ref_sink(m_panorama);
            g_object_set(m_pipeline, "audio-filter", m_panorama, nullptr);
        }
        if (gst_element_set_state(m_pipeline, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE ||
            !waitLoaded()) {
            unload();
            return false;
        }
        // Asked now, while the file is still at its start.
        m_length = queryLength();
        return true;
    }

    bool play() override {
        return m_pipeline != nullptr &&
               gst_element_set_state(m_pipeline, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE;
    }

    bool setVolume(double factor) override {
        if (m_pipeline == nullptr || factor < 0 || factor > 1) {
            return false;
        }
        g_object_set(m_pipeline, "volume", factor, nullptr);
        return true;
    }

    bool setBalance(double position) override {
        if (m_panorama == nullptr || position < -1 || position > 1) {
            return false;
        }
        g_object_set(m_panorama, "panorama", static_cast<gfloat>(position), nullptr);
        return true;
    }

    bool setRate(double factor) override {
        if (m_pipeline == nullptr || factor <= 0) {
            return false;
        }
        gint64 position = 0;
        if (!gst_element_query_position(m_pipeline, GST_FORMAT_TIME, &position)) {
            position = 0;
        }
        if (!gst_element_seek(
                m_pipeline, factor, GST_FORMAT_TIME,
                static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                GST_SEEK_TYPE_SET, position, GST_SEEK_TYPE_NONE, -1)) {
            return false;
        }
        m_rate = factor;
        return true;
    }

    bool seek(double seconds) override {
        if (m_pipeline == nullptr || seconds < 0) {
            return false;
        }
        return gst_element_seek(
            m_pipeline, m_rate, GST_FORMAT_TIME,
            static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
            GST_SEEK_TYPE_SET, static_cast<gint64>(seconds * GST_SECOND), GST_SEEK_TYPE_NONE, -1);
    }

    std::optional<double> length() override {
        if (m_pipeline != nullptr && !m_length) {
            m_length = queryLength();
        }
        return m_length;
    }

private:
    // The parser may know the length only a moment after the file is
    // loaded; half a second is plenty for a local file.
    std::optional<double> queryLength() {
        for (int attempt = 0; attempt < 25; ++attempt) {
            gint64 duration = 0;
            if (gst_element_query_duration(m_pipeline, GST_FORMAT_TIME, &duration) &&
                duration >= 0) {
                return static_cast<double>(duration) / GST_SECOND;
            }
            g_usleep(20'000);
        }
        return std::nullopt;
    }

    // The file is loaded once the pipeline has prerolled; an error or a
    // time-out means it cannot be played.
    bool waitLoaded() {
        GstBus* bus = gst_element_get_bus(m_pipeline);
        GstMessage* message = gst_bus_timed_pop_filtered(
            bus, kLoadTimeout,
            static_cast<GstMessageType>(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR));
        const bool loaded =
            message != nullptr && GST_MESSAGE_TYPE(message) == GST_MESSAGE_ASYNC_DONE;
        if (message != nullptr) {
            gst_message_unref(message);
        }
        gst_object_unref(bus);
        return loaded;
    }

    void unload() {
        if (m_pipeline != nullptr) {
            gst_element_set_state(m_pipeline, GST_STATE_NULL);
            gst_object_unref(m_pipeline);
            m_pipeline = nullptr;
        }
        if (m_panorama != nullptr) {
            gst_object_unref(m_panorama);
            m_panorama = nullptr;
        }
        m_rate = 1.0;
        m_length.reset();
    }

    GstElement* m_pipeline = nullptr;
    GstElement* m_panorama = nullptr;
    double m_rate = 1.0;
    std::optional<double> m_length;
};

} // namespace

Result<std::unique_ptr<MediaPlayer>> MediaPlayer::create() {
    static std::once_flag once;
    static bool ready = false;
    static std::string why;
    std::call_once(once, [] {
        GError* error = nullptr;
        ready = gst_init_check(nullptr, nullptr, &error);
        if (!ready) {
            why = error != nullptr ? error->message : "unknown error";
            g_clear_error(&error);
        }
    });
    if (!ready) {
        return Status::failure(0, "cannot set up GStreamer: " + why);
    }
    return std::unique_ptr<MediaPlayer>(std::make_unique<GstMediaPlayer>());
}

} // namespace kelvo
