#pragma once

// The five title letters down the left edge and their endless light show: a flash runs down the word
// and back up, the whole word flashes twice, a pause; 25 ticks of the 300 ms timer "Blinker" make one
// cycle. The show depends on nothing in the game and nothing in the game depends on it.

#include "Controls.h"

#include <QObject>
#include <QTimer>

#include <array>

namespace vorni {

// A title letter: lights(0) to lights(4), "VOrNI" from the top. Its box overlaps its neighbours'. It
// shows one of its two looks, each drawn once and kept, and only the ink of the letter changes between
// them, so only that is repainted.
class TitleLetter : public LabelControl {
    Q_OBJECT
public:
    TitleLetter(QWidget *window, int letter, QPoint position);

    // Lit, the letter is white at its lit size; otherwise in its own colour at its base size. Changes the
    // look without repainting it: the caller repaints inkArea().
    void setLit(bool lit) { m_lit = lit; }
    bool isLit() const { return m_lit; }
    QColor lookColour() const;
    int lookPixelSize() const;
    // Where the letter's ink lies in either look, in its own coordinates.
    QRect inkArea() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The look at the window's device pixel ratio, kept: a tick draws it again and again.
    const QPixmap &look(bool lit) const;

    int m_letter;
    bool m_lit = false;
    mutable std::array<QPixmap, 2> m_looks; // base, lit
    mutable QRect m_inkArea;                // found when first needed: it reads the lit look
    mutable qreal m_inkRatio = 0;           // the device pixel ratio it was found at
};

class TitleLights : public QObject {
    Q_OBJECT
public:
    static constexpr int LetterCount = 5;

    // Makes the letters lights(0) to lights(4) on window and starts the timer, whose ticks the window
    // hands to tick().
    explicit TitleLights(QWidget *window);

    // One tick of the show. Both looks of a letter are decided against its base look. The letters that
    // change are repainted at once, in one frame, and nothing else is.
    void tick();

    TitleLetter *letter(int i) const { return m_letters.at(static_cast<std::size_t>(i)); }
    QTimer *timer() const { return m_timer; }
    // The letters in the window's stored order, front to back.
    std::array<QWidget *, LetterCount> storedOrder() const;

    static constexpr int Interval = 300;
    static constexpr int TicksPerCycle = 25;

private:
    // Returns the area of the window to repaint.
    QRect toggle(int i);

    QWidget *m_window;
    std::array<TitleLetter *, LetterCount> m_letters{};
    QTimer *m_timer = nullptr;
    int m_counter = 0; // the tick counter, 1..25 between ticks
};

} // namespace vorni
