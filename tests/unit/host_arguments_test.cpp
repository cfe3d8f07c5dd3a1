#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "platform/x11/frame_rate.h"
#include "platform/x11/host_arguments.h"
#include "platform/x11/process.h"
#include "platform/x11/win32.h"
#include "platform/x11/xscreensaver_programs.h"
#include "platform/x11/window_icon.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace {

using standin::HostArguments;

struct HostCase {
    std::vector<std::string> arguments;
    const char* screensaverWindow;  // null: unset
    HostArguments::Kind kind;
    unsigned long window;
    int mirrors;  // 1: --mirrors won, 0: --no-mirrors won, -1: neither given, so on
    bool fps = false;
    int width = 800, height = 600;  // pixels, for --window
};

TEST(HostArgumentsTest, TranslatesDaemonConventions) {
    const auto Host = HostArguments::NotHost, Window = HostArguments::Window, Root = HostArguments::RootWindow,
               No = HostArguments::Refused, Full = HostArguments::FullScreen, Help = HostArguments::Help,
               Version = HostArguments::Version, Add = HostArguments::AddToList,
               Remove = HostArguments::RemoveFromList, Own = HostArguments::OwnWindow;
    const HostCase cases[] = {
        {{"orchardia", "/s"}, nullptr, Host, 0, -1},
        {{"orchardia"}, "0x1200007", Host, 0, -1},
        {{"orchardia", "--root"}, "0x1200007", Window, 0x1200007, -1},
        {{"orchardia", "-root"}, "0X1a", Window, 0x1a, -1},
        {{"orchardia", "--root"}, "18874375", Window, 18874375, -1},
        {{"orchardia", "--root"}, nullptr, Root, 0, -1},
        {{"orchardia", "--root"}, "", No, 0, -1},
        {{"orchardia", "--root"}, "window", No, 0, -1},
        {{"orchardia", "--root"}, "0x", No, 0, -1},
        {{"orchardia", "--root"}, "0x123456789", No, 0, -1},
        {{"orchardia", "--window-id", "4294967295"}, nullptr, Window, 4294967295ul, -1},
        {{"orchardia", "--window-id", "4294967296"}, nullptr, No, 0, -1},
        {{"orchardia", "--window-id", "04294967295"}, nullptr, No, 0, -1},
        {{"orchardia", "--window-id", "0x3a00007"}, nullptr, Window, 0x3a00007, -1},
        {{"orchardia", "-window-id", "61"}, nullptr, Window, 61, -1},
        {{"orchardia", "--window-id"}, nullptr, No, 0, -1},
        {{"orchardia", "--window-id", "0"}, nullptr, No, 0, -1},
        {{"orchardia", "--window-id", "-5"}, nullptr, No, 0, -1},
        {{"orchardia", "--window-id", "0xZZ"}, nullptr, No, 0, -1},
        {{"orchardia", "--window-id", "12 "}, nullptr, No, 0, -1},
        // Host options count only at the start: the Windows switches keep their parse.
        {{"orchardia", "/s", "--root"}, "0x1200007", Host, 0, -1},
        {{"orchardia", "s", "--no-mirrors"}, nullptr, Host, 0, -1},
        {{"orchardia", "-s", "--help"}, nullptr, Host, 0, -1},
        {{"orchardia", "--"}, nullptr, Host, 0, -1},
        {{"orchardia", "-x"}, nullptr, Host, 0, -1},
        // Mirrors for the run: on unless --no-mirrors, the last one wins; alone
        // they make a full-screen run.
        {{"orchardia", "--no-mirrors", "-root"}, "0x1200007", Window, 0x1200007, 0},
        {{"orchardia", "--root", "--mirrors"}, nullptr, Root, 0, 1},
        {{"orchardia", "--mirrors", "--window-id", "7", "-no-mirrors"}, nullptr, Window, 7, 0},
        {{"orchardia", "-no-mirrors", "--mirrors"}, nullptr, Full, 0, 1},
        {{"orchardia", "--no-mirrors"}, nullptr, Full, 0, 0},
        {{"orchardia", "-mirrors", "--no-mirrors", "--no-mirrors"}, nullptr, Full, 0, 0},
        // A settings dialog appends --window-id to a command holding --root: the window id wins.
        {{"orchardia", "--root", "--window-id", "0x40012F"}, "0x40012F", Window, 0x40012f, -1},
        {{"orchardia", "--window-id", "7", "-root"}, "0x1200007", Window, 7, -1},
        {{"orchardia", "-root", "--window-id", "9", "-window-id", "8"}, nullptr, Window, 8, -1},
        {{"orchardia", "--root", "--window-id", "zz"}, "0x1200007", No, 0, -1},
        // The hacks' "Show frame rate", with one dash or two.
        {{"orchardia", "-fps"}, nullptr, Full, 0, -1, true},
        {{"orchardia", "--root", "--no-mirrors", "--fps"}, "0x1a", Window, 0x1a, 0, true},
        {{"orchardia", "--fps", "/s"}, nullptr, No, 0, -1},
        {{"orchardia", "-f"}, nullptr, Host, 0, -1},
        // The list commands, --help and --version stand alone, with one dash or two.
        {{"orchardia", "--add-to-xscreensaver"}, nullptr, Add, 0, -1},
        {{"orchardia", "-remove-from-xscreensaver"}, nullptr, Remove, 0, -1},
        {{"orchardia", "--add-to-xscreensaver", "--root"}, nullptr, No, 0, -1},
        {{"orchardia", "--root", "--remove-from-xscreensaver"}, nullptr, No, 0, -1},
        {{"orchardia", "-add-to-xscreensaver"}, nullptr, Add, 0, -1},
        {{"orchardia", "-help"}, nullptr, Help, 0, -1},
        {{"orchardia", "--h"}, nullptr, Help, 0, -1},
        {{"orchardia", "/version"}, nullptr, Host, 0, -1},  // a Windows switch, as /v
        {{"orchardia", "-version"}, nullptr, Version, 0, -1},
        {{"orchardia", "--help", "extra"}, nullptr, No, 0, -1},
        {{"orchardia", "--version", "--bogus"}, nullptr, No, 0, -1},
        {{"orchardia", "--root", "/s", "--help"}, nullptr, No, 0, -1},
        // A window of its own, 800x600 unless --geometry says otherwise.
        {{"orchardia", "--window"}, "0x1a", Own, 0, -1},
        {{"orchardia", "-geometry", "320X2", "--no-mirrors", "-window"}, nullptr, Own, 0, 0, false, 320, 2},
        {{"orchardia", "--window", "--geometry", "32767x1", "--fps"}, nullptr, Own, 0, -1, true, 32767, 1},
        {{"orchardia", "--window", "--geometry", "32768x10"}, nullptr, No, 0, -1},
        {{"orchardia", "--window", "--geometry", "0x10"}, nullptr, No, 0, -1},
        {{"orchardia", "--window", "--geometry", "+8x600"}, nullptr, No, 0, -1},
        {{"orchardia", "--window", "--geometry", "4294967297x10"}, nullptr, No, 0, -1},  // 1 if read past int
        {{"orchardia", "--window", "--geometry", "10x"}, nullptr, No, 0, -1},
        {{"orchardia", "--window", "--geometry", "10x10+0+0"}, nullptr, No, 0, -1},
        {{"orchardia", "--window", "--geometry"}, nullptr, No, 0, -1},
        {{"orchardia", "--geometry", "10x10"}, nullptr, No, 0, -1},
        {{"orchardia", "--root", "--window"}, nullptr, No, 0, -1},
        {{"orchardia", "--window", "--window-id", "7"}, nullptr, Window, 7, -1},
        // Nothing runs on a line the options do not explain.
        {{"orchardia", "--no-mirrors", "/s"}, nullptr, No, 0, -1},
        {{"orchardia", "--root", "/p", "12"}, "0x1200007", No, 0, -1},
        {{"orchardia", "--settings"}, nullptr, No, 0, -1},
        {{"orchardia", "--mirrors", "--root", "--colour"}, nullptr, No, 0, -1},
        {{"orchardia", "--window-id", "--no-mirrors"}, nullptr, No, 0, -1},
        {{"orchardia", "--help"}, nullptr, Help, 0, -1},
        {{"orchardia", "-h"}, nullptr, Help, 0, -1},
        {{"orchardia", "--version"}, nullptr, Version, 0, -1},
        {{"orchardia", "--bogus", "--version"}, nullptr, No, 0, -1},
    };
    for (const HostCase& c : cases) {
        HostArguments host = standin::ReadHostArguments(c.arguments, c.screensaverWindow);
        std::string label;
        for (size_t i = 1; i < c.arguments.size(); ++i) label += c.arguments[i] + " ";
        label += std::string("/ ") + (c.screensaverWindow ? c.screensaverWindow : "(unset)");
        EXPECT_EQ(host.kind, c.kind) << label;
        EXPECT_EQ(host.window, c.window) << label;
        EXPECT_EQ(host.mirrors, c.mirrors != 0) << label;
        EXPECT_EQ(host.fps, c.fps) << label;
        if (c.kind == Own) {
            EXPECT_EQ(host.width, c.width) << label;
            EXPECT_EQ(host.height, c.height) << label;
        }
        EXPECT_EQ(host.kind == HostArguments::Refused, !host.reason.empty()) << label;
    }
}

// --fps: frames per second over the last whole second, one decimal, held
// until the next second is up.
TEST(FrameRateTest, ShowsTheRateOfTheLastSecond) {
    // The gaps in seconds between one frame and the next, after the first frame.
    const struct {
        std::vector<double> frames;
        const char* text;
        double first = 1000;  // seconds on the clock at the first frame
    } cases[] = {
        {std::vector<double>(31, 0.03125), "FPS: -"}, {std::vector<double>(32, 0.03125), "FPS: 32.0"},
        {{0.375, 0.375, 0.375}, "FPS: 2.7"},          {{1, 0.25, 0.25, 0.25, 0.25}, "FPS: 4.0"},
        {{1, 0.25, 0.25, 0.25}, "FPS: 1.0"},          {{0.5, 0.5}, "FPS: 2.0", 0},
    };
    for (const auto& c : cases) {
        standin::FrameRateMeter meter;
        double seconds = c.first;
        meter.Frame(seconds);
        for (double gap : c.frames) meter.Frame(seconds += gap);
        EXPECT_EQ(meter.Text(), c.text) << c.frames.size() << " frames, last " << c.frames.back() << " s apart";
    }
}

struct RebuiltCase {
    std::vector<std::string> arguments;
    const char* commandLine;  // as Windows' command-line rules write it
    size_t tailOffset;        // where the arguments after the program name start
    SaverMode mode;           // as the program's own parse reads the line back
    intptr_t window;
};

HWND NoForegroundWindow() {
    return nullptr;
}

TEST(CommandLineTest, RebuildsTheWin32CommandLine) {
    const RebuiltCase cases[] = {
        {{"orchardia"}, "orchardia", 9, ModeConfigure, 0},
        {{""}, "\"\"", 2, ModeConfigure, 0},
        {{"/opt/My Savers/orchardia", "/p", "1234", "two words"},
         "\"/opt/My Savers/orchardia\" /p 1234 \"two words\"", 27, ModePreview, 1234},
        {{"/opt/My \"Savers\"/orchardia", "/s"}, "\"/opt/My Savers/orchardia\" /s", 27, ModeSaver, 0},
        {{"/opt/a\"b/orchardia", "/p", "7"}, "/opt/a\"b/orchardia /p 7", 19, ModePreview, 7},
        {{"\"x/orchardia", "/s"}, "\"x/orchardia\" /s", 14, ModeSaver, 0},
        {{"orchardia", "/c", "", "a\\b\\", "say \"hi\"", "C:\\my dir\\", "\\\\\""},
         "orchardia /c \"\" a\\b\\ \"say \\\"hi\\\"\" \"C:\\my dir\\\\\" \"\\\\\\\\\\\"\"", 10, ModeConfigure, 0},
    };
    for (const RebuiltCase& c : cases) {
        standin::SetCommandLine(c.arguments);
        EXPECT_STREQ(GetCommandLineA(), c.commandLine);
        EXPECT_STREQ(standin::CommandTail(), c.commandLine + c.tailOffset);
        ParsedCommandLine parsed = ParseCommandLine(GetCommandLineA(), NoForegroundWindow);
        EXPECT_EQ(parsed.mode, c.mode) << c.commandLine;
        EXPECT_EQ(reinterpret_cast<intptr_t>(parsed.window), c.window) << c.commandLine;
    }
}

// The program icon as window managers get it, against what an independent
// decoder (ImageMagick) reads from assets/icon/orchardia.ico.
TEST(WindowIconTest, DecodesBothImagesOfTheProgramIcon) {
    const std::vector<long> icon = standin::ProgramIcon();
    ASSERT_EQ(icon.size(), 2u + 32 * 32 + 2 + 16 * 16);
    const struct {
        size_t start;
        long side;
        long opaque;
        unsigned long long argbSum;
        std::vector<std::array<long, 3>> pixels;  // x, y from the top left, ARGB
    } images[] = {
        {0, 32, 756, 3240348067728ull,
         {{0, 0, 0}, {16, 0, 0xFF000000}, {9, 5, 0xFF800000}, {22, 5, 0xFF008000}, {5, 9, 0xFF008000},
          {9, 26, 0xFF008000}, {16, 16, 0xFFFFFF00}, {25, 20, 0xFFFF00FF}}},
        {1026, 16, 188, 805774947296ull, {{0, 0, 0}, {7, 1, 0xFF800000}, {8, 1, 0xFF008000}, {8, 8, 0xFFFFFF00}}},
    };
    for (const auto& image : images) {
        EXPECT_EQ(icon[image.start], image.side);
        EXPECT_EQ(icon[image.start + 1], image.side);
        auto first = icon.begin() + long(image.start) + 2, last = first + image.side * image.side;
        EXPECT_EQ(std::count_if(first, last, [](long argb) { return argb != 0; }), image.opaque);
        EXPECT_EQ(std::accumulate(first, last, 0ull), image.argbSum);
        for (const auto& p : image.pixels) EXPECT_EQ(first[p[1] * image.side + p[0]], p[2]) << p[0] << "," << p[1];
    }
}

// A malformed icon gives no icon at all, never a part of one.
TEST(WindowIconTest, RefusesAMalformedIcon) {
    HRSRC resource = FindResourceA(nullptr, "ORCHARDIA_ICON", RT_RCDATA);
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, resource)));
    const size_t whole = SizeofResource(nullptr, resource), padded = 70000;  // room for a 257-pixel image
    const struct {
        size_t at;
        unsigned value;  // written little-endian in `width` bytes
        int width;
        size_t size;
        bool decodes;
    } cases[] = {
        {0, 0, 0, whole, true},     {0, 1, 2, whole, false},      {2, 2, 2, whole, false},  // reserved, a cursor
        {4, 3, 2, whole, false},    {0, 0, 0, 5, false},          {0, 0, 0, 37, false},     // a third image, cut
        {0, 0, 0, whole - 1, false}, {38, 41, 4, whole, false},   {52, 8, 2, whole, false}, // header size, 8 bits
        {42, 0, 4, whole, false},   {42, 256, 4, padded, true},   {42, 257, 4, padded, false},
        {46, 1, 4, whole, false},   {46, 512, 4, padded, true},   {46, 514, 4, padded, false},  // height doubled
    };
    for (const auto& c : cases) {
        std::vector<unsigned char> icon(bytes, bytes + whole);
        icon.resize(c.size);
        for (int i = 0; i < c.width; ++i) icon[c.at + size_t(i)] = (c.value >> (8 * i)) & 0xFF;
        EXPECT_EQ(!standin::IconProperty(icon.data(), icon.size()).empty(), c.decodes)
            << c.value << " at " << c.at << ", " << c.size << " bytes";
    }
}

// Which entries of an xscreensaver programs resource run orchardia, where an
// added entry goes, and what taking out every entry that runs it leaves.
TEST(XscreensaverProgramsTest, FindsAppendsAndRemovesTheEntry) {
    const struct {
        const char* resource;
        bool lists;
        const char* appended;          // the entry's line and the one before it
        const char* removed = nullptr;  // null: the resource as it was
    } cases[] = {
        {"programs:", false, "programs:\\\n  GL: orchardia --root \\n\n"},
        {"programs: orchardia --root", true, "programs: orchardia --root \\n\\\n  GL:", "programs:\n"},
        {"programs:\\\n- \"Kaleidoscope\" /usr/bin/orchardia -title \"x\" \\n", true, "\\n\\\n  GL:", "programs:\n"},
        {"programs:\\\n  /bin/echo orchardia \\n\\\n    ", false, "\\n\\\n  GL: orchardia --root \\n\\\n    \n"},
        {"programs:\\\n-orchardia -title \"x\"\\n", true, "\"x\"\\n\\\n  GL:", "programs:\n"},
        {"programs:\\\n  GL: orchardias --root \\n", false, "--root \\n\\\n  GL:"},
        {"programs:\\\n  orchardia\\n", true, "orchardia\\n\\\n  GL:", "programs:\n"},
        {"programs:\\\n  \"\"orchardia\\n", true, "orchardia\\n\\\n  GL:", "programs:\n"},  // an empty name
        {"programs:\\\n   ", false, "programs:\\\n  GL: orchardia --root \\n\\\n   \n"},
        {"programs: orchardia \\n\\\n  other \\n", true, "other \\n\\\n  GL:", "programs:\\\n  other \\n\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(standin::ListsOrchardia(c.resource), c.lists) << c.resource;
        const std::string appended = standin::AppendOrchardia(c.resource);
        EXPECT_NE(appended.find(c.appended), std::string::npos) << appended;
        EXPECT_TRUE(standin::ListsOrchardia(appended)) << appended;
        int removed = 0;
        EXPECT_EQ(standin::RemoveOrchardia(appended, &removed), c.removed ? c.removed : c.resource + std::string("\n"));
        EXPECT_EQ(removed, c.lists ? 2 : 1) << appended;
    }
    // A continued line is never a resource of its own, whatever it says.
    size_t begin = 99, end = 0;
    bool twice = true;
    EXPECT_TRUE(standin::FindProgramsResource("programs: \\\n  programs: x \\n\nb: 2\n", "programs", &begin, &end,
                                              &twice));
    EXPECT_EQ(begin, 0u);
    EXPECT_EQ(end, 29u);
    EXPECT_FALSE(twice);
}
}  // namespace
