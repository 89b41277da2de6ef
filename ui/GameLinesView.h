#pragma once

// The game lines, drawn over the balls from centre to centre of the end balls of each scored four, all
// of them while "Game Line" is on and none while it is off.

#include "Game.h"
#include "Units.h"

#include <QWidget>

#include <functional>
#include <vector>

namespace vorni {

class GameLinesView : public QWidget {
    Q_OBJECT
public:
    // shown says whether the lines are seen; it is asked at every paint.
    GameLinesView(QWidget *parent, QRect geometry, std::function<bool()> shown);
    void addLine(const GameLine &line);
    void clear();
    int lineCount() const { return static_cast<int>(m_lines.size()); }
    // number is 1..lineCount().
    const GameLine &line(int number) const { return m_lines.at(static_cast<std::size_t>(number - 1)); }

    static constexpr QRgb Colour = Brown;
    static constexpr qreal Width = 3;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::function<bool()> m_shown;
    std::vector<GameLine> m_lines;
};

} // namespace vorni
