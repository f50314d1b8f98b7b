#include "services/text_crypto.h"

#include "fakes/fake_error_sink.h"

#include <gtest/gtest.h>

#include <openssl/evp.h>

#include <vector>

namespace kelvo {
namespace {

std::vector<unsigned char> decodeBase64(const std::string& text) {
    std::vector<unsigned char> out(text.size() / 4 * 3);
    const int n = EVP_DecodeBlock(out.data(), reinterpret_cast<const unsigned char*>(text.data()),
                                  static_cast<int>(text.size()));
    out.resize(static_cast<size_t>(n) - (text.ends_with("==") ? 2 : text.ends_with('=') ? 1 : 0));
    return out;
}

std::string encodeBase64(const std::vector<unsigned char>& bytes) {
    std::string out(4 * ((bytes.size() + 2) / 3), '\0');
    EVP_EncodeBlock(reinterpret_cast<unsigned char*>(out.data()), bytes.data(),
                    static_cast<int>(bytes.size()));
    return out;
}

TEST(TextCryptoTest, RoundTripUnderEachPassphrase) {
    const std::string texts[] = {"", "https://updates.example.org/kelvo/", "12082026\t37",
                                 "p\xC3\xA4ss w\xC3\xB6rd|\"quoted\"\r\n"};
    for (auto passphrase :
         {kServerAddressPassphrase, kSessionLogPassphrase, kSocialLoginPassphrase}) {
        for (const auto& text : texts) {
            auto encrypted = tryEncryptText(text, passphrase);
            ASSERT_TRUE(encrypted.ok());
            EXPECT_EQ(encrypted->find_first_of("\r\n"), std::string::npos);
            EXPECT_EQ(encrypted->size(), encryptedTextLength(text.size()));
            auto decrypted = tryDecryptText(*encrypted, passphrase);
            ASSERT_TRUE(decrypted.ok()) << decrypted.error().message();
            EXPECT_EQ(*decrypted, text);
        }
    }
}

TEST(TextCryptoTest, LayoutIsVersionSaltNonceTagCiphertext) {
    const std::string text = "hello";
    auto bytes = decodeBase64(tryEncryptText(text, kSessionLogPassphrase).value());
    ASSERT_EQ(bytes.size(), 1 + 16 + 12 + 16 + text.size());
    EXPECT_EQ(bytes[0], kCryptoVersion);
}

TEST(TextCryptoTest, SameTextEncryptsDifferentlyEachTime) {
    auto first = tryEncryptText("secret", kSocialLoginPassphrase).value();
    auto second = tryEncryptText("secret", kSocialLoginPassphrase).value();
    EXPECT_NE(first, second);
    auto a = decodeBase64(first);
    auto b = decodeBase64(second);
    // Fresh salt and fresh nonce, not only a different ciphertext.
    EXPECT_FALSE(std::equal(a.begin() + 1, a.begin() + 17, b.begin() + 1));
    EXPECT_FALSE(std::equal(a.begin() + 17, a.begin() + 29, b.begin() + 17));
}

TEST(TextCryptoTest, WrongPassphraseFailsAndIsReported) {
    auto encrypted = tryEncryptText("https://x.example/", kServerAddressPassphrase).value();
    EXPECT_FALSE(tryDecryptText(encrypted, kSessionLogPassphrase).ok());
    EXPECT_FALSE(tryDecryptText(encrypted, "").ok());

    fakes::FakeErrorSink errors;
    EXPECT_EQ(decryptText(encrypted, kSocialLoginPassphrase, errors), "");
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].location, "MutPnxd");
    EXPECT_NE(errors.reports[0].description.find("wrong passphrase"), std::string::npos);
}

TEST(TextCryptoTest, DamagedOrCutTextFailsCleanly) {
    const auto encrypted = tryEncryptText("user@example.com", kSocialLoginPassphrase).value();
    const auto bytes = decodeBase64(encrypted);
    // Flip one bit in every byte position in turn: version, salt, nonce,
    // tag and ciphertext are all covered by the check.
    for (size_t i = 0; i < bytes.size(); ++i) {
        auto damaged = bytes;
        damaged[i] ^= 0x01;
        EXPECT_FALSE(tryDecryptText(encodeBase64(damaged), kSocialLoginPassphrase).ok()) << i;
    }
    for (size_t keep = 0; keep < bytes.size(); ++keep) {
        std::vector<unsigned char> cut(bytes.begin(), bytes.begin() + static_cast<long>(keep));
        EXPECT_FALSE(tryDecryptText(encodeBase64(cut), kSocialLoginPassphrase).ok()) << keep;
    }
    const char* garbage[] = {"", "x", "not base64!", "====", "QQ=A", "QUJD\x01"};
    for (const char* text : garbage) {
        fakes::FakeErrorSink errors;
        EXPECT_EQ(decryptText(text, kSocialLoginPassphrase, errors), "") << text;
        EXPECT_EQ(errors.reports.size(), 1u) << text;
    }
}

TEST(TextCryptoTest, LineBreaksInsideTheStoredTextAreIgnored) {
    auto encrypted = tryEncryptText("12082026\t5", kSessionLogPassphrase).value();
    encrypted.insert(20, "\r\n");
    encrypted.insert(8, "\n");
    auto decrypted = tryDecryptText(encrypted + "\r\n", kSessionLogPassphrase);
    ASSERT_TRUE(decrypted.ok());
    EXPECT_EQ(*decrypted, "12082026\t5");
}

TEST(TextCryptoTest, ReportingWrapperEncrypts) {
    fakes::FakeErrorSink errors;
    const auto encrypted = encryptText("abc", kServerAddressPassphrase, errors);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(decryptText(encrypted, kServerAddressPassphrase, errors), "abc");
}

TEST(TextCryptoTest, StoredValuesFitTheirSettingsReads) {
    // Etowah s is read with 300 characters, the social logins with 150.
    EXPECT_EQ(maxPlaintextForReadLength(300), 177u);
    EXPECT_EQ(maxPlaintextForReadLength(150), 66u);
    EXPECT_EQ(maxPlaintextForReadLength(1), 0u);
    for (int readLength : {150, 300, 500, 750}) {
        const size_t most = maxPlaintextForReadLength(readLength);
        EXPECT_LE(encryptedTextLength(most), static_cast<size_t>(readLength - 1));
        EXPECT_GT(encryptedTextLength(most + 1), static_cast<size_t>(readLength - 1));
        const std::string text(most, 'a');
        EXPECT_EQ(tryEncryptText(text, kServerAddressPassphrase)->size(),
                  encryptedTextLength(most));
    }
    const std::string address = "https://services.kelvo-voice.example.org/desktop/v2/";
    EXPECT_LE(tryEncryptText(address, kServerAddressPassphrase)->size(), 299u);
}

} // namespace
} // namespace kelvo
