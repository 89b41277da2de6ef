#include "MainFrm.h"

#include "BoardMirror.h"
#include "CommandPanel.h"
#include "GameText.h"
#include "HintMark.h"
#include "InputQueue.h"
#include "Keys.h"
#include "Links.h"
#include "TitleLights.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>

namespace vorni {

MainFrm::MainFrm(SettingsStore &store, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
{
    installAccessibility(this, &m_controls);
    m_input = new InputQueue([this] { return isBusy(); }, [this](const Input &input) { handle(input); }, this);
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(QStringLiteral("Vorni Game"));
    setFixedSize(twipsToPixels(ClientWidth), twipsToPixels(ClientHeight));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    // The window appears first, black and at its size; its controls, which need the fonts loaded, are
    // made as soon as the event loop runs, before the first frame is painted.
    QMetaObject::invokeMethod(this, &MainFrm::Form_Load, Qt::QueuedConnection);
}

MainFrm::~MainFrm()
{
    // The drop may still run when the window goes; nothing is shown after.
    if (m_mirror)
        m_mirror->stop();
    if (m_game)
        m_game->setListener(nullptr);
    forgetAccessibility(this);
}

void MainFrm::Form_Unload()
{
    m_commands->saveOptions();
}

void MainFrm::closeEvent(QCloseEvent *event)
{
    // However the window closes, the options are saved; closing is never refused, and what still waits
    // to be handled is dropped. A window closed before its controls were made has read no options, so
    // it leaves the stored ones alone.
    m_closed = true;
    m_input->clear();
    if (isLoaded()) {
        m_mirror->stop();
        Form_Unload();
    }
    event->accept();
}

void MainFrm::keyPressEvent(QKeyEvent *event)
{
    const KeyAction action = actionForKey(*event);
    if (!isLoaded() || (!action.input && !action.help)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (action.help)
        showKeysHelp(this);
    if (action.input)
        m_input->post(*action.input);
}

bool MainFrm::isBusy() const
{
    return m_mirror && m_mirror->isBusy();
}

void MainFrm::handle(const Input &input)
{
    if (m_closed)
        return;
    // A hint shows until anything else is done.
    if (input.kind != Input::Kind::Hint && input.kind != Input::Kind::Copy)
        m_hint->clear();
    switch (input.kind) {
    case Input::Kind::Button:
        // A column filled meanwhile has a disabled button, which takes no clicks.
        if (m_controls.board.button(input.index)->isEnabled())
            Butt_Click(input.index);
        break;
    case Input::Kind::Letter:
        ButtLb_Click(input.index);
        break;
    case Input::Kind::Command:
        CButt_Click(input.index);
        break;
    case Input::Kind::Caption:
        CButtLB_Click(input.index);
        break;
    case Input::Kind::Undo:
        Undo_Click();
        break;
    case Input::Kind::Redo:
        Redo_Click();
        break;
    case Input::Kind::Hint:
        Hint_Click();
        break;
    case Input::Kind::Copy:
        Copy_Click();
        break;
    }
}

void MainFrm::Butt_Click(int Index)
{
    m_game->Butt_Click(Index);
    m_mirror->playPending();
}

void MainFrm::ButtLb_Click(int Index)
{
    if (isColumn(Index) && m_controls.board.button(Index)->isEnabled())
        Butt_Click(Index);
}

void MainFrm::CButtLB_Click(int Index)
{
    CButt_Click(Index);
}

void MainFrm::CButt_Click(int Index)
{
    m_commands->CButt_Click(Index);
}

void MainFrm::newGame()
{
    m_game->newGame();
    m_mirror->playPending();
}

void MainFrm::Undo_Click()
{
    m_game->undo();
    m_mirror->playPending();
}

void MainFrm::Redo_Click()
{
    m_game->redo();
    m_mirror->playPending();
}

void MainFrm::Hint_Click()
{
    const int column = hintColumn(*m_game, m_hintGenerator);
    if (column != NoColumn)
        m_hint->show(column);
}

void MainFrm::Copy_Click()
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(gameText(*m_game)));
}

void MainFrm::WebLb_Click(int)
{
    OpenWebPage();
}

void MainFrm::EmailLb_Click()
{
    OpenEmail();
}

void MainFrm::Blinker_Timer()
{
    m_titleLights->tick();
}

} // namespace vorni
