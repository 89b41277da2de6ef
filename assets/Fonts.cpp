#include "Fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include <initializer_list>

namespace vorni {

namespace {

QString firstInstalled(std::initializer_list<const char *> families)
{
    // The plain list of families; asking about each name would also resolve
    // aliases, which is far slower.
    const QStringList installed = QFontDatabase::families();
    for (const char *family : families) {
        const QString name = QString::fromLatin1(family);
        if (installed.contains(name, Qt::CaseInsensitive))
            return name;
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

} // namespace

QString comicFamily()
{
    static const QString family = firstInstalled({"Comic Sans MS", "Comic Neue", "Comic Sans"});
    return family;
}

QString panelFamily()
{
    static const QString family
        = firstInstalled({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arimo", "Arial"});
    return family;
}

} // namespace vorni
