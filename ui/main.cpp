#include "MainFrm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorni Game"));
    vorni::MainFrm window;
    window.show();
    return QApplication::exec();
}
