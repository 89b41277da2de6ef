#include "MainFrm.h"

#include "Accessibility.h"
#include "Keys.h"
#include "Links.h"
#include "Pictures.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>

namespace vorni {

namespace {

// The three options in the user's settings store. "PlayComputer" is read and "Playcomputer" written:
// the store matches keys regardless of case.
const QString Application = QStringLiteral("Vorni Game");
const QString Section = QStringLiteral("Settings");
struct StoredOption {
    int command;
    QString readKey;
    QString writtenKey;
    QString fallback;
};
const std::array<StoredOption, 3> StoredOptions{{
    {0, QStringLiteral("Animation"), QStringLiteral("Animation"), QStringLiteral("False")},
    {1, QStringLiteral("PlayComputer"), QStringLiteral("Playcomputer"), QStringLiteral("True")},
    {3, QStringLiteral("GameLine"), QStringLiteral("GameLine"), QStringLiteral("False")},
}};

} // namespace

MainFrm::MainFrm(SettingsStore &store, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_game(*this)
    , m_input([this] { return isBusy(); }, [this](const Input &input) { handle(input); })
{
    installAccessibility();
    m_game.setOpponent(&m_computer);
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
    m_game.setListener(nullptr);
}

void MainFrm::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    createControls();
    LayOutBalls();
    findChild<ImageControl *>(QStringLiteral("LineImg"))->setPicture(Picture::Player1);
    findChild<ImageControl *>(QStringLiteral("DisImg(0)"))->setPicture(Picture::Player1);
    findChild<ImageControl *>(QStringLiteral("DisImg(1)"))->setPicture(Picture::Player2);
    m_board.nextImg->setPicture(Picture::Player1);
    Form_MouseMove();
    // A stored "True" means the option is off, as the label's strike-through does.
    const StoredSettings stored = m_store.load(Application);
    for (const StoredOption &option : StoredOptions) {
        const QString text = stored.value(Section, option.readKey, option.fallback);
        cButtLb(option.command)->setStrikeOut(textToBool(text, textToBool(option.fallback, false)));
    }
    m_mirror = new BoardMirror(m_game, m_board, this);
    m_game.setListener(m_mirror);
    connect(m_mirror, &BoardMirror::moveShown, this, [this] {
        emit moveShown();
        m_input.resume();
    });
    connectControls();
    setUpFocus();
    // Controls made after the window was shown must be shown themselves; those hidden on purpose stay
    // hidden.
    for (QWidget *control : findChildren<QWidget *>()) {
        if (!control->testAttribute(Qt::WA_WState_ExplicitShowHide))
            control->show();
    }
    // Every control shown asks to be painted by a posted event; handled after the first frame, those
    // would paint and send the whole window a second time. Taken now, they are part of the first frame.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
    emit loaded();
    setIconAfterFirstFrame(this);
}

void MainFrm::Form_Unload()
{
    // All three in one save: the file is replaced once, whole.
    StoredSettings options;
    for (const StoredOption &option : StoredOptions)
        options.setValue(Section, option.writtenKey, boolToText(cButtLb(option.command)->isStruckOut()));
    m_store.save(Application, options);
}

void MainFrm::closeEvent(QCloseEvent *event)
{
    // However the window closes, the options are saved; closing is never refused, and what still waits
    // to be handled is dropped. A window closed before its controls were made has read no options, so
    // it leaves the stored ones alone.
    m_closed = true;
    m_input.clear();
    if (m_loaded) {
        m_mirror->stop();
        Form_Unload();
    }
    event->accept();
}

void MainFrm::keyPressEvent(QKeyEvent *event)
{
    const KeyAction action = actionForKey(*event);
    if (!m_loaded || (!action.input && !action.help)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (action.help)
        showKeysHelp(this);
    if (action.input)
        m_input.post(*action.input);
}

bool MainFrm::isBusy() const
{
    return m_mirror && m_mirror->isBusy();
}

void MainFrm::handle(const Input &input)
{
    if (m_closed)
        return;
    switch (input.kind) {
    case Input::Kind::Button:
        // A column filled meanwhile has a disabled button, which takes no clicks.
        if (butt(input.index)->isEnabled())
            Butt_Click(input.index);
        break;
    case Input::Kind::Letter:
        ButtLb_Click(input.index);
        break;
    case Input::Kind::Command:
        CButt_Click(input.index);
        break;
    case Input::Kind::Undo:
        Undo_Click();
        break;
    case Input::Kind::Redo:
        Redo_Click();
        break;
    }
}

bool MainFrm::animation() const
{
    return !m_cButtLb[0]->isStruckOut();
}

bool MainFrm::playComputer() const
{
    return !m_cButtLb[1]->isStruckOut();
}

bool MainFrm::gameLines() const
{
    return !m_cButtLb[3]->isStruckOut();
}

void MainFrm::Butt_Click(int Index)
{
    m_game.Butt_Click(Index);
    m_mirror->playPending();
}

void MainFrm::ButtLb_Click(int Index)
{
    if (isColumn(Index) && butt(Index)->isEnabled())
        Butt_Click(Index);
}

void MainFrm::CButtLB_Click(int Index)
{
    CButt_Click(Index);
}

void MainFrm::CButt_Click(int Index)
{
    switch (Index) {
    case 0:
    case 1:
    case 3:
        toggleOption(Index);
        break;
    case 2:
        newGame();
        break;
    case 4:
        close();
        break;
    default:
        break;
    }
}

void MainFrm::toggleOption(int Index)
{
    LabelControl *label = cButtLb(Index);
    label->setStrikeOut(!label->isStruckOut());
    QAccessible::State checked;
    checked.checked = true;
    tellStateChanged(cButt(Index), checked);
    if (Index == 3) {
        m_game.setGameLinesVisible(gameLines());
        m_board.lines->setLinesVisible(gameLines());
    }
}

void MainFrm::newGame()
{
    m_game.newGame();
    m_mirror->showWhole();
}

void MainFrm::Undo_Click()
{
    m_game.undo();
    m_mirror->playPending();
}

void MainFrm::Redo_Click()
{
    m_game.redo();
    m_mirror->playPending();
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
