#include "statisticsstrip.h"

#include "configstore.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace {

struct KindKeys
{
    const char *name;
    const char *colour;
    const char *shown;
};

const KindKeys Keys[CheckStatistics::KindCount] = {
    {"拼写", "display_spelling_color", "display_spelling_enabled"},
    {"语法", "display_grammar_color", "display_grammar_enabled"},
    {"样式", "display_style_color", "display_style_enabled"},
    {"句子不完整", "display_suggestion_color", "display_suggestion_enabled"},
};

} // namespace

StatisticsStrip::StatisticsStrip(ConfigStore &prefs, QWidget *parent)
    : QFrame(parent)
    , m_prefs(prefs)
{
    setObjectName(QStringLiteral("StatisticsStrip"));
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("全文统计"));
    setStyleSheet(QStringLiteral("#StatisticsStrip { background: #f0f7fa; border: 1px solid #7d96aa; }"
                                 "QLabel { font-family: 微软雅黑; font-size: 12px; color: #333333; }"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 3, 10, 3);
    layout->setSpacing(16);
    for (int k = 0; k < CheckStatistics::KindCount; ++k) {
        auto *row = new QWidget(this);
        auto *rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        rowLayout->setSpacing(5);
        m_badges[k] = new QLabel(row);
        m_badges[k]->setFixedSize(16, 16);
        m_counts[k] = new QLabel(row);
        rowLayout->addWidget(m_badges[k]);
        rowLayout->addWidget(m_counts[k]);
        layout->addWidget(row);
        m_rows[k] = row;
    }
    layout->addStretch(1);
    m_hint = new QLabel(QStringLiteral("点击查看全文统计"), this);
    m_hint->setStyleSheet(QStringLiteral("color: #7d96aa;"));
    layout->addWidget(m_hint);
}

void StatisticsStrip::refresh(const CheckStatistics &statistics)
{
    for (int k = 0; k < CheckStatistics::KindCount; ++k) {
        const KindKeys &keys = Keys[k];
        const QString colour = m_prefs.value(QString::fromLatin1(keys.colour));
        m_badges[k]->setStyleSheet(QStringLiteral("QLabel { border: 1px solid #A4C6DA; border-radius: 8px;"
                                                  " background-color: %1; }")
                                       .arg(colour));
        m_counts[k]->setText(QStringLiteral("%1：%2")
                                 .arg(QString::fromUtf8(keys.name))
                                 .arg(statistics.count(CheckStatistics::Kind(k))));
        m_rows[k]->setVisible(m_prefs.value(QString::fromLatin1(keys.shown)) == QLatin1String("True"));
    }
}

void StatisticsStrip::mouseReleaseEvent(QMouseEvent *event)
{
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit signalClicked();
}
