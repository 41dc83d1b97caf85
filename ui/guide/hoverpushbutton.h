#pragma once

#include <QPushButton>

class WritingBlockRange;

// The "替换" button of a replaceable block, shown at the block's right edge.
class HoverPushButton : public QPushButton
{
    Q_OBJECT
public:
    // block: not owned; the block deletes its button before it goes away.
    HoverPushButton(WritingBlockRange *block, QWidget *parent);

    WritingBlockRange *pBlockRange;

Q_SIGNALS:
    void signalClicked(WritingBlockRange *pBlockRange);
    void signalHoverEntered(WritingBlockRange *pBlockRange);

public Q_SLOTS:
    void slotClicked();

protected:
    void enterEvent(QEnterEvent *event) override;
};
