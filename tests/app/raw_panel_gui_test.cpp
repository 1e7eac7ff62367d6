// The raw panel through its widgets: insert buttons, the hexadecimal byte field, the check
// value and paste normalisation.
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <cstring>

#include "main_form_fixture.h"
#include "protocol/frame.h"

namespace kelm {
namespace {

using test::MainFormTest;

class RawPanelTest : public MainFormTest {
 protected:
  void SetUp() override {
    Start(3);
    Find<QAbstractButton>("CheckBox1")->click();
    edit = Find<QTextEdit>("RichEdit1");
  }
  QTextEdit* edit = nullptr;
};

TEST_F(RawPanelTest, ChecksumButtonCompletesATypedFrame) {
  edit->setPlainText("<ESC>P1#vxx<ESC>\\");
  Find<QPushButton>("Button13")->click();
  EXPECT_EQ(edit->toPlainText(), "<ESC>P1#v9B<ESC>\\");
  EXPECT_STREQ(CommandFrame, "\x1bP1#v9B\x1b\\");
}

TEST_F(RawPanelTest, InsertButtonsReplaceTheSelection) {
  edit->setPlainText("AxB");
  QTextCursor c = edit->textCursor();
  c.setPosition(1);
  c.setPosition(2, QTextCursor::KeepAnchor);
  edit->setTextCursor(c);
  Find<QPushButton>("Button4")->click();  // "CR"
  EXPECT_EQ(edit->toPlainText(), "A<CR >B");
  auto* hex = Find<QLineEdit>("MaskEdit1");
  EXPECT_EQ(hex->displayText(), "  H");
  QTest::keyClicks(hex, "1f");
  Find<QPushButton>("Button12")->click();
  EXPECT_EQ(edit->toPlainText(), "A<CR ><1FH>B");
}

TEST_F(RawPanelTest, PastedControlBytesBecomeMnemonicsAndLineBreaksGo) {
  edit->setPlainText("");
  auto* data = new QMimeData;
  data->setText(QString::fromLatin1("\x1bP1\n#v\x1b\\"));
  QApplication::clipboard()->setMimeData(data);
  edit->paste();
  EXPECT_EQ(edit->toPlainText(), "<ESC>P1#v<ESC>\\");
}

}  // namespace
}  // namespace kelm
