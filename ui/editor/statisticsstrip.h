#pragma once

#include "checkstatistics.h"

#include <QFrame>

class ConfigStore;
class QLabel;

// The strip under the editor after a correct-mode check: one badge per category
// (spelling, grammar, style, sentence suggestion) with its count, shown only while the
// category is shown. A click on the strip asks for the report.
class StatisticsStrip : public QFrame
{
    Q_OBJECT
public:
    explicit StatisticsStrip(ConfigStore &prefs, QWidget *parent = nullptr);

    void refresh(const CheckStatistics &statistics);
    QLabel *badge(CheckStatistics::Kind kind) const { return m_badges[kind]; }
    QLabel *countLabel(CheckStatistics::Kind kind) const { return m_counts[kind]; }
    // "点击查看全文统计", what the report's tip points at.
    QLabel *reportHint() const { return m_hint; }

signals:
    void signalClicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ConfigStore &m_prefs; // not owned
    QLabel *m_badges[CheckStatistics::KindCount] = {};
    QLabel *m_counts[CheckStatistics::KindCount] = {};
    QWidget *m_rows[CheckStatistics::KindCount] = {};
    QLabel *m_hint = nullptr;
};
