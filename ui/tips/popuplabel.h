#pragma once

#include <QStringList>
#include <QTimeLine>
#include <QWidget>

class QFontMetrics;
class QLabel;

// Fade and stay intervals of a tip; tests pass short ones.
struct PopupTimings
{
    int fadeMs = 800;
    int stayMs = 3000;
};

// One shown tip or notification: a small frameless window that fades in, stays (3 s,
// or until its "知道了" link is clicked) and fades out, then deletes itself. Callers
// keep a QPointer to know whether it is still open.
class PopupLabel : public QWidget
{
    Q_OBJECT
public:
    static constexpr int FadeMs = 800;
    static constexpr int StayMs = 3000;

    using Timings = PopupTimings;
    // Longer texts wrap, between phrases only (after Chinese punctuation or a space), so
    // that no word is cut in two; a phrase longer than this gets a line of its own.
    static constexpr int MaxWidth = 340;

    // `text` cut into lines of at most `maxWidth` pixels by those rules; line feeds stay.
    static QStringList breakLines(const QString &text, const QFontMetrics &metrics, int maxWidth);

    // Shows tip `number` of the tip catalogue at `globalPos`.
    PopupLabel(int number, QWidget *parent, const QPoint &globalPos, const Timings &timings = Timings());
    ~PopupLabel() override;

    int number() const { return m_number; }
    QString text() const;

public Q_SLOTS:
    void slotFading(int frame);
    void slotFadeInFinished();
    void slotFadeOut();

private:
    int m_number;
    QLabel *m_label = nullptr;
    Timings m_timings;
    QTimeLine m_fadeIn;
    QTimeLine m_fadeOut;
};
