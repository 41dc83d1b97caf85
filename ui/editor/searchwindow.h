#pragma once

#include <QDialog>
#include <QPointer>

class CompletionLabel;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "查找": collects what to find, case and direction; the main window searches and asks
// for the completion message when nothing more is found. Closing does not delete it;
// a creator that wants that sets Qt::WA_DeleteOnClose.
class SearchWindow : public QDialog
{
    Q_OBJECT
public:
    explicit SearchWindow(QWidget *parent = nullptr);

    QString searchText() const;
    bool caseSensitive() const;
    bool downward() const;
    // "已完成对文档的搜索", faded in.
    void showNotFound();
    // The search went past the end (downward) or the start and on from the other end.
    void showWrapped(bool downward);
    // A plain hit: the line of an earlier search goes.
    void hideCompletion();
    QString completionText() const;

    QLineEdit *searchEdit() const { return m_edit; }
    QPushButton *findButton() const { return m_find; }
    QCheckBox *caseBox() const { return m_case; }
    QRadioButton *downButton() const { return m_down; }
    QRadioButton *upButton() const { return m_up; }

signals:
    void signalSearch(SearchWindow *wnd);

public Q_SLOTS:
    void slotSearch();
    void slotInputChanged();
    void slotClose();
    void slotMove(int dx, int dy);

private:
    QLineEdit *m_edit = nullptr;
    QCheckBox *m_case = nullptr;
    QRadioButton *m_down = nullptr;
    QRadioButton *m_up = nullptr;
    QPushButton *m_find = nullptr;
    QPointer<CompletionLabel> m_completion;
};
