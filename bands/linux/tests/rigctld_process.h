#pragma once
// rigctld with Hamlib's dummy rig (which starts at 145 MHz) on a free local port, and a
// connection of its own that tunes it. Ended with the object. Used by the tests and by the
// latency benchmark.

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <thread>

namespace torvik::bands::testing {

class RigctldProcess {
public:
    ~RigctldProcess() { Stop(); }

    // Starts it on port, or on a random free one when port is 0; false when rigctld is not
    // installed or would not listen.
    bool Start(std::uint16_t wanted = 0) {
        std::mt19937 random(std::random_device{}());
        for (int attempt = 0; attempt < 6; ++attempt) {
            port = wanted != 0 ? wanted : static_cast<std::uint16_t>(20000 + random() % 30000);
            const std::string portText = std::to_string(port);
            pid_ = fork();
            if (pid_ == 0) {
                const int null = open("/dev/null", O_WRONLY);
                dup2(null, 1);
                dup2(null, 2);
                execlp("rigctld", "rigctld", "-m", "1", "-T", "127.0.0.1", "-t",
                       portText.c_str(), static_cast<char*>(nullptr));
                _exit(127);
            }
            for (int wait = 0; wait < 100; ++wait) {
                if (ConnectControl()) return true;
                int status = 0;
                if (waitpid(pid_, &status, WNOHANG) == pid_) {
                    pid_ = -1;
                    if (WIFEXITED(status) && WEXITSTATUS(status) == 127) return false;
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
            Stop();
            if (wanted != 0) std::this_thread::sleep_for(std::chrono::milliseconds(500));
        }
        return false;
    }

    void Stop() {
        if (control_ >= 0) close(control_);
        control_ = -1;
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }

    // Tunes the dummy rig; true once rigctld confirmed it.
    bool Tune(std::uint64_t hz) {
        return Ask("F " + std::to_string(hz) + "\n").starts_with("RPRT 0");
    }

    // One command and the first piece of its answer ("" when none came).
    std::string Ask(const std::string& command) {
        if (control_ < 0 || send(control_, command.data(), command.size(), MSG_NOSIGNAL) < 0) {
            return {};
        }
        char reply[64];
        const ssize_t got = recv(control_, reply, sizeof reply, 0);
        return got > 0 ? std::string(reply, static_cast<std::size_t>(got)) : std::string();
    }

    std::uint16_t port = 0;

private:
    bool ConnectControl() {
        control_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in target{};
        target.sin_family = AF_INET;
        target.sin_port = htons(port);
        target.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (connect(control_, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0) {
            timeval limit{5, 0};
            setsockopt(control_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
            return true;
        }
        close(control_);
        control_ = -1;
        return false;
    }

    pid_t pid_ = -1;
    int control_ = -1;
};

}  // namespace torvik::bands::testing
