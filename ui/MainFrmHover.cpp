// Hover: the column button or command under the pointer is marked with Player 1's picture (a command's
// caption turns brown, the command panel marks its own); the bare window, the board picture and the
// panel's background clear the marks.
// There is no leave event: marks change only when the pointer moves over one of these controls.

#include "MainFrm.h"

#include "CommandPanel.h"

namespace vorni {

void MainFrm::clearColumnMarks()
{
    // A full column keeps its grey picture.
    for (ImageControl *button : m_controls.board.butt) {
        if (button->isEnabled())
            button->setPicture(Picture::Player2);
    }
}

void MainFrm::butt_MouseMove(int Index)
{
    clearColumnMarks();
    m_controls.board.button(Index)->setPicture(Picture::Player1);
}

void MainFrm::ButtLb_MouseMove(int Index)
{
    if (m_controls.board.button(Index)->isEnabled())
        butt_MouseMove(Index);
}

void MainFrm::CButt_MouseMove(int Index)
{
    m_commands->CButt_MouseMove(Index);
}

void MainFrm::Form_MouseMove()
{
    clearColumnMarks();
    m_commands->clearMarks();
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
    if (isLoaded())
        Form_MouseMove();
}

} // namespace vorni
