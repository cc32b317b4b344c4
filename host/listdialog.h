#pragma once
// The application's list dialog: a table of rows (the games of a collection) to choose one of, by a
// double click or the "Öffnen" button.
#include <QDialog>
#include <QTreeWidget>

#include <optional>

#include "util/dialogs.h"

namespace zarvik::qthost {

class ListDialog : public QDialog {
  public:
    ListDialog(const ListPanelRequest& request, QWidget* parent);

    QTreeWidget& list() { return *list_; }
    // The row chosen when the dialog was accepted; none before or when nothing was selected.
    std::optional<std::size_t> chosenRow() const;

  private:
    QTreeWidget* list_;
};

// Run modally over the active window (GUI thread only): the row chosen, none when cancelled.
std::optional<std::size_t> runListDialog(const ListPanelRequest& request);

}  // namespace zarvik::qthost
