// An Xvfb of the test's own, for runs that grab keyboard and pointer or need a
// server configured differently (no GLX). DISPLAY names it while it lives.
#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

class PrivateXServer {
public:
    // extraArguments: further Xvfb options, e.g. {"-extension", "GLX"}.
    explicit PrivateXServer(const std::string& size, std::vector<std::string> extraArguments = {}) {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) return;
        pid = fork();
        if (pid == 0) Exec(pipeEnds, size, extraArguments);
        close(pipeEnds[1]);
        std::string number = ReadDisplayNumber(pipeEnds[0]);
        close(pipeEnds[0]);
        if (!number.empty()) {
            setenv("DISPLAY", (":" + number).c_str(), 1);
            ready = true;
        }
    }
    ~PrivateXServer() {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    bool Ready() const { return ready; }

private:
    [[noreturn]] static void Exec(int pipeEnds[2], const std::string& size, const std::vector<std::string>& extra) {
        close(pipeEnds[0]);
        std::string fd = std::to_string(pipeEnds[1]);
        std::string screen = size + "x24";
        std::vector<const char*> argv = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
                                         "-nolisten", "tcp", "-noreset"};
        for (const std::string& argument : extra) argv.push_back(argument.c_str());
        argv.push_back(nullptr);
        freopen("/dev/null", "w", stderr);
        execvp("Xvfb", const_cast<char* const*>(argv.data()));
        _exit(127);
    }

    // Xvfb writes the display number it chose, then a newline.
    static std::string ReadDisplayNumber(int fd) {
        std::string number;
        pollfd wait = {fd, POLLIN, 0};
        char c = 0;
        while (poll(&wait, 1, 10000) > 0 && read(fd, &c, 1) == 1 && c != '\n') number += c;
        return number;
    }

    pid_t pid = -1;
    bool ready = false;
};
