// Runs the zr640 program as a user would, for the tests of its commands.
#pragma once

#include <cstdio>
#include <string>

#include <sys/wait.h>

namespace zr640::test {

struct ToolRun {
    int status = -1;     // the exit status, or -1 when the program did not exit normally
    std::string output;  // standard output and standard error together
};

inline ToolRun RunTool(const std::string& arguments) {
    ToolRun run;
    const std::string command = std::string("\"") + ZR640_TOOL + "\" " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    while (const size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace zr640::test
