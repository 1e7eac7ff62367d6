// The configuration tree's picture entries open their dialogs in a model that has them.
#include <QDialog>
#include <QTreeWidget>

#include "main_form_fixture.h"

namespace kelm {
namespace {

using test::Child;
using test::MainFormTest;
using test::WhenModal;

TEST_F(MainFormTest, PictureEntriesOpenTheirDialogs) {
  Start(7);  // a printer with the electronic copy of the third kind
  auto* tree = Find<QTreeWidget>("TreeView2");
  const struct {
    const char* entry;
    const char* dialog;
    const char* caption;
  } rows[] = {{"Wyświetlacza klienta", "TGrafikiReklamowe", "GrafikiReklamowe"},
              {"Nagłówek/stopka paragonu", "TNaglowekGraficzny", "NaglowekGraficzny"},
              {"Ekran pożegnalny", "TEkranPozegnalny", "Ekran pożegnalny"}};
  for (const auto& row : rows) {
    QTreeWidgetItem* item = nullptr;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
      if ((*it)->text(0) == QString::fromUtf8(row.entry)) item = *it;
    }
    ASSERT_NE(item, nullptr) << row.entry;
    tree->setCurrentItem(item);
    QString name, title;
    WhenModal([&](QWidget* d) {
      name = d->objectName();
      title = d->windowTitle();
      static_cast<QDialog*>(d)->reject();
    });
    emit tree->itemDoubleClicked(item, 0);
    EXPECT_EQ(name.toStdString(), row.dialog);
    EXPECT_EQ(title.toStdString(), row.caption);
  }
}

}  // namespace
}  // namespace kelm
