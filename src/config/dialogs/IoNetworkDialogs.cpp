// The port configuration and network settings dialogs.
#include "config/dialogs/IoNetworkDialogs.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include "protocol/operator.h"

namespace kelm::dialogs {

namespace {

const char* const kSpeeds[] = {"9600 kb/s",  "19200 kb/s",  "38400 kb/s",
                               "57600 kb/s", "115200 kb/s", "256000 kb/s"};

int IdOf(int port) {
  return port + 1;  // button group ids: 0 for "Brak"
}

}  // namespace

TKonfiguracjaWeWy::TKonfiguracjaWeWy(QWidget* parent)
    : ConfigDialog(parent, "TKonfiguracjaWeWy", "Konfiguracja wejścia/wyjścia", "Wyślij ustawienia",
                   "Anuluj") {
  auto* grid = new QGridLayout;
  body_->addLayout(grid);
  grid->addWidget(new QLabel(Q("Sprzedaż"), this), 0, 1);
  grid->addWidget(new QLabel(Q("Szybkość"), this), 0, 2);
  for (int p = 0; p < kIoPortCount; ++p) {
    grid->addWidget(new QLabel(Q(IoPortName(p)), this), p + 1, 0);
    auto* sales = new QComboBox(this);
    sales->setObjectName(QString("ComboBoxSprzedaz%1").arg(p + 1));
    if (p == kWlan) {
      sales->addItems({Q("Brak"), Q("Sprzedaż"), Q("2 x Sprzedaż"), Q("3 x Sprzedaż"),
                       Q("4 x Sprzedaż"), Q("5 x Sprzedaż")});
    } else {
      sales->addItems({Q("Brak"), Q(p == kIntCom ? "Sprzedaż bluetooth" : "Sprzedaż")});
    }
    grid->addWidget(sales, p + 1, 1);
    sales_[p] = sales;
    connect(sales, &QComboBox::activated, this, [this, p](int item) {
      SetIoSales(&state_, p, item);
      Refresh();
    });
    if (p < kIoSpeedCount) {
      auto* speed = new QComboBox(this);
      speed->setObjectName(QString("ComboBoxSzybkosc%1").arg(p + 1));
      for (const char* s : kSpeeds) speed->addItem(Q(s));
      if (p == kComA) speed->addItem({});
      speed->setVisible(p != kWlan);
      grid->addWidget(speed, p + 1, 2);
      speed_[p] = speed;
      connect(speed, &QComboBox::activated, this, [this, p](int item) { state_.speed[p] = item; });
    }
  }
  copy_ = Column("Kopia\nelektroniczna", {kComA, kComB, kUsb0, kUsb1, kIntCom, kWlan, kEthernet},
                 grid, 3, "Brak kopii\nelektronicznej.");
  display_ = Column("Zewnętrzny\nwyświetlacz", {kComA, kComB}, grid, 4, "Brak");
  display2_ = Column("Zewnętrzny\nwyświetlacz 2", {kComA, kComB, kUsb1, kIntCom}, grid, 5, "Brak");
  connect(copy_, &QButtonGroup::idClicked, this, [this](int id) {
    ChooseIoCopy(&state_, id - 1);
    Refresh();
  });
  connect(display_, &QButtonGroup::idClicked, this, [this](int id) {
    ChooseIoDisplay(&state_, id - 1);
    Refresh();
  });
  connect(display2_, &QButtonGroup::idClicked, this, [this](int id) {
    ChooseIoDisplay2(&state_, id - 1);
    Refresh();
  });

  auto* lower = new QHBoxLayout;
  body_->addLayout(lower);
  auto radio_group = [&](const char* title, const std::vector<std::pair<int, const char*>>& items,
                         QButtonGroup** out) {
    QBoxLayout* inner = nullptr;
    AddGroup(Q(title), &inner, lower);
    auto* group = new QButtonGroup(this);
    for (auto& [port, caption] : items) group->addButton(AddRadio(Q(caption), inner), IdOf(port));
    *out = group;
  };
  radio_group("COM <-> Ethernet",
              {{kIoNone, "Brak"}, {kComA, "COM A <-> Ethernet"}, {kComB, "COM B <-> Ethernet"}},
              &bridge_);
  radio_group("Podgląd (monitor transakcji) na COM",
              {{kIoNone, "Brak"}, {kComA, "COM A"}, {kComB, "COM B"}}, &monitor_);
  connect(bridge_, &QButtonGroup::idClicked, this, [this](int id) {
    for (const std::string& m : ChooseIoBridge(&state_, id - 1)) TheOperator().ShowMessage(m);
    Refresh();
  });
  connect(monitor_, &QButtonGroup::idClicked, this, [this](int id) {
    ChooseIoMonitor(&state_, id - 1);
    Refresh();
  });
  QBoxLayout* active = nullptr;
  AddGroup(Q("Aktywne"), &active, lower);
  com_pair_ = AddRadio(Q("COM A,B"), active);
  usb_pair_ = AddRadio(Q("USB 0,1"), active);
  connect(com_pair_, &QRadioButton::clicked, this, [this] {
    ChooseIoPair(&state_, true);
    Refresh();
  });
  connect(usb_pair_, &QRadioButton::clicked, this, [this] {
    ChooseIoPair(&state_, false);
    Refresh();
  });
  QBoxLayout* model = nullptr;
  AddGroup(Q("Model"), &model, lower);
  salvo1_ = AddRadio(Q("SALVO 1"), model);
  salvo2_ = AddRadio(Q("SALVO 2"), model);
  // The model is the printer's: shown, never chosen here.
  salvo1_->setAttribute(Qt::WA_TransparentForMouseEvents);
  salvo2_->setAttribute(Qt::WA_TransparentForMouseEvents);
  salvo1_->setFocusPolicy(Qt::NoFocus);
  salvo2_->setFocusPolicy(Qt::NoFocus);
  AddLabel(Q("COM A - umiejscowiony bliżej złącza USB."));
  AddLabel(Q("USB 0 - Port o numerze niższym dla podwójnego USB."));
  QPushButton* read = AddButton(Q("Pobierz ustawienia"));
  connect(read, &QPushButton::clicked, this, &TKonfiguracjaWeWy::ReadClick);
  ApplyIoActivity(&state_);
  Refresh();
}

QButtonGroup* TKonfiguracjaWeWy::Column(const char* title, const std::vector<int>& ports,
                                        QGridLayout* grid, int column, const char* none) {
  // Each column's buttons stand in the rows of their ports, so a row reads across.
  auto* header = new QLabel(Q(title), this);
  header->setObjectName(QString("LabelKolumna%1").arg(column));
  grid->addWidget(header, 0, column);
  auto* group = new QButtonGroup(this);
  for (int port : ports) {
    auto* r = new QRadioButton(this);
    r->setObjectName(QString("RadioKolumna%1_%2").arg(column).arg(port + 1));
    r->setToolTip(Q(IoPortName(port)));
    grid->addWidget(r, port + 1, column, Qt::AlignHCenter);
    group->addButton(r, IdOf(port));
  }
  auto* r = new QRadioButton(Q(none), this);
  r->setObjectName(QString("RadioKolumna%1_0").arg(column));
  grid->addWidget(r, kIoPortCount + 1, column);
  group->addButton(r, 0);
  if (column == 5) display2_header_ = header;
  return group;
}

void TKonfiguracjaWeWy::Refresh() {
  const IoState& s = state_;
  for (int p = 0; p < kIoPortCount; ++p) {
    QSignalBlocker block(sales_[p]);
    sales_[p]->setCurrentIndex(s.sales[p]);
    sales_[p]->setEnabled(s.sales_enabled[p]);
    if (QAbstractButton* b = copy_->button(IdOf(p))) b->setEnabled(s.copy_enabled[p]);
    if (p < kIoSpeedCount) speed_[p]->setCurrentIndex(s.speed[p]);
  }
  copy_->button(IdOf(kUsb0))->setVisible(s.usb0_copy_visible);
  for (QButtonGroup* g : {display_, display2_, monitor_})
    g->button(IdOf(kComA))->setEnabled(s.com_a_columns_enabled);
  auto check = [](QButtonGroup* g, int port) {
    if (QAbstractButton* b = g->button(IdOf(port))) b->setChecked(true);
  };
  check(copy_, s.copy);
  check(display_, s.display);
  check(display2_, s.display2);
  check(bridge_, s.bridge);
  check(monitor_, s.monitor);
  display2_header_->setVisible(s.display2_visible);
  for (QAbstractButton* b : display2_->buttons()) b->setVisible(s.display2_visible);
  com_pair_->setText(Q(s.com_caption.c_str()));
  usb_pair_->setText(Q(s.usb_caption.c_str()));
  (s.com_active ? com_pair_ : usb_pair_)->setChecked(true);
  (s.model == 2 ? salvo2_ : salvo1_)->setChecked(true);
}

void TKonfiguracjaWeWy::FormShown() {
  if (ReadIoConfiguration(&state_, true)) Refresh();
}

void TKonfiguracjaWeWy::ReadClick() {
  if (ReadIoConfiguration(&state_, false)) Refresh();
}

SendOutcome TKonfiguracjaWeWy::Send() {
  WriteIoConfiguration(state_);
  return SendOutcome::kNotSent;  // nothing is awaited; the dialog stays open
}

// Ethernet.

TUstawieniaEthernet::TUstawieniaEthernet(QWidget* parent)
    : ConfigDialog(parent, "TUstawieniaEthernet", "Ustawienia dla Ethernetu") {
  AddLabel(Q("Ustawienia połączeń Ethernet"));
  QBoxLayout* dhcp = nullptr;
  AddGroup("DHCP", &dhcp);
  on_ = AddRadio(Q("Włączone"), dhcp);
  off_ = AddRadio(Q("Wyłączone"), dhcp);
  on_->setChecked(true);
  QBoxLayout* ip = nullptr;
  AddGroup("IP drukarki", &ip);
  texts_[0] = AddEdit({}, {}, ip);
  QBoxLayout* ports = nullptr;
  AddGroup("PORTY", &ports);
  const char* labels[] = {"Sprzedaż", "BackUP", "Tunel A", "Tunel B", "Szpieg"};
  for (int i = 0; i < 5; ++i) texts_[i + 1] = AddEdit(Q(labels[i]), {}, ports);
  for (QLineEdit* e : texts_) e->setMaxLength(49);
  connect(off_, &QRadioButton::toggled, texts_[0], &QLineEdit::setEnabled);
  texts_[0]->setEnabled(false);
  QPushButton* read = AddButton(Q("&Pobierz"));
  connect(read, &QPushButton::clicked, this, &TUstawieniaEthernet::ReadClick);
}

EthernetSettings TUstawieniaEthernet::Fields() const {
  EthernetSettings s;
  s.dhcp = on_->isChecked();
  for (int i = 0; i < 6; ++i) s.texts[i] = S(texts_[i]->text());
  return s;
}

void TUstawieniaEthernet::Show(const EthernetSettings& s) {
  (s.dhcp ? on_ : off_)->setChecked(true);
  for (int i = 0; i < 6; ++i) texts_[i]->setText(Q(s.texts[i].c_str()));
}

void TUstawieniaEthernet::ReadClick() {
  EthernetSettings s = Fields();
  if (ReadEthernet(&s)) Show(s);
}

void TUstawieniaEthernet::FormShown() {
  ReadClick();
}

SendOutcome TUstawieniaEthernet::Send() {
  return WriteEthernet(Fields());
}

// Wi-Fi.

TWLAN::TWLAN(QWidget* parent) : ConfigDialog(parent, "TWLAN", "Ustawienia WLAN") {
  AddLabel(Q("Ustawienia połączeń Wi-Fi"));
  QBoxLayout* address = nullptr;
  AddGroup("Parametry adresowe", &address);
  dhcp_ = AddCheck(Q("Aktywne DHCP"), false, address);
  texts_[0] = AddEdit("IP", {}, address);
  texts_[1] = AddEdit("MASKA", {}, address);
  texts_[2] = AddEdit("BRAMA", {}, address);
  texts_[3] = AddEdit(Q("Nazwa sieci."));
  texts_[4] = AddEdit(Q("Port dla programu sprzedażowego."));
  texts_[5] = AddEdit(Q("Port dla kopii elektronicznej.."));
  QBoxLayout* security = nullptr;
  AddGroup(Q("Typ zabezpieczeń"), &security);
  const char* names[] = {"OPEN", "WEP", "WPA", "WPA2"};
  for (int i = 0; i < 4; ++i) security_[i] = AddRadio(names[i], security);
  // OPEN and WEP come only from a read.
  security_[0]->setEnabled(false);
  security_[1]->setEnabled(false);
  security_[2]->setChecked(true);
  key_label_ = AddLabel(Q("Hasło"));
  for (int i = 6; i < 10; ++i) texts_[i] = AddEdit({});
  for (QLineEdit* e : texts_) e->setMaxLength(49);
  texts_[6]->setMaxLength(63);
  QBoxLayout* kind = nullptr;
  AddGroup(Q("Rodzaj sieci "), &kind);
  infrastructure_ = AddRadio("INFRASTRUCTURE", kind);
  ad_hoc_ = AddRadio("AD_HOC", kind);
  infrastructure_->setChecked(true);
  QBoxLayout* save = nullptr;
  AddGroup({}, &save);
  connect_ = AddRadio(Q("Zapisz ustawienia i połącz."), save);
  no_connect_ = AddRadio(Q("Zapisz ustawienia bez łączenia."), save);
  connect_->setChecked(true);
  QBoxLayout* on = nullptr;
  AddGroup({}, &on);
  wifi_off_ = AddRadio(Q("WIFI wyłączone"), on);
  wifi_on_ = AddRadio(Q("WIFI włączone"), on);
  wifi_off_->setChecked(true);
  for (QRadioButton* r : security_) connect(r, &QRadioButton::toggled, this, &TWLAN::ApplyLayout);
  connect(dhcp_, &QCheckBox::toggled, this, &TWLAN::ApplyLayout);
  QPushButton* read = AddButton(Q("&Pobierz"));
  connect(read, &QPushButton::clicked, this, &TWLAN::ReadClick);
  ApplyLayout();
}

void TWLAN::ApplyLayout() {
  for (int i = 0; i < 3; ++i) texts_[i]->setEnabled(!dhcp_->isChecked());
  int keys = WifiKeyCount(Fields().security);
  key_label_->setVisible(keys > 0);
  for (int i = 0; i < 4; ++i) texts_[6 + i]->setVisible(i < keys);
}

WifiSettings TWLAN::Fields() const {
  WifiSettings s;
  s.dhcp = dhcp_->isChecked();
  for (int i = 0; i < 4; ++i)
    if (security_[i]->isChecked()) s.security = static_cast<WifiSecurity>(i);
  s.connect = connect_->isChecked();
  s.ad_hoc = ad_hoc_->isChecked();
  s.wifi_on = wifi_on_->isChecked();
  for (int i = 0; i < 10; ++i) s.texts[i] = S(texts_[i]->text());
  return s;
}

void TWLAN::Show(const WifiSettings& s) {
  dhcp_->setChecked(s.dhcp);
  security_[static_cast<int>(s.security) & 3]->setChecked(true);
  (s.ad_hoc ? ad_hoc_ : infrastructure_)->setChecked(true);
  (s.wifi_on ? wifi_on_ : wifi_off_)->setChecked(true);
  for (int i = 0; i < 10; ++i) texts_[i]->setText(Q(s.texts[i].c_str()));
  ApplyLayout();
}

void TWLAN::ReadClick() {
  WifiSettings s = Fields();
  if (ReadWifi(&s)) Show(s);
}

SendOutcome TWLAN::Send() {
  return WriteWifi(Fields());
}

// Bluetooth.

TUstawieniaBlueTooth::TUstawieniaBlueTooth(QWidget* parent)
    : ConfigDialog(parent, "TUstawieniaBlueTooth", "Ustawienia Bluetooth") {
  pin_ = AddEdit("PIN");
  secure_ = AddCheck(Q("Bezpieczne połączenie"), false);
  address_ = AddEdit(Q("Adres bezpiecznego połączenia"));
  address_->setMaxLength(12);
  address_->setValidator(
      new QRegularExpressionValidator(QRegularExpression("[0-9A-Za-z]{0,12}"), address_));
  connect(address_, &QLineEdit::textEdited, this, [this](const QString& t) {
    int at = address_->cursorPosition();
    address_->setText(t.toUpper());
    address_->setCursorPosition(at);
  });
  address_->setEnabled(false);
  connect(secure_, &QCheckBox::toggled, address_, &QLineEdit::setEnabled);
  connect_ = AddRadio(Q("Zapisz ustawienia i połącz."));
  no_connect_ = AddRadio(Q("Zapisz ustawienia bez łączenia."));
  connect_->setChecked(true);
  QPushButton* read = AddButton(Q("&Pobierz"));
  connect(read, &QPushButton::clicked, this, &TUstawieniaBlueTooth::ReadClick);
}

BluetoothSettings TUstawieniaBlueTooth::Fields() const {
  BluetoothSettings s;
  s.secure = secure_->isChecked();
  s.connect = connect_->isChecked();
  s.pin = S(pin_->text());
  s.address = S(address_->text());
  return s;
}

void TUstawieniaBlueTooth::ReadClick() {
  BluetoothSettings s = Fields();
  if (!ReadBluetooth(&s)) return;
  secure_->setChecked(s.secure);
  pin_->setText(Q(s.pin.c_str()));
  address_->setText(Q(s.address.c_str()));
}

SendOutcome TUstawieniaBlueTooth::Send() {
  return WriteBluetooth(Fields());
}

}  // namespace kelm::dialogs
