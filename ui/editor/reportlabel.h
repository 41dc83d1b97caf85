#pragma once

#include <QTimeLine>
#include <QWidget>

class QLabel;

// A hover label of the report: a small frameless window, transparent for the mouse and
// never taking focus, that fades in and stays until its creator closes it. Deletes
// itself when closed.
class ReportLabel : public QWidget
{
    Q_OBJECT
public:
    static constexpr int FadeMs = 800;

    // style: the label's style sheet; empty: white, rounded, "#333333" text.
    ReportLabel(const QString &text, const QString &style, QWidget *parent, int fadeMs = FadeMs);

    QString text() const;
    QLabel *label() const { return m_label; }
    // Width of the label for `text`: 12 pixels a character less 60 (at least 40).
    static int labelWidth(const QString &text);

public Q_SLOTS:
    void slotFading(int frame);
    void slotFadeInFinished();

private:
    QLabel *m_label = nullptr;
    QTimeLine m_fadeIn;
};
