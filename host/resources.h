#pragma once
// Where the application finds its fonts and images.
#include <string>

#include <QString>

namespace zarvik::host {

// $ZARVIK_RESOURCES when set, else <dir>/../share/zarvik/ when it exists (installed), else
// <dir>/resources/ (the build tree); `executableDir` is the folder of the running binary. The
// answer ends in "/".
std::string resourcesFolder(const QString& executableDir);

}  // namespace zarvik::host
