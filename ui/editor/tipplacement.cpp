#include "tipplacement.h"

#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

#include <memory>

namespace {
// The first allowed place over no text; failing that, the allowed one that covers least;
// failing that, the first place. A place is allowed off avoid and either inside bounds or
// on the screen wholly outside the window (a tip beside the window covers none of its text).
template<size_t N>
QPoint leastCovering(const QPoint (&candidates)[N], const QSize &size, const QList<QRect> &lines,
                     const QRect &bounds, const QRect &avoid, const QRect &screen = QRect(),
                     const QRect &window = QRect())
{
    qint64 least = -1;
    QPoint best = candidates[0];
    for (const QPoint &candidate : candidates) {
        const QRect place(candidate, size);
        const bool inside = bounds.contains(place);
        const bool beside = screen.contains(place) && !place.intersects(window);
        if ((!inside && !beside) || place.intersects(avoid))
            continue;
        qint64 covered = 0;
        for (const QRect &line : lines) {
            const QRect both = line & place;
            covered += qint64(both.width()) * both.height();
        }
        if (least < 0 || covered < least) {
            least = covered;
            best = candidate;
        }
        if (covered == 0)
            break;
    }
    return best;
}
} // namespace

TipPresenter::Placement TipPlacement::besideToolbar(QPushButton *button, QTextEdit *editor)
{
    QPointer<QPushButton> guard(button);
    const TipPresenter::Placement near = besideControl(button, editor);
    return [guard, near](const QSize &size, QPoint *at) {
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
        if (beside.x() + size.width() <= window.right() - 4) {
            *at = beside;
            return true;
        }
        return near(size, at);
    };
}

QList<QRect> TipPlacement::visibleTextLines(const QTextEdit *editor)
{
    QList<QRect> lines;
    const QWidget *viewport = editor->viewport();
    const QPoint scroll(editor->horizontalScrollBar()->value(), editor->verticalScrollBar()->value());
    const QRect visible = viewport->rect();
    for (QTextBlock block = editor->cursorForPosition(QPoint(0, 0)).block(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        if (!layout)
            continue;
        const QPointF origin = layout->position() - QPointF(scroll);
        if (origin.y() > visible.bottom())
            break;
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            if (line.textLength() == 0 || line.naturalTextWidth() <= 0)
                continue;
            const QRect inViewport = line.naturalTextRect().translated(origin).toAlignedRect() & visible;
            if (!inViewport.isEmpty())
                lines << QRect(viewport->mapToGlobal(inViewport.topLeft()), inViewport.size());
        }
    }
    return lines;
}

TipPresenter::Placement TipPlacement::besideControl(QWidget *control, QTextEdit *editor)
{
    QPointer<QWidget> guard(control);
    QPointer<QTextEdit> text(editor);
    return [guard, text](const QSize &size, QPoint *at) {
        if (!guard || !guard->isVisible())
            return false;
        constexpr int Gap = 6;
        const QRect own(guard->mapToGlobal(QPoint(0, 0)), guard->size());
        // The whole window, with the margin its drop shadow is drawn in.
        const QRect full(guard->window()->mapToGlobal(QPoint(0, 0)), guard->window()->size());
        const QRect window = full.adjusted(4, 4, -4, -4);
        const int middle = own.center().y() - size.height() / 2;
        // Above and below, as far left as the control but inside the window.
        const int under = qMax(window.left(), qMin(own.left(), window.right() - size.width()));
        // Left of a control at the window's edge is on the screen beside the window.
        int left = own.left() - Gap - size.width();
        if (left < window.left())
            left = qMin(left, full.left() - size.width());
        const QPoint candidates[] = {
            {own.right() + Gap, middle},              // right
            {left, middle},                           // left
            {under, own.top() - Gap - size.height()}, // above
            {under, own.bottom() + Gap},              // below
        };
        const QRect screen = guard->screen() ? guard->screen()->availableGeometry() : QRect();
        *at = leastCovering(candidates, size, text ? visibleTextLines(text) : QList<QRect>(), window, own, screen,
                            full);
        return true;
    };
}

TipPresenter::Placement TipPlacement::underText(QTextEdit *editor, int position)
{
    QPointer<QTextEdit> guard(editor);
    // A cursor keeps its place through edits before it.
    auto anchor = std::make_shared<QTextCursor>(editor->document());
    anchor->setPosition(qBound(0, position, editor->document()->characterCount() - 1));
    return [guard, anchor](const QSize &size, QPoint *at) {
        if (!guard || anchor->isNull())
            return false;
        const QRect line = guard->cursorRect(*anchor);
        const QRect visible = guard->viewport()->rect();
        if (!visible.contains(line.center()))
            return false;
        // Under the word, else above it, else under the last line of text: the first that
        // covers none of the text, failing that the one that covers least.
        const QWidget *viewport = guard->viewport();
        const QList<QRect> lines = visibleTextLines(guard);
        int textBottom = line.bottom();
        for (const QRect &each : lines)
            textBottom = qMax(textBottom, viewport->mapFromGlobal(each.bottomLeft()).y());
        const int left = qMax(0, qMin(line.left() - 10, visible.width() - size.width()));
        const QPoint candidates[] = {
            viewport->mapToGlobal(QPoint(left, line.bottom() + 4)),
            viewport->mapToGlobal(QPoint(left, line.top() - 4 - size.height())),
            viewport->mapToGlobal(QPoint(left, textBottom + 8)),
        };
        const QRect bounds(viewport->mapToGlobal(QPoint(0, 0)), visible.size());
        *at = leastCovering(candidates, size, lines, bounds, QRect());
        return true;
    };
}
