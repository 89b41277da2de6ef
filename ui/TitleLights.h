#pragma once

// The five title letters down the left edge and their endless light show: a flash runs down the word
// and back up, the whole word flashes twice, a pause; 25 ticks of the 300 ms timer "Blinker" make one
// cycle. The show depends on nothing in the game and nothing in the game depends on it.

#include "Controls.h"

#include <QObject>
#include <QTimer>

#include <array>

namespace vorni {

// A title letter. Its box overlaps its neighbours', and a label repaints its whole box, and so parts of
// them, when its colour or font changes; only the ink of the letter changes, so only that is repainted.
class TitleLetter : public LabelControl {
    Q_OBJECT
public:
    TitleLetter(QWidget *window, const QString &name, QRect geometry, const QString &caption, const QFont &font,
                const QFont &litFont, QColor colour);

    // Gives the letter colour and font, one of its two looks, without repainting it: the caller repaints
    // inkArea().
    void setLook(QColor colour, const QFont &font);
    // Where the letter's ink can lie in either look, in its own coordinates, with a margin for the
    // anti-aliasing.
    QRect inkArea() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont m_baseFont;
    QFont m_litFont;
    mutable QRect m_inkArea;        // found when first needed: measuring the lit look loads its font
    std::array<QPixmap, 2> m_looks; // the ink area of each look as the label draws it: base, lit
};

class TitleLights : public QObject {
    Q_OBJECT
public:
    // Makes the letters lights(0) to lights(4) on window and starts the timer.
    explicit TitleLights(QWidget *window);

    // One tick of the show. Both looks of a letter are decided against its base look. The letters that
    // change are repainted at once, in one frame, and nothing else is.
    void tick();

    TitleLetter *letter(int i) const { return m_letters.at(static_cast<std::size_t>(i)); }
    QTimer *timer() const { return m_timer; }
    // The letters in the window's stored order, front to back.
    std::array<QWidget *, 5> storedOrder() const;

    static constexpr int Interval = 300;
    static constexpr int TicksPerCycle = 25;

private:
    // Returns the area of the window to repaint.
    QRect toggle(int i);

    QWidget *m_window;
    std::array<TitleLetter *, 5> m_letters{};
    QTimer *m_timer = nullptr;
    int m_counter = 0; // the tick counter, 1..25 between ticks
};

} // namespace vorni
