#include "host/resources.h"

#include <QDir>
#include <QFileInfo>

namespace zarvik::host {
namespace {

std::string withSlash(QString path) {
    if (!path.endsWith(QLatin1Char('/'))) {
        path += QLatin1Char('/');
    }
    return path.toStdString();
}

}  // namespace

std::string resourcesFolder(const QString& executableDir) {
    const QString fromEnvironment = qEnvironmentVariable("ZARVIK_RESOURCES");
    if (!fromEnvironment.isEmpty()) {
        return withSlash(fromEnvironment);
    }
    const QDir dir(executableDir);
    const QString installed = QDir::cleanPath(dir.filePath(QStringLiteral("../share/zarvik")));
    if (QFileInfo(installed).isDir()) {
        return withSlash(installed);
    }
    return withSlash(QDir::cleanPath(dir.filePath(QStringLiteral("resources"))));
}

}  // namespace zarvik::host
