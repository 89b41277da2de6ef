#include "Fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include <fontconfig/fontconfig.h>

#include <initializer_list>
#include <thread>

namespace vorni {

namespace {

// Fontconfig's configuration files and caches are read once, by whoever first asks; that is most of
// the cost of the first font. Fontconfig is thread-safe, and Qt's own font database asks it again
// later, finding it ready.
class FontLoader {
public:
    ~FontLoader() { wait(); }
    void start()
    {
        if (!m_thread.joinable())
            m_thread = std::thread([] { FcInit(); });
    }
    void wait()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::thread m_thread;
};

FontLoader &fontLoader()
{
    static FontLoader loader;
    return loader;
}

QString firstInstalled(std::initializer_list<const char *> families)
{
    fontLoader().wait();
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

void startLoadingFonts()
{
    fontLoader().start();
}

QString comicFamily()
{
    static const QString family = firstInstalled({"Comic Sans MS", "Comic Neue", "Comic Sans"});
    return family;
}

QString panelFamily()
{
    static const QString family =
        firstInstalled({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arimo", "Arial"});
    return family;
}

} // namespace vorni
