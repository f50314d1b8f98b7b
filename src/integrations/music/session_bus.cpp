#include "integrations/music/session_bus.h"

#include "integrations/music/music_player.h"

#include <dbus/dbus.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace kelvo {

namespace {

constexpr const char* kBusName = "org.freedesktop.DBus";
constexpr const char* kBusPath = "/org/freedesktop/DBus";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";

/// Owns a message and drops it when done.
struct MessageRelease {
    void operator()(DBusMessage* message) const { dbus_message_unref(message); }
};
using Message = std::unique_ptr<DBusMessage, MessageRelease>;

/// A libdbus error, freed when it goes.
class BusError {
public:
    BusError() { dbus_error_init(&m_error); }
    ~BusError() { dbus_error_free(&m_error); }
    BusError(const BusError&) = delete;
    BusError& operator=(const BusError&) = delete;
    DBusError* get() { return &m_error; }
    bool set() const { return dbus_error_is_set(&m_error) != 0; }
    std::string name() const { return m_error.name ? m_error.name : ""; }
    std::string text() const { return m_error.message ? m_error.message : name(); }

private:
    DBusError m_error;
};

Status failureOf(const BusError& error) {
    const std::string name = error.name();
    static constexpr std::string_view kNotThere[] = {
        "org.freedesktop.DBus.Error.UnknownMethod", "org.freedesktop.DBus.Error.UnknownInterface",
        "org.freedesktop.DBus.Error.UnknownProperty", "org.freedesktop.DBus.Error.UnknownObject",
        "org.freedesktop.DBus.Error.NotSupported", "org.freedesktop.DBus.Error.PropertyReadOnly",
        // What a property read of an interface the player lacks answers.
        "org.freedesktop.DBus.Error.InvalidArgs"};
    for (std::string_view missing : kNotThere) {
        if (name == missing) {
            return Status::failure(music_error::kNotOffered, error.text());
        }
    }
    return Status::failure(music_error::kPlayerGone, error.text());
}

std::string sessionBusAddress() {
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address && *address) {
        return address;
    }
    // The address libdbus would also try, but without its fall-back of
    // starting a bus of its own.
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        const std::filesystem::path socket = std::filesystem::path(runtime) / "bus";
        std::error_code error;
        if (std::filesystem::is_socket(socket, error)) {
            return "unix:path=" + socket.string();
        }
    }
    return {};
}

bool appendValue(DBusMessageIter& iter, const BusValue& value) {
    if (const bool* flag = std::get_if<bool>(&value)) {
        dbus_bool_t b = *flag ? TRUE : FALSE;
        return dbus_message_iter_append_basic(&iter, DBUS_TYPE_BOOLEAN, &b);
    }
    if (const std::int64_t* number = std::get_if<std::int64_t>(&value)) {
        dbus_int64_t n = *number;
        return dbus_message_iter_append_basic(&iter, DBUS_TYPE_INT64, &n);
    }
    if (const std::uint32_t* count = std::get_if<std::uint32_t>(&value)) {
        dbus_uint32_t n = *count;
        return dbus_message_iter_append_basic(&iter, DBUS_TYPE_UINT32, &n);
    }
    if (const double* real = std::get_if<double>(&value)) {
        return dbus_message_iter_append_basic(&iter, DBUS_TYPE_DOUBLE, real);
    }
    if (const std::string* text = std::get_if<std::string>(&value)) {
        const char* s = text->c_str();
        return dbus_message_iter_append_basic(&iter, DBUS_TYPE_STRING, &s);
    }
    if (const BusObjectPath* path = std::get_if<BusObjectPath>(&value)) {
        if (!dbus_validate_path(path->path.c_str(), nullptr)) {
            return false;
        }
        const char* s = path->path.c_str();
        return dbus_message_iter_append_basic(&iter, DBUS_TYPE_OBJECT_PATH, &s);
    }
    return false;
}

const char* signatureOf(const BusValue& value) {
    switch (value.index()) {
    case 0:
        return DBUS_TYPE_BOOLEAN_AS_STRING;
    case 1:
        return DBUS_TYPE_INT64_AS_STRING;
    case 2:
        return DBUS_TYPE_UINT32_AS_STRING;
    case 3:
        return DBUS_TYPE_DOUBLE_AS_STRING;
    case 4:
        return DBUS_TYPE_STRING_AS_STRING;
    case 5:
        return DBUS_TYPE_OBJECT_PATH_AS_STRING;
    default:
        return nullptr;
    }
}

/// The value the iterator stands on, for the kinds BusValue holds.
Result<BusValue> readValue(DBusMessageIter& iter) {
    switch (dbus_message_iter_get_arg_type(&iter)) {
    case DBUS_TYPE_BOOLEAN: {
        dbus_bool_t b = FALSE;
        dbus_message_iter_get_basic(&iter, &b);
        return BusValue(b != FALSE);
    }
    case DBUS_TYPE_INT64: {
        dbus_int64_t n = 0;
        dbus_message_iter_get_basic(&iter, &n);
        return BusValue(static_cast<std::int64_t>(n));
    }
    case DBUS_TYPE_UINT32: {
        dbus_uint32_t n = 0;
        dbus_message_iter_get_basic(&iter, &n);
        return BusValue(static_cast<std::uint32_t>(n));
    }
    case DBUS_TYPE_DOUBLE: {
        double d = 0;
        dbus_message_iter_get_basic(&iter, &d);
        return BusValue(d);
    }
    case DBUS_TYPE_STRING:
    case DBUS_TYPE_OBJECT_PATH: {
        const char* s = nullptr;
        dbus_message_iter_get_basic(&iter, &s);
        return BusValue(std::string(s ? s : ""));
    }
    case DBUS_TYPE_ARRAY: {
        if (dbus_message_iter_get_element_type(&iter) != DBUS_TYPE_STRING) {
            break;
        }
        std::vector<std::string> texts;
        DBusMessageIter element;
        dbus_message_iter_recurse(&iter, &element);
        while (dbus_message_iter_get_arg_type(&element) == DBUS_TYPE_STRING) {
            const char* s = nullptr;
            dbus_message_iter_get_basic(&element, &s);
            texts.emplace_back(s ? s : "");
            dbus_message_iter_next(&element);
        }
        return BusValue(std::move(texts));
    }
    default:
        break;
    }
    return Status::failure(music_error::kPlayerGone, "the player answered with an unknown type");
}

} // namespace

struct SessionBus::Connection {
    explicit Connection(DBusConnection* c) : bus(c) {}
    ~Connection() {
        // A private connection is closed before its last reference goes.
        dbus_connection_close(bus);
        dbus_connection_unref(bus);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    /// Sends and waits for the reply; signals that arrived meanwhile are
    /// dropped, since nothing here listens for them.
    Result<Message> send(DBusMessage* request, int timeoutMs) {
        BusError error;
        DBusMessage* reply =
            dbus_connection_send_with_reply_and_block(bus, request, timeoutMs, error.get());
        dbus_message_unref(request);
        while (DBusMessage* stray = dbus_connection_pop_message(bus)) {
            dbus_message_unref(stray);
        }
        if (reply == nullptr) {
            return failureOf(error);
        }
        return Message(reply);
    }

    DBusConnection* bus;
};

Result<std::unique_ptr<SessionBus>> SessionBus::connect(int timeoutMs) {
    const std::string address = sessionBusAddress();
    if (address.empty()) {
        return Status::failure(music_error::kNoPlayer, "there is no session bus");
    }
    BusError error;
    DBusConnection* bus = dbus_connection_open_private(address.c_str(), error.get());
    if (bus == nullptr) {
        return Status::failure(music_error::kNoPlayer,
                               "cannot reach the session bus: " + error.text());
    }
    auto connection = std::make_unique<Connection>(bus);
    dbus_connection_set_exit_on_disconnect(bus, FALSE);
    if (!dbus_bus_register(bus, error.get())) {
        return Status::failure(music_error::kNoPlayer,
                               "cannot register on the session bus: " + error.text());
    }
    return std::unique_ptr<SessionBus>(new SessionBus(std::move(connection), timeoutMs));
}

SessionBus::SessionBus(std::unique_ptr<Connection> connection, int timeoutMs)
    : m_connection(std::move(connection)), m_timeoutMs(timeoutMs) {}

SessionBus::~SessionBus() = default;

bool SessionBus::connected() const {
    return dbus_connection_get_is_connected(m_connection->bus) != FALSE;
}

namespace {

Result<DBusMessage*> newCall(const std::string& destination, const std::string& path,
                             const std::string& interface, const std::string& method,
                             const std::vector<BusValue>& arguments) {
    if (!dbus_validate_bus_name(destination.c_str(), nullptr) ||
        !dbus_validate_path(path.c_str(), nullptr)) {
        return Status::failure(music_error::kPlayerGone, "bad bus name or path");
    }
    DBusMessage* request = dbus_message_new_method_call(destination.c_str(), path.c_str(),
                                                        interface.c_str(), method.c_str());
    if (request == nullptr) {
        return Status::failure(music_error::kPlayerGone, "out of memory");
    }
    DBusMessageIter iter;
    dbus_message_iter_init_append(request, &iter);
    for (const BusValue& argument : arguments) {
        if (!appendValue(iter, argument)) {
            dbus_message_unref(request);
            return Status::failure(music_error::kPlayerGone, "cannot pack " + method);
        }
    }
    return request;
}

} // namespace

Status SessionBus::call(const std::string& destination, const std::string& path,
                        const std::string& interface, const std::string& method,
                        const std::vector<BusValue>& arguments) {
    auto request = newCall(destination, path, interface, method, arguments);
    if (!request) {
        return request.error();
    }
    auto reply = m_connection->send(*request, m_timeoutMs);
    return reply ? Status{} : reply.error();
}

Result<std::vector<std::string>> SessionBus::namesWithPrefix(const std::string& prefix) {
    auto request = newCall(kBusName, kBusPath, kBusName, "ListNames", {});
    if (!request) {
        return request.error();
    }
    auto reply = m_connection->send(*request, m_timeoutMs);
    if (!reply) {
        return reply.error();
    }
    DBusMessageIter iter;
    if (!dbus_message_iter_init(reply->get(), &iter)) {
        return std::vector<std::string>{};
    }
    auto names = readValue(iter);
    const auto* all = names ? std::get_if<std::vector<std::string>>(&names.value()) : nullptr;
    if (all == nullptr) {
        return Status::failure(music_error::kPlayerGone, "the bus listed no names");
    }
    std::vector<std::string> found;
    std::copy_if(all->begin(), all->end(), std::back_inserter(found),
                 [&prefix](const std::string& name) { return name.rfind(prefix, 0) == 0; });
    std::sort(found.begin(), found.end());
    return found;
}

Result<std::uint32_t> SessionBus::processIdOf(const std::string& name) {
    auto request =
        newCall(kBusName, kBusPath, kBusName, "GetConnectionUnixProcessID", {BusValue(name)});
    if (!request) {
        return request.error();
    }
    auto reply = m_connection->send(*request, m_timeoutMs);
    if (!reply) {
        return reply.error();
    }
    DBusMessageIter iter;
    if (dbus_message_iter_init(reply->get(), &iter)) {
        auto pid = readValue(iter);
        if (const auto* number = pid ? std::get_if<std::uint32_t>(&pid.value()) : nullptr) {
            return *number;
        }
    }
    return Status::failure(music_error::kPlayerGone, "the bus named no process for " + name);
}

Result<BusValue> SessionBus::getProperty(const std::string& destination, const std::string& path,
                                         const std::string& interface,
                                         const std::string& property) {
    auto request =
        newCall(destination, path, kProperties, "Get", {BusValue(interface), BusValue(property)});
    if (!request) {
        return request.error();
    }
    auto reply = m_connection->send(*request, m_timeoutMs);
    if (!reply) {
        return reply.error();
    }
    DBusMessageIter iter;
    if (!dbus_message_iter_init(reply->get(), &iter) ||
        dbus_message_iter_get_arg_type(&iter) != DBUS_TYPE_VARIANT) {
        return Status::failure(music_error::kPlayerGone, property + " came back empty");
    }
    DBusMessageIter inner;
    dbus_message_iter_recurse(&iter, &inner);
    return readValue(inner);
}

Status SessionBus::setProperty(const std::string& destination, const std::string& path,
                               const std::string& interface, const std::string& property,
                               const BusValue& value) {
    auto request =
        newCall(destination, path, kProperties, "Set", {BusValue(interface), BusValue(property)});
    if (!request) {
        return request.error();
    }
    DBusMessageIter iter;
    DBusMessageIter variant;
    dbus_message_iter_init_append(*request, &iter);
    const char* signature = signatureOf(value);
    if (signature == nullptr ||
        !dbus_message_iter_open_container(&iter, DBUS_TYPE_VARIANT, signature, &variant) ||
        !appendValue(variant, value) || !dbus_message_iter_close_container(&iter, &variant)) {
        dbus_message_unref(*request);
        return Status::failure(music_error::kPlayerGone, "cannot pack " + property);
    }
    auto reply = m_connection->send(*request, m_timeoutMs);
    return reply ? Status{} : reply.error();
}

Result<std::string> SessionBus::metadataTrackId(const std::string& destination,
                                                const std::string& path,
                                                const std::string& interface) {
    auto request = newCall(destination, path, kProperties, "Get",
                           {BusValue(interface), BusValue(std::string("Metadata"))});
    if (!request) {
        return request.error();
    }
    auto reply = m_connection->send(*request, m_timeoutMs);
    if (!reply) {
        return reply.error();
    }
    DBusMessageIter iter;
    DBusMessageIter dict;
    if (!dbus_message_iter_init(reply->get(), &iter) ||
        dbus_message_iter_get_arg_type(&iter) != DBUS_TYPE_VARIANT) {
        return std::string();
    }
    dbus_message_iter_recurse(&iter, &dict);
    if (dbus_message_iter_get_arg_type(&dict) != DBUS_TYPE_ARRAY) {
        return std::string();
    }
    DBusMessageIter entry;
    dbus_message_iter_recurse(&dict, &entry);
    for (; dbus_message_iter_get_arg_type(&entry) == DBUS_TYPE_DICT_ENTRY;
         dbus_message_iter_next(&entry)) {
        DBusMessageIter pair;
        dbus_message_iter_recurse(&entry, &pair);
        const char* key = nullptr;
        if (dbus_message_iter_get_arg_type(&pair) != DBUS_TYPE_STRING) {
            continue;
        }
        dbus_message_iter_get_basic(&pair, &key);
        if (std::string_view(key ? key : "") != "mpris:trackid" || !dbus_message_iter_next(&pair) ||
            dbus_message_iter_get_arg_type(&pair) != DBUS_TYPE_VARIANT) {
            continue;
        }
        DBusMessageIter value;
        dbus_message_iter_recurse(&pair, &value);
        auto id = readValue(value);
        if (const std::string* text = id ? std::get_if<std::string>(&id.value()) : nullptr) {
            return *text;
        }
    }
    return std::string();
}

Result<std::vector<BusPlaylistEntry>>
SessionBus::callForPlaylists(const std::string& destination, const std::string& path,
                             const std::string& interface, const std::string& method,
                             const std::vector<BusValue>& arguments) {
    auto request = newCall(destination, path, interface, method, arguments);
    if (!request) {
        return request.error();
    }
    auto reply = m_connection->send(*request, m_timeoutMs);
    if (!reply) {
        return reply.error();
    }
    std::vector<BusPlaylistEntry> entries;
    DBusMessageIter iter;
    if (!dbus_message_iter_init(reply->get(), &iter) ||
        dbus_message_iter_get_arg_type(&iter) != DBUS_TYPE_ARRAY) {
        return entries;
    }
    DBusMessageIter element;
    dbus_message_iter_recurse(&iter, &element);
    for (; dbus_message_iter_get_arg_type(&element) == DBUS_TYPE_STRUCT;
         dbus_message_iter_next(&element)) {
        DBusMessageIter field;
        dbus_message_iter_recurse(&element, &field);
        auto id = readValue(field);
        if (!dbus_message_iter_next(&field)) {
            continue;
        }
        auto name = readValue(field);
        const std::string* idText = id ? std::get_if<std::string>(&id.value()) : nullptr;
        const std::string* nameText = name ? std::get_if<std::string>(&name.value()) : nullptr;
        if (idText && nameText) {
            entries.push_back({*idText, *nameText});
        }
    }
    return entries;
}

} // namespace kelvo
