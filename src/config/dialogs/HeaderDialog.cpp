// The header editor dialog.
#include "config/dialogs/HeaderDialog.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QtMath>

#include "config/header_rtf.h"
#include "link/settings.h"
#include "protocol/operator.h"
#include "protocol/win1250.h"

namespace kelm::dialogs {

namespace {

constexpr double kNormalSize = 10, kWideSize = 20;

QToolButton* Tool(QWidget* parent, const char* name, const char* hint, const char* text,
                  bool toggle, QBoxLayout* row) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setToolTip(QString::fromUtf8(hint));
  b->setText(QString::fromUtf8(text));
  b->setCheckable(toggle);
  b->setAutoRaise(true);
  row->addWidget(b);
  return b;
}

QString Ruler(int width) {
  QString digits;
  for (int i = 1; i <= width; ++i) digits += QChar('0' + i % 10);
  return digits;
}

}  // namespace

TProgramowanieNaglowka::TProgramowanieNaglowka(QWidget* parent, QDialog* graphic)
    : ConfigDialog(parent, "TProgramowanieNaglowka", "Programowanie nagłówka"), graphic_(graphic) {
  // Enter breaks a line in the editor; only Esc is previewed.
  enter_sends_ = false;
  QBoxLayout* discount = nullptr;
  discount_group_ = AddGroup(Q("Metoda obliczania rabatów i ulg"), &discount);
  method_743_ = AddRadio(Q("Zgodna z bileterką KELM 743"), discount);
  method_oxil_ = AddRadio(Q("Zgodna z OXIL PRO"), discount);
  method_743_->setChecked(true);
  note_ = AddLabel(Q("Metoda obliczania rabatów/ulg na biletach zawsze zgodna z KELM 743."));

  auto* widths = new QHBoxLayout;
  body_->addLayout(widths);
  width_42_ = AddRadio(Q("42 znaki w linii"), widths);
  width_32_ = AddRadio(Q("32 znaki w linii"), widths);
  width_57_ = AddRadio(Q("57 znaków w linii"), widths);
  width_42_->setChecked(true);
  for (QRadioButton* r : {width_42_, width_32_, width_57_})
    connect(r, &QRadioButton::toggled, this, [this](bool on) {
      if (on) ApplyLayout();
    });

  auto* tools = new QHBoxLayout;
  body_->addLayout(tools);
  load_ = Tool(this, "ToolButton1", "Pobierz nagłówek z pliku", "Plik...", false, tools);
  save_ = Tool(this, "ToolButton2", "Zapisz nagłówek do pliku", "Zapisz...", false, tools);
  bold_ = Tool(this, "ToolButton3", "Tekst pogrubiony", "B", true, tools);
  left_ = Tool(this, "ToolButton4", "Wyrównanie do lewej", "L", true, tools);
  center_ = Tool(this, "ToolButton5", "Wyśrodkowanie", "C", true, tools);
  right_ = Tool(this, "ToolButton6", "Wyrównanie do prawej", "P", true, tools);
  read_ = Tool(this, "ToolButton7", "Pobierz nagłówek z drukarki.", "Drukarka", false, tools);
  tools->addStretch(1);
  graphic_button_ = Tool(this, "SpeedButton1", "Zapis dodatkowego nagłówka graficznego.",
                         "Nagłówek graficzny", false, tools);
  left_->setChecked(true);
  QFont bold = bold_->font();
  bold.setBold(true);
  bold_->setFont(bold);

  ruler_ = AddLabel({});
  editor_ = new QTextEdit(this);
  editor_->setObjectName("RichEdit1");
  editor_->setAcceptRichText(false);
  // Lines are aligned within exactly the printed width, as the printer places them; a longer
  // line runs on past the edge instead of wrapping, since it reaches the printer as one line.
  editor_->setLineWrapMode(QTextEdit::FixedPixelWidth);
  editor_->setWordWrapMode(QTextOption::NoWrap);
  QFont font("Courier New");
  font.setStyleHint(QFont::Monospace);
  font.setPointSizeF(kNormalSize);
  editor_->document()->setDefaultFont(font);
  editor_->setFont(font);
  ruler_->setFont(font);
  body_->addWidget(editor_, 1);
  editor_->installEventFilter(this);
  editor_->viewport()->installEventFilter(this);

  connect(load_, &QToolButton::clicked, this, &TProgramowanieNaglowka::LoadClick);
  connect(save_, &QToolButton::clicked, this, &TProgramowanieNaglowka::SaveClick);
  connect(read_, &QToolButton::clicked, this, &TProgramowanieNaglowka::ReadBack);
  connect(bold_, &QToolButton::clicked, this, [this](bool on) { SetWide(on); });
  connect(left_, &QToolButton::clicked, this, [this] { SetAlignment(Qt::AlignLeft); });
  connect(center_, &QToolButton::clicked, this, [this] { SetAlignment(Qt::AlignHCenter); });
  connect(right_, &QToolButton::clicked, this, [this] { SetAlignment(Qt::AlignRight); });
  connect(graphic_button_, &QToolButton::clicked, this, [this] {
    if (graphic_) graphic_->exec();
  });
  connect(editor_, &QTextEdit::cursorPositionChanged, this,
          &TProgramowanieNaglowka::ShowFormatState);
}

int TProgramowanieNaglowka::LineWidth() const {
  HeaderWidthChoice choice = width_57_->isChecked()   ? HeaderWidthChoice::k57
                             : width_32_->isChecked() ? HeaderWidthChoice::k32
                                                      : HeaderWidthChoice::k42;
  return HeaderLineWidth(LinkSettings.ModelFamily, LinkSettings.PrinterVariant,
                         LinkSettings.CopyMode, choice);
}

void TProgramowanieNaglowka::FormShow() {
  const int family = LinkSettings.ModelFamily, variant = LinkSettings.PrinterVariant;
  discount_group_->setVisible(variant != 0 && family < 2);
  note_->setVisible(variant == 1 && family > 1);
  graphic_button_->setVisible((family == 2 && LinkSettings.CopyMode == 2) || variant == 2);
  graphic_button_->setEnabled(graphic_ != nullptr);
  ApplyLayout();
}

void TProgramowanieNaglowka::ApplyLayout() {
  const int family = LinkSettings.ModelFamily;
  width_42_->setVisible(family == 2);
  width_57_->setVisible(family == 2 && LinkSettings.CopyMode == 2);
  width_32_->setVisible(family == 2 && LinkSettings.PrinterVariant == 2);
  const int width = LineWidth();
  ruler_->setText(Ruler(width));
  QFont font = editor_->font();
  font.setPointSizeF(kNormalSize);
  const int line = qCeil(QFontMetricsF(font).horizontalAdvance('0') * width);
  const int margin = qCeil(editor_->document()->documentMargin());
  const int inset = editor_->frameWidth() + margin;
  // The wrap width is the page's, margins included.
  editor_->setLineWrapColumnOrWidth(line + 2 * margin);
  editor_->setFixedWidth(line + 2 * inset + editor_->verticalScrollBar()->sizeHint().width() + 2);
  // The ruler's digits stand over the editor's character cells.
  ruler_->setContentsMargins(inset, 0, 0, 0);
  bold_->setEnabled(family != 0);
  if (family == 0) {
    bold_->setChecked(false);
    HeaderModel m = Model();
    m.ForceNormal();
    SetModel(m);
  }
}

HeaderModel TProgramowanieNaglowka::Model() const {
  HeaderModel model;
  const QTextDocument* doc = editor_->document();
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    HeaderLine line;
    Qt::Alignment a = block.blockFormat().alignment();
    line.align = a & Qt::AlignHCenter ? HeaderAlign::kCenter
                 : a & Qt::AlignRight ? HeaderAlign::kRight
                                      : HeaderAlign::kLeft;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      QTextFragment f = it.fragment();
      bool wide = f.charFormat().fontPointSize() >= 15;
      std::string cp = Utf8ToCp1250(f.text().toStdString());
      for (char c : cp) line.Append(c, wide);
    }
    model.lines.push_back(line);
  }
  // The block after the last line break is no line of the header.
  if (!model.lines.empty() && model.lines.back().text.empty()) model.lines.pop_back();
  return model;
}

void TProgramowanieNaglowka::SetModel(const HeaderModel& model) {
  editor_->clear();
  QTextCursor cursor(editor_->document());
  for (size_t i = 0; i < model.lines.size(); ++i) {
    const HeaderLine& line = model.lines[i];
    QTextBlockFormat block;
    block.setAlignment(line.align == HeaderAlign::kCenter  ? Qt::AlignHCenter
                       : line.align == HeaderAlign::kRight ? Qt::AlignRight
                                                           : Qt::AlignLeft);
    if (i == 0)
      cursor.setBlockFormat(block);
    else
      cursor.insertBlock(block);
    for (size_t c = 0; c < line.text.size(); ++c) {
      QTextCharFormat format;
      format.setFontPointSize(line.wide[c] ? kWideSize : kNormalSize);
      cursor.insertText(QString::fromStdString(Cp1250ToUtf8(line.text.substr(c, 1))), format);
    }
  }
  // A closing empty block, as the editor keeps after the last line break.
  if (!model.lines.empty()) {
    QTextBlockFormat block;
    cursor.insertBlock(block);
  }
  // The buttons then show the first line, where the operator starts.
  editor_->moveCursor(QTextCursor::Start);
  ShowFormatState();
}

void TProgramowanieNaglowka::ShowFormatState() {
  Qt::Alignment a = editor_->textCursor().blockFormat().alignment();
  center_->setChecked(a & Qt::AlignHCenter);
  right_->setChecked((a & Qt::AlignRight) && !(a & Qt::AlignHCenter));
  left_->setChecked(!center_->isChecked() && !right_->isChecked());
  bold_->setChecked(editor_->textCursor().charFormat().fontPointSize() >= 15 ||
                    editor_->currentCharFormat().fontPointSize() >= 15);
}

bool TProgramowanieNaglowka::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyRelease || event->type() == QEvent::MouseButtonRelease)
    ShowFormatState();
  // Enter breaks a line in the editor: the dialog previews Esc only, not the editor's Enter.
  if (watched == editor_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return false;
  }
  return ConfigDialog::eventFilter(watched, event);
}

void TProgramowanieNaglowka::SetAlignment(Qt::Alignment align) {
  QTextBlockFormat block;
  block.setAlignment(align);
  editor_->textCursor().mergeBlockFormat(block);
  ShowFormatState();
}

void TProgramowanieNaglowka::SetWide(bool wide) {
  QTextCharFormat format;
  format.setFontPointSize(wide ? kWideSize : kNormalSize);
  QTextCursor cursor = editor_->textCursor();
  cursor.mergeCharFormat(format);
  editor_->mergeCurrentCharFormat(format);
}

SendOutcome TProgramowanieNaglowka::Send() {
  HeaderSendRequest request;
  if (LinkSettings.ModelFamily == 0) {
    HeaderModel m = Model();
    m.ForceNormal();
    SetModel(m);
  }
  request.model = Model();
  request.width_choice = width_57_->isChecked()   ? HeaderWidthChoice::k57
                         : width_32_->isChecked() ? HeaderWidthChoice::k32
                                                  : HeaderWidthChoice::k42;
  request.oxil_method = method_oxil_->isChecked();
  return SendHeader(request);
}

void TProgramowanieNaglowka::ReadBack() {
  HeaderModel model;
  if (ReadHeaderBack(&model)) SetModel(model);
}

bool TProgramowanieNaglowka::LoadFile(const std::string& path) {
  HeaderModel model;
  std::string message;
  if (!LoadHeaderFile(path, &model, &message)) {
    TheOperator().ShowMessage(message);
    return false;
  }
  if (LinkSettings.ModelFamily == 0) model.ForceNormal();
  SetModel(model);
  return true;
}

bool TProgramowanieNaglowka::SaveFile(const std::string& path) {
  std::string message;
  if (!SaveHeaderFile(path, Model(), &message)) {
    TheOperator().ShowMessage(message);
    return false;
  }
  return true;
}

void TProgramowanieNaglowka::LoadClick() {
  QString path = QFileDialog::getOpenFileName(this, Q("Otwórz plik z nagłowkiem."), {},
                                              Q("Pliki tekstowe (*.rtf *.RTF)"));
  if (!path.isEmpty()) LoadFile(path.toStdString());
}

void TProgramowanieNaglowka::SaveClick() {
  QFileDialog dialog(this, Q("Zapisz nagłowkek do pliku."), {}, Q("Pliki tekstowe (*.rtf *.RTF)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("rtf");
  // The overwrite question is ours, worded as the program words it.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  QString path = dialog.selectedFiles().first();
  if (QFileInfo::exists(path) &&
      !TheOperator().AskYesNo("Plik " + path.toStdString() + " już istnieje.Kontynuować? "))
    return;
  SaveFile(path.toStdString());
}

}  // namespace kelm::dialogs
