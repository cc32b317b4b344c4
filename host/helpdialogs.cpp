#include "host/helpdialogs.h"

#include <QFile>
#include <QMessageBox>

#include "toolkit/host.h"

namespace zarvik::qthost {

QString manualText() {
    return QStringLiteral(
        "<h3>Züge tippen</h3>"
        "<p>Wenn das Programm nach dem Zug fragt, tippen Sie Ausgangs- und Zielfeld mit einem "
        "Bindestrich dazwischen, etwa <b>E2-E4</b>, und drücken die Eingabetaste. Große und kleine "
        "Buchstaben gelten gleich. <b>O-O</b> ist die kleine Rochade (Königsseite), <b>O-O-O</b> die "
        "große (Damenseite), jeweils mit dem Buchstaben O. Die Rücktaste löscht das letzte Zeichen.</p>"
        "<p>Escape oder eine leere Eingabe fragt, ob Sie aufgeben wollen; nur <b>J</b> gibt auf, "
        "jede andere Taste führt zurück zur Zugeingabe.</p>"
        "<p>Erreicht ein Bauer die letzte Reihe, wählen Sie die neue Figur mit einer Taste: "
        "<b>T</b> Turm, <b>S</b> Springer, <b>L</b> Läufer, <b>D</b> Dame.</p>"
        "<h3>Züge mit der Maus</h3>"
        "<p>Klicken Sie auf dem Grafik- oder dem Textbrett zuerst eine eigene Figur an; das Feld wird "
        "markiert. Ein Klick auf das Zielfeld gibt den Zug ein, als wäre er getippt. Für die Rochade "
        "klicken Sie den König und dann sein Zielfeld. Ein zweiter Klick auf das markierte Feld, ein "
        "Rechtsklick oder Escape hebt die Markierung auf.</p>"
        "<h3>Am Brett</h3>"
        "<p>Beide Bretter zeigen den letzten Zug bis zum nächsten: das Grafikbrett mit einem blauen "
        "Rahmen um Ausgangs- und Zielfeld (bei der Rochade um die beiden Felder des Königs), das "
        "Textbrett mit dunkelblau hinterlegten Feldern. Ist eine Figur angeklickt, tragen die Felder, "
        "auf die sie ziehen darf, einen grünen Punkt (auf dem Textbrett grau hinterlegt).</p>"
        "<p><b>Brett drehen</b> (Menü Spiel, Strg+R) zeigt beide Bretter von der Seite von Schwarz; "
        "Klicks gelten für die gedrehten Felder. Wer allein gegen den Computer Schwarz spielt, sieht "
        "das Brett von selbst gedreht. Das Programm merkt sich die Einstellung bis zum nächsten Start.</p>"
        "<h3>Schachuhr</h3>"
        "<p>Nach den Spielern fragt das Programm nach der Uhr: die Eingabetaste oder <b>keine</b> "
        "spielt ohne Uhr, <b>5+0</b>, <b>15+10</b>, <b>30+0</b>, <b>90+30</b> oder jede andere Angabe "
        "<b>Minuten+Sekunden</b> gibt jeder Seite so viele Minuten und nach jedem Zug die Sekunden "
        "dazu. Beide Uhren stehen unter den Brettern, die laufende hervorgehoben. Ist die Zeit einer "
        "Seite abgelaufen, endet das Spiel mit „Zeit überschritten“ (remis, wenn der Gegner nicht mehr "
        "mattsetzen kann). Der Computer teilt sich seine Zeit ein; Zug zurücknehmen stellt auch die "
        "Uhren zurück. Gesicherte Spiele behalten die Uhrzeiten.</p>"
        "<h3>Standard-Konfiguration</h3>"
        "<p>Die erste Frage, <b>Standard-Konfiguration benutzen</b>, mit <b>J</b> oder der "
        "Eingabetaste beantwortet: Sie spielen Weiss, der Computer Schwarz in der Stärke schwer. Mit "
        "<b>N</b> fragt das Programm nach jeder Farbe einzeln. Danach folgt die Frage nach der Uhr.</p>"
        "<h3>Fragen</h3>"
        "<p>Fragen mit <b>J/N</b> beantworten Sie mit einer Taste. Die hervorgehobene Antwort gilt "
        "für jede andere Taste, auch für die Eingabetaste; Escape gilt als <b>N</b>.</p>"
        "<h3>Spielstärke</h3>"
        "<p>Spielt der Computer eine Farbe, fragt das Programm nach seiner Spielstärke: <b>1</b> bis "
        "<b>10</b> wählt Stufe 1 (schwächste) bis Stufe 10 (stärkste), <b>leicht</b> und <b>schwer</b> "
        "die einfachen Stärken; die Eingabetaste behält die Antwort der Frage davor. Während der "
        "Computer auf einer Stufe nachdenkt, zeigt das Programm den bisher besten Zug; <b>!</b> oder "
        "die Leertaste lässt ihn sofort ziehen.</p>"
        "<h3>Menü Spiel</h3>"
        "<p><b>Neues Spiel</b> (Strg+N) beginnt jederzeit ein neues Spiel und fragt vorher, ob das "
        "ungesicherte Spiel gesichert werden soll. <b>Zug zurücknehmen</b> (Strg+Z) nimmt gegen den "
        "Computer dessen Antwort und Ihren Zug zurück, zu zweit einen Halbzug; <b>Zug wiederholen</b> "
        "(Strg+Umschalt+Z) spielt zurückgenommene Züge wieder. Das laufende Spiel wird nach jedem "
        "Halbzug aufbewahrt und beim nächsten Start zum Fortsetzen angeboten.</p>"
        "<h3>Spielverlauf</h3>"
        "<p><b>X</b> statt des Bindestrichs heißt, dass geschlagen wurde (E4XD5); <b>+</b> ist Schach, "
        "<b>#</b> Schachmatt, <b>/D</b> die Figur nach einer Umwandlung; ein <b>*</b> am Ende "
        "kennzeichnet einen Zug des Computers aus seinem Eröffnungsbuch.</p>");
}

QString aboutText(const QString& version) {
    return QStringLiteral(
               "<h3>Zarvik %1</h3><p>Schach gegen den Computer oder zu zweit.</p>"
               "<p>Die Schriften des Programms sind aus den DejaVu-Schriften erzeugt; ihre Lizenz "
               "zeigt „Details einblenden...“.</p>")
        .arg(version.toHtmlEscaped());
}

QString fontLicence() {
    QFile file(QString::fromStdString(defaultResourcesFolder() + "DejaVu-LICENSE.txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("Die Lizenzdatei DejaVu-LICENSE.txt fehlt im Ordner der Ressourcen.");
    }
    return QString::fromUtf8(file.readAll());
}

void showHelp(t_MenuTag item, QWidget* parent) {
    QMessageBox box(parent);
    box.setTextFormat(Qt::RichText);
    if (item == t_MenuTag::About) {
        box.setWindowTitle(QStringLiteral("Über Zarvik"));
        box.setText(aboutText(QStringLiteral(ZARVIK_VERSION)));
        box.setDetailedText(fontLicence());
    } else {
        box.setWindowTitle(QStringLiteral("Bedienung"));
        box.setText(manualText());
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

}  // namespace zarvik::qthost
