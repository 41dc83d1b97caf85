#pragma once

#include <QDialog>
#include <QList>

class CheckStatistics;
class ConfigStore;
class QCheckBox;
class QLabel;

namespace ZeltraLib {
class CheckTaskThread;
}

// "全文统计": scores, sentence and word totals and the findings per category of the last
// correct-mode check. A plain version; the charts come later.
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

    ReportWindow(const Inputs &inputs, ConfigStore &prefs, QWidget *parent = nullptr);

    // "平均句长" in words per sentence (0 without sentences).
    static int averageSentenceLength(int words, int sentences);
    QCheckBox *disableNextBox() const { return m_disableNext; }

public Q_SLOTS:
    void slotMove(int dx, int dy);
    void slotDisableNextChecked(bool bChecked);

private:
    ConfigStore &m_prefs; // not owned
    QCheckBox *m_disableNext = nullptr;
};
