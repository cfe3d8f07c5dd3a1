#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "platform/x11/settings/registry_file.h"
#include "platform/x11/settings/run_values.h"
#include "platform/x11/testing.h"
#include "platform/x11/win32.h"
#include "tests/unit/config_folder.h"

namespace {

const char kKey[] = "Software\\Test";
const std::string kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";
const std::string kSection = "[HKEY_CURRENT_USER\\Software\\Test]\r\n";
const std::string kOther = "[HKEY_CURRENT_USER\\Software\\Other]\r\n\"x\"=\"keep me\"\r\n";

struct Reading {
    LSTATUS status = ERROR_SUCCESS;
    DWORD type = REG_NONE;
    std::string data;
};

// Opens the key, reads the value into a large buffer, closes the key.
Reading ReadValue(const char* key, const char* name) {
    Reading reading;
    HKEY handle = nullptr;
    reading.status = RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &handle);
    if (reading.status != ERROR_SUCCESS) return reading;
    BYTE buffer[256];
    DWORD size = sizeof(buffer);
    reading.status = RegQueryValueExA(handle, name, nullptr, &reading.type, buffer, &size);
    if (reading.status == ERROR_SUCCESS) reading.data.assign(reinterpret_cast<char*>(buffer), size);
    RegCloseKey(handle);
    return reading;
}

std::string Dword(DWORD value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof(value));
}

// Little-endian bytes after the byte-order mark, as the registry editor exports.
std::string Utf16File(const std::u16string& text) {
    std::string bytes = "\xff\xfe";
    for (char16_t unit : text) {
        bytes += char(unit & 0xff);
        bytes += char(unit >> 8);
    }
    return bytes;
}

class RegistryTest : public testing::Test {
protected:
    void TearDown() override { standin::FailRegistryWriteAt(standin::RegistryWriteStage::Never); }
    ConfigFolder folder;
};

// ---- Reading the forms a file may hold -------------------------------------

struct FormCase {
    const char* what;
    std::string body;  // after the header and a blank line
    const char* name;
    LSTATUS status;
    DWORD type;
    std::string data;
};

class FormTest : public RegistryTest, public testing::WithParamInterface<FormCase> {};

TEST_P(FormTest, ReadsValue) {
    const FormCase& c = GetParam();
    folder.Write(kHeader + c.body);
    Reading reading = ReadValue(kKey, c.name);
    ASSERT_EQ(reading.status, c.status) << c.what;
    if (c.status != ERROR_SUCCESS) return;
    EXPECT_EQ(reading.type, c.type) << c.what;
    EXPECT_EQ(reading.data, c.data) << c.what;
}

const std::string kSz = std::string("a \"q\" \\ b") + '\0';

INSTANTIATE_TEST_SUITE_P(
    Forms, FormTest,
    testing::Values(
        FormCase{"odd spacing, other case", kSection + "  \"V\" \t=  DWORD: 1 \r\n", "v", 0, REG_DWORD, Dword(1)},
        FormCase{"section in other case", "[hkey_current_user\\SOFTWARE\\test]\r\n\"v\"=dword:5\r\n", "v", 0,
                 REG_DWORD, Dword(5)},
        FormCase{"continued", kSection + "\"v\"=hex:01,02,\\\r\n  03, 4\r\n", "v", 0, REG_BINARY, "\x01\x02\x03\x04"},
        FormCase{"string with escapes", kSection + "\"v\"=\"a \\\"q\\\" \\\\ b\"\r\n", "v", 0, REG_SZ, kSz},
        FormCase{"UTF-16 typed string", kSection + "\"v\"=hex(2):41,00,e9,00,00,00\r\n", "v", 0, REG_EXPAND_SZ,
                 std::string("A\xc3\xa9\0", 4)},
        FormCase{"default value by null name", kSection + "@=dword:7\r\n", nullptr, 0, REG_DWORD, Dword(7)},
        FormCase{"later section wins", kSection + "\"v\"=dword:1\r\n" + kOther + kSection + "\"v\"=dword:2\r\n", "v",
                 0, REG_DWORD, Dword(2)},
        FormCase{"malformed later line skipped", kSection + "\"v\"=dword:1\r\n\"v\"=dword:zz\r\n", "v", 0, REG_DWORD,
                 Dword(1)},
        FormCase{"comments and junk around", kSection + "; c\r\nwhat?\r\n\"v\"=dword:3\r\n[broken\r\n\"v\"=dword:4\r\n",
                 "v", 0, REG_DWORD, Dword(3)},
        FormCase{"deleted", kSection + "\"v\"=dword:1\r\n\"v\"=-\r\n", "v", ERROR_FILE_NOT_FOUND, 0, ""},
        FormCase{"nine digits", kSection + "\"v\"=dword:123456789\r\n", "v", ERROR_FILE_NOT_FOUND, 0, ""},
        FormCase{"cut-off list", kSection + "\"v\"=hex:01,02,\\\r\n", "v", ERROR_FILE_NOT_FOUND, 0, ""},
        FormCase{"list cut off by a section", kSection + "\"v\"=hex:01,\\\r\n" + kOther, "v", ERROR_FILE_NOT_FOUND, 0, ""},
        FormCase{"list broken by next value", kSection + "\"v\"=hex:01,\\\r\n\"w\"=dword:1\r\n", "w", 0, REG_DWORD,
                 Dword(1)},
        FormCase{"open string", kSection + "\"v\"=\"text\r\n", "v", ERROR_FILE_NOT_FOUND, 0, ""},
        FormCase{"before any section", "\"v\"=dword:1\r\n" + kSection, "v", ERROR_FILE_NOT_FOUND, 0, ""},
        FormCase{"another root", "[HKEY_LOCAL_MACHINE\\Software\\Test]\r\n\"v\"=dword:1\r\n", "v",
                 ERROR_FILE_NOT_FOUND, 0, ""},
        FormCase{"deletion section", "[-HKEY_CURRENT_USER\\Software\\Test]\r\n\"v\"=dword:1\r\n", "v",
                 ERROR_FILE_NOT_FOUND, 0, ""}));

TEST_F(RegistryTest, KeyExistsWhenItOrASubkeyHasASection) {
    folder.Write(kHeader + "[HKEY_CURRENT_USER\\Software\\Test\\Sub]\r\n");
    for (const char* key : {"Software", "software\\test", "Software\\Test\\", "Software\\Test\\Sub"}) {
        HKEY handle = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_ALL_ACCESS, &handle), ERROR_SUCCESS) << key;
        EXPECT_EQ(RegCloseKey(handle), ERROR_SUCCESS) << key;
    }
    for (const char* key : {"Software\\Tes", "Software\\Test\\Sub\\Deeper", "Other"}) {
        HKEY handle = reinterpret_cast<HKEY>(1);
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_ALL_ACCESS, &handle), ERROR_FILE_NOT_FOUND) << key;
        EXPECT_EQ(handle, nullptr) << key;
    }
}

// ---- The calls' own rules ----------------------------------------------------

TEST_F(RegistryTest, QueryFollowsWin32Rules) {
    folder.Write(kHeader + kSection + "\"v\"=hex:01,02,03,04,05\r\n");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "v", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_BINARY));
    EXPECT_EQ(size, 5u);

    BYTE small[4] = {0xaa, 0xaa, 0xaa, 0xaa};
    size = sizeof(small);
    EXPECT_EQ(RegQueryValueExA(key, "v", nullptr, nullptr, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(small[0], 0xaa);  // nothing copied

    BYTE exact[5] = {};
    size = sizeof(exact);
    EXPECT_EQ(RegQueryValueExA(key, "V", nullptr, nullptr, exact, &size), ERROR_SUCCESS);
    EXPECT_EQ(exact[4], 5);

    DWORD reserved = 0;
    EXPECT_EQ(RegQueryValueExA(key, "v", nullptr, nullptr, exact, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExA(key, "v", &reserved, nullptr, nullptr, &size), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExA(key, "missing", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    // A run-only value answers for its own name under its own key only.
    standin::SetRunOnlyDword("Software\\Other", "v", 7);
    standin::SetRunOnlyDword(kKey, "w", 7);
    EXPECT_EQ(ReadValue(kKey, "v").data, std::string("\x01\x02\x03\x04\x05"));
    standin::ClearRunOnlyValues();
}

TEST_F(RegistryTest, RejectsKeyPathsTheFileCannotHold) {
    const std::pair<std::string, LSTATUS> cases[] = {
        {"\\Software\\Test", ERROR_BAD_PATHNAME},           {"Software\\\\Test", ERROR_BAD_PATHNAME},
        {"Software\\" + std::string(256, 'k'), ERROR_BAD_PATHNAME}, {"Soft\nware", ERROR_INVALID_PARAMETER},
        {"Software\\" + std::string(255, 'k'), ERROR_SUCCESS},
    };
    for (const auto& [key, status] : cases) EXPECT_EQ(SetDword(key.c_str(), "v", 1), status) << key;
    EXPECT_EQ(SetDword(kKey, "bad\r\nname", 1), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, CallsItDoesNotHandleFailLoudly) {
    HKEY key = nullptr;
    HKEY machine = reinterpret_cast<HKEY>(UINT_PTR(0x80000002u));
    EXPECT_DEATH(RegOpenKeyExA(machine, kKey, 0, KEY_ALL_ACCESS, &key), "HKEY_CURRENT_USER");
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), 0);
    EXPECT_DEATH(RegSetValueExA(key, "s", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2), "REG_DWORD");
    RegCloseKey(key);
}

// ---- Where the file lives ------------------------------------------------------

// A user the password database does not know, with HOME unset, has no settings path.
void ExitWithPathOfUnlistedUser() {
    if (geteuid() == 0 && setuid(4242) != 0) _exit(2);
    _exit(regfile::SettingsPath().empty() ? 0 : 1);
}

TEST_F(RegistryTest, FallsBackToHomeConfigUnlessXdgConfigHomeIsAbsolute) {
    const char* oldHome = std::getenv("HOME");
    std::string savedHome = oldHome != nullptr ? oldHome : "";
    setenv("HOME", folder.Root().c_str(), 1);
    std::filesystem::create_directories(folder.Root() + "/.config/orchardia");
    std::ofstream(folder.Root() + "/.config/orchardia/user.reg") << kHeader + kSection + "\"v\"=dword:9\r\n";
    for (const char* xdg : std::initializer_list<const char*>{"", "relative/config", nullptr}) {
        if (xdg != nullptr) setenv("XDG_CONFIG_HOME", xdg, 1);
        else unsetenv("XDG_CONFIG_HOME");
        EXPECT_EQ(ReadValue(kKey, "v").data, Dword(9)) << (xdg != nullptr ? xdg : "unset");
    }
    setenv("HOME", "relative/home", 1);  // would follow the current folder: the password database's home instead
    EXPECT_EQ(regfile::SettingsPath(), std::string(getpwuid(getuid())->pw_dir) + "/.config/orchardia/user.reg");
    unsetenv("HOME");
    EXPECT_EQ(regfile::SettingsPath(), std::string(getpwuid(getuid())->pw_dir) + "/.config/orchardia/user.reg");
    if (geteuid() == 0) EXPECT_EXIT(ExitWithPathOfUnlistedUser(), testing::ExitedWithCode(0), "");
    if (oldHome != nullptr) setenv("HOME", savedHome.c_str(), 1);
    else unsetenv("HOME");
}

// ---- Files that are broken or odd ----------------------------------------------

enum class Kind { File, Missing, Folder, Fifo };

struct BadFileCase {
    const char* what;
    Kind kind;
    std::string content;
    LSTATUS status;  // of reading "v"; a write fails with it unless it is success or not found
};

void Make(const ConfigFolder& folder, const BadFileCase& c) {
    std::filesystem::create_directories(folder.Folder());
    if (c.kind == Kind::File) folder.Write(c.content);
    if (c.kind == Kind::Folder) std::filesystem::create_directory(folder.File());
    if (c.kind == Kind::Fifo) mkfifo(folder.File().c_str(), 0600);
}

class BadFileTest : public RegistryTest, public testing::WithParamInterface<BadFileCase> {};

TEST_P(BadFileTest, ReadsWhatItCanAndNeverReplacesWhatItCannotParse) {
    const BadFileCase& c = GetParam();
    Make(folder, c);
    std::string before = folder.Read();
    EXPECT_EQ(ReadValue(kKey, "v").status, c.status) << c.what;

    testing::internal::CaptureStderr();
    LSTATUS written = SetDword(kKey, "w", 5);
    std::string message = testing::internal::GetCapturedStderr();
    if (c.status == ERROR_SUCCESS || c.status == ERROR_FILE_NOT_FOUND) {
        EXPECT_EQ(written, ERROR_SUCCESS) << c.what;
        EXPECT_EQ(ReadValue(kKey, "w").data, Dword(5)) << c.what;
        EXPECT_EQ(ReadValue(kKey, "v").status, c.status) << c.what;
        EXPECT_EQ(message, "") << c.what;
        return;
    }
    EXPECT_EQ(written, c.status) << c.what;
    EXPECT_EQ(folder.Read(), before) << c.what;
    EXPECT_NE(message.find(folder.File()), std::string::npos) << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadFileTest,
    testing::Values(
        BadFileCase{"missing", Kind::Missing, "", ERROR_FILE_NOT_FOUND},
        BadFileCase{"empty", Kind::File, "", ERROR_FILE_NOT_FOUND},
        BadFileCase{"header only", Kind::File, "Windows Registry Editor Version 5.00", ERROR_FILE_NOT_FOUND},
        BadFileCase{"Latin-1 and junk lines", Kind::File,
                    kHeader + kSection + "; caf\xe9\r\nwhat\x01\r\n\"v\"=dword:1\r\nnot a value", ERROR_SUCCESS},
        BadFileCase{"older header", Kind::File, "REGEDIT4\r\n\r\n" + kSection + "\"v\"=dword:1\r\n", ERROR_BADDB},
        BadFileCase{"cut-off header", Kind::File, "Windows Registry Edi", ERROR_BADDB},
        BadFileCase{"NUL bytes", Kind::File, kHeader + kSection + "\"v\"=dword:1\r\n" + std::string(64, '\0'),
                    ERROR_BADDB},
        BadFileCase{"odd-length UTF-16", Kind::File, Utf16File(u"Windows Registry Editor Version 5.00\r\n") + "x",
                    ERROR_BADDB},
        BadFileCase{"over 1 MiB", Kind::File, kHeader + kSection + "\"v\"=dword:1\r\n;" + std::string(1 << 20, 'x'),
                    ERROR_REGISTRY_IO_FAILED},
        BadFileCase{"a folder", Kind::Folder, "", ERROR_REGISTRY_IO_FAILED},
        BadFileCase{"a FIFO", Kind::Fifo, "", ERROR_REGISTRY_IO_FAILED}));

// ---- Writing: one line changes, every other byte stays ----------------------------

struct EditCase {
    const char* what;
    std::string before;
    const char* name;
    std::string after;  // with the value set to 2
};

class EditTest : public RegistryTest, public testing::WithParamInterface<EditCase> {};

TEST_P(EditTest, SplicesOneLine) {
    const EditCase& c = GetParam();
    folder.Write(c.before);
    ASSERT_EQ(SetDword(kKey, c.name, 2), ERROR_SUCCESS) << c.what;
    EXPECT_EQ(folder.Read(), c.after) << c.what;
    EXPECT_EQ(ReadValue(kKey, c.name).data, Dword(2)) << c.what;
}

const std::string kV2 = "\"v\"=dword:00000002\r\n";
const std::string kOpenListLf =
    "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Other]\n\"p\"=hex:05,00,\\\n";
// A file with LF ends, a comment, another key's string and a list continued just before "v".
const std::string kListBeforeLf =
    "Windows Registry Editor Version 5.00\n\n; mine\n[HKEY_CURRENT_USER\\Software\\Other]\n\"w\"=\"C:\\\\w.bmp\"\n\n"
    "[HKEY_CURRENT_USER\\Software\\Test]\n\"a\"=hex:01,02,\\\n  03\n";

INSTANTIATE_TEST_SUITE_P(
    Edits, EditTest,
    testing::Values(
        EditCase{"replaced in place", kHeader + "; mine\r\n" + kSection + "\"a\"=hex:01\r\n\"v\" = dword:1 \r\n" + kOther,
                 "v", kHeader + "; mine\r\n" + kSection + "\"a\"=hex:01\r\n" + kV2 + kOther},
        EditCase{"replaced after a continued list", kListBeforeLf + "\"v\"=dword:00000001\n; end\n", "v",
                 kListBeforeLf + "\"v\"=dword:00000002\n; end\n"},
        EditCase{"spelling kept", kHeader + kSection + "\"V\"=dword:1\r\n", "v",
                 kHeader + kSection + "\"V\"=dword:00000002\r\n"},
        EditCase{"unchanged value untouched", kHeader + kSection + "\"v\" =  dword:2\r\n", "v",
                 kHeader + kSection + "\"v\" =  dword:2\r\n"},
        EditCase{"continued list replaced", kHeader + kSection + "\"v\"=hex:01,\\\r\n  02\r\n\"z\"=-\r\n", "v",
                 kHeader + kSection + kV2 + "\"z\"=-\r\n"},
        EditCase{"malformed line replaced", kHeader + kSection + "\"v\"=dword:zz\r\n", "v", kHeader + kSection + kV2},
        EditCase{"added at the end of the section", kHeader + kSection + "\"a\"=dword:1\r\n\r\n; next\r\n" + kOther, "v",
                 kHeader + kSection + "\"a\"=dword:1\r\n" + kV2 + "\r\n; next\r\n" + kOther},
        EditCase{"added to the key's last section", kHeader + kSection + "\r\n" + kOther + kSection + "\"b\"=\"\"",
                 "v", kHeader + kSection + "\r\n" + kOther + kSection + "\"b\"=\"\"\r\n" + kV2},
        EditCase{"LF kept", "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Test]\n", "v",
                 "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Test]\n\"v\"=dword:00000002\n"},
        EditCase{"section appended", kHeader + kOther, "v", kHeader + kOther + "\r\n" + kSection + kV2 + "\r\n"},
        EditCase{"section for a key implied by a subkey",
                 kHeader + "[HKEY_CURRENT_USER\\Software\\Test\\Sub]\r\n\"q\"=dword:1\r\n", "v",
                 kHeader + "[HKEY_CURRENT_USER\\Software\\Test\\Sub]\r\n\"q\"=dword:1\r\n\r\n" + kSection + kV2 + "\r\n"},
        EditCase{"default value", kHeader + kSection + "@=\"x\"\r\n", "", kHeader + kSection + "@=dword:00000002\r\n"},
        EditCase{"name escaped", kHeader + kSection, "q\"\\", kHeader + kSection + "\"q\\\"\\\\\"=dword:00000002\r\n"},
        EditCase{"UTF-8 mark kept", "\xef\xbb\xbf" + kHeader + kSection, "v", "\xef\xbb\xbf" + kHeader + kSection + kV2},
        EditCase{"UTF-16 kept",
                 Utf16File(u"Windows Registry Editor Version 5.00\r\n\r\n; \u00e9\U0001F34E\xD800!\r\n"
                           u"[HKEY_CURRENT_USER\\Software\\Test]\r\n"),
                 "v",
                 Utf16File(u"Windows Registry Editor Version 5.00\r\n\r\n; \u00e9\U0001F34E\xD800!\r\n"
                           u"[HKEY_CURRENT_USER\\Software\\Test]\r\n\"v\"=dword:00000002\r\n")},
        // A list left open at the end reads as nothing; a blank line before the new section would complete it.
        EditCase{"after a list left open", kHeader + kOther + "\"p\"=hex:05,\\\r\n  00,\\ \t\r\n", "v",
                 kHeader + kOther + "\"p\"=hex:05,\\\r\n  00,\\ \t\r\n" + kSection + kV2 + "\r\n"},
        EditCase{"after a list left open without a line end", kHeader + kOther + "\"p\"=hex:05,00,\\", "v",
                 kHeader + kOther + "\"p\"=hex:05,00,\\\r\n" + kSection + kV2 + "\r\n"},
        EditCase{"after a list left open, LF", kOpenListLf, "v",
                 kOpenListLf + "[HKEY_CURRENT_USER\\Software\\Test]\n\"v\"=dword:00000002\n\n"}));

TEST_F(RegistryTest, NewFileIsPrivateAndImportable) {
    ASSERT_EQ(SetDword(kKey, "v", 2), ERROR_SUCCESS);
    EXPECT_EQ(folder.Read(), kHeader + kSection + kV2 + "\r\n");
    struct stat file = {}, dir = {};
    ASSERT_EQ(stat(folder.File().c_str(), &file), 0);
    ASSERT_EQ(stat(folder.Folder().c_str(), &dir), 0);
    EXPECT_EQ(file.st_mode & 0777, 0600u);
    EXPECT_EQ(dir.st_mode & 0777, 0700u);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"user.reg", "user.reg.lock"}));
    // Made read-only, it stays as it is, even for root, who may write anything.
    chmod(folder.File().c_str(), 0444);
    EXPECT_EQ(SetDword(kKey, "v", 3), ERROR_ACCESS_DENIED);
    EXPECT_EQ(folder.Read(), kHeader + kSection + kV2 + "\r\n");
}

TEST_F(RegistryTest, CreateKeyReportsDispositionAndWritesOnlyWhenNew) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition), 0);
    RegCloseKey(key);
    EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
    EXPECT_EQ(folder.Read(), kHeader + kSection + "\r\n");

    struct stat before = {}, after = {};
    stat(folder.File().c_str(), &before);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\test", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              &disposition), 0);
    RegCloseKey(key);
    stat(folder.File().c_str(), &after);
    EXPECT_EQ(disposition, DWORD(REG_OPENED_EXISTING_KEY));
    EXPECT_EQ(after.st_ino, before.st_ino);  // not rewritten
}

// ---- Atomic replacement ------------------------------------------------------------

class WriteFailureTest : public RegistryTest, public testing::WithParamInterface<standin::RegistryWriteStage> {};

TEST_P(WriteFailureTest, LeavesOldFileAndNoTemporary) {
    const std::string old = kHeader + kSection + "\"v\"=dword:1\r\n";
    folder.Write(old);
    standin::FailRegistryWriteAt(GetParam());
    testing::internal::CaptureStderr();
    EXPECT_EQ(SetDword(kKey, "v", 2), ERROR_REGISTRY_IO_FAILED);
    std::string message = testing::internal::GetCapturedStderr();
    EXPECT_EQ(folder.Read(), old);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"user.reg"});
    EXPECT_NE(message.find(folder.File()), std::string::npos) << message;
    if (GetParam() == standin::RegistryWriteStage::Create)  // names the temporary it could not make
        EXPECT_NE(message.find(folder.File() + ".tmp.:"), std::string::npos) << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;

    standin::FailRegistryWriteAt(standin::RegistryWriteStage::Never);
    EXPECT_EQ(SetDword(kKey, "v", 2), ERROR_SUCCESS);
    EXPECT_EQ(ReadValue(kKey, "v").data, Dword(2));
}

INSTANTIATE_TEST_SUITE_P(Stages, WriteFailureTest,
                         testing::Values(standin::RegistryWriteStage::Create, standin::RegistryWriteStage::Write,
                                         standin::RegistryWriteStage::Sync, standin::RegistryWriteStage::Rename));

TEST_F(RegistryTest, ClearsTemporaryLeftByKilledWriter) {
    folder.Write(kHeader + kSection);
    std::ofstream(folder.File() + ".tmp") << "half a fi";
    std::ofstream(folder.File() + ".tmp.Ab3dE9") << "half a fi";
    // Names that only look like a leftover's, and a link, are not ours to remove.
    for (const char* kept : {".tmpXAb3dE9", ".tmp.kept-by-hand"}) std::ofstream(folder.File() + kept) << "kept";
    ASSERT_EQ(symlink("user.reg", (folder.File() + ".tmp.L1nkEd").c_str()), 0);
    auto openFiles = [] { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); };
    auto openBefore = openFiles();
    ASSERT_EQ(SetDword(kKey, "v", 2), ERROR_SUCCESS);
    EXPECT_EQ(openFiles(), openBefore);  // the folder's listing is closed again
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"user.reg", "user.reg.lock", "user.reg.tmp.L1nkEd",
                                                        "user.reg.tmp.kept-by-hand", "user.reg.tmpXAb3dE9"}));
}

// Six processes save different values many times while this one reads: every
// reading finds a whole file, no save gives up while the lock is free most of
// the time, and every last value is there at the end.
TEST_F(RegistryTest, RacingWritersKeepEveryChange) {
    constexpr DWORD kRounds = 200;
    const char* names[] = {"A", "B", "C", "D", "E", "F"};
    folder.Write(kHeader + "; shared\r\n");
    pid_t writers[6];
    for (int w = 0; w < 6; ++w) {
        writers[w] = fork();
        ASSERT_GE(writers[w], 0);
        if (writers[w] == 0) {
            const char* name = names[w];
            int failures = 0;
            for (DWORD round = 1; round <= kRounds; ++round) failures += SetDword(kKey, name, round) != ERROR_SUCCESS;
            _exit(failures == 0 ? 0 : 1);
        }
    }
    int torn = 0;
    for (int read = 0; read < 300; ++read) {
        LSTATUS status = ReadValue(kKey, "A").status;
        torn += status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND;
    }
    for (pid_t writer : writers) {
        int status = 0;
        waitpid(writer, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(torn, 0);
    for (const char* name : names) EXPECT_EQ(ReadValue(kKey, name).data, Dword(kRounds)) << name;
    EXPECT_EQ(folder.Read().rfind("Windows Registry Editor Version 5.00\r\n\r\n; shared\r\n", 0), 0u);
}

}  // namespace
