#pragma once

#include <QDialog>
#include <QList>

class CheckStatistics;
class ConfigStore;
class PieChart;
class QCheckBox;
class QLabel;
class QProgressBar;
class ReportProgressBar;

namespace ZeltraLib {
class CheckTaskThread;
}

// "全文统计": the two scores as bars, average sentence length, sentence and word totals,
// the pie of findings per category, the vocabulary level bars, and for good texts the
// share buttons. Closing does not delete it; a creator that wants that sets
// Qt::WA_DeleteOnClose.
class ReportWindow : public QDialog
{
    Q_OBJECT
public:
    struct Inputs
    {
        double lexicalScore = 0.0;   // 0..1; negative reads as 0
        double syntaxScore = 0.0;
        int sentences = 0;
        int words = 0;
        QList<int> categoryCounts;   // spelling, style, grammar, sentence suggestion
        QList<int> levelCounts;      // GRE, 托福, 雅思, 六级, 四级, 高中
        bool onDemand = false;       // opened from the statistics strip
    };

    // The inputs after a check: its scores (negative read as 0) and vocabulary levels,
    // the statistics, the sentence and word totals.
    static Inputs inputsOf(const ZeltraLib::CheckTaskThread &check, const CheckStatistics &statistics,
                           int sentences, int words, bool onDemand);

    // webHost: the product web site ("host:port") the share text and picture point to.
    ReportWindow(const Inputs &inputs, ConfigStore &prefs, const QString &webHost, QWidget *parent = nullptr);

    // "平均句长" in words per sentence, rounded to the nearest whole word, halves up
    // (62 words in 7 sentences is 9); 0 without sentences.
    static int averageSentenceLength(int words, int sentences);
    // A score bar's value: score × 100, truncated, within 0..100.
    static int scoreValue(double score);
    // The share area: both scores at least 0.7, findings × 20 below the words, 100 words or more.
    static bool shareVisible(const Inputs &inputs);
    // The share page of Sina Weibo (sina) or Tencent Weibo with the picture and the text.
    static QUrl shareUrl(bool sina, const QString &webHost);
    static QString shareText(const QString &webHost);

    QCheckBox *disableNextBox() const { return m_disableNext; }
    QProgressBar *lexicalBar() const { return m_lexicalBar; }
    QProgressBar *syntaxBar() const { return m_syntaxBar; }
    PieChart *pieChart() const { return m_pie; }
    QList<ReportProgressBar *> levelBars() const { return m_levelBars; }
    QStringList axisLabels() const;
    bool isShareShown() const;
    bool isNoErrorShown() const;

public Q_SLOTS:
    void slotMove(int dx, int dy);
    void slotDisableNextChecked(bool bChecked);
    void slotSinaClicked();
    void slotTencentClicked();

private:
    QWidget *buildScores(const Inputs &inputs);
    QWidget *buildLevels(const Inputs &inputs);

    ConfigStore &m_prefs; // not owned
    QString m_webHost;
    QCheckBox *m_disableNext = nullptr;
    QProgressBar *m_lexicalBar = nullptr;
    QProgressBar *m_syntaxBar = nullptr;
    PieChart *m_pie = nullptr;
    QLabel *m_noError = nullptr;
    QWidget *m_share = nullptr;
    QList<ReportProgressBar *> m_levelBars;
    QList<QLabel *> m_axisLabels;
};
