#include <gtest/gtest.h>

#include <string>

#include "platform/x11/host/xscreensaver_programs.h"

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
