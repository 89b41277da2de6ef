#pragma once

// The signals that end a program politely: SIGTERM from the desktop at logout
// or shutdown, SIGINT from Ctrl+C in a terminal, SIGHUP when the terminal
// goes. Each arrives as quitRequested() on the event loop, so the window can
// close through its usual path and save the options. The handler only writes
// the signal's number to a pipe; Qt is called from the event loop alone.
// A second SIGTERM or SIGINT ends the program at once, as if it were not
// caught, so a game that no longer answers can still be stopped; SIGHUP stays
// caught, as a closed terminal sends it twice. A signal ignored when the game
// started (nohup) stays ignored.

#include <QObject>

class QSocketNotifier;

namespace vorni {

class QuitSignals : public QObject {
    Q_OBJECT
public:
    // One at a time; the event loop must be able to run.
    explicit QuitSignals(QObject *parent = nullptr);
    // Restores what the signals did before.
    ~QuitSignals() override;

signals:
    void quitRequested(int signal);

private:
    void readSignals();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace vorni
