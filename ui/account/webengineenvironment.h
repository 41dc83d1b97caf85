#pragma once

// Prepares the web engine before the QApplication is created: shared OpenGL contexts,
// and, only when the program runs as root, the sandbox switched off (the engine's
// sandbox refuses to start as root). Call once at the top of main().
void prepareWebEngineEnvironment();

// Whether prepareWebEngineEnvironment() would switch the sandbox off for this user id.
bool webEngineNeedsNoSandbox(unsigned int effectiveUserId);
