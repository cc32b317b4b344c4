#include "host/listdialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zarvik::qthost {

ListDialog::ListDialog(const ListPanelRequest& request, QWidget* parent)
    : QDialog(parent), list_(new QTreeWidget(this)) {
    setWindowTitle(QString::fromStdString(request.title));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromStdString(request.message), this));

    QStringList headings;
    for (const std::string& heading : request.headings) {
        headings.push_back(QString::fromStdString(heading));
    }
    list_->setHeaderLabels(headings);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);  // ten thousand games stay quick to show
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(request.rows.size()));
    for (const std::vector<std::string>& row : request.rows) {
        QStringList cells;
        for (const std::string& cell : row) {
            cells.push_back(QString::fromStdString(cell));
        }
        items.push_back(new QTreeWidgetItem(cells));
    }
    list_->addTopLevelItems(items);
    // Every column at least as wide as its heading.
    for (int column = 0; column < headings.size(); ++column) {
        list_->resizeColumnToContents(column);
        const int heading = list_->header()->sectionSizeHint(column);
        list_->setColumnWidth(column, std::max(list_->columnWidth(column), heading));
    }
    if (!items.isEmpty()) {
        list_->setCurrentItem(items.front());
    }
    layout->addWidget(list_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Open)->setText(QStringLiteral("Öffnen"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(720, 420);
}

std::optional<std::size_t> ListDialog::chosenRow() const {
    const QModelIndex current = list_->currentIndex();
    if (result() != QDialog::Accepted || !current.isValid()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(current.row());
}

std::optional<std::size_t> runListDialog(const ListPanelRequest& request) {
    ListDialog dialog(request, QApplication::activeWindow());
    dialog.exec();
    return dialog.chosenRow();
}

}  // namespace zarvik::qthost
