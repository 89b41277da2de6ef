#include "StartupHelper.h"

#include "Fonts.h"

#include <QDBusConnection>

namespace vorni {

StartupHelper::StartupHelper()
    : m_thread([] {
        panelFamily();
        comicFamily();
        QDBusConnection::sessionBus();
    })
{
}

StartupHelper::~StartupHelper()
{
    m_thread.join();
}

} // namespace vorni
