// What MessageBoxA keeps for tests: the last text and caption, and whether
// boxes go to standard error only. Kept apart from the X code so that the test
// interface's header never meets X11's macros.
#pragma once

#include <string>

namespace standin {

bool MessageBoxesHeadless();
void RecordMessageBox(const std::string& text, const std::string& caption);

}  // namespace standin
