// Anchors the resource object library; the compiled .qrc files register themselves.
