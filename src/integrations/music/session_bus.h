#pragma once

#include "platform/status.h"

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace kelvo {

/// A value sent with or read from a bus call: the few kinds the media
/// player interface uses. An object path is sent as such.
struct BusObjectPath {
    std::string path;
};
using BusValue = std::variant<bool, std::int64_t, std::uint32_t, double, std::string, BusObjectPath,
                              std::vector<std::string>>;

/// One playlist entry of a reply (object path, name).
struct BusPlaylistEntry {
    std::string id;
    std::string name;
};

/// A private connection to the session bus, used with blocking calls from
/// the UI thread: no loop of its own, no thread. Never starts a bus: without
/// DBUS_SESSION_BUS_ADDRESS or $XDG_RUNTIME_DIR/bus there is none.
class SessionBus {
public:
    /// Connects; fails with music_error::kNoPlayer when there is no bus.
    static Result<std::unique_ptr<SessionBus>> connect(int timeoutMs);
    ~SessionBus();
    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;

    /// False once the bus went away.
    bool connected() const;

    /// The names on the bus that start with the prefix, sorted.
    Result<std::vector<std::string>> namesWithPrefix(const std::string& prefix);

    /// The process id of the program that owns a name on the bus.
    Result<std::uint32_t> processIdOf(const std::string& name);

    /// Calls a method whose reply is ignored.
    Status call(const std::string& destination, const std::string& path,
                const std::string& interface, const std::string& method,
                const std::vector<BusValue>& arguments = {});

    /// Reads a property (a boolean, number, text, object path or text list).
    Result<BusValue> getProperty(const std::string& destination, const std::string& path,
                                 const std::string& interface, const std::string& property);

    /// Writes a property.
    Status setProperty(const std::string& destination, const std::string& path,
                       const std::string& interface, const std::string& property,
                       const BusValue& value);

    /// The track id ("mpris:trackid") of a metadata property; empty when
    /// the player gives none.
    Result<std::string> metadataTrackId(const std::string& destination, const std::string& path,
                                        const std::string& interface);

    /// Calls a method that answers with a list of (object path, name, ...)
    /// structures, as a playlist listing does.
    Result<std::vector<BusPlaylistEntry>> callForPlaylists(const std::string& destination,
                                                           const std::string& path,
                                                           const std::string& interface,
                                                           const std::string& method,
                                                           const std::vector<BusValue>& arguments);

private:
    struct Connection;
    explicit SessionBus(std::unique_ptr<Connection> connection, int timeoutMs);

    std::unique_ptr<Connection> m_connection;
    int m_timeoutMs;
};

} // namespace kelvo
