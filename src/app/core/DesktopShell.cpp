#include "app/core/DesktopShell.h"

#include "app/core/LogCategories.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

void DesktopServicesShell::open(const QString& target) {
    // A path such as "/home/x/Help_e.txt" would parse as a URL without a scheme: tell them apart
    // first, so file names with '#' or '?' stay file names.
    const QUrl url =
        QDir::isAbsolutePath(target) ? QUrl::fromLocalFile(target) : QUrl(target, QUrl::StrictMode);
    if (!QDesktopServices::openUrl(url))
        qCInfo(lcApp) << "the desktop could not open" << target;
}
