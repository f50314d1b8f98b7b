#pragma once

#include "platform/status.h"
#include "services/error_sink.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvo {

/// Passphrases of the stored secrets, one per use.
inline constexpr std::string_view kServerAddressPassphrase = "#q%lomeri482ubt-zz";
inline constexpr std::string_view kSessionLogPassphrase = "5mkTv@r2nopa8";
inline constexpr std::string_view kSocialLoginPassphrase = "4wenda7hollo3";

/// Shape of an encrypted text: base64 on one line of a version byte, the
/// 16-byte salt, the 12-byte nonce, the 16-byte tag and the ciphertext
/// (AES-256-GCM, key by PBKDF2-HMAC-SHA256 of the passphrase and the salt).
/// A fresh salt and nonce per call, so one text never encrypts the same way
/// twice.
inline constexpr unsigned char kCryptoVersion = 1;
inline constexpr size_t kCryptoSaltBytes = 16;
inline constexpr size_t kCryptoNonceBytes = 12;
inline constexpr size_t kCryptoTagBytes = 16;
inline constexpr size_t kCryptoHeaderBytes =
    1 + kCryptoSaltBytes + kCryptoNonceBytes + kCryptoTagBytes;
/// Kept low enough that decrypting the stored values at start stays quick.
inline constexpr int kCryptoIterations = 10000;

/// Characters of the encrypted form of a text of that many UTF-8 bytes.
constexpr size_t encryptedTextLength(size_t plaintextBytes) {
    return 4 * ((kCryptoHeaderBytes + plaintextBytes + 2) / 3);
}

/// The longest text (in UTF-8 bytes) whose encrypted form survives a
/// settings read with that maximum length (which keeps readLength - 1
/// characters). `Etowah` `s` read with 300 holds 177 bytes; `Flatrock` and
/// `Miami` `a`/`b` read with 150 hold 66 bytes.
constexpr size_t maxPlaintextForReadLength(int readLength) {
    const size_t kept = readLength > 1 ? static_cast<size_t>(readLength - 1) : 0;
    const size_t bytes = kept / 4 * 3;
    return bytes > kCryptoHeaderBytes ? bytes - kCryptoHeaderBytes : 0;
}

/// Encrypts text under the passphrase; fails only when the crypto library
/// does (no random source, out of memory).
Result<std::string> tryEncryptText(std::string_view text, std::string_view passphrase);

/// Decrypts what tryEncryptText made. Line breaks and blanks inside the
/// text are ignored. Fails on a wrong passphrase, a damaged, cut or foreign
/// text, or an unknown version.
Result<std::string> tryDecryptText(std::string_view encrypted, std::string_view passphrase);

/// tryEncryptText for callers that report: a failure is reported
/// ("MmutPnxe") and gives the empty text.
std::string encryptText(std::string_view text, std::string_view passphrase, ErrorSink& errors);

/// tryDecryptText for callers that report: a failure is reported
/// ("MutPnxd") and gives the empty text.
std::string decryptText(std::string_view encrypted, std::string_view passphrase, ErrorSink& errors);

} // namespace kelvo
