// Stores the content service's base address in a settings file, encrypted
// as the program reads it at start.
#include "services/error_sink.h"
#include "services/settings_file.h"
#include "services/text_crypto.h"
#include "startup/startup_reply.h"

#include <cstdio>
#include <string>

namespace {

class PrintingErrors final : public kelvo::ErrorSink {
public:
    void reportError(int number, std::string_view description, std::string_view) override {
        std::fprintf(stderr, "kelvo-server-address: %d: %.*s\n", number,
                     static_cast<int>(description.size()), description.data());
        failed = true;
    }
    bool failed = false;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kelvo-server-address SETTINGS_FILE BASE_ADDRESS\n"
                             "  e.g. kelvo-server-address ~/.local/share/kelvo/mouse.ini "
                             "http://127.0.0.1:8080/\n");
        return 2;
    }
    const std::string address = argv[2];
    if (!kelvo::isWebAddress(address)) {
        std::fprintf(stderr, "kelvo-server-address: not an http or https address: %s\n",
                     address.c_str());
        return 2;
    }
    // The program reads the key with 300 characters; a longer form is cut.
    if (address.size() > kelvo::maxPlaintextForReadLength(300)) {
        std::fprintf(stderr, "kelvo-server-address: the address is longer than %zu bytes\n",
                     kelvo::maxPlaintextForReadLength(300));
        return 2;
    }
    auto encrypted = kelvo::tryEncryptText(address, kelvo::kServerAddressPassphrase);
    if (!encrypted) {
        std::fprintf(stderr, "kelvo-server-address: %s\n", encrypted.error().message().c_str());
        return 1;
    }
    PrintingErrors errors;
    kelvo::SettingsFile settings(argv[1], errors);
    if (!settings.writeIni("Etowah", "s", *encrypted) || errors.failed) {
        return 1;
    }
    return 0;
}
