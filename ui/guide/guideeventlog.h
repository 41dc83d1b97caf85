#pragma once

#include <QString>

#include <functional>

// Where the writing guide counts its usage events ("Writing_High_Save", ...): the
// main window passes its usage collector's countEvent; empty counts nothing.
using GuideEventLog = std::function<void(const QString &name)>;
