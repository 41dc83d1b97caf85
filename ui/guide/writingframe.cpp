#include "writingframe.h"

#include "hoverpushbutton.h"
#include "keywordwindow.h"
#include "popuplabel.h"
#include "tippresenter.h"
#include "writingblockrange.h"
#include "writingtexteditor.h"

#include <QDrag>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTimeLine>
#include <QTimer>
#include <QVBoxLayout>

using ZeltraLib::HighTemplate;
using ZeltraLib::SentencePair;

namespace {
QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setMinimumWidth(72);
    return b;
}

QTextCursor span(QTextDocument *doc, int start, int end)
{
    QTextCursor c(doc);
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    return c;
}

void removeSpan(QTextDocument *doc, int start, int end)
{
    if (end > start)
        span(doc, start, end).removeSelectedText();
}
} // namespace

WritingFrame::WritingFrame(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("frame_writting"));
    setAcceptDrops(true);
    m_english = new WritingTextEditor(this);
    m_translation = new QTextEdit(this);
    m_translation->setObjectName(QStringLiteral("tb_translation"));
    m_translation->setReadOnly(true);
    m_translation->setStyleSheet(QStringLiteral("QTextEdit{background:#fafbfc;color:#555;}"));
    m_english->setBlocks(&m_blocks, m_translation);
    QFont font = m_english->font();
    font.setPointSize(11);
    m_english->setFont(font);

    auto *vertical = new QSplitter(Qt::Vertical, this);
    vertical->setObjectName(QStringLiteral("spVertical"));
    vertical->addWidget(m_english);
    vertical->addWidget(m_translation);
    vertical->setSizes({380, 220});

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panel_sentence"));
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    auto *panelTitle = new QLabel(QStringLiteral("常用句型（拖入正文使用）"), panel);
    panelTitle->setStyleSheet(QStringLiteral("font-weight:bold;color:#2f6fd6;"));
    panelLayout->addWidget(panelTitle);
    m_search = new QLineEdit(panel);
    m_search->setObjectName(QStringLiteral("le_search_common"));
    m_search->setPlaceholderText(QStringLiteral("常用句型搜索..."));
    m_search->setClearButtonEnabled(true);
    panelLayout->addWidget(m_search);
    auto *scroll = new QScrollArea(panel);
    scroll->setWidgetResizable(true);
    m_panel = new QWidget(scroll);
    m_panel->setObjectName(QStringLiteral("frame_common_sentence"));
    m_panelLayout = new QVBoxLayout(m_panel);
    m_panelLayout->setSpacing(6);
    m_panelLayout->addStretch();
    scroll->setWidget(m_panel);
    panelLayout->addWidget(scroll);

    auto *horizontal = new QSplitter(Qt::Horizontal, this);
    horizontal->setObjectName(QStringLiteral("spHorizontal"));
    horizontal->addWidget(vertical);
    horizontal->addWidget(panel);
    horizontal->setSizes({760, 260});

    auto *buttons = new QHBoxLayout;
    auto *back = button(QStringLiteral("pb_back"), QStringLiteral("返回"), this);
    auto *keyFrame = new QFrame(this);
    keyFrame->setObjectName(QStringLiteral("frame_key_word"));
    auto *keyLayout = new QHBoxLayout(keyFrame);
    keyLayout->setContentsMargins(0, 0, 0, 0);
    m_keyWordButton = button(QStringLiteral("pb_key_word_window"), QStringLiteral("待填字段"), keyFrame);
    keyLayout->addWidget(m_keyWordButton);
    auto *exportButton = button(QStringLiteral("pb_export"), QStringLiteral("导出"), this);
    auto *improve = button(QStringLiteral("pb_improve"), QStringLiteral("润色"), this);
    auto *correct = button(QStringLiteral("pb_correct"), QStringLiteral("纠错"), this);
    buttons->addWidget(back);
    buttons->addWidget(keyFrame);
    buttons->addStretch();
    buttons->addWidget(exportButton);
    buttons->addWidget(improve);
    buttons->addWidget(correct);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(horizontal, 1);
    layout->addLayout(buttons);

    m_keyWordWindow = new KeyWordWindow(this);
    m_keyWordWindow->hide();
    m_genieLabel = new QLabel(m_english);
    m_genieLabel->setScaledContents(true);
    m_genieLabel->hide();
    m_genie = new QTimeLine(400, this);
    m_genie->setFrameRange(0, 255);
    m_genie->setEasingCurve(QEasingCurve::OutCubic);

    connect(back, &QPushButton::clicked, this, &WritingFrame::signalBack);
    connect(m_english, &WritingTextEditor::signalDeleteSentenceRange, this, &WritingFrame::slotDeleteSentenceRange);
    connect(m_english, &WritingTextEditor::signalKeyWordValueChanged, this, &WritingFrame::slotKeyWordValueChanged);
    connect(m_english, &WritingTextEditor::signalScroll, this, &WritingFrame::slotScroll);
    connect(m_english, &WritingTextEditor::signalDropCommonSentence, this,
            [this](int index, int position) { dropCommonSentence(index, position); });
    connect(m_keyWordButton, &QPushButton::clicked, this, &WritingFrame::slotShowKeyWordWindow);
    connect(m_search, &QLineEdit::textChanged, this, &WritingFrame::slotCommonSearchTextChanged);
    connect(exportButton, &QPushButton::clicked, this, &WritingFrame::slotExportClicked);
    connect(correct, &QPushButton::clicked, this, &WritingFrame::slotCheckClicked);
    connect(improve, &QPushButton::clicked, this, &WritingFrame::slotImproveClicked);
    connect(m_genie, &QTimeLine::frameChanged, this, &WritingFrame::slotGenie);
    connect(m_genie, &QTimeLine::finished, this, &WritingFrame::slotFinishGenie);
    connect(m_keyWordWindow, &KeyWordWindow::signalClose, m_keyWordButton, &QPushButton::show);
    connect(m_keyWordWindow, &KeyWordWindow::signalPreClose, this, &WritingFrame::slotKeyWordWindowClosed);
    connect(m_keyWordWindow, &KeyWordWindow::signalEditValueChanged, this, &WritingFrame::slotKeyWordEditChanged);
}

WritingFrame::~WritingFrame() = default;

void WritingFrame::setDelays(int animationMs, int hintMs)
{
    m_animationMs = animationMs;
    m_hintMs = hintMs;
    m_keyWordWindow->setAnimationMs(animationMs);
    m_genie->setDuration(qMax(animationMs * 2, 1));
}

void WritingFrame::log(const char *name) const
{
    if (m_log)
        m_log(QString::fromLatin1(name));
}

void WritingFrame::writeSentences(const QList<SentencePair> &sentences, int englishAt, int translationAt,
                                  QList<Span> *spans)
{
    QTextCursor english(m_english->document());
    QTextCursor translation(m_translation->document());
    english.setPosition(englishAt);
    translation.setPosition(translationAt);
    const QTextCharFormat plain;
    for (const SentencePair &pair : sentences) {
        Span s;
        s.englishStart = english.position();
        english.insertText(pair.content, plain);
        s.englishEnd = english.position();
        if (!pair.content.endsWith(QLatin1Char('\n')))
            english.insertText(QStringLiteral(" "), plain);
        s.translationStart = translation.position();
        translation.insertText(pair.translation, plain);
        s.translationEnd = translation.position();
        spans->append(s);
    }
}

void WritingFrame::addSentences(WritingBlockRange *block, const QList<SentencePair> &sentences,
                                const QList<Span> &spans, int at)
{
    for (int i = 0; i < sentences.size(); ++i) {
        auto s = std::make_unique<WritingSentenceRange>();
        s->pair = sentences[i];
        s->englishRange = span(m_english->document(), spans[i].englishStart, spans[i].englishEnd);
        s->translationRange = span(m_translation->document(), spans[i].translationStart, spans[i].translationEnd);
        s->findKeyWords();
        block->sentences.insert(block->sentences.begin() + at + i, std::move(s));
    }
}

void WritingFrame::fitBlock(WritingBlockRange *block)
{
    if (block->sentences.empty())
        return;
    int es = INT_MAX, ee = 0, ts = INT_MAX, te = 0;
    for (const auto &s : block->sentences) {
        es = qMin(es, s->englishRange.selectionStart());
        ee = qMax(ee, s->englishRange.selectionEnd());
        ts = qMin(ts, s->translationRange.selectionStart());
        te = qMax(te, s->translationRange.selectionEnd());
    }
    block->englishRange = span(m_english->document(), es, ee);
    block->translationRange = span(m_translation->document(), ts, te);
}

void WritingFrame::setTemplate(const HighTemplate *t)
{
    m_template = t;
    m_english->resetState();
    for (const auto &block : m_blocks)
        delete block->button;
    m_blocks.clear();
    for (QLabel *label : std::as_const(m_commonLabels))
        delete label;
    m_commonLabels.clear();
    m_commonSentences.clear();
    m_keywordValues.clear();
    m_setAside.clear();
    m_keyOrder.clear();
    m_english->clear();
    m_translation->clear();
    m_search->clear();
    if (!t)
        return;

    const QList<qint32> chosen = m_choices ? m_choices->value(t->catId) : QList<qint32>();
    if (!t->title.content.isEmpty()) {
        auto title = std::make_unique<WritingBlockRange>();
        title->alternatives = {{t->title}};
        title->current = -1;
        m_blocks.push_back(std::move(title));
    }
    for (int i = 0; i < t->blocks.size(); ++i) {
        auto block = std::make_unique<WritingBlockRange>();
        block->alternatives = t->blocks[i];
        if (block->alternatives.isEmpty())
            block->alternatives.append(HighTemplate::Alternative());
        const int c = i < chosen.size() ? chosen[i] : 0;
        block->current = c >= 0 && c < block->alternatives.size() ? c : 0;
        m_blocks.push_back(std::move(block));
    }

    // Text first, ranges afterwards: a range made early would grow with the text
    // inserted at its end.
    QList<QList<Span>> spans;
    for (std::size_t b = 0; b < m_blocks.size(); ++b) {
        WritingBlockRange *block = m_blocks[b].get();
        if (b > 0) {
            QTextCursor e(m_english->document());
            e.movePosition(QTextCursor::End);
            e.insertBlock();
            QTextCursor tr(m_translation->document());
            tr.movePosition(QTextCursor::End);
            tr.insertBlock();
        }
        QList<Span> blockSpans;
        writeSentences(block->alternatives.value(qMax(block->current, 0)), m_english->document()->characterCount() - 1,
                       m_translation->document()->characterCount() - 1, &blockSpans);
        spans.append(blockSpans);
    }
    for (std::size_t b = 0; b < m_blocks.size(); ++b) {
        WritingBlockRange *block = m_blocks[b].get();
        addSentences(block, block->alternatives.value(qMax(block->current, 0)), spans[int(b)], 0);
        fitBlock(block);
        if (block->replaceable()) {
            block->button = new HoverPushButton(block, m_english);
            block->button->setEnabled(block->hasAlternatives());
            block->button->setToolTip(block->hasAlternatives() ? QStringLiteral("换一种写法")
                                                                : QStringLiteral("本段没有其他写法"));
            connect(block->button, &HoverPushButton::signalClicked, this, &WritingFrame::slotReplaceBlockRange);
            connect(block->button, &HoverPushButton::signalHoverEntered, m_english,
                    &WritingTextEditor::slotButtonHoverEntered);
        }
    }
    refreshKeyWords();
    m_english->placeButtons();
    m_english->moveCursor(QTextCursor::Start);
    m_translation->moveCursor(QTextCursor::Start);
    for (const SentencePair &pair : t->commonSentences)
        addCommonSentence(pair);

    WritingBlockRange *first = nullptr;
    for (const auto &block : m_blocks)
        if (!first && block->button)
            first = block.get();
    if (m_tips && first && isVisible()) {
        const QPoint at = first->button->mapToGlobal(QPoint(5, 60));
        m_tips->showOnce(19, QStringLiteral("PT_Writing_Replace_Block"), at);
    }
    QTimer::singleShot(m_hintMs, this, &WritingFrame::slotShowCommonSentenceHint);
}

void WritingFrame::setKeyWordEverywhere(const QString &key, const QString &value)
{
    for (const auto &block : m_blocks)
        for (const auto &s : block->sentences)
            s->setKeyWord(key, value);
}

void WritingFrame::refreshKeyWords()
{
    QStringList keys;
    for (const auto &block : m_blocks)
        for (const auto &s : block->sentences)
            s->collectKeys(&keys);
    // A key that leaves the text (its wording swapped out, its sentence deleted) keeps
    // its value for when it comes back, so that nothing the user typed is lost.
    for (const QString &old : m_keywordValues.keys())
        if (!keys.contains(old)) {
            if (!m_keywordValues.value(old).isEmpty())
                m_setAside.insert(old, m_keywordValues.value(old));
            m_keywordValues.remove(old);
        }
    for (const QString &key : std::as_const(keys)) {
        if (!m_keywordValues.contains(key))
            m_keywordValues.insert(key, m_setAside.take(key));
        if (!m_keywordValues.value(key).isEmpty())
            setKeyWordEverywhere(key, m_keywordValues.value(key));
    }
    m_keyOrder = keys;
    m_keyWordWindow->setKeys(keys, m_keywordValues);
}

bool WritingFrame::hasAnyValue() const
{
    for (const QString &v : m_keywordValues)
        if (!v.isEmpty())
            return true;
    return false;
}

bool WritingFrame::allFilled() const
{
    for (const QString &v : m_keywordValues)
        if (v.isEmpty())
            return false;
    return true;
}

QString WritingFrame::englishText() const
{
    // The space laid after each sentence is not part of the text handed on.
    QStringList lines = m_english->toPlainText().split(QLatin1Char('\n'));
    for (QString &line : lines)
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
    return lines.join(QLatin1Char('\n'));
}

QString WritingFrame::translationText() const
{
    return m_translation->toPlainText();
}

void WritingFrame::slotKeyWordValueChanged(QString key, QString value)
{
    if (!m_keywordValues.contains(key))
        return;
    if (!value.isEmpty())
        log("Writing_High_Direct_Edit");
    slotKeyWordEditChanged(key, value);
    m_keyWordWindow->setValue(key, value);
}

void WritingFrame::slotKeyWordEditChanged(QString key, QString value)
{
    if (!m_keywordValues.contains(key))
        return;
    if (m_log && m_keyWordWindow->isVisible())
        log("Writing_High_Wnd_Edit");
    m_keywordValues.insert(key, value);
    setKeyWordEverywhere(key, value);
    m_english->placeButtons();
}

void WritingFrame::storeChoices()
{
    if (!m_choices || !m_template)
        return;
    QList<qint32> list;
    for (const auto &block : m_blocks)
        if (block->replaceable())
            list.append(block->current);
    m_choices->insert(m_template->catId, list);
}

void WritingFrame::slotReplaceBlockRange(WritingBlockRange *block)
{
    if (!block || !block->replaceable() || !block->hasAlternatives())
        return;
    log("Writing_High_Replace");
    m_english->clearHover();
    block->current = (block->current + 1) % int(block->alternatives.size());
    const int englishAt = block->englishRange.selectionStart();
    const int translationAt = block->translationRange.selectionStart();
    // The block's trailing space goes with it.
    int englishEnd = block->englishRange.selectionEnd();
    if (m_english->document()->characterAt(englishEnd) == QLatin1Char(' '))
        ++englishEnd;
    const int scroll = m_english->verticalScrollBar()->value();
    removeSpan(m_english->document(), englishAt, englishEnd);
    removeSpan(m_translation->document(), translationAt, block->translationRange.selectionEnd());
    block->sentences.clear();
    QList<Span> spans;
    const HighTemplate::Alternative &alternative = block->alternatives[block->current];
    writeSentences(alternative, englishAt, translationAt, &spans);
    addSentences(block, alternative, spans, 0);
    fitBlock(block);
    refreshKeyWords();
    m_english->verticalScrollBar()->setValue(scroll);
    m_english->slotButtonHoverEntered(block);
    m_english->placeButtons();
    storeChoices();
}

void WritingFrame::slotDeleteSentenceRange()
{
    if (WritingSentenceRange *s = m_english->hoveredSentence())
        deleteSentence(s);
}

void WritingFrame::removeBlock(WritingBlockRange *block)
{
    // The block's text and the paragraph break before it (after it for the first).
    auto it = std::find_if(m_blocks.begin(), m_blocks.end(), [block](const auto &b) { return b.get() == block; });
    if (it == m_blocks.end())
        return;
    const bool first = it == m_blocks.begin();
    const bool only = m_blocks.size() == 1;
    for (auto [view, range] : {std::pair{m_english->document(), block->englishRange},
                               std::pair{m_translation->document(), block->translationRange}}) {
        int start = range.selectionStart(), end = range.selectionEnd();
        while (view->characterAt(end) == QLatin1Char(' '))
            ++end;
        if (!first)
            --start;
        else if (!only)
            ++end;
        removeSpan(view, qMax(start, 0), qMin(end, view->characterCount() - 1));
    }
    delete block->button;
    m_blocks.erase(it);
}

void WritingFrame::deleteSentence(WritingSentenceRange *sentence)
{
    WritingBlockRange *block = nullptr;
    for (const auto &b : m_blocks)
        if (b->indexOf(sentence) >= 0)
            block = b.get();
    if (!block)
        return;
    startGenie(sentence);
    log("Writing_High_Delete");
    addCommonSentence(sentence->pair);
    m_english->clearHover();
    if (block->nearlyEmpty()) {
        removeBlock(block);
    } else {
        int end = sentence->englishRange.selectionEnd();
        if (m_english->document()->characterAt(end) == QLatin1Char(' '))
            ++end;
        removeSpan(m_english->document(), sentence->englishRange.selectionStart(), end);
        removeSpan(m_translation->document(), sentence->translationRange.selectionStart(),
                   sentence->translationRange.selectionEnd());
        block->sentences.erase(block->sentences.begin() + block->indexOf(sentence));
        fitBlock(block);
    }
    refreshKeyWords();
    m_english->placeButtons();
}

bool WritingFrame::dropCommonSentence(int index, int position)
{
    if (index < 0 || index >= m_commonSentences.size())
        return false;
    WritingBlockRange *block = m_english->blockAt(position);
    WritingSentenceRange *target = m_english->sentenceAt(block, position);
    const WritingTextEditor::DropPlace place = WritingTextEditor::dropPlace(target, position);
    if (place == WritingTextEditor::DropPlace::None)
        return false;
    log("Writing_High_Drag_Drop");
    const SentencePair common = m_commonSentences[index];
    m_commonLabels[index]->setStyleSheet(QString());
    const int at = block->indexOf(target);
    if (place == WritingTextEditor::DropPlace::Replace) {
        addCommonSentence(target->pair);
        WritingSentenceRange::setRangeText(target->englishRange, common.content);
        WritingSentenceRange::setRangeText(target->translationRange, common.translation);
        target->pair = common;
        target->findKeyWords();
    } else {
        const bool before = place == WritingTextEditor::DropPlace::Before;
        // After: past the space that follows the target.
        int englishAt = before ? target->englishRange.selectionStart() : target->englishRange.selectionEnd();
        if (!before && m_english->document()->characterAt(englishAt) == QLatin1Char(' '))
            ++englishAt;
        const int translationAt = before ? target->translationRange.selectionStart()
                                         : target->translationRange.selectionEnd();
        QList<Span> spans;
        writeSentences({common}, englishAt, translationAt, &spans);
        addSentences(block, {common}, spans, before ? at : at + 1);
        fitBlock(block);
    }
    removeCommonSentence(index);
    refreshKeyWords();
    m_english->placeButtons();
    m_english->updateHighlights();
    return true;
}

void WritingFrame::addCommonSentence(SentencePair pair)
{
    pair.content.remove(QLatin1Char('\n'));
    pair.translation.remove(QLatin1Char('\n'));
    for (const SentencePair &existing : std::as_const(m_commonSentences))
        if (existing.content == pair.content)
            return;
    m_commonSentences.append(pair);
    auto *label = new QLabel(m_panel);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setText(pair.content + QLatin1Char('\n') + pair.translation);
    label->setCursor(Qt::OpenHandCursor);
    label->setToolTip(QStringLiteral("拖到正文中：句首插入、句中替换、句尾追加"));
    label->setMargin(4);
    label->installEventFilter(this);
    m_panelLayout->insertWidget(m_panelLayout->count() - 1, label);
    m_commonLabels.append(label);
    if (!m_search->text().isEmpty())
        slotCommonSearchTextChanged(m_search->text());
}

void WritingFrame::removeCommonSentence(int index)
{
    m_commonSentences.removeAt(index);
    delete m_commonLabels.takeAt(index);
}

void WritingFrame::slotCommonSearchTextChanged(QString text)
{
    for (int i = 0; i < m_commonLabels.size(); ++i) {
        QLabel *label = m_commonLabels[i];
        const QString plain = m_commonSentences[i].content + QLatin1Char('\n') + m_commonSentences[i].translation;
        if (text.isEmpty()) {
            label->setTextFormat(Qt::PlainText);
            label->setText(plain);
            label->setVisible(true);
            continue;
        }
        const bool found = plain.contains(text, Qt::CaseInsensitive);
        label->setVisible(found);
        if (!found)
            continue;
        // The sentence is escaped before the marks go in, so its own text is never markup.
        QString marked;
        qsizetype from = 0;
        for (qsizetype at = plain.indexOf(text, 0, Qt::CaseInsensitive); at >= 0;
             at = plain.indexOf(text, from, Qt::CaseInsensitive)) {
            marked += plain.mid(from, at - from).toHtmlEscaped()
                      + QStringLiteral("<span style=\" background-color:#ffae00;\">")
                      + plain.mid(at, text.size()).toHtmlEscaped() + QStringLiteral("</span>");
            from = at + text.size();
        }
        marked += plain.mid(from).toHtmlEscaped();
        label->setTextFormat(Qt::RichText);
        label->setText(QStringLiteral("<p>") + marked.replace(QLatin1Char('\n'), QStringLiteral("<br>"))
                       + QStringLiteral("</p>"));
    }
}

bool WritingFrame::eventFilter(QObject *watched, QEvent *event)
{
    auto *label = qobject_cast<QLabel *>(watched);
    const int index = label ? int(m_commonLabels.indexOf(label)) : -1;
    if (index >= 0 && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        label->setStyleSheet(QStringLiteral(
            "QLabel{ \nbackground-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #fffbc6, stop: 1.0 "
            "#fff8c6);\nborder:1px solid #fff08d;\nborder-radius: 3px;\n }"));
        QString shown = m_commonSentences[index].content;
        if (shown.size() > 36)
            shown = shown.left(33) + QStringLiteral("...");
        QPixmap picture(200, 20);
        picture.fill(QColor(255, 251, 198, 220));
        QPainter p(&picture);
        p.setFont(QFont(QStringLiteral("Microsoft YaHei"), 9));
        p.setPen(Qt::black);
        p.drawText(0, 15, shown);
        p.end();
        auto *mime = new QMimeData;
        mime->setData(QString::fromLatin1(WritingTextEditor::MimeType), QByteArray::number(index));
        QPointer<QLabel> guard(label);
        auto *drag = new QDrag(this);
        drag->setMimeData(mime);
        drag->setPixmap(picture);
        drag->setHotSpot(QPoint(-13, -5));
        if (drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction) == Qt::IgnoreAction && guard)
            guard->setStyleSheet(QString());
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

QRect WritingFrame::keyWordStrip() const
{
    const QWidget *guide = window();
    const QPoint at = m_keyWordButton->mapToGlobal(QPoint(0, 0));
    return QRect(guide->frameGeometry().left(), at.y(), m_keyWordButton->width(), 1);
}

void WritingFrame::slotShowKeyWordWindow()
{
    m_keyWordButton->hide();
    const QRect guide = window()->frameGeometry();
    QRect target(QPoint(0, 0), m_keyWordWindow->maximumSize());
    target.moveCenter(guide.center());
    const QScreen *screen = window()->screen();
    if (screen && target.right() > screen->availableGeometry().right())
        target.moveTopRight(QPoint(guide.left(), guide.top()));
    m_keyWordWindow->animateOpen(keyWordStrip(), target);
}

void WritingFrame::slotKeyWordWindowClosed()
{
    m_keyWordWindow->animateClose(keyWordStrip());
}

void WritingFrame::slotShowCommonSentenceHint()
{
    if (!m_tips || !isVisible() || m_commonLabels.size() < 2 || m_tips->current())
        return;
    QLabel *first = m_commonLabels.first();
    m_tips->showOnce(20, QStringLiteral("PT_Writing_Common_Sentence"), first->mapToGlobal(QPoint(0, first->height())));
}

void WritingFrame::slotScroll(int dy)
{
    const int m1 = m_english->verticalScrollBar()->maximum();
    const int m2 = m_translation->verticalScrollBar()->maximum();
    if (m1 <= 0 || m2 <= 0)
        return;
    const int value = m_english->verticalScrollBar()->value();
    m_translation->verticalScrollBar()->setValue(m2 * value / m1 - dy * m2 / m1);
}

void WritingFrame::slotExportClicked()
{
    log("Writing_High_Save");
    emit signalExport(englishText());
}

void WritingFrame::slotCheckClicked()
{
    log("Writing_High_Correct");
    emit signalCopyTo(true, englishText());
}

void WritingFrame::slotImproveClicked()
{
    log("Writing_High_Improve");
    emit signalCopyTo(false, englishText());
}

void WritingFrame::startGenie(const WritingSentenceRange *sentence)
{
    if (m_animationMs <= 0 || !m_english->isVisible())
        return;
    QTextCursor start(m_english->document()), end(m_english->document());
    start.setPosition(sentence->englishRange.selectionStart());
    end.setPosition(sentence->englishRange.selectionEnd());
    const QRect a = m_english->cursorRect(start), b = m_english->cursorRect(end);
    m_genieRect = QRect(QPoint(0, a.top()), QPoint(m_english->viewport()->width(), b.bottom()));
    QPixmap picture = m_english->viewport()->grab(m_genieRect);
    QPainter p(&picture);
    p.fillRect(picture.rect(), QColor(255, 255, 255, 100));
    p.end();
    m_genieLabel->setPixmap(picture);
    m_genieLabel->setGeometry(m_genieRect);
    m_genieLabel->show();
    m_genieLabel->raise();
    m_genie->stop();
    m_genie->start();
}

void WritingFrame::slotGenie(int frame)
{
    // Shrinks towards the panel side, narrowing faster than it flattens.
    const double k = 1.0 - frame / 255.0;
    const int w = int(m_genieRect.width() * k * k), h = qMax(1, int(m_genieRect.height() * k));
    m_genieLabel->setGeometry(m_genieRect.right() - w, m_genieRect.top() + (m_genieRect.height() - h) / 2, w, h);
}

void WritingFrame::slotFinishGenie()
{
    m_genieLabel->hide();
}

void WritingFrame::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    m_keyWordWindow->hide();
    m_keyWordButton->show();
    if (m_tips && m_tips->current())
        m_tips->current()->close();
}
