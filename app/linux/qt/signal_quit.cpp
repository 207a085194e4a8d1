#include "app/linux/qt/signal_quit.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

namespace torvik::qt {
namespace {

int g_pipe[2] = {-1, -1};

extern "C" void WriteSignalByte(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = write(g_pipe[1], &byte, 1);
}

}  // namespace

SignalQuit::SignalQuit(std::initializer_list<int> numbers, std::function<void()> onSignal)
    : onSignal_(std::move(onSignal)) {
    if (g_pipe[0] >= 0 || pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (read(g_pipe[0], bytes, sizeof bytes) > 0) {
        }
        onSignal_();
    });
    for (const int number : numbers) {
        struct sigaction action {};
        action.sa_handler = &WriteSignalByte;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(number, &action, nullptr);
    }
}

SignalQuit::~SignalQuit() {
    notifier_.reset();
    // The signals keep their handler; the write end stays open so that a late signal
    // writes into a pipe nobody reads, not into a closed descriptor.
}

}  // namespace torvik::qt
