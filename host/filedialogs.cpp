#include "host/filedialogs.h"

#include <algorithm>

#include <QApplication>
#include <QHeaderView>
#include <QTreeView>

namespace zarvik::qthost {
namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// What a person calls the files of a type.
QString kindOf(const QString& type) {
    if (type == QLatin1String("zarvik")) {
        return QStringLiteral("Gesicherte Spiele");
    }
    if (type == QLatin1String("gr")) {
        return QStringLiteral("Grafiken");
    }
    if (type == QLatin1String("png")) {
        return QStringLiteral("PNG-Bilder");
    }
    if (type == QLatin1String("pgn")) {
        return QStringLiteral("PGN-Partien");
    }
    return QStringLiteral("Dateien");
}

// One filter per type, then all files where other types are allowed. An open dialogue that names
// no type takes any file; the program's games, saved and from other programs, come first.
QStringList nameFilters(const std::vector<std::string>& fileTypes, bool forOpening) {
    const bool anyType = fileTypes.empty();
    QStringList filters;
    for (const std::string& type :
         anyType&& forOpening ? std::vector<std::string>{"zarvik", "pgn"} : fileTypes) {
        const QString shown = qs(type);
        filters << QStringLiteral("%1 (*.%2)").arg(kindOf(shown), shown);
    }
    if (anyType || !forOpening) {
        filters << QStringLiteral("Alle Dateien (*)");
    }
    return filters;
}

// The panels' title and message are one line of text above the files elsewhere; here both share
// the window title, and once is enough when they say the same.
QString titleOf(const std::string& title, const std::string& message) {
    if (title.empty() || title == message) {
        return qs(message);
    }
    if (message.empty()) {
        return qs(title);
    }
    return qs(title) + QStringLiteral(" – ") + qs(message);
}

// The details view with the date column wide enough for a German date and time and every column for
// its heading.
void showDetails(QFileDialog& dialog) {
    dialog.setViewMode(QFileDialog::Detail);
    dialog.resize(std::max(dialog.width(), 800), std::max(dialog.height(), 480));
    for (QTreeView* view : dialog.findChildren<QTreeView*>()) {
        QHeaderView& header = *view->header();
        const int dateWidth = header.fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000 00:00")) + 32;
        const int nameWidth = header.fontMetrics().horizontalAdvance(QLatin1Char('M')) * 24;
        header.setMinimumSectionSize(std::min(header.minimumSectionSize(), dateWidth));
        header.resizeSection(0, std::max(header.sectionSize(0), nameWidth));
        if (header.count() > 3) {
            header.resizeSection(3, std::max(header.sectionSize(3), dateWidth));
        }
        // No heading cut off ("Änderungsdatum" is longer than its English original).
        for (int section = 0; section < header.count(); ++section) {
            header.resizeSection(section,
                                 std::max(header.sectionSize(section), header.sectionSizeHint(section)));
        }
    }
}

// Choosing a filter makes its extension the one added to a bare name.
void followFilter(QFileDialog& dialog) {
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        const qsizetype star = filter.indexOf(QStringLiteral("(*."));
        if (star >= 0) {
            dialog.setDefaultSuffix(
                filter.mid(star + 3).section(QLatin1Char(')'), 0, 0).section(QLatin1Char(' '), 0, 0));
        }
    });
}

}  // namespace

void configureOpenDialog(QFileDialog& dialog, const OpenPanelRequest& request) {
    // Qt's own dialog, so that the button texts are ours on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setWindowTitle(titleOf(request.title, request.message));
    dialog.setLabelText(QFileDialog::Accept, qs(request.prompt));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
    if (request.canChooseDirectories && !request.canChooseFiles) {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
    } else {
        dialog.setFileMode(request.allowsMultipleSelection ? QFileDialog::ExistingFiles
                                                           : QFileDialog::ExistingFile);
        dialog.setNameFilters(nameFilters(request.fileTypes, true));
    }
    showDetails(dialog);
    dialog.setOption(QFileDialog::DontResolveSymlinks, !request.resolvesAliases);
}

void configureSaveDialog(QFileDialog& dialog, const SavePanelRequest& request) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setWindowTitle(titleOf(request.title, request.message));
    dialog.setLabelText(QFileDialog::Accept, qs(request.prompt));
    dialog.setLabelText(QFileDialog::FileName, qs(request.nameFieldLabel));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
    dialog.setNameFilters(nameFilters(request.fileTypes, false));
    if (!request.fileTypes.empty()) {
        dialog.setDefaultSuffix(qs(request.fileTypes.front()));
    }
    followFilter(dialog);
    showDetails(dialog);
    dialog.selectFile(qs(request.proposedName));
}

std::vector<std::string> chosenPaths(const QFileDialog& dialog) {
    std::vector<std::string> paths;
    for (const QString& path : dialog.selectedFiles()) {
        paths.push_back(path.normalized(QString::NormalizationForm_C).toStdString());
    }
    return paths;
}

std::vector<std::string> runOpenDialog(const OpenPanelRequest& request) {
    QFileDialog dialog(QApplication::activeWindow());
    configureOpenDialog(dialog, request);
    return dialog.exec() == QDialog::Accepted ? chosenPaths(dialog) : std::vector<std::string>{};
}

std::string runSaveDialog(const SavePanelRequest& request) {
    QFileDialog dialog(QApplication::activeWindow());
    configureSaveDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    std::vector<std::string> paths = chosenPaths(dialog);
    return paths.empty() ? std::string() : paths.front();
}

void configureMessageBox(QMessageBox& box, const std::string& text) {
    const QString all = qs(text);
    const qsizetype lineEnd = all.indexOf(QLatin1Char('\n'));
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(QStringLiteral("Zarvik"));
    box.setText(lineEnd < 0 ? all : all.left(lineEnd));
    box.setInformativeText(lineEnd < 0 ? QString() : all.mid(lineEnd + 1));
    box.setStandardButtons(QMessageBox::Ok);
}

void runMessageDialog(const std::string& text) {
    QMessageBox box(QApplication::activeWindow());
    configureMessageBox(box, text);
    box.exec();
}

}  // namespace zarvik::qthost
