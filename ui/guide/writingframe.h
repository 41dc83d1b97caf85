#pragma once

#include "guideeventlog.h"
#include "hightemplate.h"
#include "writingchoices.h"

#include <QFrame>
#include <QHash>
#include <QPointer>
#include <QStringList>

#include <memory>
#include <vector>

class KeyWordWindow;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QTimeLine;
class QVBoxLayout;
class TipPresenter;
class WritingBlockRange;
class WritingSentenceRange;
class WritingTextEditor;

// The template editor: a detailed template as read-only English text beside its
// translation, whose key words the user fills, whose blocks the user swaps for their
// alternative wordings, whose sentences the user deletes or replaces with common
// sentences dragged from the side panel. The English text then goes to a file or to
// the main window.
class WritingFrame : public QFrame
{
    Q_OBJECT
public:
    explicit WritingFrame(QWidget *parent = nullptr);
    ~WritingFrame() override;

    // choices: the guide's remembered alternatives (not owned, outlives the frame).
    void setChoices(ZeltraLib::WritingChoices::Map *choices) { m_choices = choices; }
    void setEventLog(GuideEventLog log) { m_log = std::move(log); }
    // tips: the guide's tip presenter (not owned); null shows no tips.
    void setTips(TipPresenter *tips) { m_tips = tips; }
    // Test hooks: animation and hint delays in ms (0 = at once).
    void setDelays(int animationMs, int hintMs);

    // Loads a template (owned by the guide, kept alive while shown).
    void setTemplate(const ZeltraLib::HighTemplate *t);
    bool hasAnyValue() const;
    bool allFilled() const;
    void showKeyWordWindow() { slotShowKeyWordWindow(); }

    // The English text as it leaves the editor: blocks separated by line feeds.
    QString englishText() const;
    QString translationText() const;

    // The operations behind the mouse, for the guide and tests.
    const std::vector<std::unique_ptr<WritingBlockRange>> &blocks() const { return m_blocks; }
    WritingTextEditor *englishView() const { return m_english; }
    QTextEdit *translationView() const { return m_translation; }
    KeyWordWindow *keyWordWindow() const { return m_keyWordWindow; }
    QHash<QString, QString> keywordValues() const { return m_keywordValues; }
    const QList<ZeltraLib::SentencePair> &commonSentences() const { return m_commonSentences; }
    QList<QLabel *> commonLabels() const { return m_commonLabels; }
    void deleteSentence(WritingSentenceRange *sentence);
    // A common sentence dropped at a document position of the English view; false
    // when the index or the place is not a valid target.
    bool dropCommonSentence(int index, int position);

Q_SIGNALS:
    void signalBack();
    void signalExport(QString text);
    void signalCopyTo(bool bCheck, QString text);

public Q_SLOTS:
    void slotShowKeyWordWindow();
    void slotReplaceBlockRange(WritingBlockRange *pBlockRange);
    void slotDeleteSentenceRange();
    void slotKeyWordWindowClosed();
    void slotKeyWordValueChanged(QString key, QString value);
    void slotKeyWordEditChanged(QString key, QString value);
    void slotCommonSearchTextChanged(QString text);
    void slotExportClicked();
    void slotCheckClicked();
    void slotImproveClicked();
    void slotShowCommonSentenceHint();
    void slotScroll(int dy);
    void slotGenie(int frame);
    void slotFinishGenie();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    struct Span
    {
        int englishStart, englishEnd, translationStart, translationEnd;
    };
    // Writes the sentences at the two positions; their spans in *spans.
    void writeSentences(const QList<ZeltraLib::SentencePair> &sentences, int englishAt, int translationAt,
                        QList<Span> *spans);
    // Sentence ranges for written spans, key words found.
    void addSentences(WritingBlockRange *block, const QList<ZeltraLib::SentencePair> &sentences,
                      const QList<Span> &spans, int at);
    void fitBlock(WritingBlockRange *block);
    void removeBlock(WritingBlockRange *block);
    void setKeyWordEverywhere(const QString &key, const QString &value);
    void refreshKeyWords();
    void addCommonSentence(ZeltraLib::SentencePair pair);
    void removeCommonSentence(int index);
    void storeChoices();
    void log(const char *name) const;
    QRect keyWordStrip() const;
    void startGenie(const WritingSentenceRange *sentence);

    const ZeltraLib::HighTemplate *m_template = nullptr; // not owned
    ZeltraLib::WritingChoices::Map *m_choices = nullptr; // not owned
    std::vector<std::unique_ptr<WritingBlockRange>> m_blocks;
    QList<ZeltraLib::SentencePair> m_commonSentences;
    QList<QLabel *> m_commonLabels; // children of the panel
    QHash<QString, QString> m_keywordValues;
    QHash<QString, QString> m_setAside; // values of keys no sentence holds now
    QStringList m_keyOrder;
    GuideEventLog m_log;
    TipPresenter *m_tips = nullptr; // not owned
    int m_animationMs = 200;
    int m_hintMs = 500;

    WritingTextEditor *m_english = nullptr;
    QTextEdit *m_translation = nullptr;
    QLineEdit *m_search = nullptr;
    QWidget *m_panel = nullptr;
    QVBoxLayout *m_panelLayout = nullptr;
    QPushButton *m_keyWordButton = nullptr;
    KeyWordWindow *m_keyWordWindow = nullptr; // child (a tool window)
    QLabel *m_genieLabel = nullptr;           // child of the English view
    QTimeLine *m_genie = nullptr;             // child
    QRect m_genieRect;
};
