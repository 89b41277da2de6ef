#include "InputQueue.h"

#include <utility>

namespace vorni {

InputQueue::InputQueue(std::function<bool()> busy, std::function<void(const Input &)> handle, QObject *parent)
    : QObject(parent)
    , m_busy(std::move(busy))
    , m_handle(std::move(handle))
{
}

void InputQueue::post(const Input &input)
{
    m_waiting.push_back(input);
    resume();
}

void InputQueue::resume()
{
    // A move shown at once, without a drop, ends inside the handler that started it: the loop
    // below goes on with the next input when that handler returns.
    if (m_handling)
        return;
    m_handling = true;
    while (!m_waiting.empty() && !m_busy()) {
        const Input next = m_waiting.front();
        m_waiting.pop_front();
        m_handle(next);
    }
    m_handling = false;
}

} // namespace vorni
