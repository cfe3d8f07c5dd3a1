// A recording of calls, made in-process: the OpenGL, GLU and Win32 entry points
// the program uses are wrapped at link time (--wrap, listed in
// tests/CMakeLists.txt) and each wrapper notes its call, then makes it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

struct Call {
    std::string name;
    std::vector<double> args;  // scalars widened exactly; arrays element by element
    bool operator==(const Call& other) const { return name == other.name && args == other.args; }
};

std::ostream& operator<<(std::ostream& out, const Call& call);

namespace calltrace {

// Starts a fresh recording; Stop ends it and returns what was recorded: the
// OpenGL and GLU calls when `openGl`, the others (Win32, Scene) otherwise.
void Start();
std::vector<Call> Stop(bool openGl);
bool Recording();
void Note(Call call);

}  // namespace calltrace

// The first difference between two call lists, with the calls around it, or
// "" when they are equal.
std::string FirstDifference(const std::vector<Call>& actual, const std::vector<Call>& expected);
