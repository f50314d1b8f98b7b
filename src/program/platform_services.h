#pragma once

#include "platform/clock.h"
#include "platform/instance_lock.h"
#include "platform/key_store.h"
#include "platform/process_table.h"
#include "platform/random_source.h"
#include "platform/shell.h"
#include "platform/special_folders.h"
#include "startup/startup_sequence.h"

#include <memory>

namespace kelvo {

/// The real platform services of the running program, made once at start
/// and handed down as their interfaces.
struct PlatformServices {
    std::unique_ptr<InstanceLock> lock;
    std::unique_ptr<SpecialFolders> folders;
    std::unique_ptr<KeyStore> keys;
    std::unique_ptr<Shell> shell;
    std::unique_ptr<ProcessTable> processes;
    std::unique_ptr<Clock> clock;
    std::unique_ptr<RandomSource> random;

    /// The Linux services for this user's session. Touches no file; a lock
    /// file that can't be made is reported by the start-up.
    static PlatformServices create();

    /// What the start-up needs of them.
    StartupServices forStartup() const { return {*lock, *folders, *keys, *clock, *random}; }
};

} // namespace kelvo
