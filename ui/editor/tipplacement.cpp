#include "tipplacement.h"

#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>

TipPresenter::Placement TipPlacement::besideToolbar(QPushButton *button)
{
    QPointer<QPushButton> guard(button);
    return [guard](const QSize &size, QPoint *at) {
        if (!guard || !guard->isVisible())
            return false;
        QWidget *row = guard->parentWidget();
        int right = guard->geometry().right();
        for (const QPushButton *other : row->findChildren<QPushButton *>(Qt::FindDirectChildrenOnly)) {
            if (other->isVisible() && other->geometry().top() == guard->geometry().top())
                right = qMax(right, other->geometry().right());
        }
        const QRect window(guard->window()->mapToGlobal(QPoint(0, 0)), guard->window()->size());
        const QPoint beside = row->mapToGlobal(QPoint(right + 10, guard->geometry().top()));
        if (beside.x() + size.width() <= window.right() - 4)
            *at = beside;
        else
            *at = guard->mapToGlobal(QPoint(0, guard->height() + 4));
        return true;
    };
}

TipPresenter::Placement TipPlacement::underText(QTextEdit *editor, int position)
{
    QPointer<QTextEdit> guard(editor);
    // A cursor keeps its place through edits before it.
    auto anchor = std::make_shared<QTextCursor>(editor->document());
    anchor->setPosition(qBound(0, position, editor->document()->characterCount() - 1));
    return [guard, anchor](const QSize &, QPoint *at) {
        if (!guard || anchor->isNull())
            return false;
        const QRect line = guard->cursorRect(*anchor);
        const QRect visible = guard->viewport()->rect();
        if (!visible.contains(line.center()))
            return false;
        *at = guard->viewport()->mapToGlobal(QPoint(qMax(0, line.left() - 10), line.bottom() + 4));
        return true;
    };
}
