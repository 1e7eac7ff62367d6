// The main window: command trees on the left, the printer's cash data on the right, the raw
// frame panel below, the menu and the window's shortcuts.
#pragma once

#include <QMainWindow>
#include <QTextEdit>
#include <map>
#include <string>
#include <vector>

#include "catalogue/main_view.h"
#include "catalogue/trees.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace kelm {

// The "Dane wysłane" box: reports its focus (the window's shortcuts are off meanwhile) and
// pastes.
class RawEdit : public QTextEdit {
  Q_OBJECT
 public:
  explicit RawEdit(QWidget* parent) : QTextEdit(parent) {}
 signals:
  void Pasted();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
};

class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  TMainForm();
  ~TMainForm() override;

  // A dialog created at start-up, opened by its class name from the trees and the menu.
  void RegisterDialog(const std::string& class_name, QDialog* dialog);
  QDialog* FindDialog(const std::string& class_name) const;
  // The class names of every registered dialog, in name order.
  std::vector<std::string> DialogNames() const;
  // Shows the named dialog modally; false when no such dialog is built yet.
  bool OpenDialog(const std::string& class_name);

  void RefreshMainWindow();
  void ShowRawPanel();
  // The first showing: model choice, the created tabs, the trees. Runs once.
  void FormShow();
  void BuildTrees();
  // Runs the dispatch hook of a tree for its selected entry.
  void ActivateEntry(TreeId tree);

  int FullHeight() const { return full_height_; }
  QTreeWidget* Tree(TreeId tree) const { return trees_[tree]; }
  const std::vector<TreeEntry>& Entries(TreeId tree) const { return entries_[tree]; }
  bool BusTabShown() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildTopArea();
  QWidget* BuildMiddleRow();
  QWidget* BuildRawPanel();
  void BuildMenu();
  QWidget* NewTreeTab(TreeId tree);
  void FillTree(TreeId tree);
  void ShowBusTab();
  // Widens the tree tabs, and the window with them, until every tab caption shows.
  void FitTabs();
  bool TreeKey(TreeId tree, class QKeyEvent* key);
  bool WindowShortcut(class QKeyEvent* key);
  void ModelMenuClick();
  void ToggleLogClick();
  void SearchClick();
  void FetchClick();
  void SendCommandPositionsClick(bool show_each);
  void BinaryFileClick();
  void SendRawClick();
  void ReceiveClick();
  void ShowDecodedFrame();
  void ShowTrafficWindow();
  void ApplyView();
  // The link's part of the window (TMainFormLink.cpp): the port opening of the first refresh,
  // the reception flag, and the socket closed at exit.
  void RefreshLink();
  uint8_t CurrentAnswerReceived() const;
  void CloseLink();

  QWidget* top_area_ = nullptr;
  QWidget* raw_panel_ = nullptr;
  QTabWidget* page_control_ = nullptr;
  QTreeWidget* trees_[kTreeCount] = {};
  QWidget* tabs_[kTreeCount] = {};
  std::vector<TreeEntry> entries_[kTreeCount];
  QGroupBox* cash_group_ = nullptr;
  QLabel* status_label_ = nullptr;
  QPushButton* fetch_button_ = nullptr;
  QCheckBox* raw_check_ = nullptr;
  QLabel* coding_label_ = nullptr;
  QGroupBox* sent_group_ = nullptr;
  QGroupBox* received_group_ = nullptr;
  RawEdit* sent_edit_ = nullptr;
  QTextEdit* received_edit_ = nullptr;
  QTextEdit* decoded_pane_ = nullptr;  // the frame being typed, decoded
  QLineEdit* hex_field_ = nullptr;
  QLabel* log_label_ = nullptr;
  QAction* log_action_ = nullptr;
  MainView view_;
  int full_height_ = 0;
  std::map<std::string, QDialog*> dialogs_;
  bool shown_once_ = false;
};

}  // namespace kelm
