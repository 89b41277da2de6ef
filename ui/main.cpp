#include "MainFrm.h"
#include "QuitSignals.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorni Game"));
    vorni::UserSettingsStore settings;
    vorni::MainFrm window(settings);
    // Logout, Ctrl+C or a closed terminal closes the window as "Out" does.
    vorni::QuitSignals quitSignals;
    QObject::connect(&quitSignals, &vorni::QuitSignals::quitRequested, &window, &QWidget::close);
    window.show();
    return QApplication::exec();
}
