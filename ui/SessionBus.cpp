#include "SessionBus.h"

#include <QDBusConnection>

namespace vorni {

SessionBusConnector::SessionBusConnector()
    : m_thread([] { QDBusConnection::sessionBus(); })
{
}

SessionBusConnector::~SessionBusConnector()
{
    m_thread.join();
}

} // namespace vorni
