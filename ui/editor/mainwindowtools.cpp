// MainWindow: the tools around the editor — opening documents, the writing guide, the
// dictionary panel, and search and replace.
#include "mainwindow.h"

#include "correctionhistory.h"
#include "custommessagebox.h"
#include "customtexteditor.h"
#include "dictionarypanel.h"
#include "documentdialog.h"
#include "leftsidebar.h"
#include "replacewindow.h"
#include "searchwindow.h"
#include "servicehosts.h"
#include "textfileio.h"
#include "textsearch.h"
#include "userinformation.h"
#include "writingguidewindow.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

using namespace ZeltraLib;

DictionaryPanel *MainWindow::dictionaryPanel()
{
    if (m_dictionary)
        return m_dictionary;
    const QString host = m_services.apiHost.isEmpty() ? ZeltraLib::ApiHost() : m_services.apiHost;
    auto count = [this](const QString &event) { m_services.usage.countEvent(event); };
    m_dictionary = new DictionaryPanel({m_prefs, host, count, {}}, m_ui.dictionaryArea);
    auto *layout = new QVBoxLayout(m_ui.dictionaryArea);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_dictionary);
    connect(m_dictionary, &DictionaryPanel::signalOpen, this, &MainWindow::slotDisplayDictPanel);
    connect(m_dictionary, &DictionaryPanel::signalLock, this, &MainWindow::slotDictLock);
    connect(m_dictionary, &DictionaryPanel::signalDouble, this, &MainWindow::slotDictDouble);
    connect(m_dictionary, &DictionaryPanel::signalServiceReached, this, &MainWindow::slotServiceReached);
    return m_dictionary;
}

void MainWindow::slotOpen()
{
    m_services.usage.countEvent(QStringLiteral("Main_OpenFile"));
    const QString path = m_services.chooseOpenFile ? m_services.chooseOpenFile(this)
                                                   : DocumentDialog::chooseOpenFile(this);
    if (path.isEmpty())
        return;
    if (m_ui.editor->hasText()) {
        CustomMessageBox box(QStringLiteral("覆盖确认"), QStringLiteral("是否覆盖文本框中的文本？"),
                             QStringLiteral("覆盖"), this);
        if (box.exec() != QDialog::Accepted)
            return;
    }
    setTextFromFile(path);
}

// Loads a document into the editor; a file that cannot be read leaves everything as it
// was and says which file and why.
void MainWindow::setTextFromFile(const QString &path)
{
    QString text;
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor); // a LibreOffice conversion takes seconds
    const bool read = TextFileIo::read(path, &text, &error);
    QApplication::restoreOverrideCursor();
    if (!read) {
        CustomMessageBox box(QStringLiteral("提示"), DocumentDialog::openFailedText(path, error), this);
        box.exec();
        return;
    }
    reset();
    m_ui.editor->loadText(text);
}

void MainWindow::slotWritingGuide()
{
    if (!m_guide) {
        m_guide = new WritingGuideWindow(ZeltraLib::ApiHost(), &m_prefs, &m_services.promptTips, this);
        m_guide->setEventLog([this](const QString &name) { m_services.usage.countEvent(name); });
        connect(m_guide, &WritingGuideWindow::signalCopyCheck, this, &MainWindow::slotWriteCopyCheck);
    }
    if (m_guide->exec() == QDialog::Rejected)
        delete m_guide;
}

void MainWindow::slotWriteCopyCheck(bool bCheck, QString text)
{
    if (m_ui.editor->hasText() && !m_guide->confirmOverwrite())
        return;
    (bCheck ? m_ui.sideBar->correctModeButton() : m_ui.sideBar->polishModeButton())->setChecked(true);
    reset();
    m_ui.editor->loadText(text);
    m_guide->accept();
}

void MainWindow::slotDisplaySearchWnd()
{
    if (m_searchWnd || m_replaceWnd)
        return;
    m_searchWnd = new SearchWindow(this);
    connect(m_searchWnd, &SearchWindow::signalSearch, this, &MainWindow::slotSearch);
    showToolWindow(m_searchWnd);
}

void MainWindow::slotDisplayReplaceWnd()
{
    if (m_searchWnd || m_replaceWnd)
        return;
    m_replaceWnd = new ReplaceWindow(this);
    connect(m_replaceWnd, &ReplaceWindow::signalReplace, this, &MainWindow::slotReplace);
    showToolWindow(m_replaceWnd);
}

void MainWindow::showToolWindow(QWidget *wnd)
{
    wnd->setAttribute(Qt::WA_DeleteOnClose); // made for one opening; m_*Wnd follow it by QPointer
    connect(wnd, &QObject::destroyed, this, &MainWindow::slotSearchWndClosed);
    wnd->move(geometry().center() - wnd->rect().center());
    wnd->show();
    // Typing goes to the search field at once, not into the essay behind it.
    wnd->raise();
    wnd->activateWindow();
}

void MainWindow::slotSearchWndClosed()
{
    m_searchWnd = nullptr;
    m_replaceWnd = nullptr;
}

void MainWindow::slotSearch(SearchWindow *wnd)
{
    if (!wnd)
        return;
    QTextDocument::FindFlags flags;
    if (wnd->caseSensitive())
        flags |= QTextDocument::FindCaseSensitively;
    if (!wnd->downward())
        flags |= QTextDocument::FindBackward;
    bool wrapped = false;
    if (!TextSearch::findNext(m_ui.editor, wnd->searchText(), flags, &wrapped))
        wnd->showNotFound();
    else if (wrapped)
        wnd->showWrapped(wnd->downward());
    else
        wnd->hideCompletion();
}

void MainWindow::slotReplace(int nReplaceCode, ReplaceWindow *wnd)
{
    if (!wnd || nReplaceCode < ReplaceWindow::FindNext || nReplaceCode > ReplaceWindow::ReplaceAll)
        return;
    QTextDocument::FindFlags flags;
    if (wnd->caseSensitive())
        flags |= QTextDocument::FindCaseSensitively;
    if (nReplaceCode == ReplaceWindow::ReplaceAll) {
        TextSearch::replaceAll(m_ui.editor, wnd->searchText(), wnd->replaceText(), flags);
        // One edit block: the editor reports one text edit, one step of the undo history.
        m_ui.editor->relayout();
        wnd->showCompletion(ReplaceWindow::ReplaceAll);
        return;
    }
    if (nReplaceCode == ReplaceWindow::ReplaceOne
        && TextSearch::replaceSelected(m_ui.editor, wnd->searchText(), wnd->replaceText()))
        m_ui.editor->relayout();
    bool wrapped = false;
    if (!TextSearch::findNext(m_ui.editor, wnd->searchText(), flags, &wrapped))
        wnd->showCompletion(nReplaceCode);
    else if (wrapped)
        wnd->showWrapped();
    else
        wnd->hideCompletion();
}
