// What the tests read off kelmemu's paper log: the documents printed since the last look, and a
// receipt's fields as an operator types them back from the print-out.
#pragma once

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "control/control_series.h"
#include "support/temp_dir.h"

namespace kelm::test {

class PaperLog {
 public:
  explicit PaperLog(std::string path) : path_(std::move(path)) {}
  // What the printer printed since the last call.
  std::string Fresh() {
    const std::string all = TempDir::Read(path_);
    const std::string fresh = all.substr(std::min(seen_, all.size()));
    seen_ = all.size();
    return fresh;
  }

 private:
  std::string path_;
  size_t seen_ = 0;
};

// What the operator reads off a printed receipt (the only document of `paper`).
inline ReceiptControlData FromReceipt(const std::string& paper) {
  ReceiptControlData d;
  std::istringstream in(paper);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  auto last_word = [](const std::string& s) { return s.substr(s.find_last_of(' ') + 1); };
  auto at = [&lines](size_t k) { return k < lines.size() ? lines[k] : std::string(); };
  bool in_lines = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    if (l.find("nr wydr.") != std::string::npos) {
      d.date = l.substr(0, 10);
      d.document = last_word(l);
    } else if (l.find("PARAGON FISKALNY") != std::string::npos) {
      in_lines = true;
    } else if (l.rfind("---", 0) == 0 || l.find("PARAGON ANULOWANY") != std::string::npos) {
      in_lines = false;
      if (l.find("ANULOWANY") != std::string::npos) {
        d.cancelled = true;
        d.time = at(i + 1).substr(0, 8);
        d.unique_digits = last_word(at(i + 1));
        d.control_number = at(i + 2);
      }
    } else if (in_lines && l.find(" x") != std::string::npos) {
      d.lines.push_back({l.substr(0, l.find("  ")), last_word(l)});
    } else if (l.rfind("SUMA PTU", 0) == 0) {
      d.vat_total = last_word(l);
    } else if (l.rfind("SUMA PLN", 0) == 0) {
      d.total = last_word(l);
    } else if (l.rfind("NIP NABYWCY: ", 0) == 0) {
      d.buyer_nip_given = true;
      d.buyer_nip = l.substr(13);
    } else if (l.rfind("#", 0) == 0 && !d.cancelled) {
      d.receipt_number = l.substr(1, l.find(' ') - 1);
      d.time = last_word(l);
      const std::string line = at(i + 1);
      const std::string unique = line.substr(std::min(line.size(), line.find_first_not_of(' ')));
      d.unique_letters = unique.substr(0, 3);
      d.unique_digits = unique.size() > 4 ? unique.substr(4) : "";
      d.control_number = at(i + 2);
    }
  }
  return d;
}

}  // namespace kelm::test
