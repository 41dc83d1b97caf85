#pragma once

#include <QIcon>
#include <QPixmap>

// The writing guide's small pictures, drawn here: catalog folder and page icons, the
// delete button of a sentence and the insertion marker of a drop.
class GuideIcons
{
public:
    static QIcon folder();
    static QIcon highPage();
    static QIcon lowPage();
    static QPixmap deleteMark(int size);
    static QPixmap insertMarker(int width, int height);
};
