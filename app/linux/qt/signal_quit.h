#pragma once
// Termination signals turned into a call on the event loop: the handler only writes a byte to
// a pipe, a QSocketNotifier on its other end makes the call.
#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <initializer_list>
#include <memory>

namespace torvik::qt {

class SignalQuit final : public QObject {
public:
    SignalQuit(std::initializer_list<int> numbers, std::function<void()> onSignal);
    ~SignalQuit() override;
    SignalQuit(const SignalQuit&) = delete;
    SignalQuit& operator=(const SignalQuit&) = delete;

private:
    std::function<void()> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace torvik::qt
