#pragma once

// The game's keys. Column keys play only without Ctrl, Alt or Meta, so that no shortcut of the game
// or of the desktop drops a ball; the commands, undo and redo are on Ctrl combinations.

#include "InputQueue.h"

#include <QString>

#include <optional>

class QKeyEvent;
class QWidget;

namespace vorni {

struct KeyAction {
    std::optional<Input> input; // what the key does to the game, if anything
    bool help = false;          // F1: the keys are shown
};

KeyAction actionForKey(const QKeyEvent &event);

// How to play with the mouse and with the keys, for --help: sections of a heading line and lines "what<TAB>what
// it does" (a line without a tab is a note), a blank line between sections.
QString keysText();

// Shows the same in a small window of its own over parent, which stays as it is and takes it along when it closes.
void showKeysHelp(QWidget *parent);

} // namespace vorni
