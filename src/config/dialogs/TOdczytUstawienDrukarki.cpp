// The printer settings readout dialog.
#include "config/dialogs/TOdczytUstawienDrukarki.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "config/options.h"
#include "config/printer_settings.h"
#include "link/reception.h"
#include "protocol/operator.h"

namespace kelm::dialogs {

namespace {

// Both cases of the extension, as the files come from Windows machines too.
constexpr const char* kFileFilter = "Pliki tekstowe (*.ust *.UST)";
constexpr const char* kFileTitle = "Otwórz plik z danymi.";

}  // namespace

TOdczytUstawienDrukarki::TOdczytUstawienDrukarki(QWidget* parent)
    : ConfigDialog(parent, "TOdczytUstawienDrukarki", "Ustawienia drukarki", "&Odczytaj z drukarki",
                   "&Koniec") {
  QBoxLayout* inner = nullptr;
  group_ = AddGroup({}, &inner);
  auto* grid = new QGridLayout;
  inner->addLayout(grid);
  const std::vector<SettingsRow> shown = SettingsRows(PrinterSettings);
  const auto& items = SettingsRowItems();
  for (size_t i = 0; i < shown.size(); ++i) {
    Row row;
    row.label = new QLabel(Q(shown[i].label), this);
    row.label->setObjectName(QString("Label%1").arg(i + 1));
    grid->addWidget(row.label, static_cast<int>(i), 0);
    if (items[i].empty()) {
      row.number = new QLineEdit(this);
      row.number->setObjectName(QString("Edit%1").arg(i + 1));
      row.number->setReadOnly(true);
      grid->addWidget(row.number, static_cast<int>(i), 1);
      auto* units = new QLabel(Q(shown[i].unit) + "  " + Q(shown[i].range), this);
      grid->addWidget(units, static_cast<int>(i), 2);
    } else {
      row.list = new QComboBox(this);
      row.list->setObjectName(QString("ComboBox%1").arg(i + 1));
      for (const char* item : items[i]) row.list->addItem(Q(item));
      // Read-only: the operator looks, the printer decides.
      row.list->setEnabled(false);
      grid->addWidget(row.list, static_cast<int>(i), 1);
    }
    rows_.push_back(row);
  }
  // Help buttons beside the copy mode, response time, error mode, deposit, drawer and system
  // number rows.
  auto help = [&](int row, std::function<std::string()> text) {
    auto* layout = new QHBoxLayout;
    grid->addLayout(layout, row, 3);
    AddHelp(std::move(text), layout);
  };
  help(3, [] { return CopyModeHelp(PrinterSettings.Fields[3]); });
  help(6, [] { return std::string(OptionHelp("TKonfiguracjaCzasuOdp")); });
  help(10, [] { return ErrorModeHelp(PrinterSettings.Fields[10]); });
  help(11, [] { return std::string(OptionHelp("TSposobObslugiKaucjiWLinijceParagonu")); });
  help(12, [] { return std::string(OptionHelp("TAutomatyczneOtwieranieSzuflady")); });
  help(13, [] { return std::string(OptionHelp("TDefinicjaNrSystemowego")); });

  auto* files = new QHBoxLayout;
  body_->addLayout(files);
  connect(AddButton(Q("&Pobierz ustawienia z pliku"), files), &QPushButton::clicked, this, [this] {
    const QString path = QFileDialog::getOpenFileName(this, Q(kFileTitle), {}, Q(kFileFilter));
    if (!path.isEmpty()) LoadFromFile(path);
  });
  connect(AddButton(Q("&Zapisz ustawienia do pliku"), files), &QPushButton::clicked, this, [this] {
    QFileDialog dialog(this, Q(kFileTitle), {}, Q(kFileFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("ust");
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
      SaveToFile(dialog.selectedFiles().first());
    }
  });
  group_->setVisible(false);
}

void TOdczytUstawienDrukarki::ShowRecord() {
  const std::vector<SettingsRow> shown = SettingsRows(PrinterSettings, discount_shown_);
  for (size_t i = 0; i < shown.size(); ++i) {
    Row& row = rows_[i];
    row.label->setVisible(shown[i].visible);
    if (row.number != nullptr) {
      row.number->setText(QString::fromStdString(shown[i].value));
      row.number->setVisible(shown[i].visible);
    } else {
      row.list->setCurrentIndex(shown[i].item);
      row.list->setVisible(shown[i].visible);
    }
  }
  discount_shown_ = shown.back().item;
  group_->setVisible(AnswerReceived == 1);
}

void TOdczytUstawienDrukarki::FormShown() {
  Send();
}

SendOutcome TOdczytUstawienDrukarki::Send() {
  ReadPrinterSettings(&PrinterSettings);
  ShowRecord();
  return SendOutcome::kRefused;
}

void TOdczytUstawienDrukarki::SaveToFile(const QString& path) {
  if (QFileInfo::exists(path) &&
      !TheOperator().AskYesNo("Plik " + S(path) + " już istnieje.Kontynuować? ")) {
    return;
  }
  if (!SaveSettingsFile(S(path), PrinterSettings)) {
    TheOperator().ShowMessage(CannotOpenMessage(S(path)));
  }
}

void TOdczytUstawienDrukarki::LoadFromFile(const QString& path) {
  std::string message;
  if (!LoadSettingsFile(S(path), &PrinterSettings, &message)) {
    TheOperator().ShowMessage(message);
    return;
  }
  AnswerReceived = 1;
  ShowRecord();
}

}  // namespace kelm::dialogs
