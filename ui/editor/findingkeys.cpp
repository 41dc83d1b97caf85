#include "findingkeys.h"

#include "correctionitem.h"

#include <QKeyEvent>

bool FindingKeys::handle(const QKeyEvent *event, CorrectionItem *focused, bool useCtrl)
{
    if (!focused)
        return false;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9 && ctrl == useCtrl
        && (mods & ~Qt::ControlModifier) == Qt::NoModifier) {
        if (key == Qt::Key_0)
            focused->correct(ZeltraLib::MenuItemIgnore);
        else
            focused->applyByIndex(key - Qt::Key_1);
        return true;
    }
    if (key == Qt::Key_F2 && mods == Qt::NoModifier) {
        focused->correct(ZeltraLib::MenuItemRevert);
        return true;
    }
    return false;
}
