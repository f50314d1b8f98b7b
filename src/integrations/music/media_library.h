#pragma once

#include "integrations/music/media_catalog.h"
#include "integrations/music/media_scan.h"
#include "integrations/music/media_tags.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>

namespace kelvo {

class FolderWatcher;

/// The index of the user's media, kept by a thread of its own: it starts
/// from the index saved in the data folder, reads the folders (tags only of
/// files that are new or changed), saves the index when it changed, and
/// reads them again whenever a file below them is made, changed, moved or
/// deleted. Searches take the latest snapshot from any thread.
class MediaLibrary {
public:
    /// Called on the library's thread with each new snapshot.
    using Changed = std::function<void(std::shared_ptr<const MediaCatalog>)>;

    MediaLibrary(MediaFolders folders, std::filesystem::path indexFile,
                 TagReader readTags = readMediaTags);
    /// Stops the thread: a scan under way ends soon, even in the middle
    /// of a file.
    ~MediaLibrary();
    MediaLibrary(const MediaLibrary&) = delete;
    MediaLibrary& operator=(const MediaLibrary&) = delete;

    /// Starts the thread. Once only.
    void start(Changed changed = {});

    /// Asks the thread to end without waiting for it: a scan under way
    /// stops reading, and what it read is neither saved nor shown, since
    /// its later files would lack their tags.
    void stop();

    const MediaFolders& folders() const { return m_folders; }

    /// The latest snapshot: the saved index until the first scan ends;
    /// null before either.
    std::shared_ptr<const MediaCatalog> catalog() const;

    /// The latest snapshot, waiting up to timeout for the first one; null
    /// when there is none by then.
    std::shared_ptr<const MediaCatalog> waitForCatalog(std::chrono::milliseconds timeout) const;

    /// How many scans have ended.
    std::uint64_t scans() const;

    /// Waits up to timeout until more than `after` scans have ended.
    bool waitForScans(std::uint64_t after, std::chrono::milliseconds timeout) const;

private:
    void run();
    void publish(std::shared_ptr<const MediaCatalog> catalog, bool scanned);
    void rescan();
    void watchFolders();
    /// Waits for a change worth a scan; false when stopping.
    bool waitForChange();
    bool stopping() const;

    const MediaFolders m_folders;
    const std::filesystem::path m_indexFile;
    const TagReader m_readTags;
    Changed m_changed;
    std::unique_ptr<FolderWatcher> m_watcher;
    std::string m_savedText;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_updated;
    std::shared_ptr<const MediaCatalog> m_catalog;
    std::uint64_t m_scans = 0;
    bool m_stop = false;
    std::stop_source m_stopReading;
    std::thread m_thread;
};

} // namespace kelvo
