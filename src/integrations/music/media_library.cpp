#include "integrations/music/media_library.h"

#include "integrations/music/media_index_file.h"
#include "platform/atomic_file.h"
#include "platform/folder_watcher.h"

#include <cstdio>

namespace kelvo {

namespace {

/// Changes come in bursts (a copied album): the scan waits for a quiet spell.
constexpr std::chrono::milliseconds kQuietSpell{700};
constexpr std::chrono::milliseconds kLongestBurst{10'000};
/// Without a watcher the folders are read again this often.
constexpr std::chrono::minutes kRescanWithoutWatcher{5};

} // namespace

MediaLibrary::MediaLibrary(MediaFolders folders, std::filesystem::path indexFile,
                           TagReader readTags)
    : m_folders(std::move(folders)), m_indexFile(std::move(indexFile)),
      m_readTags(std::move(readTags)) {}

MediaLibrary::~MediaLibrary() {
    stop();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void MediaLibrary::stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_stopReading.request_stop();
    m_updated.notify_all();
    if (m_watcher) {
        m_watcher->wake();
    }
}

bool MediaLibrary::stopping() const {
    std::lock_guard lock(m_mutex);
    return m_stop;
}

void MediaLibrary::start(Changed changed) {
    m_changed = std::move(changed);
    if (auto watcher = FolderWatcher::create()) {
        m_watcher = std::move(watcher).value();
    } else {
        std::fprintf(stderr, "kelvo: %s; the media folders are read every few minutes\n",
                     watcher.error().message().c_str());
    }
    m_thread = std::thread([this] { run(); });
}

std::shared_ptr<const MediaCatalog> MediaLibrary::catalog() const {
    std::lock_guard lock(m_mutex);
    return m_catalog;
}

std::shared_ptr<const MediaCatalog>
MediaLibrary::waitForCatalog(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    m_updated.wait_for(lock, timeout, [this] { return m_catalog != nullptr || m_stop; });
    return m_catalog;
}

std::uint64_t MediaLibrary::scans() const {
    std::lock_guard lock(m_mutex);
    return m_scans;
}

bool MediaLibrary::waitForScans(std::uint64_t after, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_updated.wait_for(lock, timeout, [this, after] { return m_scans > after; });
}

void MediaLibrary::publish(std::shared_ptr<const MediaCatalog> catalog, bool scanned) {
    {
        std::lock_guard lock(m_mutex);
        m_catalog = catalog;
        if (scanned) {
            ++m_scans;
        }
    }
    m_updated.notify_all();
    if (m_changed) {
        m_changed(std::move(catalog));
    }
}

void MediaLibrary::run() {
    if (auto saved = readWholeFile(m_indexFile)) {
        if (auto items = parseMediaIndex(*saved)) {
            m_savedText = std::move(saved).value();
            publish(std::make_shared<const MediaCatalog>(std::move(items).value()), false);
        }
    }
    do {
        watchFolders();
        rescan();
    } while (waitForChange());
}

void MediaLibrary::rescan() {
    const std::shared_ptr<const MediaCatalog> previous = catalog();
    // A first scan of a large library takes a while: closing the program
    // must not wait for the rest of it, nor for the file being read.
    std::vector<MediaItem> items =
        scanMediaFolders(m_folders, previous.get(), m_readTags, m_stopReading.get_token());
    if (stopping()) {
        return;
    }
    auto next = std::make_shared<const MediaCatalog>(std::move(items));
    std::string text = mediaIndexText(next->items());
    if (text != m_savedText) {
        if (Status saved = saveMediaIndex(m_indexFile, next->items()); !saved) {
            std::fprintf(stderr, "kelvo: the media index was not saved: %s\n",
                         saved.message().c_str());
        } else {
            m_savedText = std::move(text);
        }
    }
    publish(std::move(next), true);
}

void MediaLibrary::watchFolders() {
    if (!m_watcher) {
        return;
    }
    for (const std::filesystem::path& folder : mediaFolderTree(m_folders)) {
        if (m_stopReading.stop_requested()) {
            return;
        }
        if (!m_watcher->watches(folder)) {
            if (Status watched = m_watcher->watch(folder); !watched) {
                std::fprintf(stderr, "kelvo: %s\n", watched.message().c_str());
                return;
            }
        }
    }
}

bool MediaLibrary::waitForChange() {
    if (!m_watcher) {
        std::unique_lock lock(m_mutex);
        m_updated.wait_for(lock, kRescanWithoutWatcher, [this] { return m_stop; });
        return !m_stop;
    }
    bool changed = false;
    while (!changed) {
        if (stopping()) {
            return false;
        }
        for (const FolderChange& change : m_watcher->wait(std::chrono::minutes(1))) {
            changed = changed || changesIndex(change.path, change.folder, m_folders);
        }
    }
    // Let a burst of changes end before reading the folders again.
    const auto burstEnds = std::chrono::steady_clock::now() + kLongestBurst;
    while (std::chrono::steady_clock::now() < burstEnds && !stopping()) {
        if (m_watcher->wait(kQuietSpell).empty()) {
            break;
        }
    }
    return !stopping();
}

} // namespace kelvo
