// SHA-1 against the FIPS 180-1 examples and against the system's sha1sum on random inputs.
#include "protocol/sha1.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/temp_dir.h"

namespace kelm {
namespace {

std::string Hex(const std::string& s) {
  return DigestHex(Sha1Of(s.data(), s.size()));
}

TEST(Sha1, Fips180Examples) {
  EXPECT_EQ(Hex("abc"), "A9993E364706816ABA3E25717850C26C9CD0D89D");
  EXPECT_EQ(Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "84983E441C3BD26EBAAE4AA1F95129E5E54670F1");
  EXPECT_EQ(Hex(std::string(1000000, 'a')), "34AA973CD4C4DAA4F61EEB2BDBAD27316534016F");
  EXPECT_EQ(Hex(""), "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709");
}

TEST(Sha1, PiecewiseUpdatesGiveTheSameDigest) {
  std::string data(300, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = char(i * 7 + 3);
  const Sha1Digest whole = Sha1Of(data.data(), data.size());
  for (size_t cut : {1u, 55u, 56u, 63u, 64u, 65u, 128u, 299u}) {
    Sha1 sha;
    sha.Update(data.data(), cut);
    sha.Update(data.data() + cut, data.size() - cut);
    EXPECT_EQ(sha.Final(), whole) << "cut at " << cut;
  }
  Sha1 reused;
  reused.Update("x", 1);
  reused.Final();
  reused.Update(data.data(), data.size());
  EXPECT_EQ(reused.Final(), whole) << "Final leaves the object ready for a new message";
}

TEST(Sha1, AgreesWithSha1sumOnRandomInputs) {
  std::mt19937 random(20261209);
  // The lengths around the padding boundaries first, then random ones.
  std::vector<size_t> lengths = {0, 1, 55, 56, 57, 63, 64, 65, 119, 120, 127, 128, 129};
  for (int i = 0; i < 20; ++i) lengths.push_back(random() % 5000);
  for (size_t length : lengths) {
    std::string data(length, '\0');
    for (char& c : data) c = char(random());
    EXPECT_EQ(Hex(data), test::ExternalSha1(data)) << "length " << length;
  }
}

}  // namespace
}  // namespace kelm
