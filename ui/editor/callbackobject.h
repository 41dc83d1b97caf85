#pragma once

#include "correctionitem.h"
#include "menuitemtype.h"

#include <QObject>

// Process-wide carrier of finding actions: every source of an action (panel rows,
// preview labels, context menu, keys, undo/redo) ends in signalCallback, which the
// main window connects to its slotCorrectByType.
class CallbackObject : public QObject
{
    Q_OBJECT
public:
    // The one instance, alive until the process ends.
    static CallbackObject &instance();

signals:
    // item may be null: ignore of the current sentence's sentence suggestion.
    void signalCallback(CorrectionItem *item, ZeltraLib::MenuItemType type);

private:
    CallbackObject() = default;
};
