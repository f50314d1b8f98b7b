#include "platform/folder_watcher.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace kelvo {

namespace {

constexpr int kNoWatch = 28;
constexpr std::uint32_t kChanges = IN_CLOSE_WRITE | IN_CREATE | IN_DELETE | IN_MOVED_FROM |
                                   IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

} // namespace

Result<std::unique_ptr<FolderWatcher>> FolderWatcher::create() {
    const int inotify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotify < 0) {
        return Status::failure(kNoWatch,
                               std::string("cannot watch folders: ") + std::strerror(errno));
    }
    const int wake = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wake < 0) {
        const int error = errno;
        ::close(inotify);
        return Status::failure(kNoWatch,
                               std::string("cannot watch folders: ") + std::strerror(error));
    }
    return std::unique_ptr<FolderWatcher>(new FolderWatcher(inotify, wake));
}

FolderWatcher::FolderWatcher(int inotifyFd, int wakeFd) : m_inotify(inotifyFd), m_wake(wakeFd) {}

FolderWatcher::~FolderWatcher() {
    ::close(m_inotify);
    ::close(m_wake);
}

Status FolderWatcher::watch(const std::filesystem::path& folder) {
    const int descriptor = ::inotify_add_watch(m_inotify, folder.c_str(), kChanges);
    if (descriptor < 0) {
        return Status::failure(kNoWatch,
                               "cannot watch " + folder.string() + ": " + std::strerror(errno));
    }
    m_folders[descriptor] = folder;
    m_descriptors[folder.string()] = descriptor;
    return {};
}

bool FolderWatcher::watches(const std::filesystem::path& folder) const {
    auto descriptor = m_descriptors.find(folder.string());
    if (descriptor == m_descriptors.end()) {
        return false;
    }
    // A folder reached by a second name is watched under the later one.
    auto watched = m_folders.find(descriptor->second);
    return watched != m_folders.end() && watched->second == folder;
}

std::vector<FolderChange> FolderWatcher::wait(std::chrono::milliseconds timeout) {
    std::array<pollfd, 2> fds{pollfd{m_inotify, POLLIN, 0}, pollfd{m_wake, POLLIN, 0}};
    const int ready = ::poll(fds.data(), fds.size(), static_cast<int>(timeout.count()));
    std::vector<FolderChange> changed;
    if (ready <= 0) {
        return changed;
    }
    if ((fds[1].revents & POLLIN) != 0) {
        std::uint64_t count = 0;
        (void)!::read(m_wake, &count, sizeof count);
        return changed;
    }
    alignas(inotify_event) std::array<char, 16384> buffer{};
    for (;;) {
        const ssize_t got = ::read(m_inotify, buffer.data(), buffer.size());
        if (got <= 0) {
            break;
        }
        for (ssize_t at = 0; at < got;) {
            inotify_event event{};
            std::memcpy(&event, buffer.data() + at, sizeof event);
            const char* name = buffer.data() + at + sizeof(inotify_event);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
            if ((event.mask & IN_Q_OVERFLOW) != 0) {
                // Changes were lost: whatever was watched may have changed.
                changed.push_back({{}, true});
                continue;
            }
            auto folder = m_folders.find(event.wd);
            if (folder == m_folders.end()) {
                continue;
            }
            if ((event.mask & IN_IGNORED) != 0) {
                changed.push_back({folder->second, true});
                if (auto named = m_descriptors.find(folder->second.string());
                    named != m_descriptors.end() && named->second == event.wd) {
                    m_descriptors.erase(named);
                }
                m_folders.erase(folder);
                continue;
            }
            if (event.len > 0) {
                changed.push_back(
                    {folder->second / std::string(name), (event.mask & IN_ISDIR) != 0});
            } else {
                changed.push_back({folder->second, true});
            }
        }
    }
    return changed;
}

void FolderWatcher::wake() {
    const std::uint64_t one = 1;
    (void)!::write(m_wake, &one, sizeof one);
}

} // namespace kelvo
