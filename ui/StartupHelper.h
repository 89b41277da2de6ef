#pragma once

#include <thread>

namespace vorni {

// A thread that gets ready, while the window is being made, what its first frame would otherwise wait
// for after the window is mapped: the font database read and the game's two families chosen (the first
// controls need them), and the connection to the desktop's session bus (the screen reader support asks
// for it as the window appears). Make one after the application object; it waits for the thread when it
// goes. Started at once instead, before the application object, such a thread slowed the start: it
// competed with the connection to the display.
class StartupHelper {
public:
    StartupHelper();
    ~StartupHelper();
    StartupHelper(const StartupHelper &) = delete;
    StartupHelper &operator=(const StartupHelper &) = delete;

private:
    std::thread m_thread;
};

} // namespace vorni
