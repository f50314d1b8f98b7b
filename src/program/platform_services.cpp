#include "program/platform_services.h"

namespace kelvo {

namespace {

// Stands in for a lock whose file couldn't be made: the start-up reports
// the reason rather than run unguarded.
class UnavailableInstanceLock final : public InstanceLock {
public:
    explicit UnavailableInstanceLock(Status why) : m_why(std::move(why)) {}
    Result<bool> tryAcquire() override { return m_why; }

private:
    Status m_why;
};

} // namespace

PlatformServices PlatformServices::create() {
    PlatformServices services;
    const Environment env = processEnvironment();
    if (auto lock = FileInstanceLock::create(env)) {
        services.lock = std::move(lock).value();
    } else {
        services.lock = std::make_unique<UnavailableInstanceLock>(lock.error());
    }
    services.folders = makeSystemFolders();
    auto keyFile = defaultKeyStoreFile(env);
    // Without a home folder the start-up stops at the folders; until then a
    // store under /dev/null reads as empty and never writes.
    services.keys =
        makeFileKeyStore(keyFile ? *keyFile : std::filesystem::path("/dev/null/keystore.ini"));
    services.shell = makeLinuxShell(env);
    services.processes = makeProcProcessTable();
    services.clock = makeSystemClock();
    services.random = makeSystemRandomSource();
    return services;
}

} // namespace kelvo
