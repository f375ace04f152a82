#include "TerminationSignal.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A signal handler may only write to a descriptor; the event loop reads the other end.
int SignalSockets[2] = {-1, -1};

void WriteSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(SignalSockets[0], &byte, 1);
}

void Install(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

} // namespace

TTerminationSignal::TTerminationSignal(std::function<void()> onSignal, QObject* parent)
    : QObject(parent)
    , m_onSignal(std::move(onSignal)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, SignalSockets) != 0) {
        return;
    }
    m_notifier = new QSocketNotifier(SignalSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TTerminationSignal::Received);
    Install(WriteSignal);
}

TTerminationSignal::~TTerminationSignal() {
    Install(SIG_DFL);
    for (int& socket : SignalSockets) {
        if (socket >= 0) {
            ::close(socket);
            socket = -1;
        }
    }
}

void TTerminationSignal::Received() {
    char byte = 0;
    [[maybe_unused]] const auto read = ::read(SignalSockets[1], &byte, 1);
    if (m_onSignal) {
        m_onSignal();
    }
}
