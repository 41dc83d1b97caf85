#pragma once

class CorrectionItem;
class QKeyEvent;

// The keys that act on the focused finding: "0" ignores it, "1" to "9" apply candidate
// 0 to 8 (when the Ctrl state equals "use_ctrl"), F2 without modifier reverts it.
class FindingKeys
{
public:
    // Acts and returns true when the key is one of these; false leaves it to the editor.
    static bool handle(const QKeyEvent *event, CorrectionItem *focused, bool useCtrl);
};
