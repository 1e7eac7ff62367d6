// The traffic window.
#include "catalogue/dialogs/TPodgladTransmisji.h"

#include <QBrush>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTime>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "link/transmission_log.h"
#include "protocol/operator.h"

namespace kelm::dialogs {
namespace {

enum Column { kTime, kDirection, kSummary, kHex };
// A long block (a memory dump) shows its start; the saved text has every byte.
constexpr size_t kHexShown = 96;

}  // namespace

TPodgladTransmisji::TPodgladTransmisji(QWidget* parent) : QDialog(parent) {
  setObjectName("TPodgladTransmisji");
  setWindowTitle("Podgląd transmisji");
  auto* layout = new QVBoxLayout(this);
  state_label_ = new QLabel(this);
  state_label_->setObjectName("Label1");
  layout->addWidget(state_label_);
  list_ = new QTreeWidget(this);
  list_->setObjectName("TreeView1");
  list_->setHeaderLabels({"Czas", "Kierunek", "Opis", "Bajty (hex)"});
  list_->setUniformRowHeights(true);
  list_->setRootIsDecorated(true);
  list_->header()->setStretchLastSection(true);
  list_->setColumnWidth(kTime, 120);
  list_->setColumnWidth(kDirection, 80);
  list_->setColumnWidth(kSummary, 420);
  layout->addWidget(list_, 1);
  auto* row = new QHBoxLayout;
  hex_check_ = new QCheckBox("Pokaż bajty (hex)", this);
  hex_check_->setObjectName("CheckBox1");
  connect(hex_check_, &QCheckBox::toggled, this, &TPodgladTransmisji::ShowHex);
  row->addWidget(hex_check_);
  row->addStretch(1);
  auto* save = new QPushButton("&Zapisz", this);
  save->setObjectName("Button1");
  connect(save, &QPushButton::clicked, this, &TPodgladTransmisji::Button1Click);
  auto* clear = new QPushButton("&Wyczyść", this);
  clear->setObjectName("Button2");
  connect(clear, &QPushButton::clicked, this, &TPodgladTransmisji::Button2Click);
  auto* close = new QPushButton("Za&mknij", this);
  close->setObjectName("Button3");
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  for (QPushButton* b : {save, clear, close}) {
    b->setAutoDefault(false);
    row->addWidget(b);
  }
  layout->addLayout(row);
  resize(860, 480);
  ShowHex();

  // The link tells every block the log writes; the list catches up on a short timer, so a fast
  // stream never holds the program up with repaints.
  SetTrafficObserver([this](bool sent, const char* bytes, size_t count) {
    view_.Append(sent, std::string_view(bytes, count),
                 static_cast<uint32_t>(QTime::currentTime().msecsSinceStartOfDay()));
  });
  timer_ = new QTimer(this);
  timer_->setObjectName("Timer1");
  timer_->setInterval(100);
  connect(timer_, &QTimer::timeout, this, &TPodgladTransmisji::Timer1Timer);
  timer_->start();
}

TPodgladTransmisji::~TPodgladTransmisji() {
  SetTrafficObserver(nullptr);
}

void TPodgladTransmisji::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Timer1Timer();
}

void TPodgladTransmisji::ShowLogState() {
  state_label_->setText(TransmissionLogOn()
                            ? "Rejestracja transmisji włączona: ruch na łączu pojawia się poniżej."
                            : "Rejestracja transmisji wyłączona (Ustawienia → Rejestracja "
                              "transmsji, F5): nic nie jest zapisywane ani pokazywane.");
}

void TPodgladTransmisji::ShowHex() {
  list_->setColumnHidden(kHex, !hex_check_->isChecked());
}

void TPodgladTransmisji::Timer1Timer() {
  ShowLogState();
  const std::deque<TrafficRow>& rows = view_.Rows();
  if (view_.Added() == shown_) return;
  // Rows the view has dropped leave the list too.
  const uint64_t first_kept = view_.Dropped();
  while (list_->topLevelItemCount() > 0 &&
         shown_ - static_cast<uint64_t>(list_->topLevelItemCount()) < first_kept) {
    delete list_->takeTopLevelItem(0);
  }
  const bool at_end = list_->topLevelItemCount() == 0 || list_->currentItem() == nullptr ||
                      list_->currentItem() == list_->topLevelItem(list_->topLevelItemCount() - 1);
  for (uint64_t n = std::max(shown_, first_kept); n < view_.Added(); ++n) {
    const TrafficRow& r = rows[static_cast<size_t>(n - first_kept)];
    auto* item = new QTreeWidgetItem(list_);
    item->setText(kTime, QString::fromStdString(TimeOfDayText(r.time_ms)));
    item->setText(kDirection, QString::fromUtf8(r.sent ? kSentWord : kReceivedWord));
    item->setText(kSummary, QString::fromStdString(r.summary));
    std::string hex = HexBytes(r.raw.substr(0, kHexShown));
    if (r.raw.size() > kHexShown) hex += " ... (" + std::to_string(r.raw.size()) + " B)";
    item->setText(kHex, QString::fromStdString(hex));
    if (r.check_wrong) item->setForeground(kSummary, QBrush(Qt::red));
    size_t start = 0;
    while (start < r.details.size()) {
      const size_t end = r.details.find('\n', start);
      const size_t stop = end == std::string::npos ? r.details.size() : end;
      auto* detail = new QTreeWidgetItem(item);
      detail->setText(kSummary, QString::fromStdString(r.details.substr(start, stop - start)));
      start = stop + 1;
    }
  }
  shown_ = view_.Added();
  if (at_end) list_->scrollToBottom();
}

bool TPodgladTransmisji::SaveTo(const QString& path) {
  QFile file(path);
  const std::string text = view_.Text();
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(text.data(), static_cast<qint64>(text.size())) !=
          static_cast<qint64>(text.size())) {
    TheOperator().ShowMessage("Nie mogę zapisać pliku " + path.toStdString() + ".");
    return false;
  }
  return true;
}

void TPodgladTransmisji::Button1Click() {
  Timer1Timer();
  QFileDialog save(this, "Zapisz podgląd transmisji");
  save.setObjectName("SaveDialog1");
  save.setOption(QFileDialog::DontUseNativeDialog);
  save.setAcceptMode(QFileDialog::AcceptSave);
  save.setNameFilter("Pliki tekstowe (*.txt);;Wszystkie pliki (*)");
  save.setDefaultSuffix("txt");
  save.selectFile("transmisja.txt");
  if (save.exec() != QDialog::Accepted || save.selectedFiles().isEmpty()) return;
  SaveTo(save.selectedFiles().first());
}

void TPodgladTransmisji::Button2Click() {
  view_.Clear();
  list_->clear();
  shown_ = 0;
}

}  // namespace kelm::dialogs
