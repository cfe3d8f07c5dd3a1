// Any bytes as user.reg, read and then written through the SaverContext
// operations the program runs. Reading must give each field either the value
// the file holds or its default. The following write of "UseMirrors" (always a
// different number from the one read) must leave a file it cannot parse
// byte for byte as it was, and otherwise change exactly that value: every
// other value the registry's reader found before is found again unchanged.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>

#include "app/SaverContext.h"
#include "platform/x11/settings/registry_file.h"

namespace {

std::string folder;        // the private $XDG_CONFIG_HOME
std::string settingsFile;  // $XDG_CONFIG_HOME/orchardia/user.reg

void RemoveFolder() {
    for (const char* name : {"/orchardia/user.reg", "/orchardia/user.reg.lock", "/orchardia/user.reg.tmp"})
        unlink((folder + name).c_str());
    rmdir((folder + "/orchardia").c_str());
    rmdir(folder.c_str());
}

void Check(bool holds, const char* what) {
    if (holds) return;
    std::printf("settings check failed: %s\n", what);  // standard error is closed in fuzz runs
    std::fflush(stdout);
    std::abort();
}

std::string Lowered(std::string text) {
    for (char& c : text) c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    return text;
}

using ValueId = std::pair<std::string, std::string>;  // key and name, in lower case
using Values = std::map<ValueId, std::pair<DWORD, std::string>>;

// Every value the registry's reader finds in the file, as importing it would leave them.
Values ValuesIn(const regfile::Document& doc) {
    Values values;
    for (const regfile::Entry& entry : doc.entries) {
        const std::string& key = doc.sections[entry.section].key;
        const regfile::Value* value = regfile::FindValue(doc, key, entry.value.name);
        if (value != nullptr) values[{Lowered(key), Lowered(entry.value.name)}] = {value->type, value->data};
    }
    return values;
}

// What a SaverContext field must read: the value's data when it fits in four bytes, else the default.
DWORD Expected(const regfile::LoadedFile& file, const char* key, const char* name, DWORD fallback) {
    if (file.state != regfile::FileState::Ok) return fallback;
    const regfile::Value* value = regfile::FindValue(file.doc, key, name);
    if (value == nullptr || value->data.size() > sizeof(DWORD)) return fallback;
    DWORD number = 0;
    std::memcpy(&number, value->data.data(), value->data.size());
    return number;
}

std::string FileBytes() {
    std::ifstream in(settingsFile, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const uint8_t* data, size_t size) {
    std::ofstream out(settingsFile, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    Check(out.good(), "cannot write the input file");
}

void CheckRead(const SaverContext& context, const regfile::LoadedFile& file) {
    Check(context.passwordDelay == Expected(file, kSystemSaverKey, "Password Delay", 15),
          "Password Delay is neither the file's value nor the default");
    Check(DWORD(context.mouseThreshold) == Expected(file, kSystemSaverKey, "Mouse Threshold", 50),
          "Mouse Threshold is neither the file's value nor the default");
    Check(context.useMirrors == Expected(file, kProgramKey, "UseMirrors", 1),
          "UseMirrors is neither the file's value nor the default");
}

void CheckWrite(const regfile::LoadedFile& before, const std::string& bytesBefore, const SaverContext& read,
                DWORD written) {
    std::string bytesAfter = FileBytes();
    if (before.state != regfile::FileState::Ok) {
        Check(bytesAfter == bytesBefore, "a file that cannot be parsed was changed");
        return;
    }
    Check(bytesAfter != bytesBefore, "the setting was not stored in a file that parses");

    regfile::LoadedFile after = regfile::LoadRegistryFile(settingsFile);
    Check(after.state == regfile::FileState::Ok, "the file written does not parse");
    Check(after.utf16 == before.utf16, "the file's encoding changed");
    Values expected = ValuesIn(before.doc);
    std::string number(reinterpret_cast<const char*>(&written), sizeof(written));
    expected[{Lowered(kProgramKey), "usemirrors"}] = {REG_DWORD, number};
    Check(ValuesIn(after.doc) == expected, "a value other than UseMirrors changed, vanished or appeared");

    SaverContext reread;
    reread.ReadSystemSaverSettings();
    reread.ReadSaverSettings();
    Check(reread.passwordDelay == read.passwordDelay && reread.mouseThreshold == read.mouseThreshold,
          "the system values read differently after the write");
    Check(reread.useMirrors == written, "UseMirrors does not read back as written");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // $TMPDIR (fuzz/run.sh points it at a folder it removes, crashes or not),
    // else tmpfs when there is one: every write flushes the file to disk.
    const char* base = std::getenv("TMPDIR");
    if (base == nullptr || base[0] != '/') base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/orchardia-settings-fuzz-XXXXXX";
    Check(mkdtemp(&pattern[0]) != nullptr, "cannot make a temporary folder");
    folder = pattern;
    Check(mkdir((folder + "/orchardia").c_str(), 0700) == 0, "cannot make the settings folder");
    settingsFile = folder + "/orchardia/user.reg";
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    std::atexit(RemoveFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > regfile::kMaxFileSize) return -1;
    WriteFileBytes(data, size);
    regfile::LoadedFile before = regfile::LoadRegistryFile(settingsFile);

    SaverContext context;
    context.ReadSystemSaverSettings();
    context.ReadSaverSettings();
    CheckRead(context, before);

    SaverContext read = context;
    context.useMirrors = read.useMirrors == 0 ? 1 : 0;
    context.WriteSaverSettings();
    CheckWrite(before, std::string(reinterpret_cast<const char*>(data), size), read, context.useMirrors);
    return 0;
}
