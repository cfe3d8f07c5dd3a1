#include "call_trace.h"

#include <algorithm>
#include <iomanip>
#include <sstream>

namespace {
bool recording = false;
std::vector<Call> calls;
}  // namespace

std::ostream& operator<<(std::ostream& out, const Call& call) {
    out << call.name << '(';
    for (size_t i = 0; i < call.args.size(); ++i) out << (i ? ", " : "") << std::setprecision(17) << call.args[i];
    return out << ')';
}

void calltrace::Start() {
    calls.clear();
    recording = true;
}

std::vector<Call> calltrace::Stop(bool openGl) {
    recording = false;
    std::vector<Call> selected;
    for (Call& call : calls)
        if ((call.name.compare(0, 2, "gl") == 0) == openGl) selected.push_back(std::move(call));
    calls.clear();
    return selected;
}

bool calltrace::Recording() {
    return recording;
}

void calltrace::Note(Call call) {
    if (recording) calls.push_back(std::move(call));
}

std::string FirstDifference(const std::vector<Call>& actual, const std::vector<Call>& expected) {
    size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    if (at == actual.size() && at == expected.size()) return "";
    std::ostringstream out;
    out << "calls differ at " << at << " of " << actual.size() << " (expected " << expected.size() << ")\n";
    for (size_t i = at < 3 ? 0 : at - 3; i < std::max(actual.size(), expected.size()) && i < at + 4; ++i) {
        out << (i == at ? "> " : "  ") << i << "  got ";
        if (i < actual.size()) out << actual[i]; else out << "-";
        out << "   expected ";
        if (i < expected.size()) out << expected[i]; else out << "-";
        out << '\n';
    }
    return out.str();
}
