#pragma once
// The "Hilfe" menu's two dialogues: how to play ("Bedienung") and the version with the fonts'
// licence ("Über Zarvik").
#include <QString>
#include <QWidget>

#include "host/menumodel.h"

namespace zarvik::qthost {

QString manualText();
QString aboutText(const QString& version);
// The fonts' licence as shipped with the resources (a German note when the file is missing).
QString fontLicence();

// Shows the dialogue of a "Hilfe" item over `parent` and waits until it is closed.
void showHelp(t_MenuTag item, QWidget* parent);

}  // namespace zarvik::qthost
