// Time from a frequency change at each source other than rigctld (band_latency_bench) to the
// byte at the box, through band following's core and the Linux edition's sockets driven by
// poll(): a logger's RadioInfo and WSJT-X's Status sent as datagrams to the listening port, and
// a real flrig in test mode (started here when a display is set) tuned over XML-RPC and polled
// ten times a second. 40 changes each, at a random phase against the poll period.

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/switch_controller.h"
#include "app/band_session.h"
#include "bands/linux/posix_datagram_socket.h"
#include "bands/linux/posix_rig_socket.h"
#include "bands/tests/source_datagrams.h"
#include "bench/quiet_host.h"
#include "device/simulated_box.h"
#include "tests/source_sender/source_client.h"

namespace {

using namespace torvik;
using Clock = std::chrono::steady_clock;
constexpr std::uint32_t kLocation = 0x21;
constexpr int kChanges = 40;

class NoFocus final : public FocusQuery {
public:
    std::optional<std::uint32_t> FocusedProcessId() override { return std::nullopt; }
    std::optional<std::string> ExecutableName(std::uint32_t) override { return std::nullopt; }
};

// The box, the controller and the follower with both of the Linux edition's sockets.
struct Station {
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("torvik-source-bench-" + std::to_string(getpid()));
    SimulatedBox box;
    IniSettings settings{(std::filesystem::create_directories(folder), folder.string())};
    bench::NoRegistrar registrar;
    NoFocus focus;
    bench::NoView view;
    SwitchController controller{box, settings, registrar, focus, view};
    bands::PosixRigSocket rig;
    bands::PosixDatagramSocket datagrams;
    bands::BandFollower follower{rig, datagrams,
                                 [this](std::uint32_t mask) { ApplyRuleMask(controller, mask); }};

    Station() {
        box.devices.push_back({"BENCHMIRVAX8", "bench", kLocation});
        controller.FindDevice();
    }
    ~Station() { std::filesystem::remove_all(folder); }

    // One turn of an event loop: both sockets and the follower's timer.
    void Pump(int maxWait) {
        const bands::Millis now = bands::MonotonicMillis();
        const bands::Millis due = follower.NextDue().value_or(now + maxWait);
        pollfd entries[2] = {{rig.Descriptor(), rig.WantedEvents(), 0},
                             {datagrams.Descriptor(), POLLIN, 0}};
        if (poll(entries, 2, static_cast<int>(std::clamp<bands::Millis>(due - now, 0, maxWait))) > 0) {
            if (entries[0].revents != 0) {
                rig.OnReady(entries[0].revents, follower.link(), bands::MonotonicMillis());
            }
            if (entries[1].revents != 0) {
                datagrams.OnReadable(follower.listener(), bands::MonotonicMillis());
            }
        }
        follower.Tick(bands::MonotonicMillis());
    }

    // Milliseconds from each change (change(true): to 40 m, false: to 80 m) to its byte; fewer
    // than kChanges when one did not arrive within 3 s.
    std::vector<double> Measure(const std::string& source,
                                const std::function<bool(bool)>& change) {
        follower.Configure({true, source, {{3500000, 3800000, 1}, {7000000, 7300000, 2}}},
                           bands::MonotonicMillis());
        std::vector<double> millis;
        for (int i = 0; i < kChanges; ++i) {
            const bool forty = i % 2 == 0;
            const std::uint8_t expected = forty ? 0x0C : 0x0A;
            const auto settle = Clock::now() + std::chrono::milliseconds(50 + (i * 37) % 100);
            while (Clock::now() < settle) Pump(20);
            const auto start = Clock::now();
            if (!change(forty)) break;
            const auto limit = start + std::chrono::seconds(3);
            while (box.LastOutput(kLocation) != expected && Clock::now() < limit) Pump(20);
            if (box.LastOutput(kLocation) != expected) break;
            millis.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        follower.Disable();
        return millis;
    }
};

void Print(const char* kind, std::vector<double> millis) {
    if (millis.size() != static_cast<std::size_t>(kChanges)) {
        std::printf("source_latency: %s FAILED after %zu changes\n", kind, millis.size());
        return;
    }
    std::sort(millis.begin(), millis.end());
    std::printf("source_latency: %-9s %d changes -> byte at the box: min %.2f ms, median %.2f ms, "
                "max %.2f ms\n",
                kind, kChanges, millis.front(), millis[millis.size() / 2], millis.back());
}

// flrig in test mode on its default port, ended with the object.
class FlrigProcess {
public:
    bool Start(const std::filesystem::path& configDir) {
        if (std::getenv("DISPLAY") == nullptr) return false;
        std::fflush(stdout);  // the child's freopen would print what waits a second time
        pid_ = fork();
        if (pid_ == 0) {
            freopen("/dev/null", "w", stdout);
            freopen("/dev/null", "w", stderr);
            execlp("flrig", "flrig", "--config-dir", configDir.c_str(), "--test",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 100; ++i) {
            if (bands::testing::FlrigSetVfo(bands::kFlrigPort, 3600000)) return true;
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                return false;
            }
            usleep(200000);
        }
        return false;
    }
    ~FlrigProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }

private:
    pid_t pid_ = -1;
};

}  // namespace

int main() {
    Station station;
    const std::uint16_t port = static_cast<std::uint16_t>(20000 + getpid() % 30000);
    using namespace bands::testing;

    Print("radioinfo", station.Measure("radioinfo:" + std::to_string(port), [&](bool forty) {
        return SendDatagrams(port, {RadioInfoDatagram(
                                       Radio(1, forty ? 709000 : 360000,
                                             forty ? 709000 : 360000, false, "IC-7300"))});
    }));
    Print("wsjtx", station.Measure("wsjtx:" + std::to_string(port), [&](bool forty) {
        return SendDatagrams(port, {WsjtxStatus(forty ? 7074000 : 3573000, false)});
    }));

    FlrigProcess flrig;
    if (flrig.Start(station.folder / "flrig")) {
        Print("flrig", station.Measure("flrig", [](bool forty) {
            return FlrigSetVfo(bands::kFlrigPort, forty ? 7100000 : 3600000);
        }));
        // What flrig itself takes for one call, for comparison.
        std::vector<double> calls;
        for (int i = 0; i < 20; ++i) {
            const auto start = Clock::now();
            if (!FlrigSetVfo(bands::kFlrigPort, 7100000)) break;
            calls.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        std::sort(calls.begin(), calls.end());
        if (!calls.empty()) {
            std::printf("source_latency: flrig's own answer to one call: median %.2f ms, max %.2f ms\n",
                        calls[calls.size() / 2], calls.back());
        }
    } else {
        std::printf("source_latency: flrig skipped (needs flrig, a display and port %u free)\n",
                    bands::kFlrigPort);
    }
    return 0;
}
