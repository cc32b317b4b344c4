#include "terminal/help.h"

namespace zarvik::terminal {

std::string manualText() {
    return "Bedienung im Terminal\n"
           "\n"
           "Züge tippen: Ausgangs- und Zielfeld mit Bindestrich, etwa E2-E4, dann die Eingabetaste; "
           "O-O und O-O-O sind die Rochaden. Fragen mit J/N beantworten Sie mit einer Taste.\n"
           "Züge mit der Maus: eigene Figur auf dem Textbrett anklicken, dann das Zielfeld.\n"
           "\n"
           "F10      Menüs (Pfeiltasten, Eingabetaste, Escape)\n"
           "F5       Zug zurücknehmen        F6   Zug wiederholen\n"
           "F2       Spiel, Drucker und Systemkonsole nacheinander zeigen\n"
           "Strg+N   Neues Spiel             Strg+O  Spiel öffnen\n"
           "Strg+Q   Beenden                 Strg+Z  Programm anhalten (weiter mit fg)\n"
           "\n"
           "Beim Öffnen und Sichern ergänzt die Tabulatortaste den Dateinamen. Das laufende Spiel wird nach "
           "jedem Halbzug aufbewahrt und beim nächsten Start angeboten.";
}

std::string aboutText() {
    return std::string("Zarvik ") + ZARVIK_VERSION + "\nSchach gegen den Computer oder zu zweit.";
}

}  // namespace zarvik::terminal
