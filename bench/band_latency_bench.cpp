// Time from a frequency change at the source to the byte at the box, with band following's
// core as the programs run it: rigctld (Hamlib's dummy rig, started here on a free local port)
// is tuned over a second connection, and the clock stops when the simulated box's output
// changes. Between them: the wait for the next poll (at most the 250 ms poll period), the
// question and rigctld's answer, the crossing check and one SetAntenna (output byte, refresh,
// and the settings write that follows the byte). The socket here is a POSIX one driven by
// poll(); the Windows program's window timer adds its own granularity (about 10 to 16 ms).
// Prints "skipped" when rigctld is not installed.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/switch_controller.h"
#include "bands/band_follower.h"
#include "bands/band_following.h"
#include "bench/quiet_host.h"
#include "device/simulated_box.h"

namespace {

using namespace torvik;
using bench::NoRegistrar;
using bench::NoView;
using Clock = std::chrono::steady_clock;
constexpr std::uint32_t kLocation = 0x21;

bands::Millis NowMillis() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
        .count();
}

class NoFocus final : public FocusQuery {
public:
    std::optional<std::uint32_t> FocusedProcessId() override { return std::nullopt; }
    std::optional<std::string> ExecutableName(std::uint32_t) override { return std::nullopt; }
};

sockaddr_in Local(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// The link's socket over POSIX calls; events are found by Pump.
class PosixRigSocket final : public bands::RigSocket {
public:
    ~PosixRigSocket() override { Close(); }
    bool Open(const bands::SourceAddress& address) override {
        Close();
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        if (fd_ < 0) return false;
        const sockaddr_in target = Local(address.port);
        connecting_ = true;
        if (connect(fd_, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0 &&
            errno != EINPROGRESS) {
            Close();
            return false;
        }
        return true;
    }
    bool Send(std::string_view bytes) override {
        return fd_ >= 0 && send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
                               static_cast<ssize_t>(bytes.size());
    }
    void Close() override {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
    }
    // Waits up to the link's next due time for the socket, then tells the link.
    void Pump(bands::RigLink& link) {
        const bands::Millis now = NowMillis();
        const int wait = static_cast<int>(std::clamp<bands::Millis>(
            link.NextDue().value_or(now + 50) - now, 0, 50));
        pollfd entry{fd_, static_cast<short>(connecting_ ? POLLOUT : POLLIN), 0};
        const int ready = fd_ >= 0 ? poll(&entry, 1, wait) : (usleep(wait * 1000), 0);
        if (ready > 0) {
            if (connecting_) {
                connecting_ = false;
                int error = 0;
                socklen_t size = sizeof error;
                getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &size);
                if (error == 0) {
                    link.OnConnected(NowMillis());
                } else {
                    link.OnConnectFailed(NowMillis());
                }
            } else {
                char buffer[1024];
                const ssize_t got = recv(fd_, buffer, sizeof buffer, 0);
                if (got > 0) {
                    link.OnData(std::string_view(buffer, static_cast<std::size_t>(got)),
                                NowMillis());
                } else {
                    link.OnClosed(NowMillis());
                }
            }
        }
        link.Tick(NowMillis());
    }

private:
    int fd_ = -1;
    bool connecting_ = false;
};

// rigctld on a free port, ended with the object.
class Rigctld {
public:
    bool Start() {
        std::mt19937 random(static_cast<unsigned>(NowMillis()));
        for (int attempt = 0; attempt < 6; ++attempt) {
            port = static_cast<std::uint16_t>(20000 + random() % 30000);
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
                if (Connect() >= 0) return true;
                int status = 0;
                if (waitpid(pid_, &status, WNOHANG) == pid_) {
                    pid_ = -1;
                    if (WIFEXITED(status) && WEXITSTATUS(status) == 127) return false;
                    break;
                }
                usleep(50000);
            }
            Stop();
        }
        return false;
    }
    ~Rigctld() { Stop(); }
    void Stop() {
        if (control_ >= 0) close(control_);
        control_ = -1;
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }
    // Tunes the dummy rig; true once rigctld confirmed.
    bool Tune(std::uint64_t hz) {
        const std::string command = "F " + std::to_string(hz) + "\n";
        if (send(control_, command.data(), command.size(), MSG_NOSIGNAL) < 0) return false;
        char reply[64];
        const ssize_t got = recv(control_, reply, sizeof reply, 0);
        return got > 0 && std::strncmp(reply, "RPRT 0", 6) == 0;
    }
    std::uint16_t port = 0;

private:
    int Connect() {
        control_ = socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in target = Local(port);
        if (connect(control_, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
            close(control_);
            control_ = -1;
        }
        return control_;
    }
    pid_t pid_ = -1;
    int control_ = -1;
};

}  // namespace

int main() {
    Rigctld rig;
    if (!rig.Start()) {
        std::printf("band_latency: skipped (rigctld from libhamlib-utils is not installed)\n");
        return 0;
    }
    const auto folder = std::filesystem::temp_directory_path() /
                        ("torvik-band-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    SimulatedBox box;
    box.devices.push_back({"BENCHMIRVAX8", "bench", kLocation});
    IniSettings settings(folder.string());
    NoRegistrar registrar;
    NoFocus focus;
    NoView view;
    SwitchController controller(box, settings, registrar, focus, view);
    controller.FindDevice();

    PosixRigSocket socket;
    bands::BandFollower follower(
        socket, [&](std::uint32_t mask) { bands::ApplyRuleMask(controller, mask); });
    const bands::BandPlan plan{true, "127.0.0.1:" + std::to_string(rig.port),
                               {{3500000, 3800000, 1}, {7000000, 7300000, 2}}};
    follower.Configure(plan, NowMillis());

    constexpr int kChanges = 40;
    std::vector<double> millis;
    for (int i = 0; i < kChanges; ++i) {
        const bool second = i % 2 == 0;
        const std::uint8_t expected = second ? 0x0C : 0x0A;  // antenna 2 or 1, running bit
        // A random phase against the poll period, as a user's tuning has.
        const auto settle = Clock::now() + std::chrono::milliseconds(100 + (i * 37) % 250);
        while (Clock::now() < settle) socket.Pump(follower.link());
        const auto start = Clock::now();
        if (!rig.Tune(second ? 7100000 : 3600000)) break;
        const auto limit = start + std::chrono::seconds(3);
        while (box.LastOutput(kLocation) != expected && Clock::now() < limit) {
            socket.Pump(follower.link());
        }
        if (box.LastOutput(kLocation) != expected) break;
        millis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        box.ClearCalls();
    }
    std::filesystem::remove_all(folder);
    if (millis.size() != static_cast<std::size_t>(kChanges)) {
        std::printf("band_latency: FAILED after %zu changes\n", millis.size());
        return 1;
    }
    std::sort(millis.begin(), millis.end());
    double sum = 0;
    for (double m : millis) sum += m;
    std::printf("band_latency: %d band changes at rigctld -> byte at the box: min %.1f ms, "
                "median %.1f ms, mean %.1f ms, max %.1f ms (poll period 250 ms)\n",
                kChanges, millis.front(), millis[millis.size() / 2], sum / kChanges,
                millis.back());
    return 0;
}
