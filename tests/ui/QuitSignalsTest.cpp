// Signals that end a program politely close the window as "Out" does.

#include "WindowTest.h"

#include "QuitSignals.h"

#include <QSettings>

#include <csignal>

using namespace vorni;
using namespace vorni::testing;

class QuitSignalsTest : public WindowTest {
    Q_OBJECT

private slots:
    // Ended by a signal, the window closes as "Out" closes it, and saves once however many come. After
    // one, a second SIGTERM or SIGINT ends the program at once; SIGHUP, which a closed terminal sends
    // twice (from its shell, then from the kernel as the shell goes), stays caught.
    void quitSignalsCloseTheWindowOnce()
    {
        constexpr std::array<int, 3> Signals{SIGTERM, SIGINT, SIGHUP};
        std::array<struct sigaction, Signals.size()> before{};
        struct sigaction byDefault { };
        byDefault.sa_handler = SIG_DFL;
        for (std::size_t i = 0; i < Signals.size(); ++i)
            ::sigaction(Signals[i], &byDefault, &before[i]);
        {
            QuitSignals quit;
            QSignalSpy requests(&quit, &QuitSignals::quitRequested);
            connect(&quit, &QuitSignals::quitRequested, m_window.get(), &QWidget::close);
            animationOff();
            QCOMPARE(::raise(SIGTERM), 0);
            QTRY_VERIFY(!m_window->isVisible());
            QCOMPARE(QSettings(storedFile(), QSettings::IniFormat).value("Settings/Animation").toString(),
                     QStringLiteral("True"));
            // Changed by hand after the save: a second save would set the caption's state over it again.
            QSettings(storedFile(), QSettings::IniFormat).setValue("Settings/Animation", "False");
            for (int signal : {SIGINT, SIGHUP, SIGHUP})
                QCOMPARE(::raise(signal), 0); // each handled before raise returns
            QTRY_COMPARE(requests.size(), 4);
            QCOMPARE(requests.at(3).at(0).toInt(), SIGHUP);
            QCOMPARE(QSettings(storedFile(), QSettings::IniFormat).value("Settings/Animation").toString(),
                     QStringLiteral("False"));
            for (int signal : Signals) {
                struct sigaction now { };
                ::sigaction(signal, nullptr, &now);
                QCOMPARE(now.sa_handler == SIG_DFL, signal != SIGHUP);
            }
        }
        for (std::size_t i = 0; i < Signals.size(); ++i)
            ::sigaction(Signals[i], &before[i], nullptr);
    }
};

QTEST_MAIN(QuitSignalsTest)
#include "QuitSignalsTest.moc"
