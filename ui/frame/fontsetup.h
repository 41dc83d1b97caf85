#pragma once

// Maps the font families named in style sheets ("微软雅黑", its Latin name) to an
// installed CJK font. Call once after the QApplication exists and before any
// window is built.
void installFontSubstitutions();
