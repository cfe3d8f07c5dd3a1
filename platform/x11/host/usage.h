// What `orchardia --help` and `orchardia --version` print.
#pragma once

namespace standin {

void PrintUsage();    // on standard output
void PrintVersion();  // on standard output

}  // namespace standin
