#pragma once

namespace ZeltraLib {

// Process-wide working mode: true while polish mode is active, false in check
// mode. Set by the main window; read by the editor, panels, menus, check
// scheduling and event naming. Safe to read from any thread.
bool polishMode();
void setPolishMode(bool on);

} // namespace ZeltraLib
