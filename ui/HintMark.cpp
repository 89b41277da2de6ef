#include "HintMark.h"

namespace vorni {

HintMark::HintMark(ReadableControls &controls, QObject *parent)
    : QObject(parent)
    , m_controls(controls)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(ShownMs);
    connect(&m_timer, &QTimer::timeout, this, &HintMark::clear);
}

void HintMark::show(int column)
{
    clear();
    m_column = column;
    LabelControl *letter = m_controls.board.letter(column);
    m_controls.board.button(column)->setPicture(Picture::Player1);
    letter->setColour(Brown);
    m_controls.hint = letter;
    tellJoined(letter);
    tellNameChanged(letter);
    m_timer.start();
}

void HintMark::clear()
{
    m_timer.stop();
    if (m_column < 0)
        return;
    ImageControl *button = m_controls.board.button(m_column);
    // A full column is closed and keeps the look its closing gave it.
    if (button->isEnabled()) {
        button->setPicture(Picture::Player2);
        m_controls.board.letter(m_column)->setColour(LightGreen);
    }
    m_controls.hint = nullptr;
    m_column = -1;
}

} // namespace vorni
