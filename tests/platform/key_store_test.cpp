#include "platform/key_store.h"

#include "fakes/fake_environment.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

class KeyStoreTest : public ::testing::Test {
protected:
    fakes::TempDir dir;
    fs::path file = dir / "kelvo" / "keystore.ini";
    std::unique_ptr<KeyStore> store = makeFileKeyStore(file);

    void storeText(const std::string& text) { ASSERT_TRUE(writeFileAtomically(file, text).ok()); }
};

TEST_F(KeyStoreTest, TextAndNumberValuesAreRead) {
    storeText("[HKEY_CURRENT_USER\\Software\\Test]\n"
              "Name=text:hello = world\n"
              "Count=number:258\n"
              "Big=number:4294967295\n"
              "=text:the default\n");
    std::string out = "stale";
    EXPECT_TRUE(store->regQueryValue(RootKey::CurrentUser, "Software\\Test", "Name", out));
    EXPECT_EQ(out, "hello = world");
    EXPECT_TRUE(store->regQueryValue(RootKey::CurrentUser, "Software\\Test", "Count", out));
    EXPECT_EQ(out, "258");
    EXPECT_TRUE(store->regQueryValue(RootKey::CurrentUser, "Software\\Test", "Big", out));
    EXPECT_EQ(out, "4294967295");
    EXPECT_TRUE(store->regQueryValue(RootKey::CurrentUser, "Software\\Test", "", out));
    EXPECT_EQ(out, "the default");
}

TEST_F(KeyStoreTest, NamesMatchWithoutRegardToCase) {
    storeText("[HKEY_CURRENT_USER\\Software\\Test]\nName=text:v\n");
    std::string out;
    EXPECT_TRUE(store->regQueryValue(RootKey::CurrentUser, "SOFTWARE\\test", "NAME", out));
    EXPECT_EQ(out, "v");
}

TEST_F(KeyStoreTest, MissingKeyOrValueEmptiesTheOutput) {
    storeText("[HKEY_CURRENT_USER\\Software\\Test]\nName=text:v\n");
    std::string out = "stale";
    EXPECT_FALSE(store->regQueryValue(RootKey::CurrentUser, "Software\\Test", "Other", out));
    EXPECT_EQ(out, "");
    out = "stale";
    EXPECT_FALSE(store->regQueryValue(RootKey::CurrentUser, "Software\\None", "Name", out));
    EXPECT_EQ(out, "");
    // The same path under another root is another key.
    EXPECT_FALSE(store->regQueryValue(RootKey::LocalMachine, "Software\\Test", "Name", out));
}

TEST_F(KeyStoreTest, DamagedLinesAreSkipped) {
    storeText("garbage before any key\n"
              "[HKEY_CURRENT_USER\\K]\n"
              "NoType=plain\n"
              "BadNumber=number:12ab\n"
              "Negative=number:-1\n"
              "Good=text:ok\n"
              "[unterminated\n");
    std::string out;
    EXPECT_FALSE(store->regQueryValue(RootKey::CurrentUser, "K", "NoType", out));
    EXPECT_FALSE(store->regQueryValue(RootKey::CurrentUser, "K", "BadNumber", out));
    EXPECT_FALSE(store->regQueryValue(RootKey::CurrentUser, "K", "Negative", out));
    EXPECT_TRUE(store->regQueryValue(RootKey::CurrentUser, "K", "Good", out));
    EXPECT_EQ(store->regEnumValues(RootKey::CurrentUser, "K"),
              (std::vector<std::string>{"Good", ""}));
}

TEST_F(KeyStoreTest, ValuesBelowADamagedKeyLineStayOutOfTheKeyAbove) {
    storeText("[HKEY_CURRENT_USER\\A]\n"
              "First=text:1\n"
              "[HKEY_CURRENT_USER\\B\n"
              "Stray=text:2\n"
              "[]\n"
              "Other=text:3\n");
    EXPECT_EQ(store->regEnumValues(RootKey::CurrentUser, "A"),
              (std::vector<std::string>{"First", ""}));
    // A rewrite keeps them out as well.
    EXPECT_TRUE(store->regSetString(RootKey::CurrentUser, "A", "Second", "x"));
    EXPECT_EQ(store->regEnumValues(RootKey::CurrentUser, "A"),
              (std::vector<std::string>{"First", "Second", ""}));
}

TEST_F(KeyStoreTest, NamesThatLookLikeCommentsRoundTrip) {
    for (const std::string name : {";first", "#second", "third;#"}) {
        EXPECT_TRUE(store->regSetString(RootKey::CurrentUser, "K", name, "v " + name));
    }
    EXPECT_EQ(store->regEnumValues(RootKey::CurrentUser, "K"),
              (std::vector<std::string>{";first", "#second", "third;#", ""}));
    std::string out;
    EXPECT_TRUE(store->regQueryValue(RootKey::CurrentUser, "K", "#second", out));
    EXPECT_EQ(out, "v #second");
}

TEST_F(KeyStoreTest, SetStringMakesKeyAndRoundTripsAwkwardText) {
    const std::string name = "odd=name[%]";
    const std::string value = "line one\r\nline two %41 = ;";
    EXPECT_TRUE(store->regSetString(RootKey::CurrentUser, "Software\\New\\Key", name, value));
    std::string out;
    EXPECT_TRUE(store->regQueryValue(RootKey::CurrentUser, "Software\\New\\Key", name, out));
    EXPECT_EQ(out, value);
    // A fresh store on the same file reads what was written.
    std::string again;
    EXPECT_TRUE(makeFileKeyStore(file)->regQueryValue(RootKey::CurrentUser, "software\\new\\key",
                                                      name, again));
    EXPECT_EQ(again, value);
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(KeyStoreTest, SetStringReplacesANumberAndKeepsOtherValues) {
    storeText("[HKEY_CURRENT_USER\\K]\nA=number:5\nB=text:b\n");
    EXPECT_TRUE(store->regSetString(RootKey::CurrentUser, "K", "a", "five"));
    std::string out;
    EXPECT_TRUE(store->regQueryValue(RootKey::CurrentUser, "K", "A", out));
    EXPECT_EQ(out, "five");
    EXPECT_TRUE(store->regQueryValue(RootKey::CurrentUser, "K", "B", out));
    EXPECT_EQ(out, "b");
    EXPECT_EQ(store->regEnumValues(RootKey::CurrentUser, "K"),
              (std::vector<std::string>{"A", "B", ""}));
}

TEST_F(KeyStoreTest, SetStringFailsWhenTheFileCannotBeWritten) {
    // A folder where the file should be makes both reading and writing fail.
    fs::create_directories(file);
    EXPECT_FALSE(store->regSetString(RootKey::CurrentUser, "K", "A", "v"));
}

TEST_F(KeyStoreTest, EnumValuesEndsWithOneEmptyElement) {
    storeText("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Chat\\Shortcuts]\n"
              "first=text:1\nsecond=text:2\nthird=number:3\n");
    EXPECT_EQ(store->regEnumValues(RootKey::LocalMachine, "SOFTWARE\\Chat\\Shortcuts"),
              (std::vector<std::string>{"first", "second", "third", ""}));
    EXPECT_EQ(store->regEnumValues(RootKey::LocalMachine, "SOFTWARE\\Missing"),
              (std::vector<std::string>{""}));
}

TEST_F(KeyStoreTest, DesktopKeysGetLinuxAnswers) {
    std::string out;
    ASSERT_TRUE(store->regQueryValue(RootKey::ClassesRoot, "http\\shell\\open\\command", "", out));
    EXPECT_EQ(out.find("IEXPLORE.EXE"), std::string::npos);
    EXPECT_NE(out.find("xdg-open"), std::string::npos);

    const std::string windowsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    ASSERT_TRUE(store->regQueryValue(RootKey::LocalMachine, windowsKey, "CommonFilesDir", out));
    EXPECT_TRUE(fs::path(out).is_absolute());
    ASSERT_TRUE(store->regQueryValue(RootKey::LocalMachine, windowsKey, "ProgramFilesDir", out));
    EXPECT_TRUE(fs::path(out).is_absolute());

    out = "stale";
    EXPECT_FALSE(store->regQueryValue(RootKey::LocalMachine,
                                      "SOFTWARE\\Apple Computer, Inc.\\iPod\\RegisteredApps\\4",
                                      "path", out));
    EXPECT_EQ(out, "");
    // Reading the answers wrote nothing.
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(KeyStoreTest, TheFileOverridesADesktopAnswer) {
    EXPECT_TRUE(store->regSetString(RootKey::LocalMachine,
                                    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                                    "ProgramFilesDir", "/usr/local"));
    std::string out;
    ASSERT_TRUE(store->regQueryValue(RootKey::LocalMachine,
                                     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                                     "ProgramFilesDir", out));
    EXPECT_EQ(out, "/usr/local");
    ASSERT_TRUE(store->regQueryValue(RootKey::LocalMachine,
                                     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                                     "CommonFilesDir", out));
    EXPECT_EQ(out, "/usr/share");
}

TEST(DefaultKeyStoreFileTest, LivesInTheConfigFolder) {
    EXPECT_EQ(defaultKeyStoreFile(fakes::environmentOf({{"HOME", "/home/ann"}})).value(),
              fs::path("/home/ann/.config/kelvo/keystore.ini"));
    EXPECT_EQ(defaultKeyStoreFile(
                  fakes::environmentOf({{"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", "/cfg"}}))
                  .value(),
              fs::path("/cfg/kelvo/keystore.ini"));
}

} // namespace
} // namespace kelvo
