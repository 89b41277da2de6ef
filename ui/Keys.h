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

// The keys as a table of lines "key<TAB>what it does", for --help and the help window.
QString keysText();

// Shows the keys in a small window of its own over parent, which stays as it is.
void showKeysHelp(QWidget *parent);

} // namespace vorni
