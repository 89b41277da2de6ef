#include "MainFrm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorni Game"));
    vorni::UserSettingsStore settings;
    vorni::MainFrm window(settings);
    window.show();
    return QApplication::exec();
}
