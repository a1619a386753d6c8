#include "register/personal_code.h"
#include "store/text_rules.h"

#include <gtest/gtest.h>

namespace dajdor::reg {
namespace {

TEST(PersonalCode, ValidityFollowsLengthFirstDigitBirthDateAndControlDigit) {
  struct Case {
    const char* code;
    bool valid;
  };
  const Case cases[] = {
      {"1800101221144", true},   // control digit 4
      {"1800101221145", false},  // last digit changed
      {"1800101221140", false},
      {"3800101221148", false},  // first digit 3, control digit right for it
      {"4800101221141", false},  // first digit 4, likewise
      {"5000229123453", true},   // 29 February 2000
      {"1800230123458", false},  // 30 February 1980
      {"7601014000017", true},   // resident, 1900s
      {"1800101200051", true},   // sum mod 11 is 10: control 1
      {"180010122114", false},   // 12 digits
      {"18001012211440", false},
      {"18001012211A4", false},
  };
  for (const Case& c : cases) EXPECT_EQ(Corect(c.code), c.valid) << c.code;
  EXPECT_TRUE(Corect("", true));
  EXPECT_FALSE(Corect("", false));
}

TEST(PersonalCode, BirthDateAndSexComeFromTheFirstDigits) {
  EXPECT_EQ(NascutLa("1800101221144"), QDate(1980, 1, 1));
  EXPECT_EQ(NascutLa("5000229123453"), QDate(2000, 2, 29));
  EXPECT_EQ(NascutLa("6121224"), QDate(2012, 12, 24));  // seven characters are enough
  EXPECT_FALSE(NascutLa("180010").isValid());           // six are not
  EXPECT_FALSE(NascutLa("1801301221144").isValid());    // month 13
  EXPECT_FALSE(NascutLa("").isValid());

  for (const char* male : {"1", "5", "7", "9"}) EXPECT_EQ(Sexul(male), "masculin") << male;
  for (const char* female : {"2", "6", "8", "3", "X"}) EXPECT_EQ(Sexul(female), "feminin") << female;
  EXPECT_EQ(Sexul(""), "");
}

TEST(PersonalCode, AFiscalCodeIsCheckedByItsOwnKey) {
  EXPECT_TRUE(IsValidCui("18547290"));
  EXPECT_FALSE(IsValidCui("18547291"));
  EXPECT_TRUE(IsValidCui("159"));  // three digits, padded with zeros
  EXPECT_FALSE(Corect("18547290"));
}

}  // namespace
}  // namespace dajdor::reg
