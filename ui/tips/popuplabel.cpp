#include "popuplabel.h"

#include "tipmanager.h"

#include <QFont>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QTimer>

PopupLabel::PopupLabel(int number, QWidget *parent, const QPoint &globalPos, const Timings &timings)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    , m_number(number)
    , m_timings(timings)
    , m_fadeIn(qMax(1, timings.fadeMs))
    , m_fadeOut(qMax(1, timings.fadeMs))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    // A tip without a link must not catch the clicks meant for what lies under it.
    if (!TipManager::hasLink(number))
        setWindowFlag(Qt::WindowTransparentForInput);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // Measured in bold, the widest a word of the tip may be drawn.
    QFont measured(QStringLiteral("微软雅黑"));
    measured.setPixelSize(12);
    measured.setBold(true);
    const int textWidth = MaxWidth - 2 * 10 - 2; // the label's padding and border
    QString text = breakLines(TipManager::text(number), QFontMetrics(measured), textWidth)
                       .join(QLatin1Char('\n'))
                       .toHtmlEscaped()
                       .replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    // What the tip names (a button, a menu entry) stands out in bold.
    text.replace(QRegularExpression(QStringLiteral("“([^”]+)”")), QStringLiteral("“<b>\\1</b>”"));
    if (TipManager::hasLink(number))
        text += QStringLiteral(" <a href=\"close\">知道了</a>");
    m_label = new QLabel(text, this);
    m_label->setTextFormat(Qt::RichText);
    m_label->setWordWrap(false);
    m_label->setStyleSheet(QStringLiteral(
        "QLabel { background: #fffbe6; border: 1px solid #e0b84c; border-radius: 4px;"
        " padding: 6px 10px; color: #333333; font-family: 微软雅黑; font-size: 12px; }"));
    layout->addWidget(m_label);
    connect(m_label, &QLabel::linkActivated, this, &PopupLabel::slotFadeOut);
    adjustSize();
    move(globalPos);

    m_fadeIn.setFrameRange(0, 100);
    m_fadeOut.setFrameRange(100, 0);
    connect(&m_fadeIn, &QTimeLine::frameChanged, this, &PopupLabel::slotFading);
    connect(&m_fadeOut, &QTimeLine::frameChanged, this, &PopupLabel::slotFading);
    connect(&m_fadeIn, &QTimeLine::finished, this, &PopupLabel::slotFadeInFinished);
    connect(&m_fadeOut, &QTimeLine::finished, this, &QWidget::close);
    setWindowOpacity(0.0);
    show();
    m_fadeIn.start();
}

PopupLabel::~PopupLabel() = default;

QStringList PopupLabel::breakLines(const QString &text, const QFontMetrics &metrics, int maxWidth)
{
    // A line may end after these marks or a space, never inside a word or a phrase.
    static const QString breakAfter = QStringLiteral("，。；、！？：）”,.;!? ");
    QStringList lines;
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        QStringList phrases;
        QString phrase;
        for (const QChar c : paragraph) {
            phrase += c;
            if (breakAfter.contains(c)) {
                phrases << phrase;
                phrase.clear();
            }
        }
        if (!phrase.isEmpty())
            phrases << phrase;
        QString line;
        for (const QString &piece : std::as_const(phrases)) {
            if (!line.isEmpty() && metrics.horizontalAdvance(line + piece.trimmed()) > maxWidth) {
                lines << line.trimmed();
                line.clear();
            }
            line += piece;
        }
        lines << line.trimmed();
    }
    return lines;
}

QString PopupLabel::text() const
{
    return TipManager::text(m_number);
}

void PopupLabel::slotFading(int frame)
{
    setWindowOpacity(frame / 100.0);
}

void PopupLabel::slotFadeInFinished()
{
    if (!TipManager::hasLink(m_number))
        QTimer::singleShot(m_timings.stayMs, this, &PopupLabel::slotFadeOut);
}

void PopupLabel::slotFadeOut()
{
    if (m_fadeOut.state() == QTimeLine::NotRunning)
        m_fadeOut.start();
}
