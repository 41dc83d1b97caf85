#pragma once

#include <QDialog>
#include <QPointer>

class CompletionLabel;
class QCheckBox;
class QLineEdit;
class QPushButton;

// "替换": what to find, what to put instead and the case flag; its buttons ask the main
// window to find the next occurrence (0), replace the current one and find on (1) or
// replace all (2). Closing does not delete it; a creator that wants that sets
// Qt::WA_DeleteOnClose.
class ReplaceWindow : public QDialog
{
    Q_OBJECT
public:
    enum Code { FindNext = 0, ReplaceOne = 1, ReplaceAll = 2 };

    explicit ReplaceWindow(QWidget *parent = nullptr);

    QString searchText() const;
    QString replaceText() const;
    bool caseSensitive() const;
    // The completion line of a code: "已完成对文档的搜索", "已完成对文档的替换" or
    // "全部替换完成", at y = 60, 88 or 116.
    void showCompletion(int code);
    // "Find next" went past the end and on from the start.
    void showWrapped();
    // A plain hit: the line of an earlier search goes.
    void hideCompletion();
    QString completionText() const;
    int completionY() const;

    QLineEdit *searchEdit() const { return m_search; }
    QLineEdit *replaceEdit() const { return m_replace; }
    QCheckBox *caseBox() const { return m_case; }
    QPushButton *button(Code code) const { return m_buttons[code]; }

signals:
    void signalReplace(int nReplaceCode, ReplaceWindow *wnd);

public Q_SLOTS:
    void slotSearch();
    void slotReplace();
    void slotReplaceAll();
    void slotInputChanged();
    void slotClose();
    void slotMove(int dx, int dy);

private:
    void request(int code);

    QLineEdit *m_search = nullptr;
    QLineEdit *m_replace = nullptr;
    QCheckBox *m_case = nullptr;
    QPushButton *m_buttons[3] = {};
    QPointer<CompletionLabel> m_completion;
};
