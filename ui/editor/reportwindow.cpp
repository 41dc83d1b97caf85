#include "reportwindow.h"

#include "checkstatistics.h"
#include "checktaskthread.h"
#include "configstore.h"
#include "dialogframe.h"
#include "piechart.h"
#include "reportprogressbar.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QUrlQuery>
#include <QVBoxLayout>

#include <array>
#include <utility>

namespace {

const char *const LevelNames[] = {"GRE", "托福", "雅思", "六级", "四级", "高中"};
constexpr int LevelCount = 6;

// Share pages of the two social networks.
const char SinaSharePage[] = "http://service.weibo.com/share/share.php";
const char TencentSharePage[] = "http://share.v.t.qq.com/index.php";

QProgressBar *scoreBar(double score, QWidget *parent)
{
    auto *bar = new QProgressBar(parent);
    bar->setRange(0, 100);
    bar->setValue(ReportWindow::scoreValue(score));
    bar->setFormat(QStringLiteral("%v"));
    bar->setMinimumWidth(260);
    return bar;
}

// The "no errors" picture: a green rosette with a tick.
QPixmap noErrorPicture()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3c, 0xb3, 0x71));
    p.drawEllipse(4, 4, 56, 56);
    p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygon({QPoint(18, 33), QPoint(28, 43), QPoint(46, 22)}));
    return pixmap;
}

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("font-weight: bold; color: #2f5f8a;"));
    return label;
}

} // namespace

ReportWindow::ReportWindow(const Inputs &inputs, ConfigStore &prefs, const QString &webHost, QWidget *parent)
    : QDialog(parent)
    , m_prefs(prefs)
    , m_webHost(webHost)
{
    setObjectName(QStringLiteral("ReportWndClass"));
    setWindowTitle(QStringLiteral("全文统计"));
    setStyleSheet(QStringLiteral(
        "#ReportWndClass { background: #f7fbfd; }"
        "QLabel { font-family: 微软雅黑; font-size: 13px; color: #333333; }"
        "QProgressBar { border: 1px solid #9fb4c4; border-radius: 3px; background: white;"
        " text-align: center; min-height: 16px; }"
        "QProgressBar::chunk { background: #4a9bd6; }"));
    setMinimumWidth(600);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->addWidget(buildScores(inputs));

    auto *charts = new QHBoxLayout;
    auto *pieBox = new QVBoxLayout;
    pieBox->addWidget(caption(QStringLiteral("错误类型分布图"), this));
    std::array<int, PieChart::SliceCount> counts{};
    for (int i = 0; i < PieChart::SliceCount; ++i)
        counts[size_t(i)] = inputs.categoryCounts.value(i);
    m_pie = new PieChart(counts, prefs, this);
    m_pie->setFixedSize(190, 190);
    pieBox->addWidget(m_pie, 0, Qt::AlignCenter);
    int findings = 0;
    for (int c : counts)
        findings += c;
    m_noError = new QLabel(this);
    m_noError->setObjectName(QStringLiteral("label_noError"));
    m_noError->setPixmap(noErrorPicture());
    m_noError->setToolTip(QStringLiteral("未发现错误"));
    m_noError->setVisible(findings == 0);
    pieBox->addWidget(m_noError, 0, Qt::AlignCenter);
    pieBox->addStretch(1);
    charts->addLayout(pieBox);
    charts->addSpacing(16);
    charts->addWidget(buildLevels(inputs), 1);
    layout->addLayout(charts);

    m_share = new QFrame(this);
    m_share->setObjectName(QStringLiteral("frame_share"));
    auto *share = new QHBoxLayout(m_share);
    share->setContentsMargins(0, 6, 0, 0);
    share->addWidget(new QLabel(QStringLiteral("您写得太棒了！把Pennova的评价秀给大家看吧!"), m_share), 1);
    auto *sina = new QPushButton(QStringLiteral("新浪微博"), m_share);
    sina->setObjectName(QStringLiteral("pb_sina"));
    auto *tencent = new QPushButton(QStringLiteral("腾讯微博"), m_share);
    tencent->setObjectName(QStringLiteral("pb_tencent"));
    share->addWidget(sina);
    share->addWidget(tencent);
    connect(sina, &QPushButton::clicked, this, &ReportWindow::slotSinaClicked);
    connect(tencent, &QPushButton::clicked, this, &ReportWindow::slotTencentClicked);
    m_share->setVisible(shareVisible(inputs));
    layout->addWidget(m_share);

    auto *bottom = new QHBoxLayout;
    m_disableNext = new QCheckBox(QStringLiteral("下次不再显示"), this);
    m_disableNext->setObjectName(QStringLiteral("cb_disable_next_time"));
    m_disableNext->setVisible(!inputs.onDemand);
    connect(m_disableNext, &QCheckBox::toggled, this, &ReportWindow::slotDisableNextChecked);
    bottom->addWidget(m_disableNext);
    bottom->addStretch(1);
    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(ok);
    layout->addLayout(bottom);
    new DialogFrame(this, windowTitle()); // the program's frame: title bar, drag, fade
}

QWidget *ReportWindow::buildScores(const Inputs &inputs)
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("用词："), box), 0, 0);
    m_lexicalBar = scoreBar(inputs.lexicalScore, box);
    grid->addWidget(m_lexicalBar, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("句子结构："), box), 1, 0);
    m_syntaxBar = scoreBar(inputs.syntaxScore, box);
    grid->addWidget(m_syntaxBar, 1, 1);
    auto *scale = new QHBoxLayout;
    const std::array<std::pair<const char *, Qt::Alignment>, 3> marks{
        {{"较差", Qt::AlignLeft}, {"一般", Qt::AlignHCenter}, {"优秀", Qt::AlignRight}}};
    for (const auto &[word, alignment] : marks) {
        auto *label = new QLabel(QString::fromUtf8(word), box);
        label->setStyleSheet(QStringLiteral("color: #7d96aa; font-size: 11px;"));
        scale->addWidget(label, 1, alignment);
    }
    grid->addLayout(scale, 2, 1);

    auto *totals = new QVBoxLayout;
    totals->addWidget(new QLabel(
        QStringLiteral("平均句长：%1词/句").arg(averageSentenceLength(inputs.words, inputs.sentences)), box));
    totals->addWidget(new QLabel(QStringLiteral("句子总计：%1").arg(inputs.sentences), box));
    totals->addWidget(new QLabel(QStringLiteral("单词总计：%1").arg(inputs.words), box));
    grid->addLayout(totals, 0, 2, 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setHorizontalSpacing(14);
    return box;
}

QWidget *ReportWindow::buildLevels(const Inputs &inputs)
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(caption(QStringLiteral("词汇难度分布图"), box), 0, 0, 1, 5);
    int largest = 0;
    for (int i = 0; i < LevelCount; ++i)
        largest = qMax(largest, inputs.levelCounts.value(i));
    const int axis = ReportProgressBar::axisMaximum(largest);
    for (int i = 0; i < LevelCount; ++i) {
        const QString name = QString::fromUtf8(LevelNames[i]);
        grid->addWidget(new QLabel(name, box), i + 1, 0, Qt::AlignRight);
        auto *bar = new ReportProgressBar(name, inputs.levelCounts.value(i), axis, box);
        bar->setFixedHeight(14);
        grid->addWidget(bar, i + 1, 1, 1, 4);
        m_levelBars.append(bar);
    }
    // Axis labels under the right end of each quarter.
    const int quarter = axis / 4;
    for (int q = 1; q <= 4; ++q) {
        auto *label = new QLabel(QString::number(q == 4 ? axis : q * quarter), box);
        label->setStyleSheet(QStringLiteral("color: #7d96aa; font-size: 11px;"));
        grid->addWidget(label, LevelCount + 1, q, Qt::AlignRight);
        m_axisLabels.append(label);
    }
    for (int c = 1; c <= 4; ++c)
        grid->setColumnStretch(c, 1);
    return box;
}

ReportWindow::Inputs ReportWindow::inputsOf(const ZeltraLib::CheckTaskThread &check,
                                            const CheckStatistics &statistics, int sentences, int words,
                                            bool onDemand)
{
    Inputs inputs;
    inputs.lexicalScore = qMax(0.0, check.lexicalScore());
    inputs.syntaxScore = qMax(0.0, check.syntaxScore());
    inputs.sentences = sentences;
    inputs.words = words;
    inputs.categoryCounts = {statistics.count(CheckStatistics::Spelling), statistics.count(CheckStatistics::Style),
                             statistics.count(CheckStatistics::Grammar), statistics.count(CheckStatistics::Suggestion)};
    // Report order GRE, 托福, 雅思, 六级, 四级, 高中: levels 5 down to 0.
    const ZeltraLib::LevelCounts &levels = check.statistics().levelCounts;
    for (int level = 5; level >= 0; --level)
        inputs.levelCounts.append(levels[size_t(level)]);
    inputs.onDemand = onDemand;
    return inputs;
}

int ReportWindow::averageSentenceLength(int words, int sentences)
{
    if (sentences <= 0 || words <= 0)
        return 0;
    return int((2 * qint64(words) + sentences) / (2 * qint64(sentences)));
}

int ReportWindow::scoreValue(double score)
{
    if (!(score > 0.0)) // negative and NaN read as 0
        return 0;
    return qMin(100, int(score * 100));
}

bool ReportWindow::shareVisible(const Inputs &inputs)
{
    qint64 findings = 0;
    for (int c : inputs.categoryCounts)
        findings += c;
    return inputs.lexicalScore >= 0.7 && inputs.syntaxScore >= 0.7 && findings * 20 < inputs.words
           && inputs.words >= 100;
}

QString ReportWindow::shareText(const QString &webHost)
{
    return QStringLiteral("经Pennova鉴定，您的本次英语写作用词准确，可读性良好，错误也是相当之少哦，\t"
                          "达到了native speaker的水平，特授予你“英文写作大师证书” %1 ")
               .arg(QStringLiteral("@Pennova"))
           + QStringLiteral("http://") + webHost + QStringLiteral("/Download");
}

QUrl ReportWindow::shareUrl(bool sina, const QString &webHost)
{
    QUrl url(QString::fromLatin1(sina ? SinaSharePage : TencentSharePage));
    QUrlQuery query;
    if (!sina) {
        query.addQueryItem(QStringLiteral("c"), QStringLiteral("share"));
        query.addQueryItem(QStringLiteral("a"), QStringLiteral("index"));
    }
    query.addQueryItem(QStringLiteral("pic"), QStringLiteral("http://") + webHost + QStringLiteral("/images/outstanding.png"));
    query.addQueryItem(QStringLiteral("title"), QString::fromUtf8(QUrl::toPercentEncoding(shareText(webHost))));
    url.setQuery(query);
    return url;
}

QStringList ReportWindow::axisLabels() const
{
    QStringList texts;
    for (const QLabel *label : m_axisLabels)
        texts << label->text();
    return texts;
}

bool ReportWindow::isShareShown() const
{
    return !m_share->isHidden();
}

bool ReportWindow::isNoErrorShown() const
{
    return !m_noError->isHidden();
}

void ReportWindow::slotMove(int dx, int dy)
{
    move(pos() + QPoint(dx, dy));
}

void ReportWindow::slotDisableNextChecked(bool bChecked)
{
    m_prefs.setValue(QStringLiteral("show_report"), bChecked ? QStringLiteral("False")
                                                             : QStringLiteral("True"));
}

void ReportWindow::slotSinaClicked()
{
    QDesktopServices::openUrl(shareUrl(true, m_webHost));
}

void ReportWindow::slotTencentClicked()
{
    QDesktopServices::openUrl(shareUrl(false, m_webHost));
}
