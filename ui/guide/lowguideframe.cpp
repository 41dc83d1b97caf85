#include "lowguideframe.h"

#include "boundednetworkaccessmanager.h"
#include "lowtemplatedownloader.h"
#include "replyguards.h"
#include "templatecatalognode.h"
#include "tippresenter.h"

#include <QButtonGroup>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

using namespace ZeltraLib;

namespace {
// Largest cover picture and document accepted.
constexpr qint64 MaxCoverBytes = 4 * 1024 * 1024;
constexpr qint64 MaxDocumentBytes = 64 * 1024 * 1024;

void clearLayout(QLayout *layout)
{
    while (QLayoutItem *item = layout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
}
} // namespace

LowGuideFrame::LowGuideFrame(const QString &apiHost, QWidget *parent)
    : QFrame(parent)
    , m_downloader(new LowTemplateDownloader(apiHost, this))
    , m_network(new ZeltraLib::BoundedNetworkAccessManager(this))
{
    setObjectName(QStringLiteral("LowGuideClass"));
    auto *layout = new QVBoxLayout(this);
    auto *note = new QLabel(QStringLiteral("该模板为低灵活度模板，对格式的要求较高。您可以填写关键字后再导出该模板。"), this);
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color:#2e9d6a;"));
    m_description = new QTextBrowser(this);
    m_description->setObjectName(QStringLiteral("tb_description"));
    m_description->setMaximumHeight(70);
    m_radioFrame = new QWidget(this);
    m_radioFrame->setObjectName(QStringLiteral("frame_template_radio"));
    m_radioLayout = new QHBoxLayout(m_radioFrame);
    m_radioLayout->setObjectName(QStringLiteral("layout_template_radio"));
    m_radioLayout->setContentsMargins(0, 0, 0, 0);
    m_cover = new QLabel(this);
    m_cover->setObjectName(QStringLiteral("lb_document_cover"));
    m_cover->setFixedSize(240, 320);
    m_cover->setAlignment(Qt::AlignCenter);
    m_cover->setStyleSheet(QStringLiteral("QLabel{background:#eef1f5;border:1px solid #d5dbe3;}"));
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    m_keyFrame = new QWidget(scroll);
    m_keyFrame->setObjectName(QStringLiteral("frame_key_word"));
    m_keyLayout = new QVBoxLayout(m_keyFrame);
    m_keyLayout->setObjectName(QStringLiteral("layout_key_word"));
    scroll->setWidget(m_keyFrame);
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_cover, 0, Qt::AlignTop);
    middle->addWidget(scroll, 1);
    auto *buttons = new QHBoxLayout;
    auto *back = new QPushButton(QStringLiteral("返回"), this);
    back->setObjectName(QStringLiteral("pb_back"));
    m_export = new QPushButton(QStringLiteral("导出"), this);
    m_export->setObjectName(QStringLiteral("pb_export"));
    buttons->addStretch();
    buttons->addWidget(back);
    buttons->addWidget(m_export);
    layout->addWidget(note);
    layout->addWidget(m_description);
    layout->addWidget(m_radioFrame);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
    connect(back, &QPushButton::clicked, this, &LowGuideFrame::signalBack);
    connect(m_export, &QPushButton::clicked, this, &LowGuideFrame::signalExport);
    connect(m_downloader, &LowTemplateDownloader::signalGetTemplateFinished, this,
            &LowGuideFrame::slotDownloadTemplateFinished);
}

QString LowGuideFrame::shortForm(const QString &blank)
{
    QString s = blank;
    s.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    const qsizetype comma = s.indexOf(QChar(0xFF0C));
    if (comma > 0)
        s = s.left(comma);
    if (s.size() > 7)
        s = s.left(7) + QStringLiteral("...");
    return s;
}

void LowGuideFrame::showTemplate(const TemplateCatalogNode &node)
{
    m_items.clear();
    m_selected = -1;
    m_blanks.clear();
    m_values.clear();
    m_downloader->getTemplate(node.id, &m_items);
    m_cover->clear();
    delete m_group;
    m_group = new QButtonGroup(this);
    connect(m_group, &QButtonGroup::idClicked, this, &LowGuideFrame::slotRadioButtonClicked);
    m_export->setEnabled(false);
    m_description->clear();
    clearLayout(m_radioLayout);
    clearLayout(m_keyLayout);
}

void LowGuideFrame::slotDownloadTemplateFinished(QString strDescription)
{
    m_description->setPlainText(strDescription.trimmed());
    m_export->setEnabled(true);
    for (int i = 0; i < m_items.size(); ++i) {
        auto *radio = new QRadioButton(QStringLiteral("模板") + QString::number(i + 1), m_radioFrame);
        radio->setToolTip(m_items[i].title);
        m_radioLayout->addWidget(radio);
        m_group->addButton(radio, i);
    }
    m_radioLayout->addStretch();
    if (!m_items.isEmpty()) {
        m_group->button(0)->setChecked(true);
        m_selected = 0;
        loadItem(0);
    }
}

void LowGuideFrame::slotRadioButtonClicked(int n)
{
    if (n != m_selected && n >= 0 && n < m_items.size()) {
        m_selected = n;
        loadItem(n);
    }
}

void LowGuideFrame::loadItem(int n)
{
    m_blanks = m_items[n].blanks;
    m_values.clear();
    clearLayout(m_keyLayout);
    for (const QString &blank : std::as_const(m_blanks)) {
        if (m_values.contains(blank))
            continue;
        m_values.insert(blank, QString());
        auto *label = new QLabel(shortForm(blank), m_keyFrame);
        label->setToolTip(blank);
        auto *edit = new QLineEdit(m_keyFrame);
        edit->setPlaceholderText(blank);
        m_keyLayout->addWidget(label);
        m_keyLayout->addWidget(edit);
    }
    m_keyLayout->addStretch();
    if (m_tips && isVisible())
        m_tips->showOnce(17, QStringLiteral("PT_Writing_Keyword"), m_keyFrame->mapToGlobal(QPoint(0, 60)));
    if (m_coverReply)
        abandonReply(m_coverReply, this);
    m_cover->clear();
    m_coverReply = m_network->get(QNetworkRequest(QUrl(m_items[n].imageUrl)));
    abortOnLargeBody(m_coverReply, MaxCoverBytes);
    connect(m_coverReply, &QNetworkReply::finished, this, &LowGuideFrame::slotCoverLoaded);
}

void LowGuideFrame::slotCoverLoaded()
{
    QNetworkReply *reply = m_coverReply;
    if (!reply)
        return;
    m_coverReply = nullptr;
    reply->deleteLater();
    QPixmap picture;
    if (reply->error() == QNetworkReply::NoError && picture.loadFromData(reply->readAll()))
        m_cover->setPixmap(picture.scaled(m_cover->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    emit signalCoverShown();
}

void LowGuideFrame::countValues()
{
    for (int i = 0; i + 1 < m_keyLayout->count(); i += 2) {
        auto *label = qobject_cast<QLabel *>(m_keyLayout->itemAt(i)->widget());
        auto *edit = qobject_cast<QLineEdit *>(m_keyLayout->itemAt(i + 1)->widget());
        if (label && edit)
            m_values.insert(label->toolTip(), edit->text());
    }
}

bool LowGuideFrame::anyFilled()
{
    countValues();
    for (const QString &v : std::as_const(m_values))
        if (!v.isEmpty())
            return true;
    return false;
}

bool LowGuideFrame::allFilled()
{
    countValues();
    m_filledCount = 0;
    for (const QString &v : std::as_const(m_values))
        m_filledCount += v.isEmpty() ? 0 : 1;
    return m_filledCount == m_values.size();
}

LowGuideFrame::ExportResult LowGuideFrame::exportTo(const QString &path)
{
    if (m_selected < 0 || m_selected >= m_items.size())
        return ExportResult::Failed;
    QNetworkReply *reply = m_network->get(QNetworkRequest(QUrl(m_items[m_selected].fileUrl)));
    abortOnLargeBody(reply, MaxDocumentBytes);
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    timeout.start(m_timeoutMs);
    if (!reply->isFinished())
        loop.exec();
    // A download that failed or timed out is reported, and no empty file is left behind.
    const bool ok = reply->isFinished() && reply->error() == QNetworkReply::NoError;
    const QByteArray body = ok ? reply->readAll() : QByteArray();
    abandonReply(reply, this);
    if (!ok || body.isEmpty())
        return ExportResult::Failed;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size() || !file.commit())
        return ExportResult::Failed;
    if (!anyFilled())
        return ExportResult::Saved;
    if (!m_filler)
        return ExportResult::SavedUnfilled;
    m_fillError.clear();
    return m_filler(path, m_blanks, m_values, &m_fillError) ? ExportResult::Saved : ExportResult::FillFailed;
}
