#pragma once

// A hint on the window: the column the rules choose for the side to move, its button and letter marked
// with the hover look (Player 1's picture, a brown letter) for about a second, and the letter in a
// reader's list as "Hint: column D" for as long, told when it comes.

#include "Accessibility.h"

#include <QObject>
#include <QTimer>

namespace vorni {

class HintMark : public QObject {
    Q_OBJECT
public:
    static constexpr int ShownMs = 1200;

    // Marks the controls of controls.board; the letter marked is put in controls.hint.
    HintMark(ReadableControls &controls, QObject *parent);

    // Marks column 0..6, in place of the column marked before.
    void show(int column);
    // Takes the mark away; a column closed meanwhile keeps its grey look and black letter.
    void clear();

private:
    ReadableControls &m_controls;
    int m_column = -1;
    QTimer m_timer;
};

} // namespace vorni
