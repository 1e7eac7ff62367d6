// The item names of the test runs: computer hardware and software articles, built once from
// fixed word lists so the list (and so a run with a given seed) never changes between builds.
#include <cstddef>

#include "sales/test_run.h"

namespace kelm {

namespace {

// 10 articles x 8 makers x 8 variants = 640 names, each of 9 to 75 characters.
constexpr const char* kArticles[10] = {
    "Klawiatura",   "Mysz optyczna", "Dysk twardy",        "Pamięć DDR2",    "Zasilacz",
    "Napęd DVD±RW", "Głośniki 2.1",  "Kamera internetowa", "Karta sieciowa", "Pakiet biurowy"};
constexpr const char* kMakers[8] = {"ACME",  "Zefir", "NordTech", "Polbit",
                                    "Orion", "Kwant", "Helix",    "Tęcza"};
constexpr const char* kVariants[8] = {"BOX",
                                      "OEM",
                                      "USB 2.0, czarna",
                                      "PS2/USB; wersja PL",
                                      "300W ATX P3/P4",
                                      "802.11g Wireless (zestaw)",
                                      "v.3.0 licencja jednostanowiskowa",
                                      "Retail, gwarancja 24 mies."};

std::array<std::string, kTestItemNameCount> Build() {
  std::array<std::string, kTestItemNameCount> names;
  size_t i = 0;
  for (const char* article : kArticles) {
    for (const char* maker : kMakers) {
      for (const char* variant : kVariants) {
        names[i++] = std::string(article) + " " + maker + " " + variant;
      }
    }
  }
  return names;
}

}  // namespace

const std::array<std::string, kTestItemNameCount>& TestItemNames() {
  static const std::array<std::string, kTestItemNameCount> names = Build();
  return names;
}

}  // namespace kelm
