#include "highguideframe.h"

#include "hightemplatedownloader.h"
#include "templatecatalognode.h"
#include "tippresenter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

using namespace ZeltraLib;

HighGuideFrame::HighGuideFrame(const QString &apiHost, QWidget *parent)
    : QFrame(parent)
    , m_downloader(new HighTemplateDownloader(apiHost, this))
{
    setObjectName(QStringLiteral("HighGuideClass"));
    auto *layout = new QVBoxLayout(this);
    auto *note = new QLabel(QStringLiteral("该模板为高灵活度模板，内容的灵活度较高，您可以通过替换内容、填充关键字、选用推荐句型来完成。"), this);
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color:#2f6fd6;"));
    m_description = new QTextBrowser(this);
    m_description->setObjectName(QStringLiteral("tb_description"));
    m_description->setMaximumHeight(70);
    m_document = new QTextBrowser(this);
    m_document->setObjectName(QStringLiteral("tb_document"));
    QFont font = m_document->font();
    font.setPointSize(11);
    m_document->setFont(font);
    auto *buttons = new QHBoxLayout;
    auto *back = new QPushButton(QStringLiteral("返回"), this);
    back->setObjectName(QStringLiteral("pb_back"));
    m_next = new QPushButton(QStringLiteral("下一步"), this);
    m_next->setObjectName(QStringLiteral("pb_next"));
    buttons->addStretch();
    buttons->addWidget(back);
    buttons->addWidget(m_next);
    layout->addWidget(note);
    layout->addWidget(m_description);
    layout->addWidget(m_document, 1);
    layout->addLayout(buttons);
    connect(back, &QPushButton::clicked, this, &HighGuideFrame::signalBack);
    connect(m_next, &QPushButton::clicked, this, &HighGuideFrame::signalNext);
    connect(m_downloader, &HighTemplateDownloader::signalGetTemplateFinished, this,
            &HighGuideFrame::slotDownloadTemplateFinished);
}

void HighGuideFrame::showTemplate(const TemplateCatalogNode &node, HighTemplate *target)
{
    m_next->setEnabled(false);
    m_template = target;
    target->commonSentences.clear();
    target->blocks.clear();
    m_document->clear();
    m_document->setCurrentCharFormat(QTextCharFormat());
    m_description->clear();
    m_downloader->getTemplate(node.id, target);
}

QString HighGuideFrame::previewText(const HighTemplate &t, const QList<qint32> &choices)
{
    // Each paragraph's English on its own line with its Chinese under it, and a blank
    // line between paragraphs: run together in one line the two languages are hard to
    // tell apart.
    QString text;
    auto flush = [&text](QString &english, QString &chinese) {
        while (english.endsWith(QLatin1Char(' ')) || english.endsWith(QLatin1Char('\n')))
            english.chop(1);
        while (chinese.endsWith(QLatin1Char('\n')))
            chinese.chop(1);
        if (!english.isEmpty() || !chinese.isEmpty())
            text += english + QLatin1Char('\n') + chinese + QStringLiteral("\n\n");
        english.clear();
        chinese.clear();
    };
    QString english, chinese;
    if (!t.title.content.isEmpty()) {
        english = t.title.content;
        chinese = t.title.translation;
        flush(english, chinese);
    }
    for (int i = 0; i < t.blocks.size(); ++i) {
        const HighTemplate::Block &block = t.blocks[i];
        const int c = i < choices.size() && choices[i] >= 0 && choices[i] < block.size() ? choices[i] : 0;
        for (const SentencePair &s : block.value(c)) {
            if (english.endsWith(QLatin1Char('\n')))
                flush(english, chinese);
            english += s.content;
            if (!s.content.endsWith(QLatin1Char('\n')))
                english += QLatin1Char(' ');
            chinese += s.translation;
        }
        flush(english, chinese);
    }
    return text;
}

void HighGuideFrame::slotDownloadTemplateFinished()
{
    if (!m_template)
        return;
    const QList<qint32> chosen = m_choices ? m_choices->value(m_template->catId) : QList<qint32>();
    m_description->setPlainText(m_template->description.trimmed());
    // Each paragraph shows its English, then its Chinese.
    QString text = previewText(*m_template, chosen);
    m_document->setPlainText(text);
    QTextCharFormat blue;
    blue.setForeground(QColor(QStringLiteral("#0000FF")));
    for (qsizetype open = text.indexOf(QLatin1Char('[')); open >= 0; open = text.indexOf(QLatin1Char('['), open + 1)) {
        const qsizetype close = text.indexOf(QLatin1Char(']'), open);
        if (close < 0)
            break;
        QTextCursor c(m_document->document());
        c.setPosition(int(open));
        c.setPosition(int(close) + 1, QTextCursor::KeepAnchor);
        c.mergeCharFormat(blue);
        open = close;
    }
    m_next->setEnabled(true);
    if (m_tips && isVisible())
        m_tips->showOnce(18, QStringLiteral("PT_Writing_Next"), m_next->mapToGlobal(QPoint(-90, -51)));
}
