// The report dialogs: one shell built from a row of the report table (its fields and the frame
// they make); each named class picks its row, and the few with a rule of their own add it.
#pragma once

#include <vector>

#include "config/dialogs/ConfigDialog.h"
#include "config/reports.h"

namespace kelm::dialogs {

// The fields' values in the order of their kind.
struct ReportValues {
  std::vector<std::string> texts;
  std::vector<bool> checks;  // check boxes and radio buttons, in order
  std::vector<ReportDate> dates;
};

struct ReportField {
  enum Kind { kText, kCheck, kRadio, kDate } kind;
  const char* caption;
  bool checked = false;
};

struct ReportEntry {
  const char* class_name;
  const char* caption;
  const char* heading;  // nullptr: none
  std::vector<ReportField> fields;
  bool (*build)(const ReportValues&, ConfigFrame*);
};

class ReportDialog : public ConfigDialog {
  Q_OBJECT
 public:
  ReportValues Values() const;

 protected:
  ReportDialog(QWidget* parent, const char* class_name);
  SendOutcome Send() override;

  const ReportEntry& entry_;
  std::vector<QLineEdit*> texts_;
  std::vector<QAbstractButton*> checks_;
  std::vector<QDateEdit*> dates_;
};

#define KELM_REPORT_DIALOG(Name)                                              \
  class Name : public ReportDialog {                                          \
   public:                                                                    \
    explicit Name(QWidget* parent = nullptr) : ReportDialog(parent, #Name) {} \
  }

KELM_REPORT_DIALOG(TRaportKasyZmiany);
KELM_REPORT_DIALOG(TLogowanieKasjera);
KELM_REPORT_DIALOG(TWylogowanieKasjera);
KELM_REPORT_DIALOG(TDrukujTabliceBledow);

// The picker starts at the printer's date for a service technician; "Aktualna data" sets today.
class TWydrukRaportuDobowego : public ReportDialog {
 public:
  explicit TWydrukRaportuDobowego(QWidget* parent = nullptr);

 protected:
  void FormShown() override;
};

// The date and telephone are greyed while the reminder is switched off.
class TPrzegladySerwisowe : public ReportDialog {
 public:
  explicit TPrzegladySerwisowe(QWidget* parent = nullptr);

 protected:
  void FormShow() override;
};

}  // namespace kelm::dialogs
