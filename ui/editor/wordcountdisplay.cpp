#include "wordcountdisplay.h"

#include "wordcounter.h"

#include <QLabel>
#include <QTextEdit>

WordCountDisplay::WordCountDisplay(QTextEdit *editor, QLabel *label, int delayMs, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_label(label)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(qMax(0, delayMs));
    connect(&m_timer, &QTimer::timeout, this, &WordCountDisplay::count);
    // Restarting the timer is all a change costs; the text is read once it settles.
    connect(m_editor, &QTextEdit::textChanged, &m_timer, qOverload<>(&QTimer::start));
    show(0);
}

void WordCountDisplay::show(int words)
{
    m_words = words;
    m_label->setText(QStringLiteral("单词数：%1").arg(words));
}

void WordCountDisplay::count()
{
    show(ZeltraLib::countTextWords(m_editor->toPlainText()));
}
