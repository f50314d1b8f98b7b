#include "services/text_crypto.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <array>
#include <memory>
#include <vector>

namespace kelvo {

namespace {

constexpr size_t kKeyBytes = 32;
using Bytes = std::vector<unsigned char>;

struct CipherDeleter {
    void operator()(EVP_CIPHER_CTX* ctx) const { EVP_CIPHER_CTX_free(ctx); }
};
using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, CipherDeleter>;

// The derived key is wiped however the call ends.
class Key {
public:
    Key() = default;
    ~Key() { OPENSSL_cleanse(m_bytes.data(), m_bytes.size()); }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    bool derive(std::string_view passphrase, const unsigned char* salt) {
        return PKCS5_PBKDF2_HMAC(passphrase.data(), static_cast<int>(passphrase.size()), salt,
                                 static_cast<int>(kCryptoSaltBytes), kCryptoIterations,
                                 EVP_sha256(), static_cast<int>(m_bytes.size()),
                                 m_bytes.data()) == 1;
    }
    const unsigned char* data() const { return m_bytes.data(); }

private:
    std::array<unsigned char, kKeyBytes> m_bytes{};
};

Status cryptoFailure(const char* what) {
    return Status::failure(error_number::kInvalidCall, std::string("Encryption failed: ") + what);
}

Status decryptFailure(const char* why) {
    return Status::failure(error_number::kInvalidCall,
                           std::string("The stored text could not be decrypted: ") + why);
}

std::string toBase64(const Bytes& bytes) {
    std::string out(4 * ((bytes.size() + 2) / 3), '\0');
    const int written = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(out.data()), bytes.data(),
                                        static_cast<int>(bytes.size()));
    out.resize(static_cast<size_t>(written));
    return out;
}

// Strict base64 of one block: padding only at the end, length a multiple
// of four once blanks and line breaks are gone.
bool fromBase64(std::string_view text, Bytes& out) {
    std::string clean;
    clean.reserve(text.size());
    for (char c : text) {
        if (c != '\r' && c != '\n' && c != ' ' && c != '\t') {
            clean += c;
        }
    }
    if (clean.empty() || clean.size() % 4 != 0) {
        return false;
    }
    const size_t padding = clean.ends_with("==") ? 2 : clean.ends_with('=') ? 1 : 0;
    if (clean.find('=') < clean.size() - padding) {
        return false;
    }
    out.assign(clean.size() / 4 * 3, 0);
    const int decoded =
        EVP_DecodeBlock(out.data(), reinterpret_cast<const unsigned char*>(clean.data()),
                        static_cast<int>(clean.size()));
    if (decoded < 0 || static_cast<size_t>(decoded) != out.size()) {
        return false;
    }
    out.resize(out.size() - padding);
    return true;
}

} // namespace

Result<std::string> tryEncryptText(std::string_view text, std::string_view passphrase) {
    Bytes message(kCryptoHeaderBytes + text.size());
    unsigned char* const salt = message.data() + 1;
    unsigned char* const nonce = salt + kCryptoSaltBytes;
    unsigned char* const tag = nonce + kCryptoNonceBytes;
    unsigned char* const body = tag + kCryptoTagBytes;
    message[0] = kCryptoVersion;
    if (RAND_bytes(salt, static_cast<int>(kCryptoSaltBytes + kCryptoNonceBytes)) != 1) {
        return cryptoFailure("no random source");
    }
    Key key;
    if (!key.derive(passphrase, salt)) {
        return cryptoFailure("key derivation");
    }
    CipherContext ctx(EVP_CIPHER_CTX_new());
    int length = 0;
    // The version byte is authenticated too, so it can't be swapped.
    if (!ctx || EVP_EncryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, key.data(), nonce) != 1 ||
        EVP_EncryptUpdate(ctx.get(), nullptr, &length, message.data(), 1) != 1 ||
        EVP_EncryptUpdate(ctx.get(), body, &length,
                          reinterpret_cast<const unsigned char*>(text.data()),
                          static_cast<int>(text.size())) != 1 ||
        EVP_EncryptFinal_ex(ctx.get(), body + length, &length) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_GET_TAG, static_cast<int>(kCryptoTagBytes),
                            tag) != 1) {
        return cryptoFailure("cipher");
    }
    return toBase64(message);
}

Result<std::string> tryDecryptText(std::string_view encrypted, std::string_view passphrase) {
    Bytes message;
    if (!fromBase64(encrypted, message)) {
        return decryptFailure("not base64");
    }
    if (message.size() < kCryptoHeaderBytes) {
        return decryptFailure("too short");
    }
    if (message[0] != kCryptoVersion) {
        return decryptFailure("unknown version");
    }
    const unsigned char* const salt = message.data() + 1;
    const unsigned char* const nonce = salt + kCryptoSaltBytes;
    unsigned char* const tag = message.data() + 1 + kCryptoSaltBytes + kCryptoNonceBytes;
    const unsigned char* const body = tag + kCryptoTagBytes;
    const size_t bodyBytes = message.size() - kCryptoHeaderBytes;

    Key key;
    if (!key.derive(passphrase, salt)) {
        return decryptFailure("key derivation");
    }
    std::string text(bodyBytes, '\0');
    auto* const out = reinterpret_cast<unsigned char*>(text.data());
    CipherContext ctx(EVP_CIPHER_CTX_new());
    int length = 0;
    if (!ctx || EVP_DecryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, key.data(), nonce) != 1 ||
        EVP_DecryptUpdate(ctx.get(), nullptr, &length, message.data(), 1) != 1 ||
        EVP_DecryptUpdate(ctx.get(), out, &length, body, static_cast<int>(bodyBytes)) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_TAG, static_cast<int>(kCryptoTagBytes),
                            tag) != 1) {
        OPENSSL_cleanse(text.data(), text.size());
        return decryptFailure("cipher");
    }
    // The tag check: a wrong passphrase or any changed byte fails here.
    if (EVP_DecryptFinal_ex(ctx.get(), out + length, &length) != 1) {
        OPENSSL_cleanse(text.data(), text.size());
        return decryptFailure("wrong passphrase or damaged text");
    }
    return text;
}

std::string encryptText(std::string_view text, std::string_view passphrase, ErrorSink& errors) {
    auto result = tryEncryptText(text, passphrase);
    if (!result) {
        errors.reportError(result.error().number(), result.error().message(), "MmutPnxe");
        return {};
    }
    return std::move(result).value();
}

std::string decryptText(std::string_view encrypted, std::string_view passphrase,
                        ErrorSink& errors) {
    auto result = tryDecryptText(encrypted, passphrase);
    if (!result) {
        errors.reportError(result.error().number(), result.error().message(), "MutPnxd");
        return {};
    }
    return std::move(result).value();
}

} // namespace kelvo
