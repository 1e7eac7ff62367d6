// The main window.
#include "app/TMainForm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/QtOperator.h"
#include "catalogue/cash_info.h"
#include "catalogue/dialogs/TModelDrukarki.h"
#include "catalogue/model.h"
#include "catalogue/raw_panel.h"
#include "link/settings.h"

namespace kelm {
namespace {

constexpr int kClientWidth = 632;
constexpr int kClientHeight = 531;
constexpr int kTopAreaHeight = 232;
constexpr int kTreeWidth = 380;
// The decoding pane under "Dane wysłane" adds its own height to the designed window; with the
// raw panel hidden the trees take that room.
constexpr int kDecodedPaneHeight = 72;

constexpr TreeId kDesignedTrees[] = {kBasicTree, kConfigurationTree, kTransactionTree,
                                     kDiagnosticsTree, kAdditionalTree};

bool IsDesignedTree(TreeId tree) {
  return tree <= kAdditionalTree;
}

}  // namespace

void RawEdit::focusInEvent(QFocusEvent* event) {
  RawEditFocused = true;
  QTextEdit::focusInEvent(event);
}

void RawEdit::focusOutEvent(QFocusEvent* event) {
  RawEditFocused = false;
  QTextEdit::focusOutEvent(event);
}

void RawEdit::insertFromMimeData(const QMimeData* source) {
  QTextEdit::insertFromMimeData(source);
  emit Pasted();
}

TMainForm::TMainForm() {
  setObjectName("MainForm");
  // The model named in the title is known after the model dialog of the first showing.
  setWindowTitle(QString::fromUtf8(kApplicationTitle));
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->setSpacing(4);
  layout->addWidget(BuildTopArea());
  layout->addWidget(BuildMiddleRow());
  layout->addWidget(BuildRawPanel(), 1);
  setCentralWidget(central);
  BuildMenu();

  // A single border with a minimise button: the layout is made for one size.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  full_height_ = kClientHeight + kDecodedPaneHeight;
  setFixedSize(kClientWidth, full_height_);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  qApp->installEventFilter(this);

  FirstShow = true;
  CashInfoState = 2;
  LoadSettings();
  ShowRawPanel();
  RefreshMainWindow();
}

TMainForm::~TMainForm() {
  qApp->removeEventFilter(this);
}

QWidget* TMainForm::BuildTopArea() {
  auto* top = new QWidget(this);
  top->setMinimumHeight(kTopAreaHeight);
  top_area_ = top;
  auto* row = new QHBoxLayout(top);
  row->setContentsMargins(0, 0, 0, 0);
  page_control_ = new QTabWidget(top);
  page_control_->setObjectName("PageControl1");
  // Every tab stays in sight: the strip never scrolls, and the window widens when the tabs of a
  // model need more than the designed width (FitTabs).
  page_control_->tabBar()->setUsesScrollButtons(false);
  page_control_->tabBar()->setElideMode(Qt::ElideNone);
  page_control_->setFixedWidth(kTreeWidth);
  for (TreeId tree : kDesignedTrees)
    page_control_->addTab(NewTreeTab(tree), kTreeTabCaptions[tree]);
  connect(page_control_, &QTabWidget::currentChanged, this, [this](int index) {
    QWidget* page = page_control_->widget(index);
    for (int t = 0; t < kTreeCount; ++t) {
      if (tabs_[t] == page && trees_[t]->isVisible()) trees_[t]->setFocus();
    }
  });
  row->addWidget(page_control_);

  auto* right = new QVBoxLayout;
  cash_group_ = new QGroupBox("Dane z drukarki", top);
  cash_group_->setObjectName("GroupBox1");
  auto* grid = new QGridLayout(cash_group_);
  grid->setVerticalSpacing(1);
  for (int i = 0; i < 7; ++i) {
    const QString letter(QChar('A' + i));
    grid->addWidget(new QLabel("PTU " + letter, cash_group_), i, 0);
    auto* rate = new QLineEdit(cash_group_);
    rate->setObjectName("PTU_" + letter);
    rate->setReadOnly(true);
    grid->addWidget(rate, i, 1);
    grid->addWidget(new QLabel("TOT " + letter, cash_group_), i, 2);
    auto* total = new QLineEdit(cash_group_);
    total->setObjectName("TOT_" + letter);
    total->setReadOnly(true);
    grid->addWidget(total, i, 3);
  }
  right->addWidget(cash_group_, 1);
  status_label_ = new QLabel(QString::fromUtf8(kNoAnswerText), top);
  status_label_->setObjectName("Label1");
  // The group and the status line keep their room while hidden, so the buttons below stay put
  // when "Pobierz dane" brings the printer's data.
  for (QWidget* w : {static_cast<QWidget*>(cash_group_), static_cast<QWidget*>(status_label_)}) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
  }
  right->addWidget(status_label_);
  fetch_button_ = new QPushButton("Pobierz dane", top);
  fetch_button_->setObjectName("Button1");
  fetch_button_->setToolTip("Pobranie informacji kasowych.");
  connect(fetch_button_, &QPushButton::clicked, this, &TMainForm::FetchClick);
  auto* search = new QPushButton("Szukaj drukarki", top);
  search->setObjectName("Button2");
  search->setToolTip("Wyszukanie drukarki fiskalnej na dostępnych portach szeregowych.");
  connect(search, &QPushButton::clicked, this, &TMainForm::SearchClick);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(fetch_button_);
  buttons->addWidget(search);
  right->addLayout(buttons);
  row->addLayout(right, 1);
  return top;
}

QWidget* TMainForm::NewTreeTab(TreeId tree) {
  auto* page = new QWidget;
  page->setObjectName(QString("TabSheet%1").arg(tree + 1));
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* view = new QTreeWidget(page);
  view->setObjectName(QString("TreeView%1").arg(tree + 1));
  view->setHeaderHidden(true);
  view->setColumnCount(1);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->installEventFilter(this);
  connect(view, &QTreeWidget::itemDoubleClicked, this, [this, tree] {
    ActivateEntry(tree);
    if (tree != kBusTree) RefreshMainWindow();
  });
  layout->addWidget(view);
  trees_[tree] = view;
  tabs_[tree] = page;
  if (tree == kAdditionalTree || tree == kBusTree) FillTree(tree);
  return page;
}

QWidget* TMainForm::BuildMiddleRow() {
  auto* middle = new QWidget(this);
  middle->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  auto* row = new QHBoxLayout(middle);
  row->setContentsMargins(0, 0, 0, 0);
  raw_check_ = new QCheckBox("Pokaż dane wysłane/odebrane", middle);
  raw_check_->setObjectName("CheckBox1");
  connect(raw_check_, &QCheckBox::clicked, this, &TMainForm::ShowRawPanel);
  row->addWidget(raw_check_);
  row->addStretch(1);
  auto* caption = new QLabel("Standard kodowania polskich liter:", middle);
  caption->setObjectName("Label2");
  row->addWidget(caption);
  coding_label_ = new QLabel(middle);
  coding_label_->setObjectName("Label3");
  row->addWidget(coding_label_);
  return middle;
}

QWidget* TMainForm::BuildRawPanel() {
  auto* panel = new QWidget(this);
  raw_panel_ = panel;
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(0, 0, 0, 0);

  sent_group_ = new QGroupBox("Dane wysłane", panel);
  sent_group_->setObjectName("GroupBox2");
  auto* sent = new QVBoxLayout(sent_group_);
  sent_edit_ = new RawEdit(sent_group_);
  sent_edit_->setObjectName("RichEdit1");
  sent_edit_->setAcceptRichText(false);
  connect(sent_edit_, &RawEdit::Pasted, this, [this] {
    PanelTextToCommandFrame(sent_edit_->toPlainText().toStdString());
    RefreshMainWindow();
  });
  sent->addWidget(sent_edit_, 1);
  decoded_pane_ = new QTextEdit(sent_group_);
  decoded_pane_->setObjectName("RichEdit3");
  decoded_pane_->setReadOnly(true);
  decoded_pane_->setFocusPolicy(Qt::ClickFocus);
  decoded_pane_->setLineWrapMode(QTextEdit::WidgetWidth);
  decoded_pane_->setFixedHeight(kDecodedPaneHeight + 28);
  sent->addWidget(decoded_pane_);
  connect(sent_edit_, &QTextEdit::textChanged, this, &TMainForm::ShowDecodedFrame);
  auto* insert_label = new QLabel("Wstaw znak", sent_group_);
  insert_label->setObjectName("Label5");
  sent->addWidget(insert_label);
  auto* inserts = new QGridLayout;
  inserts->setSpacing(2);
  for (int i = 0; i < kInsertButtonCount; ++i) {
    auto* b = new QPushButton(kInsertButtons[i].caption, sent_group_);
    b->setObjectName(QString("Button%1").arg(3 + i));
    b->setFocusPolicy(Qt::NoFocus);
    b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    b->setMinimumWidth(40);
    const char* mnemonic = kInsertButtons[i].mnemonic;
    connect(b, &QPushButton::clicked, this,
            [this, mnemonic] { sent_edit_->insertPlainText(mnemonic); });
    inserts->addWidget(b, i / 5, i % 5);
  }
  hex_field_ = new QLineEdit(sent_group_);
  hex_field_->setObjectName("MaskEdit1");
  hex_field_->setInputMask(">HH\\H; ");
  hex_field_->setFixedWidth(44);
  inserts->addWidget(hex_field_, 1, 4);
  auto* hex_button = new QPushButton("Wstaw", sent_group_);
  hex_button->setObjectName("Button12");
  hex_button->setFocusPolicy(Qt::NoFocus);
  hex_button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  hex_button->setMinimumWidth(40);
  connect(hex_button, &QPushButton::clicked, this, [this] {
    sent_edit_->insertPlainText(
        QString::fromStdString(HexFieldMnemonic(hex_field_->displayText().toStdString())));
  });
  inserts->addWidget(hex_button, 1, 5);
  sent->addLayout(inserts);
  auto* actions = new QHBoxLayout;
  auto* checksum = new QPushButton("&Dodaj sumę kontrolną", sent_group_);
  checksum->setObjectName("Button13");
  connect(checksum, &QPushButton::clicked, this, [this] {
    AddChecksumToText(sent_edit_->toPlainText().toStdString());
    RefreshMainWindow();
  });
  auto* send = new QPushButton("&Wyślij", sent_group_);
  send->setObjectName("Button14");
  connect(send, &QPushButton::clicked, this, &TMainForm::SendRawClick);
  actions->addWidget(checksum);
  actions->addWidget(send);
  sent->addLayout(actions);
  row->addWidget(sent_group_, 1);

  received_group_ = new QGroupBox("Dane odebrane", panel);
  received_group_->setObjectName("GroupBox3");
  auto* received = new QVBoxLayout(received_group_);
  received_edit_ = new QTextEdit(received_group_);
  received_edit_->setObjectName("RichEdit2");
  received_edit_->setAcceptRichText(false);
  received->addWidget(received_edit_, 1);
  auto* receive = new QPushButton("&Odbierz", received_group_);
  receive->setObjectName("Button15");
  connect(receive, &QPushButton::clicked, this, &TMainForm::ReceiveClick);
  received->addWidget(receive);
  row->addWidget(received_group_, 1);
  return panel;
}

void TMainForm::BuildMenu() {
  auto add = [this](QMenu* menu, const char* name, const char* caption, auto slot) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  QMenu* file = menuBar()->addMenu("&Plik");
  add(file, "Koniec1", "&Koniec", [this] { close(); });
  QMenu* settings = menuBar()->addMenu("&Ustawienia");
  add(settings, "Modeldrukarki1", "&Model drukarki", [this] { ModelMenuClick(); });
  add(settings, "Parametrytransmisji1", "&Parametry transmisji", [this] {
    OpenDialog("TParametryTransmisji");
    RefreshMainWindow();
  });
  add(settings, "Kodowaniepolskichliter1", "&Kodowanie polskich liter", [this] {
    OpenDialog("TUstawKodLiter");
    RefreshMainWindow();
  });
  log_action_ =
      add(settings, "Rejestracjatransmsji1", "Rejestracja transmsji", [this] { ToggleLogClick(); });
  log_action_->setCheckable(true);
  add(settings, "TransmisjaTCPIP1", "Transmisja TCP/IP", [this] {
    OpenDialog("TTransmisjaTCPIP");
    RefreshMainWindow();
  });
  QMenu* tools = menuBar()->addMenu("&Narzędzia");
  add(tools, "Wyslijodbierzplikbinarnie1", "&Wyślij/odbierz plik binarnie",
      [this] { BinaryFileClick(); });
  add(tools, "Pozycjerozkazow1", "&Pozycje rozkazów", [this] { SendCommandPositionsClick(false); });
  add(tools, "Odczytpamiecifiskalnej1", "&Odczyt pamięci fiskalnej",
      [this] { OpenDialog("TOdczytBloku"); });
  add(tools, "Pojedynczepozycjerozkazow1", "Pojedyńcze pozycje rozkazów",
      [this] { SendCommandPositionsClick(true); });
  add(tools, "Podgladtransmisji1", "Podgląd transmisji", [this] { ShowTrafficWindow(); });
  QMenu* help = menuBar()->addMenu("&Pomoc");
  add(help, "Oprogramie1", "&O programie", [this] {
    OpenDialog("TOProgramie");
    RefreshMainWindow();
  });
  log_label_ = new QLabel("T", this);
  log_label_->setObjectName("Label4");
  log_label_->setContentsMargins(0, 0, 6, 0);
  log_label_->setVisible(false);
  menuBar()->setCornerWidget(log_label_, Qt::TopRightCorner);
}

void TMainForm::RegisterDialog(const std::string& class_name, QDialog* dialog) {
  dialogs_[class_name] = dialog;
}

QDialog* TMainForm::FindDialog(const std::string& class_name) const {
  auto it = dialogs_.find(class_name);
  return it == dialogs_.end() ? nullptr : it->second;
}

std::vector<std::string> TMainForm::DialogNames() const {
  std::vector<std::string> names;
  for (const auto& [name, dialog] : dialogs_) names.push_back(name);
  return names;
}

bool TMainForm::OpenDialog(const std::string& class_name) {
  QDialog* dialog = FindDialog(class_name);
  if (dialog == nullptr) return false;
  dialog->exec();
  return true;
}

void TMainForm::ShowRawPanel() {
  const bool show = raw_check_->isChecked();
  sent_group_->setVisible(show);
  received_group_->setVisible(show);
  top_area_->setMaximumHeight(show ? kTopAreaHeight : QWIDGETSIZE_MAX);
  raw_panel_->setVisible(show);
  setFixedHeight(show ? full_height_ : CollapsedHeight(full_height_));
}

void TMainForm::RefreshMainWindow() {
  RefreshLink();
  RefreshMainView(view_, CurrentAnswerReceived());
  ApplyView();
}

void TMainForm::ApplyView() {
  coding_label_->setText(QString::fromStdString(view_.coding_keyword));
  sent_edit_->setPlainText(QString::fromLatin1(view_.sent_text));
  received_edit_->setPlainText(QString::fromLatin1(view_.received_text));
  cash_group_->setVisible(view_.cash_group_visible);
  status_label_->setVisible(view_.status_visible);
  status_label_->setText(QString::fromUtf8(view_.status_text));
  fetch_button_->setEnabled(view_.fetch_enabled);
  for (int i = 0; i < 7; ++i) {
    const QString letter(QChar('A' + i));
    cash_group_->findChild<QLineEdit*>("PTU_" + letter)
        ->setText(QString::fromStdString(view_.rates[i]));
    cash_group_->findChild<QLineEdit*>("TOT_" + letter)
        ->setText(QString::fromStdString(view_.totals[i]));
  }
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (FirstShow && !shown_once_) {
    shown_once_ = true;
    // After the window is on the screen, so the model dialog opens over it.
    QTimer::singleShot(0, this, &TMainForm::FormShow);
  }
}

void TMainForm::FormShow() {
  if (!FirstShow) return;
  auto* model = static_cast<dialogs::TModelDrukarki*>(FindDialog("TModelDrukarki"));
  const bool chosen = model != nullptr && model->Choose();
  setWindowTitle(QString::fromUtf8(MainWindowTitle()));
  if (!chosen) {
    close();
    return;
  }
  page_control_->addTab(NewTreeTab(kProgrammingTree), kTreeTabCaptions[kProgrammingTree]);
  BuildTrees();
  page_control_->setTabText(0, kTreeTabCaptions[kBasicTree]);
  NewTreeTab(kBusTree);
  ShowBusTab();
  FirstShow = false;
  RawEditFocused = false;
  QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
}

void TMainForm::FillTree(TreeId tree) {
  QTreeWidget* view = trees_[tree];
  if (view == nullptr) return;
  view->clear();
  entries_[tree] = BuildTree(tree, LinkSettings);
  QTreeWidgetItem* heading = nullptr;
  for (size_t i = 0; i < entries_[tree].size(); ++i) {
    const TreeEntry& e = entries_[tree][i];
    auto* item = e.level > 0 && heading != nullptr ? new QTreeWidgetItem(heading)
                                                   : new QTreeWidgetItem(view);
    item->setText(0, QString::fromStdString(e.caption));
    item->setData(0, Qt::UserRole, static_cast<int>(i));
    if (e.level == 0) heading = item;
  }
  view->expandAll();
}

void TMainForm::BuildTrees() {
  for (TreeId tree :
       {kBasicTree, kConfigurationTree, kTransactionTree, kDiagnosticsTree, kProgrammingTree}) {
    FillTree(tree);
  }
}

bool TMainForm::BusTabShown() const {
  return tabs_[kBusTree] != nullptr && page_control_->indexOf(tabs_[kBusTree]) >= 0;
}

void TMainForm::ShowBusTab() {
  if (tabs_[kBusTree] != nullptr) {
    const bool want = LinkSettings.PrinterVariant != 0;
    if (want && !BusTabShown()) {
      page_control_->addTab(tabs_[kBusTree], kTreeTabCaptions[kBusTree]);
    } else if (!want && BusTabShown()) {
      page_control_->removeTab(page_control_->indexOf(tabs_[kBusTree]));
    }
  }
  FitTabs();
}

void TMainForm::FitTabs() {
  const int tabs = std::max(kTreeWidth, page_control_->minimumSizeHint().width());
  if (tabs == page_control_->width()) return;
  page_control_->setFixedWidth(tabs);
  setFixedWidth(kClientWidth + tabs - kTreeWidth);
}

void TMainForm::ActivateEntry(TreeId tree) {
  QTreeWidgetItem* item = trees_[tree]->currentItem();
  if (item == nullptr || !item->isSelected()) return;
  const int index = item->data(0, Qt::UserRole).toInt();
  if (index < 0 || index >= static_cast<int>(entries_[tree].size())) return;
  if (const char* dialog = DispatchEntry(tree, entries_[tree][index])) OpenDialog(dialog);
}

void TMainForm::ModelMenuClick() {
  OpenDialog("TModelDrukarki");
  setWindowTitle(QString::fromUtf8(MainWindowTitle()));
  BuildTrees();
  ShowBusTab();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  for (int t = 0; t < kTreeCount; ++t) {
    if (watched == trees_[t]) return TreeKey(static_cast<TreeId>(t), key);
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget != nullptr && widget->window() == this && WindowShortcut(key)) return true;
  return QMainWindow::eventFilter(watched, event);
}

// The window sees keys before its controls (its key preview), unless the raw edit box has the
// focus, where the letters are text.
bool TMainForm::WindowShortcut(QKeyEvent* key) {
  if (RawEditFocused) return false;
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
  switch (key->key()) {
    case Qt::Key_F3:
    case Qt::Key_R:
      OpenDialog("TWydrukRaportuDobowego");
      return true;
    case Qt::Key_F5:
    case Qt::Key_T:
      ToggleLogClick();
      return true;
    default:
      return false;
  }
}

bool TMainForm::TreeKey(TreeId tree, QKeyEvent* key) {
  if (WindowShortcut(key)) return true;
  if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right) {
    page_control_->setFocus();
    return true;
  }
  if (!IsDesignedTree(tree)) return false;
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    ActivateEntry(tree);
    RefreshMainWindow();
    return true;
  }
  RefreshMainWindow();
  return false;
}

void TMainForm::closeEvent(QCloseEvent* event) {
  SaveSettings();
  for (TreeId tree : {kProgrammingTree, kBusTree}) {
    if (tabs_[tree] == nullptr) continue;
    const int index = page_control_->indexOf(tabs_[tree]);
    if (index >= 0) page_control_->removeTab(index);
    delete tabs_[tree];
    tabs_[tree] = nullptr;
    trees_[tree] = nullptr;
    entries_[tree].clear();
  }
  CloseLink();
  event->accept();
}

}  // namespace kelm
