#pragma once

// The game lines, drawn over the balls from centre to centre of the end balls of each scored four.

#include "Controls.h"
#include "Game.h"

#include <QWidget>

#include <vector>

namespace vorni {

class GameLinesView : public QWidget {
    Q_OBJECT
public:
    GameLinesView(QWidget *parent, QRect geometry);
    void addLine(const GameLine &line);
    void setLinesVisible(bool visible);
    void clear();
    int lineCount() const { return static_cast<int>(m_lines.size()); }
    // number is 1..lineCount().
    const GameLine &line(int number) const { return m_lines.at(static_cast<std::size_t>(number - 1)); }

    static constexpr QRgb Colour = Brown;
    static constexpr qreal Width = 3;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<GameLine> m_lines;
};

} // namespace vorni
