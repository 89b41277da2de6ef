#include "QuitSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace vorni {

namespace {

constexpr std::array<int, 3> Caught{SIGTERM, SIGINT, SIGHUP};

// The pipe's end the handler writes to, and what the signals did before.
volatile sig_atomic_t s_writeEnd = -1;
std::array<struct sigaction, Caught.size()> s_before{};

void onSignal(int signal)
{
    const int saved = errno;
    const auto number = static_cast<unsigned char>(signal);
    // A full pipe already holds a request to quit: this one may be dropped.
    [[maybe_unused]] const ssize_t written = ::write(s_writeEnd, &number, 1);
    errno = saved;
}

} // namespace

QuitSignals::QuitSignals(QObject *parent)
    : QObject(parent)
{
    Q_ASSERT(s_writeEnd == -1);
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("The quit signals are not caught: %s", qPrintable(qt_error_string(errno)));
        return;
    }
    s_writeEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::readSignals);

    struct sigaction action { };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < Caught.size(); ++i) {
        // A closed terminal sends SIGHUP twice, from its shell and from the kernel as the shell goes,
        // often before the first is handled: a second one must not end the game unsaved.
        action.sa_flags = SA_RESTART | (Caught[i] == SIGHUP ? 0 : SA_RESETHAND);
        ::sigaction(Caught[i], nullptr, &s_before[i]);
        // Started with the signal ignored (nohup, or in the background of a
        // script), the game keeps ignoring it, as its starter asked.
        if (s_before[i].sa_handler != SIG_IGN)
            ::sigaction(Caught[i], &action, nullptr);
    }
}

QuitSignals::~QuitSignals()
{
    if (m_pipe[0] == -1)
        return;
    for (std::size_t i = 0; i < Caught.size(); ++i)
        ::sigaction(Caught[i], &s_before[i], nullptr);
    s_writeEnd = -1;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void QuitSignals::readSignals()
{
    unsigned char number = 0;
    while (::read(m_pipe[0], &number, 1) == 1)
        emit quitRequested(number);
}

} // namespace vorni
