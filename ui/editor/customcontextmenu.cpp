#include "customcontextmenu.h"

#include "callbackobject.h"
#include "checkcodes.h"
#include "correctionitem.h"
#include "customaction.h"
#include "customtexteditor.h"
#include "replaceaction.h"
#include "sentenceentry.h"
#include "synonym.h"
#include "userinformation.h"

#include <QIcon>
#include <QKeySequence>
#include <QTextBlock>

#include <utility>

using namespace ZeltraLib;

namespace {
const char MenuStyle[] =
    "QMenu { background: #fafafa; border: 1px solid #959595; padding: 3px; color: #111111; }"
    "QMenu::item { padding: 4px 25px; }"
    "QMenu::item:selected { background: #c5e3f8; }"
    "QMenu::item:disabled { color: #9A9A9A; }";
const char SynonymStyle[] =
    "QMenu { background: #fafafa; border: 1px solid #959595; padding: 3px; color: #111111; }"
    "QMenu::item { padding: 4px 25px; }"
    "QMenu::item:disabled { color: #9A9A9A; }"
    "QFrame#replaceRow:hover { background: #c5e3f8; }";

QIcon resourceIcon(const char *name)
{
    return QIcon(QStringLiteral(":/MainWindow/Resources/") + QLatin1String(name));
}

bool wordChar(QChar ch)
{
    return ch.isLetter() || ch == QLatin1Char('-');
}

QChar charAt(const QTextDocument *document, int position)
{
    if (position < 0 || position >= document->characterCount())
        return QChar();
    return document->characterAt(position);
}
} // namespace

CustomContextMenu::CustomContextMenu(CustomTextEditor *editor, CorrectionItem *finding,
                                     SentenceEntry *sentence, const ContextMenuOptions &options,
                                     QWidget *parent)
    : AnimationMenu(parent), m_editor(editor), m_finding(finding), m_sentence(sentence), m_options(options)
{
    setStyleSheet(QLatin1String(MenuStyle));
    if (m_sentence) {
        m_targetText = m_sentence->text();
        const QString prefix = m_options.useCtrl ? QStringLiteral("Ctrl+") : QString();
        bool offerWords = false;
        if (m_finding) {
            addFindingEntries(prefix);
            offerWords = m_finding->isApplied();
            if (offerWords)
                m_targetRange = m_finding->cursor();
        } else {
            if (m_sentence->hasSuggestion()) {
                QAction *revert = addAction(QStringLiteral("撤销"));
                revert->setShortcut(QKeySequence(QStringLiteral("F2")));
                revert->setEnabled(false);
                QAction *ignore = addAction(QStringLiteral("忽略"), this, &CustomContextMenu::slotIgnorSuggestion);
                ignore->setShortcut(QKeySequence(prefix + QStringLiteral("0")));
                addSeparator();
            }
            QTextCursor selection = m_editor->textCursor();
            if (selection.hasSelection()) {
                m_targetRange = selection;
                m_targetText = selection.selectedText();
                offerWords = isOneWord(selection);
            } else {
                m_targetRange = wordAt(selection);
                m_editor->setTextCursor(m_targetRange);
                offerWords = m_targetRange.hasSelection();
            }
        }
        if (offerWords)
            addReplaceableWords();
        addAction(resourceIcon("translate.svg"), QStringLiteral("整句翻译"), this, &CustomContextMenu::slotTranslate);
        addAction(resourceIcon("search.svg"), QStringLiteral("快速搜索"), this, &CustomContextMenu::slotSearchWeb);
        addSeparator();
    }
    addClipboardEntries();
}

CustomContextMenu::~CustomContextMenu() = default;

void CustomContextMenu::addFindingEntries(const QString &prefix)
{
    const bool applied = m_finding->isApplied();
    QAction *header = addAction(QIcon(QStringLiteral(":/MainWindow/Resources/logo.ico")), m_finding->foundText(),
                                this, &CustomContextMenu::slotRevert);
    header->setEnabled(applied);
    addSeparator();
    for (int i = 0; i < m_finding->candidateCount(); ++i) {
        auto *action = new CustomAction(i, m_finding->entryText(i), this);
        action->setShortcut(QKeySequence(prefix + QString::number(i + 1)));
        connect(action, &CustomAction::signalClicked, this, &CustomContextMenu::slotCorrClicked);
        addAction(action);
    }
    addSeparator();
    QAction *revert = addAction(QStringLiteral("撤销"), this, &CustomContextMenu::slotRevert);
    revert->setShortcut(QKeySequence(QStringLiteral("F2")));
    revert->setEnabled(applied);
    QAction *ignore = addAction(QStringLiteral("忽略"), this, &CustomContextMenu::slotIgnor);
    ignore->setShortcut(QKeySequence(prefix + QStringLiteral("0")));
    if (m_finding->mayAddToDictionary()) {
        addAction(QStringLiteral("忽略同样错误"), this, &CustomContextMenu::slotIgnorAll);
        addAction(resourceIcon("library.svg"), QStringLiteral("加入我的词库"), this, &CustomContextMenu::slotAddDict);
    } else if (m_finding->category() == CategoryImprove) {
        addAction(QStringLiteral("忽略同样润色"), this, &CustomContextMenu::slotIgnorAll);
    }
    addSeparator();
}

void CustomContextMenu::addReplaceableWords()
{
    m_synonymMenu = addMenu(resourceIcon("replace.svg"), QStringLiteral("可替换词"));
    m_synonymMenu->setStyleSheet(QLatin1String(SynonymStyle));
    if (!m_options.synonymHost.isEmpty()) {
        m_synonymStart = m_targetRange.selectionStart() - m_sentence->start();
        m_synonymEnd = m_targetRange.selectionEnd() - m_sentence->start();
        m_synonym = new Synonym(m_options.synonymHost, this);
        connect(m_synonym, &Synonym::signalResult, this, &CustomContextMenu::slotGetSynonym);
        m_synonym->request(m_sentence->text(), m_synonymStart, m_synonymEnd);
    }
    addAction(resourceIcon("dict.svg"), QStringLiteral("查词"), this, &CustomContextMenu::slotFindInDict);
}

void CustomContextMenu::addClipboardEntries()
{
    const bool selected = m_editor->textCursor().hasSelection();
    QAction *cut = addAction(QStringLiteral("剪切"), this, &CustomContextMenu::signalCut);
    cut->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));
    cut->setEnabled(selected);
    QAction *copy = addAction(QStringLiteral("复制"), this, &CustomContextMenu::slotCopy);
    copy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    copy->setEnabled(selected);
    QAction *paste = addAction(QStringLiteral("粘贴"), this, &CustomContextMenu::slotPaste);
    paste->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));
    paste->setEnabled(m_editor->canPaste());
}

bool CustomContextMenu::isOneWord(const QTextCursor &selection)
{
    const QString text = selection.selectedText();
    if (text.isEmpty())
        return false;
    for (QChar ch : text) {
        if (!wordChar(ch))
            return false;
    }
    const QTextDocument *document = selection.document();
    const QChar before = charAt(document, selection.selectionStart() - 1);
    const QChar after = charAt(document, selection.selectionEnd());
    return !wordChar(before) && !wordChar(after);
}

QTextCursor CustomContextMenu::wordAt(const QTextCursor &caret)
{
    const QTextDocument *document = caret.document();
    int start = caret.position();
    int end = start;
    while (wordChar(charAt(document, start - 1)))
        --start;
    while (wordChar(charAt(document, end)))
        ++end;
    QTextCursor word(caret);
    word.setPosition(start);
    word.setPosition(end, QTextCursor::KeepAnchor);
    return word;
}

void CustomContextMenu::count(const char *name, const char *polishName)
{
    if (m_options.usage)
        m_options.usage->countEvent(QLatin1String(m_options.polish && polishName ? polishName : name));
}

void CustomContextMenu::slotCorrClicked(int index)
{
    if (m_finding)
        m_finding->applyByIndex(index);
}

void CustomContextMenu::slotIgnor()
{
    if (CorrectionItem *finding = std::exchange(m_finding, nullptr))
        finding->correct(MenuItemIgnore);
}

void CustomContextMenu::slotAddDict()
{
    if (CorrectionItem *finding = std::exchange(m_finding, nullptr))
        emit CallbackObject::instance().signalCallback(finding, MenuItemAddToDictionary);
}

void CustomContextMenu::slotRevert()
{
    if (m_finding)
        m_finding->correct(MenuItemRevert);
}

void CustomContextMenu::slotIgnorAll()
{
    if (CorrectionItem *finding = std::exchange(m_finding, nullptr))
        emit CallbackObject::instance().signalCallback(finding, MenuItemIgnoreAll);
}

void CustomContextMenu::slotIgnorSuggestion()
{
    // The panel's ignore of a sentence suggestion: no finding, code 1.
    emit CallbackObject::instance().signalCallback(nullptr, MenuItemIgnore);
}

void CustomContextMenu::slotCopy()
{
    m_editor->copy();
}

void CustomContextMenu::slotPaste()
{
    m_editor->paste();
}

void CustomContextMenu::slotFindInDict()
{
    count("ContexMenu_SearchWord", "ContexMenu_Improve_SearchWord");
    emit signalFindInDict(m_targetRange.selectedText(), QString());
}

void CustomContextMenu::slotTranslate()
{
    count("ContexMenu_Translation", "ContexMenu_Improve_Translation");
    emit signalTranslate(m_targetText);
}

void CustomContextMenu::slotSearchWeb()
{
    count("ContexMenu_SearchOnline", "ContexMenu_Improve_SearchOnline");
    emit signalSearchWeb(m_targetText);
}

void CustomContextMenu::slotGetSynonym(QStringList strResult)
{
    if (!m_synonymMenu)
        return;
    m_synonymMenu->clear();
    if (strResult.isEmpty()) {
        m_synonymMenu->setEnabled(false);
        return;
    }
    const QString word = m_targetRange.selectedText();
    const bool capital = !word.isEmpty() && word.at(0).isUpper();
    for (QString synonym : std::as_const(strResult)) {
        if (capital && !synonym.isEmpty())
            synonym[0] = synonym.at(0).toUpper();
        auto *action = new ReplaceAction(synonym, m_synonymMenu);
        connect(action, &ReplaceAction::signalCompare, this, &CustomContextMenu::slotCmpInDict);
        connect(action, &ReplaceAction::signalReplace, this, &CustomContextMenu::slotReplace);
        m_synonymMenu->addAction(action);
    }
    m_synonymMenu->setEnabled(true);
}

void CustomContextMenu::slotCmpInDict(const QString &text)
{
    count("ContexMenu_CompareWord");
    close();
    emit signalFindInDict(m_targetRange.selectedText(), text);
}

void CustomContextMenu::slotReplace(const QString &text)
{
    count("ContexMenu_Replace");
    if (CorrectionItem *finding = std::exchange(m_finding, nullptr))
        finding->correct(MenuItemIgnore);
    if (!m_targetRange.isNull())
        m_editor->replaceSelection(m_targetRange, text);
}
