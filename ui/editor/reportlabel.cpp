#include "reportlabel.h"

#include <QLabel>
#include <QVBoxLayout>

ReportLabel::ReportLabel(const QString &text, const QString &style, QWidget *parent, int fadeMs)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus
                          | Qt::WindowTransparentForInput)
    , m_fadeIn(qMax(1, fadeMs))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_label = new QLabel(text, this);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setFixedWidth(labelWidth(text));
    m_label->setStyleSheet(QStringLiteral(
        "QLabel { background: white; border-radius: 5px; color: #333333; font-family: 微软雅黑;"
        " font-size: 12px; padding: 2px; }")
        + style);
    layout->addWidget(m_label);
    adjustSize();

    m_fadeIn.setFrameRange(0, 100);
    connect(&m_fadeIn, &QTimeLine::frameChanged, this, &ReportLabel::slotFading);
    connect(&m_fadeIn, &QTimeLine::finished, this, &ReportLabel::slotFadeInFinished);
    setWindowOpacity(0.0);
    m_fadeIn.start();
}

QString ReportLabel::text() const
{
    return m_label->text();
}

int ReportLabel::labelWidth(const QString &text)
{
    return qMax(40, 12 * int(text.size()) - 60);
}

void ReportLabel::slotFading(int frame)
{
    setWindowOpacity(frame / 100.0);
}

void ReportLabel::slotFadeInFinished()
{
    setWindowOpacity(1.0);
}
