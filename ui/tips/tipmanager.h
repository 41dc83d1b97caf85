#pragma once

#include <QString>

// The catalogue of pop-up tips and notifications, by number: their texts and whether
// they carry a "知道了" link (those stay until it is clicked).
class TipManager
{
public:
    static constexpr int TipCount = 21;

    // Plain text of tip `number`; empty for an unknown number.
    static QString text(int number);
    static bool hasLink(int number);
};
