#pragma once

// The five title letters down the left edge and their endless light show: a flash runs down the word
// and back up, the whole word flashes twice, a pause; 25 ticks of the 300 ms timer "Blinker" make one
// cycle. The show depends on nothing in the game and nothing in the game depends on it.

#include "Controls.h"

#include <QObject>
#include <QTimer>

#include <array>

namespace vorni {

class TitleLights : public QObject {
    Q_OBJECT
public:
    // Makes the letters lights(0) to lights(4) on window and starts the timer.
    explicit TitleLights(QWidget *window);

    // One tick of the show. Both looks of a letter are decided against its base look.
    void tick();

    LabelControl *letter(int i) const { return m_letters.at(static_cast<std::size_t>(i)); }
    QTimer *timer() const { return m_timer; }
    // The letters in the window's stored order, front to back.
    std::array<QWidget *, 5> storedOrder() const;

    static constexpr int Interval = 300;
    static constexpr int TicksPerCycle = 25;

private:
    void toggle(int i);

    std::array<LabelControl *, 5> m_letters{};
    QTimer *m_timer = nullptr;
    int m_counter = 0; // the tick counter, 1..25 between ticks
};

} // namespace vorni
