// Time from a frequency change at the source to the byte at the box, with band following's
// core as the programs run it: rigctld (Hamlib's dummy rig, started here on a free local port)
// is tuned over a second connection, and the clock stops when the simulated box's output
// changes. Between them: the wait for the next poll (at most the 100 ms poll period), the
// question and rigctld's answer, the crossing check and one SetAntenna (output byte, refresh,
// and the settings write that follows the byte). The socket is the Linux edition's, driven by
// poll(); the Windows program's window timer adds its own granularity (about 10 to 16 ms).
// Prints "skipped" when rigctld is not installed.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/switch_controller.h"
#include "bands/band_follower.h"
#include "app/band_session.h"
#include "bands/linux/posix_rig_socket.h"
#include "bands/linux/tests/rigctld_process.h"
#include "bench/quiet_host.h"
#include "device/simulated_box.h"

namespace {

using namespace torvik;
using bench::NoRegistrar;
using bench::NoView;
using Clock = std::chrono::steady_clock;
constexpr std::uint32_t kLocation = 0x21;

class NoFocus final : public FocusQuery {
public:
    std::optional<std::uint32_t> FocusedProcessId() override { return std::nullopt; }
    std::optional<std::string> ExecutableName(std::uint32_t) override { return std::nullopt; }
};

}  // namespace

int main() {
    bands::testing::RigctldProcess rig;
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

    bands::PosixRigSocket socket;
    bands::BandFollower follower(
        socket, [&](std::uint32_t mask) { ApplyRuleMask(controller, mask); });
    const bands::BandPlan plan{true, "127.0.0.1:" + std::to_string(rig.port),
                               {{3500000, 3800000, 1}, {7000000, 7300000, 2}}};
    follower.Configure(plan, bands::MonotonicMillis());

    constexpr int kChanges = 40;
    std::vector<double> millis;
    for (int i = 0; i < kChanges; ++i) {
        const bool second = i % 2 == 0;
        const std::uint8_t expected = second ? 0x0C : 0x0A;  // antenna 2 or 1, running bit
        // A random phase against the poll period, as a user's tuning has.
        const auto settle = Clock::now() + std::chrono::milliseconds(100 + (i * 37) % 100);
        while (Clock::now() < settle) socket.PollOnce(follower.link(), 50);
        const auto start = Clock::now();
        if (!rig.Tune(second ? 7100000 : 3600000)) break;
        const auto limit = start + std::chrono::seconds(3);
        while (box.LastOutput(kLocation) != expected && Clock::now() < limit) {
            socket.PollOnce(follower.link(), 50);
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
    // What rigctld itself takes to answer the question, for comparison.
    std::vector<double> answers;
    for (int i = 0; i < 20; ++i) {
        const auto start = Clock::now();
        if (rig.Ask("f\n").empty()) break;
        answers.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(answers.begin(), answers.end());
    std::sort(millis.begin(), millis.end());
    double sum = 0;
    for (double m : millis) sum += m;
    std::printf("band_latency: %d band changes at rigctld -> byte at the box: min %.1f ms, "
                "median %.1f ms, mean %.1f ms, max %.1f ms (poll period 100 ms)\n",
                kChanges, millis.front(), millis[millis.size() / 2], sum / kChanges,
                millis.back());
    if (!answers.empty()) {
        std::printf("band_latency: rigctld's own answer to \"f\": median %.1f ms, max %.1f ms\n",
                    answers[answers.size() / 2], answers.back());
    }
    return 0;
}
