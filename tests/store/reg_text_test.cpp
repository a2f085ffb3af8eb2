#include "config/store/reg_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tiko::store {
namespace {

const std::string kTop = std::string(kRegHeader) + "\n\n" + std::string(kRegKeyLine) + "\n";

std::vector<std::string> Lines(const std::string& s) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t end; (end = s.find('\n', start)) != std::string::npos; start = end + 1) {
    out.push_back(s.substr(start, end - start));
  }
  if (start < s.size()) out.push_back(s.substr(start));
  return out;
}

// Every line of `before` appears in `after`, in the same order.
void ExpectKeepsLines(const std::string& before, const std::string& after) {
  std::vector<std::string> kept = Lines(after);
  std::size_t at = 0;
  for (const std::string& line : Lines(before)) {
    while (at < kept.size() && kept[at] != line) ++at;
    ASSERT_LT(at, kept.size()) << "lost line: " << line;
    ++at;
  }
}

TEST(RegText, IntegerText) {
  EXPECT_EQ(ParseIntegerText("5"), 5);
  EXPECT_EQ(ParseIntegerText("0"), 0);
  EXPECT_EQ(ParseIntegerText("-1"), -1);
  EXPECT_EQ(ParseIntegerText(" 42\t"), 42);
  EXPECT_EQ(ParseIntegerText("+7"), 7);
  EXPECT_EQ(ParseIntegerText("2147483647"), 2147483647);
  EXPECT_EQ(ParseIntegerText("-2147483648"), -2147483647 - 1);
  for (const char* bad : {"abc", "", " ", "-", "+-5", "5x", "1.5", "4 2", "0x10", "2147483648",
                          "-2147483649", "99999999999999999999999"}) {
    EXPECT_EQ(ParseIntegerText(bad), std::nullopt) << bad;
  }
}

TEST(RegText, EscapesRoundTripAndNamesIgnoreCase) {
  RegText text = RegText::Parse("");
  text.Set("Say \"hi\"\\now", "C:\\dir\\\"x\"");
  std::string out = text.Serialize();
  EXPECT_EQ(out, kTop + "\"Say \\\"hi\\\"\\\\now\"=\"C:\\\\dir\\\\\\\"x\\\"\"\n");
  RegValue back = RegText::Parse(out).Find("SAY \"HI\"\\NOW");
  EXPECT_EQ(back.kind, RegValue::kString);
  EXPECT_EQ(back.text, "C:\\dir\\\"x\"");
  EXPECT_EQ(RegText::Parse(out).Find("Other").kind, RegValue::kAbsent);
}

TEST(RegText, OtherTypesReadAsSuchAndAreReplacedWhole) {
  std::string file = kTop +
                     "\"HiScore1\"=dword:0000002a\n"
                     "\"Path\"=hex(2):25,00,54,00,\\\n"
                     "  4d,00,00,00\n"
                     "\"Key1\"=\"7\"\n";
  RegText text = RegText::Parse(file);
  EXPECT_FALSE(text.Damaged());
  EXPECT_EQ(text.Find("HiScore1").kind, RegValue::kOtherType);
  EXPECT_EQ(text.Find("Path").kind, RegValue::kOtherType);
  text.Set("Path", "x");
  text.Set("HiScore1", "12");
  EXPECT_EQ(text.Serialize(), kTop + "\"HiScore1\"=\"12\"\n\"Path\"=\"x\"\n\"Key1\"=\"7\"\n");
}

TEST(RegText, DamagedFileKeepsReadableValuesAndEveryLine) {
  std::string file = std::string(kRegKeyLine) +  // header line lost
                     "\n\"Key1\"=\"9\"\n"
                     "garbage here\n" +
                     std::string("\x01\xff\x00zz\"", 6) +
                     "\n"
                     "\"Bad\\q\"=\"1\"\n"
                     "\"HiScore2\"=\"3\n"  // cut off
                     "[HKEY_CURRENT_USER\\Software\\Other]\n"
                     "\"Key2\"=\"8\"\n"
                     "\"HiScore1\"=\"55";  // cut off, no line break
  RegText text = RegText::Parse(file);
  EXPECT_TRUE(text.Damaged());
  EXPECT_EQ(text.Find("Key1").text, "9");
  EXPECT_EQ(text.Find("HiScore2").kind, RegValue::kAbsent);
  EXPECT_EQ(text.Find("Key2").kind, RegValue::kAbsent);  // another key's value
  text.Set("HiScore2", "4");
  text.Set("Key1", "10");
  std::string out = text.Serialize();
  RegText again = RegText::Parse(out);
  EXPECT_EQ(again.Find("HiScore2").text, "4");
  EXPECT_EQ(again.Find("Key1").text, "10");
  EXPECT_TRUE(out.starts_with(kRegHeader));
  std::string unchanged = file;
  unchanged.replace(unchanged.find("\"Key1\"=\"9\""), 10, "\"Key1\"=\"10\"");
  ExpectKeepsLines(unchanged, out);
}

TEST(RegText, LooseValuesWithoutKeyLineStayTheKeys) {
  RegText text = RegText::Parse("\"Key3\"=\"4\"\n");
  EXPECT_EQ(text.Find("Key3").text, "4");
  text.Set("Key4", "6");
  RegText again = RegText::Parse(text.Serialize());
  EXPECT_EQ(again.Find("Key3").text, "4");
  EXPECT_EQ(again.Find("Key4").text, "6");
  EXPECT_FALSE(again.Damaged());
}

TEST(RegText, Utf16WithBomIsReadAndCrlfKept) {
  std::string crlf =
      std::string(kRegHeader) + "\r\n\r\n" + std::string(kRegKeyLine) + "\r\n\"Key5\"=\"37\"\r\n";
  std::string utf16 = "\xFF\xFE";
  for (char c : crlf) utf16 += std::string{c, '\0'};
  RegText text = RegText::Parse(utf16);
  EXPECT_TRUE(text.Damaged());  // converted: the original is set aside before a rewrite
  EXPECT_EQ(text.Find("Key5").text, "37");
  text.Set("Key6", "39");
  EXPECT_EQ(text.Serialize(), crlf + "\"Key6\"=\"39\"\r\n");
}

}  // namespace
}  // namespace tiko::store
