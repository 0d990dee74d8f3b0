// File commands shared with the document windows.
#pragma once

#include <QString>

// Shows a folder in the desktop's file manager, without waiting.
void OpenFolder(const QString& folder);
