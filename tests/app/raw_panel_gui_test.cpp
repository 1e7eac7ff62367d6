// The raw panel through its widgets: insert buttons, the hexadecimal byte field, the check
// value and paste normalisation.
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <cstring>
#include <vector>

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

// The pane under the box reads back what is typed, key by key: the command's name, its fields
// in Unicode through the link's letter coding, and a check value marked red when it is wrong.
TEST_F(RawPanelTest, PaneDecodesTheFrameAsItIsTyped) {
  struct Row {
    const char* typed;
    std::vector<const char*> shown;
    bool red;
  };
  const Row rows[] = {
      {"<ESC>P$8E3<ESC>\\", {"$8", "kontrola E3: poprawna"}, false},
      {"<ESC>P$8E4<ESC>\\", {"$8", "kontrola E4: BŁĘDNA, powinna być E3"}, true},
      {"<ESC>P#p<9CH>ucja<CR >1<CR >xx<ESC>\\", {"#p", "Łucja"}, true},
      {"<ESC>P0#n<ESC>\\", {"#n"}, false},
  };
  auto* pane = Find<QTextEdit>("RichEdit3");
  // With the box focused the letters are text, not the window's shortcuts.
  QApplication::setActiveWindow(form.get());
  edit->setFocus();
  ASSERT_TRUE(RawEditFocused);
  for (const Row& row : rows) {
    edit->clear();
    QTest::keyClicks(edit, QString::fromUtf8(row.typed));
    const QString text = pane->toPlainText();
    for (const char* part : row.shown) {
      EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << row.typed << "\n"
                                                          << text.toStdString();
    }
    EXPECT_EQ(pane->toHtml().contains("#c00000"), row.red) << row.typed;
  }
  EXPECT_EQ(CommandFrame[0], '\0') << "typing leaves the frame buffer alone";
}

}  // namespace
}  // namespace kelm
