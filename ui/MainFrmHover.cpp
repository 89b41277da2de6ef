// Hover: the column button or command under the pointer is marked with Player 1's picture (a command's
// caption turns brown); the bare window, the board picture and the panel's background clear the marks.
// There is no leave event: marks change only when the pointer moves over one of these controls.

#include "MainFrm.h"

namespace vorni {

void MainFrm::clearColumnMarks()
{
    // A full column keeps its grey picture.
    for (ImageControl *button : m_board.butt) {
        if (button->isEnabled())
            button->setPicture(Picture::Player2);
    }
}

void MainFrm::clearCommandMarks()
{
    for (int i = 0; i < 5; ++i) {
        cButt(i)->setPicture(Picture::Player2);
        cButtLb(i)->setColour(LightGreen);
    }
}

void MainFrm::butt_MouseMove(int Index)
{
    clearColumnMarks();
    butt(Index)->setPicture(Picture::Player1);
}

void MainFrm::ButtLb_MouseMove(int Index)
{
    if (butt(Index)->isEnabled())
        butt_MouseMove(Index);
}

void MainFrm::CButt_MouseMove(int Index)
{
    clearCommandMarks();
    cButt(Index)->setPicture(Picture::Player1);
    cButtLb(Index)->setColour(Brown);
}

void MainFrm::Form_MouseMove()
{
    clearColumnMarks();
    clearCommandMarks();
}

void MainFrm::Image1_MouseMove()
{
    Form_MouseMove();
}

void MainFrm::Picture3_MouseMove()
{
    Form_MouseMove();
}

void MainFrm::mouseMoveEvent(QMouseEvent *)
{
    // The pointer can reach the window before its controls exist, in the first turn of the event loop.
    if (m_loaded)
        Form_MouseMove();
}

} // namespace vorni
