#pragma once

#include <QObject>
#include <QTimer>

class QLabel;
class QTextEdit;

// The status line's word count ("单词数：N"), kept in step with the editor's text
// whatever changed it (typing, paste, clear, open, undo). A burst of edits is counted
// once, after `delayMs` without a change. Editor and label are not owned; both must
// outlive this object.
class WordCountDisplay : public QObject
{
    Q_OBJECT
public:
    WordCountDisplay(QTextEdit *editor, QLabel *label, int delayMs, QObject *parent = nullptr);

    // Shows a count made elsewhere (the check's own) at once.
    void show(int words);
    int words() const { return m_words; }
    bool isPending() const { return m_timer.isActive(); }

private:
    void count();

    QTextEdit *m_editor;
    QLabel *m_label;
    QTimer m_timer;
    int m_words = 0;
};
