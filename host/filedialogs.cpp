#include "host/filedialogs.h"

#include <QApplication>

namespace zarvik::qthost {
namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// What the program's own file types are called in the dialogues.
QString typeName(const std::string& type) {
    if (type == "zarvik") {
        return QStringLiteral("Gesicherte Spiele");
    }
    if (type == "pgn") {
        return QStringLiteral("PGN-Partien");
    }
    return QStringLiteral("Dateien");
}

QStringList nameFilters(const std::vector<std::string>& fileTypes, bool othersAllowed) {
    QStringList filters;
    if (!fileTypes.empty()) {
        QStringList globs;
        for (const std::string& type : fileTypes) {
            globs << QStringLiteral("*.") + qs(type);
        }
        filters << QStringLiteral("Dateien (%1)").arg(globs.join(QLatin1Char(' ')));
    }
    if (fileTypes.empty() || othersAllowed) {
        filters << QStringLiteral("Alle Dateien (*)");
    }
    return filters;
}

// Saving writes one kind of file: one filter per type, the first the default, then any name.
QStringList saveNameFilters(const std::vector<std::string>& fileTypes) {
    QStringList filters;
    for (const std::string& type : fileTypes) {
        filters << QStringLiteral("%1 (*.%2)").arg(typeName(type), qs(type));
    }
    filters << QStringLiteral("Alle Dateien (*)");
    return filters;
}

QString titleOf(const std::string& title, const std::string& message) {
    if (title.empty()) {
        return qs(message);
    }
    if (message.empty()) {
        return qs(title);
    }
    return qs(title) + QStringLiteral(" – ") + qs(message);
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
        dialog.setNameFilters(nameFilters(request.fileTypes, false));
    }
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
    dialog.setNameFilters(saveNameFilters(request.fileTypes));
    if (!request.fileTypes.empty()) {
        dialog.setDefaultSuffix(qs(request.fileTypes.front()));
        // A name typed without an extension gets the one of the type chosen.
        const std::vector<std::string> types = request.fileTypes;
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog, [&dialog, types](const QString& filter) {
                const QStringList filters = dialog.nameFilters();
                const qsizetype index = filters.indexOf(filter);
                if (index >= 0 && static_cast<std::size_t>(index) < types.size()) {
                    dialog.setDefaultSuffix(QString::fromStdString(types[static_cast<std::size_t>(index)]));
                }
            });
    }
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
