#include "app/filecommands.h"

#include <QDesktopServices>
#include <QUrl>

void OpenFolder(const QString& folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); }
