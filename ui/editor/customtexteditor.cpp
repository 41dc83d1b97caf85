#include "customtexteditor.h"

#include "checkcodes.h"
#include "clickablelabel.h"
#include "configstore.h"
#include "correctionitem.h"
#include "focusrectwidget.h"
#include "insertformat.h"
#include "linewidget.h"
#include "menuitemtype.h"
#include "punctuationconverter.h"
#include "sentenceentry.h"
#include "sentencechunk.h"
#include "titlechunk.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QSet>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextLayout>

#include <algorithm>

namespace {

// Where the layer of parked overlays sits: far left of the viewport, out of sight.
constexpr int ParkX = -100000;

QString scrollBarStyle()
{
    return QStringLiteral(
        "QScrollBar:vertical { width: 16px; margin: 16px 0 16px 0; border: none;"
        " background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #eaeaea, stop:1 #ffffff); }"
        "QScrollBar::handle:vertical { min-height: 20px; margin: 0 3px; border-radius: 4px;"
        " background: #c3d0db; }"
        "QScrollBar::handle:vertical:hover { background: #9fb3c4; }"
        "QScrollBar::sub-line:vertical { height: 16px; subcontrol-position: top;"
        " subcontrol-origin: margin; background: #e3e9ee; }"
        "QScrollBar::add-line:vertical { height: 16px; subcontrol-position: bottom;"
        " subcontrol-origin: margin; background: #e3e9ee; }"
        "QScrollBar::sub-line:vertical:hover, QScrollBar::add-line:vertical:hover {"
        " background: #cbd7e1; }"
        "QScrollBar::up-arrow:vertical, QScrollBar::down-arrow:vertical {"
        " width: 6px; height: 6px; background: #7d96aa; border-radius: 3px; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }");
}

} // namespace

CustomTextEditor::CustomTextEditor(ConfigStore &prefs, QWidget *parent)
    : QTextEdit(parent)
    , m_display(prefs)
{
    setMinimumWidth(400);
    setAcceptRichText(false);
    setAcceptDrops(false);
    viewport()->setAcceptDrops(false);
    // Ctrl+Z and Ctrl+Y belong to the correction history of the main window; the
    // document's own undo stack would only collect every underline change.
    setUndoRedoEnabled(false);
    // Overlays away from the visible text wait in one out-of-sight layer, so that
    // scrolling and painting deal with the few near the viewport, not with thousands.
    m_parkLayer = new QWidget(viewport());
    m_parkLayer->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_parkLayer->setGeometry(ParkX, 0, 1, 1);
    m_parkLayer->show();
    buildPunctuationMap();
    applyAppearance();
    connect(this, &QTextEdit::textChanged, this, &CustomTextEditor::relayout);
    connect(document(), &QTextDocument::contentsChange, this, &CustomTextEditor::onContentsChange);
}

CustomTextEditor::~CustomTextEditor() = default;

void CustomTextEditor::buildPunctuationMap()
{
    const QString dash2 = QString(2, QChar(0x2014));
    const QString ellipsis2 = QString(2, QChar(0x2026));
    m_punctuation = {
        {QStringLiteral("，"), QStringLiteral(",")},
        {QStringLiteral("、"), QStringLiteral(",")},
        {QStringLiteral("。"), QStringLiteral(".")},
        {QString(QChar(0x2022)), QStringLiteral(".")},
        {QStringLiteral("？"), QStringLiteral("?")},
        {QStringLiteral("！"), QStringLiteral("!")},
        {QStringLiteral("："), QStringLiteral(":")},
        {QStringLiteral("；"), QStringLiteral(";")},
        {dash2, QStringLiteral(" - ")},
        {QString(QChar(0x2013)), QStringLiteral("-")},
        {QString(QChar(0xFF0D)), QStringLiteral("-")},
        {ellipsis2, QStringLiteral("...")},
        {QStringLiteral("（"), QStringLiteral("(")},
        {QStringLiteral("）"), QStringLiteral(")")},
        {QStringLiteral("【"), QStringLiteral("[")},
        {QStringLiteral("】"), QStringLiteral("]")},
        {QStringLiteral("｛"), QStringLiteral("{")},
        {QStringLiteral("｝"), QStringLiteral("}")},
        {QString(QChar(0x201C)), QStringLiteral("\"")},
        {QString(QChar(0x201D)), QStringLiteral("\"")},
        {QString(QChar(0x2018)), QStringLiteral("'")},
        {QString(QChar(0x2019)), QStringLiteral("'")},
        {QString(QChar(0x3000)), QStringLiteral(" ")},
    };
}

void CustomTextEditor::setSentenceList(QList<SentenceEntry *> *sentences)
{
    m_sentences = sentences;
    m_placed.clear();
}

void CustomTextEditor::loadText(const QString &text)
{
    setPlainText(text);
    // Line gap, colour and font as one change: the document is laid out once, not once
    // for every pass over the whole text.
    QTextCursor batch(document());
    batch.beginEditBlock();
    applyLineGap();
    applyAppearance();
    batch.endEditBlock();
}

void CustomTextEditor::loadTextConverted(const QString &text)
{
    loadText(convertPunctuation(text));
}

QString CustomTextEditor::convertPunctuation(const QString &text) const
{
    return PunctuationConverter(m_punctuation).convert(text);
}

bool CustomTextEditor::containsChinesePunctuation(const QString &text) const
{
    for (auto it = m_punctuation.cbegin(); it != m_punctuation.cend(); ++it) {
        if (text.contains(it.key(), Qt::CaseSensitive))
            return true;
    }
    return false;
}

bool CustomTextEditor::hasText() const
{
    return !toPlainText().trimmed().isEmpty();
}

bool CustomTextEditor::everythingSelected() const
{
    const QTextCursor tc = textCursor();
    QTextCursor endCursor(document());
    endCursor.movePosition(QTextCursor::End);
    return tc.selectionStart() == 0 && tc.selectionEnd() >= endCursor.position();
}

void CustomTextEditor::placeCaretAtFinding(const CorrectionItem *item)
{
    if (!item)
        return;
    QTextCursor tc = textCursor();
    tc.setPosition(item->start());
    setTextCursor(tc);
    setFocus();
    showFinding(item);
}

QPair<int, int> CustomTextEditor::findingSpan(const CorrectionItem *item) const
{
    const QRect s = rectAt(item->start());
    const QRect e = rectAt(item->end());
    const int line = s.height() + m_lineGap;
    // A line of context above; below, the preview in the gap and a line of context.
    return {s.top() - line, e.bottom() + m_lineGap + line};
}

void CustomTextEditor::showFinding(const CorrectionItem *item)
{
    const auto [top, bottom] = findingSpan(item);
    const int height = viewport()->height();
    QScrollBar *bar = verticalScrollBar();
    if (bottom - top > height)
        bar->setValue(bar->value() + rectAt(item->start()).top());
    else if (bottom > height)
        bar->setValue(bar->value() + bottom - height);
    else if (top < 0)
        bar->setValue(bar->value() + top);
}

void CustomTextEditor::replaceSelection(const QTextCursor &cursor, const QString &text)
{
    const int s = cursor.selectionStart();
    const int e = cursor.selectionEnd();
    QTextCursor edit(document());
    edit.beginEditBlock();
    edit.setPosition(e);
    edit.insertText(text, InsertFormat::at(document(), e));
    if (e > s) {
        edit.setPosition(s);
        edit.setPosition(e, QTextCursor::KeepAnchor);
        edit.removeSelectedText();
    }
    edit.endEditBlock();
    // A replaced selection of the user's ends as a caret behind the new text.
    QTextCursor tc = textCursor();
    const int newEnd = s + int(text.size());
    if (tc.hasSelection() && tc.selectionStart() == s && tc.selectionEnd() == newEnd) {
        tc.setPosition(newEnd);
        setTextCursor(tc);
    }
}

void CustomTextEditor::setFocusedFinding(CorrectionItem *item)
{
    if (m_focusRect) {
        m_focusRect->hide();
        m_focusRect->deleteLater();
        m_focusRect = nullptr;
    }
    m_focusedFinding = item;
    if (!item)
        return;
    m_focusRect = new FocusRectWidget(viewport());
    placeFocusRect();
    m_focusRect->show();
    m_focusRect->startAnimation();
}

QRect CustomTextEditor::rectAt(int position) const
{
    QTextCursor c(document());
    c.setPosition(qBound(0, position, document()->characterCount() - 1));
    return cursorRect(c);
}

void CustomTextEditor::placeFocusRect()
{
    if (!m_focusRect || !m_focusedFinding)
        return;
    const int start = m_focusedFinding->start();
    const QRect s = rectAt(start);
    const QRect e = rectAt(m_focusedFinding->end());
    int firstLineEnd = e.left();
    if (e.top() > s.top()) {
        // Wrapped finding: its first line's part ends where that line's text ends.
        firstLineEnd = viewport()->width();
        const QTextBlock block = document()->findBlock(start);
        if (QTextLayout *layout = block.layout()) {
            const int inBlock = start - block.position();
            const QTextLine line = layout->lineForTextPosition(inBlock);
            if (line.isValid()) {
                const qreal from = line.cursorToX(inBlock);
                const qreal to = line.x() + line.naturalTextWidth();
                firstLineEnd = s.left() + qRound(to - from);
            }
        }
        firstLineEnd = qMin(firstLineEnd, viewport()->width() - 2);
    }
    m_focusRect->place(s, e, firstLineEnd);
}

void CustomTextEditor::applyPreviewFont(ClickableLabel *label) const
{
    if (label)
        label->setPreviewFont(m_display.textFont(), m_display.textFontSize() - 1);
}

void CustomTextEditor::moveOverlay(QWidget *widget, QWidget *layer) const
{
    if (widget->parentWidget() == layer)
        return;
    const bool shown = !widget->isHidden();
    widget->setParent(layer);
    widget->setVisible(shown); // reparenting hides; keep the overlay's own state
}

void CustomTextEditor::park(QWidget *widget) const
{
    moveOverlay(widget, m_parkLayer);
    widget->move(0, 0);
}

void CustomTextEditor::createPreviewLabel(CorrectionItem *item)
{
    // A finding without candidates (a word far from every word) has nothing to preview.
    if (!item || item->candidateCount() == 0)
        return;
    // The maker may outlive the editor inside a finding that outlives it.
    const QPointer<CustomTextEditor> editor(this);
    item->setLabelMaker([editor, item]() -> ClickableLabel * {
        if (!editor)
            return nullptr;
        auto *label = new ClickableLabel(item->previewText(), editor->m_parkLayer);
        editor->applyPreviewFont(label);
        label->hide();
        connect(label, &ClickableLabel::signalClicked, label,
                [item] { item->correct(ZeltraLib::MenuItemApply, 0); });
        return label;
    });
}

void CustomTextEditor::createSentenceLine(SentenceEntry *entry)
{
    if (!entry)
        return;
    auto *line = new LineWidget(m_parkLayer);
    line->setColor(m_display.suggestionColor());
    line->setVisible(m_display.suggestionShown());
    entry->setLineWidget(line);
}

void CustomTextEditor::relayout()
{
    QSet<QWidget *> placed;
    if (m_sentences && !m_sentences->isEmpty()) {
        // The document range that can show overlays: the viewport plus a line gap and
        // a line above and below (labels hang below their line).
        const int margin = m_lineGap + 2 * fontMetrics().height();
        const int first = cursorForPosition(QPoint(0, -margin)).position();
        const int last = cursorForPosition(
            QPoint(viewport()->width(), viewport()->height() + margin)).position();
        const QList<SentenceEntry *> &list = *m_sentences;
        auto it = std::lower_bound(list.cbegin(), list.cend(), first,
                                   [](const SentenceEntry *e, int pos) { return e->end() < pos; });
        const bool linesShown = m_display.suggestionShown();
        const int width = viewport()->width();
        for (; it != list.cend() && (*it)->start() <= last; ++it) {
            SentenceEntry *entry = *it;
            for (CorrectionItem *item : entry->findings()) {
                if (!item->isVisible() || !item->isPreviewShown())
                    continue;
                ClickableLabel *label = item->label();
                if (!label)
                    continue;
                const QRect r = rectAt(item->start());
                moveOverlay(label, viewport());
                // Under the word; pulled left where it would run out of the viewport.
                label->move(qMax(0, qMin(r.left(), width - label->width())), r.bottom());
                placed.insert(label);
            }
            LineWidget *line = entry->lineWidget();
            if (linesShown && line) {
                // The line ends under the last word: a blank behind it may wrap alone.
                const QString text = entry->text();
                qsizetype blanks = 0;
                while (blanks < text.size() && text.at(text.size() - 1 - blanks).isSpace())
                    ++blanks;
                const QRect s = rectAt(entry->start());
                const QRect e = rectAt(entry->end() - int(blanks));
                moveOverlay(line, viewport());
                line->move(0, s.bottom());
                line->setLine(QPoint(s.left(), s.bottom()), QPoint(e.right(), e.bottom()), width,
                              s.height() + m_lineGap);
                line->resize(width, e.bottom() - s.bottom() + 1 + line->penOffset());
                placed.insert(line);
            }
        }
    }
    // Overlays that left the range would otherwise show at stale places.
    for (const QPointer<QWidget> &widget : std::as_const(m_placed)) {
        if (widget && !placed.contains(widget))
            park(widget);
    }
    m_placed.clear();
    m_placed.reserve(placed.size());
    for (QWidget *widget : std::as_const(placed))
        m_placed.append(widget);
    placeFocusRect();
}

void CustomTextEditor::buildSentenceList(const QList<int> &positions,
                                         const QList<QList<int>> &boundaries)
{
    if (!m_sentences)
        return;
    const int confidence = m_display.intValue(QStringLiteral("enlish_level"));
    const int lastPosition = document()->characterCount() - 1;
    auto makeRange = [&](int from, int to) {
        QTextCursor range(document());
        range.setPosition(qBound(0, from, lastPosition));
        range.setPosition(qBound(0, to, lastPosition), QTextCursor::KeepAnchor);
        return range;
    };
    const int count = int(qMin(positions.size(), boundaries.size()));
    // Inside an edit block a cursor placed by position skips computing its x from the
    // layout: a thousand sentence ranges would otherwise lay out every line they touch.
    // The block changes nothing, so the "text changed" its end reports is kept quiet.
    QSignalBlocker quiet(document());
    QTextCursor batch(document());
    batch.beginEditBlock();
    for (int i = 0; i < count; ++i) {
        const int a = positions.at(i);
        const QList<int> &ends = boundaries.at(i);
        if (ends.isEmpty())
            continue;
        if (ends.first() < 0) {
            auto chunk = std::make_unique<ZeltraLib::TitleChunk>();
            chunk->setConfidence(confidence);
            const int length = ends.size() > 1 ? qMax(0, ends.at(1)) : 0;
            m_sentences->append(new SentenceEntry(std::move(chunk), makeRange(a, a + length)));
            continue;
        }
        int b = 0;
        for (int d : ends) {
            if (d + 1 <= b)
                continue; // not ascending: a bad boundary list, skip the value
            auto chunk = std::make_unique<ZeltraLib::SentenceChunk>();
            chunk->setConfidence(confidence);
            m_sentences->append(new SentenceEntry(std::move(chunk), makeRange(a + b, a + d + 1)));
            b = d + 1;
        }
    }
    batch.endEditBlock();
    quiet.unblock();
    if (m_sentences->isEmpty())
        return;
    const bool hasSentence = std::any_of(m_sentences->cbegin(), m_sentences->cend(),
        [](const SentenceEntry *e) { return e->chunk() && e->chunk()->kind() == 0; });
    if (!hasSentence) {
        SentenceEntry *lastEntry = m_sentences->last();
        auto chunk = std::make_unique<ZeltraLib::SentenceChunk>();
        chunk->setConfidence(lastEntry->chunk() ? lastEntry->chunk()->confidence() : confidence);
        lastEntry->setChunk(std::move(chunk));
    }
}

CorrectionItem *CustomTextEditor::insertResult(SentenceEntry *entry,
                                               const ZeltraLib::CorrectionRecord &record)
{
    if (!entry)
        return nullptr;
    if (record.category() == ZeltraLib::CategorySuggestion) {
        entry->setSuggestion(record);
        return nullptr;
    }
    // Offsets come from the service: keep them inside the document.
    const int lastPosition = document()->characterCount() - 1;
    const int from = qBound(0, entry->start() + record.start, lastPosition);
    const int to = qBound(from, entry->start() + record.end, lastPosition);
    // Findings must not overlap (the service promises as much, but a broken one must
    // not break the editor): applying the outer one would leave the inner one an empty
    // range that stays open. The first one placed stays.
    if (entry->overlapsFinding(from, to))
        return nullptr;
    QTextCursor span(document());
    span.setPosition(from);
    span.setPosition(to, QTextCursor::KeepAnchor);
    auto *item = new CorrectionItem(span, record, entry, m_display.store());
    entry->insertFinding(item);
    createPreviewLabel(item);
    if (item->isVisible())
        item->updateLook();
    item->setPreviewShown(false); // shown when the check finishes
    return item;
}

QList<CorrectionItem *> CustomTextEditor::insertResults(SentenceEntry *entry,
                                                        const QList<ZeltraLib::CorrectionRecord> &records)
{
    QList<CorrectionItem *> items;
    // One edit block: the document lays the changed text out once, not per finding.
    QTextCursor block(document());
    block.beginEditBlock();
    for (const ZeltraLib::CorrectionRecord &record : records) {
        if (CorrectionItem *item = insertResult(entry, record))
            items.append(item);
    }
    block.endEditBlock();
    return items;
}

void CustomTextEditor::revealFindings()
{
    if (m_sentences) {
        for (SentenceEntry *entry : std::as_const(*m_sentences)) {
            for (CorrectionItem *item : entry->findings()) {
                item->setPreviewShown(item->isVisible() && item->isOpen());
            }
            if (entry->hasSuggestion() && !entry->lineWidget())
                createSentenceLine(entry);
        }
    }
    relayout();
}

void CustomTextEditor::applyDisplaySettings(bool textChanged, bool errorChanged, SentenceEntry *current)
{
    if (textChanged)
        applyAppearance();
    if (m_sentences) {
        const bool linesShown = m_display.suggestionShown();
        const QColor lineColor = m_display.suggestionColor();
        for (SentenceEntry *entry : std::as_const(*m_sentences)) {
            for (CorrectionItem *item : entry->findings()) {
                // Labels not made yet get the font when they are.
                if (textChanged && item->madeLabel()) {
                    applyPreviewFont(item->madeLabel());
                    item->madeLabel()->adjustSize();
                }
                if (errorChanged)
                    item->updateLook();
            }
            if (errorChanged && entry->lineWidget()) {
                entry->lineWidget()->setColor(lineColor);
                entry->lineWidget()->setVisible(linesShown);
            }
        }
    }
    if (textChanged)
        highlightSentence(nullptr, current);
    if (m_focusedFinding && !m_focusedFinding->isVisible())
        setFocusedFinding(nullptr);
    relayout();
}

void CustomTextEditor::applyAppearance()
{
    QString style = scrollBarStyle() + QStringLiteral("QTextEdit { border: 1px solid #7d96aa; border-bottom: none;");
    if (m_display.isTrue(QStringLiteral("display_background_enabled")))
        style += QStringLiteral(" background-color: %1;")
                     .arg(m_display.store().value(QStringLiteral("display_background_color")));
    style += QStringLiteral(" }");
    if (styleSheet() != style)
        setStyleSheet(style);

    QTextCursor all(document());
    all.select(QTextCursor::Document);
    QTextCharFormat format;
    format.setForeground(m_display.textColor());
    all.mergeCharFormat(format);

    QFont f(m_display.textFont());
    const int size = m_display.textFontSize();
    if (size > 0)
        f.setPointSize(size);
    setFont(f);

    QTextCursor tc = textCursor();
    tc.setPosition(0);
    setTextCursor(tc);
}

void CustomTextEditor::applyLineGap()
{
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    QTextCharFormat format;
    format.setForeground(m_display.textColor());
    all.setCharFormat(format);
    QTextBlockFormat block;
    block.setLineHeight(m_lineGap, QTextBlockFormat::LineDistanceHeight);
    all.setBlockFormat(block);
}

void CustomTextEditor::highlightSentence(SentenceEntry *previous, SentenceEntry *current)
{
    if (!m_display.isTrue(QStringLiteral("display_highlight_enabled")))
        return;
    QTextCharFormat format;
    if (previous && previous->range().hasSelection()) {
        format.setForeground(m_display.textColor());
        previous->range().mergeCharFormat(format);
    }
    if (current && current->range().hasSelection()) {
        format.setForeground(m_display.color(QStringLiteral("display_highlight_color")));
        current->range().mergeCharFormat(format);
    }
}

SentenceEntry *CustomTextEditor::sentenceAt(int position) const
{
    if (!m_sentences || m_sentences->isEmpty())
        return nullptr;
    auto it = std::upper_bound(m_sentences->cbegin(), m_sentences->cend(), position,
                               [](int pos, const SentenceEntry *e) { return pos < e->end(); });
    // Behind the last sentence of a paragraph (typing at its end) the caret is still in
    // that paragraph's sentence, not in the next paragraph's first one.
    if (it != m_sentences->cbegin() && (it == m_sentences->cend() || (*it)->start() > position)) {
        SentenceEntry *previous = *(it - 1);
        if (document()->findBlock(previous->start()) == document()->findBlock(position))
            return previous;
    }
    return it != m_sentences->cend() ? *it : m_sentences->last();
}

bool CustomTextEditor::isShortcutChord(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers chord = Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier;
    const QString text = event->text();
    return (event->modifiers() & chord) && !text.isEmpty() && text.at(0).isPrint();
}

QString CustomTextEditor::textBetween(int from, int to) const
{
    const int last = document()->characterCount() - 1;
    QTextCursor range(document());
    range.setPosition(qBound(0, from, last));
    range.setPosition(qBound(0, to, last), QTextCursor::KeepAnchor);
    return range.selectedText();
}

void CustomTextEditor::onContentsChange(int position, int removed, int added)
{
    // Positions behind the last paragraph's end do not hold text.
    const int length = document()->characterCount() - 1;
    const int oldLength = int(m_shadow.size());
    int from = qBound(0, position, oldLength);
    const int oldTo = qBound(from, position + removed, oldLength);
    const int newTo0 = qBound(from, position + added, length);
    QString before = m_shadow.mid(from, oldTo - from);
    QString after = textBetween(from, newTo0);
    const bool sameLength = oldLength - (oldTo - from) + (newTo0 - from) == length;
    if (sameLength && before == after)
        return; // formats only (underlines, highlight, colours)
    // Setting or clearing the whole text removes or inserts the last paragraph end too.
    bool load = (position + removed > oldLength && added == 0) || (position + added > length && removed == 0);
    m_shadow.replace(from, oldTo - from, after);
    if (m_shadow.size() != length) {
        m_shadow = textBetween(0, length);
        load = true;
    }
    // The document reports whole paragraphs for some edits (input method): keep only
    // what differs.
    qsizetype head = 0;
    while (head < before.size() && head < after.size() && before.at(head) == after.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < after.size() - head
           && before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail))
        ++tail;
    before = before.mid(head, before.size() - head - tail);
    after = after.mid(head, after.size() - head - tail);
    from += int(head);
    const int newTo = from + int(after.size());

    QList<CorrectionItem *> findings;
    QList<SentenceEntry *> suggestions;
    bool ownAction = m_findingBatch > 0;
    if (m_sentences) {
        // A change inside one finding that leaves it as its action made it is that
        // action (apply, revert, undo); one inside a finding spares its neighbours.
        bool inside = false;
        for (const SentenceEntry *entry : std::as_const(*m_sentences)) {
            if (entry->end() < from || entry->start() > newTo)
                continue;
            for (const CorrectionItem *item : entry->findings()) {
                if (item->start() <= from && newTo <= item->end()) {
                    inside = true;
                    ownAction = ownAction || (item->end() > item->start() && item->isIntact());
                }
            }
        }
        const bool touchDiscards = load || (!ownAction && !inside);
        for (SentenceEntry *entry : std::as_const(*m_sentences)) {
            for (CorrectionItem *item : entry->findings()) {
                const bool meets = item->end() >= from && item->start() <= newTo;
                if (load || (meets && (touchDiscards || !item->isIntact())))
                    findings.append(item);
            }
            if (touchDiscards && entry->hasSuggestion() && entry->end() >= from && entry->start() <= newTo)
                suggestions.append(entry);
        }
    }
    if (!findings.isEmpty() || !suggestions.isEmpty()) {
        emit signalFindingsDiscarded(findings, suggestions);
        for (SentenceEntry *entry : std::as_const(suggestions))
            entry->clearSuggestion();
        for (CorrectionItem *item : std::as_const(findings))
            removeFinding(item);
    }
    if (!load && !ownAction)
        emit signalTextEdited(from, before, after);
}

void CustomTextEditor::removeFinding(CorrectionItem *item)
{
    takeFinding(item);
}

std::unique_ptr<CorrectionItem> CustomTextEditor::takeFinding(CorrectionItem *item)
{
    if (!item)
        return nullptr;
    // Out of its sentence before its look is cleared: the format change moves no caret
    // logic back onto it.
    if (SentenceEntry *entry = item->sentence())
        entry->takeFinding(item);
    if (m_focusedFinding == item)
        setFocusedFinding(nullptr);
    item->clearLook();
    item->deleteLabel();
    if (m_focusedFinding == item)
        setFocusedFinding(nullptr);
    return std::unique_ptr<CorrectionItem>(item);
}

void CustomTextEditor::restoreFinding(CorrectionItem *item)
{
    if (!item || !item->sentence())
        return;
    item->sentence()->insertFinding(item);
    createPreviewLabel(item);
    item->updateLook();
    relayout();
}

QList<ZeltraLib::ParagraphBlock> CustomTextEditor::blocks() const
{
    QList<ZeltraLib::ParagraphBlock> result;
    result.reserve(document()->blockCount());
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        result.append({block.position(), block.text()});
    return result;
}

void CustomTextEditor::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::RightButton) {
        const QTextCursor tc = textCursor();
        const QTextCursor hit = cursorForPosition(e->position().toPoint());
        const int pos = hit.position();
        if (!tc.hasSelection() || pos < tc.selectionStart() || pos > tc.selectionEnd())
            setTextCursor(hit);
    }
    QTextEdit::mousePressEvent(e);
}

void CustomTextEditor::focusInEvent(QFocusEvent *e)
{
    emit signalShowDict(false);
    QTextEdit::focusInEvent(e);
}

void CustomTextEditor::resizeEvent(QResizeEvent *e)
{
    // The text rewraps: the line read first stays first, at the same height.
    // A focused finding in full view stays in view.
    QScrollBar *bar = verticalScrollBar();
    const bool scrolled = bar->value() > 0;
    const int first = cursorForPosition(QPoint(0, 0)).position();
    const int firstTop = rectAt(first).top();
    // The viewport has its new size already; the old one decides what was in view.
    const int grown = e->oldSize().isValid() ? e->size().height() - e->oldSize().height() : 0;
    bool focusShown = false;
    if (m_focusedFinding) {
        const QPair<int, int> span = findingSpan(m_focusedFinding);
        focusShown = span.first >= 0 && span.second <= viewport()->height() - grown;
    }
    QTextEdit::resizeEvent(e);
    if (scrolled)
        bar->setValue(bar->value() + rectAt(first).top() - firstTop);
    if (focusShown)
        showFinding(m_focusedFinding);
    relayout();
}

void CustomTextEditor::contextMenuEvent(QContextMenuEvent *e)
{
    emit signalContextMenu(e);
}

void CustomTextEditor::scrollContentsBy(int dx, int dy)
{
    QTextEdit::scrollContentsBy(dx, dy);
    relayout();
}

void CustomTextEditor::keyPressEvent(QKeyEvent *e)
{
    if (!isShortcutChord(e)) {
        QTextEdit::keyPressEvent(e);
        return;
    }
    // Without its text: copy, paste and the other chords still work, nothing is typed.
    QKeyEvent chord(e->type(), e->key(), e->modifiers(), e->nativeScanCode(), e->nativeVirtualKey(),
                    e->nativeModifiers(), QString(), e->isAutoRepeat(), e->count());
    QTextEdit::keyPressEvent(&chord);
    e->setAccepted(chord.isAccepted());
}

void CustomTextEditor::insertFromMimeData(const QMimeData *source)
{
    if (!source)
        return;
    if (source->hasText())
        emit signalOnPaste(source->text());
    else if (source->hasHtml())
        emit signalOnPaste(QTextDocumentFragment::fromHtml(source->html()).toPlainText());
}
