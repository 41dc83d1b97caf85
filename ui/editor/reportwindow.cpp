#include "reportwindow.h"

#include "checkstatistics.h"
#include "checktaskthread.h"
#include "configstore.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QProgressBar *scoreBar(double score, QWidget *parent)
{
    auto *bar = new QProgressBar(parent);
    bar->setRange(0, 100);
    bar->setValue(int(qMax(0.0, qMin(score, 1.0)) * 100));
    bar->setFormat(QStringLiteral("%v"));
    bar->setMinimumWidth(220);
    return bar;
}

} // namespace

ReportWindow::ReportWindow(const Inputs &inputs, ConfigStore &prefs, QWidget *parent)
    : QDialog(parent)
    , m_prefs(prefs)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("全文统计"));
    setStyleSheet(QStringLiteral("QLabel { font-family: 微软雅黑; font-size: 13px; }"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("用词："), scoreBar(inputs.lexicalScore, this));
    form->addRow(QStringLiteral("句子结构："), scoreBar(inputs.syntaxScore, this));
    form->addRow(QStringLiteral("平均句长："),
                 new QLabel(QStringLiteral("%1词/句").arg(averageSentenceLength(inputs.words, inputs.sentences)), this));
    form->addRow(QStringLiteral("句子总计："), new QLabel(QString::number(inputs.sentences), this));
    form->addRow(QStringLiteral("单词总计："), new QLabel(QString::number(inputs.words), this));
    static const char *const names[] = {"拼写", "样式", "语法", "句子不完整"};
    int sum = 0;
    for (int i = 0; i < 4; ++i) {
        const int count = inputs.categoryCounts.value(i);
        sum += count;
        form->addRow(QStringLiteral("%1：").arg(QString::fromUtf8(names[i])),
                     new QLabel(QString::number(count), this));
    }
    static const char *const levels[] = {"GRE", "托福", "雅思", "六级", "四级", "高中"};
    for (int i = 0; i < 6 && i < inputs.levelCounts.size(); ++i)
        form->addRow(QStringLiteral("%1：").arg(QString::fromUtf8(levels[i])),
                     new QLabel(QString::number(inputs.levelCounts.at(i)), this));
    layout->addLayout(form);
    auto *noError = new QLabel(QStringLiteral("恭喜，未发现错误！"), this);
    noError->setObjectName(QStringLiteral("label_noError"));
    noError->setVisible(sum == 0);
    layout->addWidget(noError);
    m_disableNext = new QCheckBox(QStringLiteral("下次不再显示"), this);
    m_disableNext->setObjectName(QStringLiteral("cb_disable_next_time"));
    m_disableNext->setVisible(!inputs.onDemand);
    layout->addWidget(m_disableNext);
    connect(m_disableNext, &QCheckBox::toggled, this, &ReportWindow::slotDisableNextChecked);
    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
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
    return sentences > 0 ? words / sentences : 0;
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
