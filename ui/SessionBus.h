#pragma once

#include <thread>

namespace vorni {

// Connects to the desktop's session bus on a thread of its own while the window is being made. The
// screen reader support asks for that connection as the window appears and waits for it there, after
// the window is mapped and before its first frame; made ahead, it is ready by then. Make one after the
// application object; it waits for the thread when it goes.
class SessionBusConnector {
public:
    SessionBusConnector();
    ~SessionBusConnector();
    SessionBusConnector(const SessionBusConnector &) = delete;
    SessionBusConnector &operator=(const SessionBusConnector &) = delete;

private:
    std::thread m_thread;
};

} // namespace vorni
