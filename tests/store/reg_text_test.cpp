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

std::string Utf16(const std::string& s, bool big_endian) {
  std::string out;
  for (char c : s) out += big_endian ? std::string{'\0', c} : std::string{c, '\0'};
  return out;
}

TEST(RegText, Utf16IsReadWithOrWithoutBomAndLineEndsKept) {
  std::string crlf =
      std::string(kRegHeader) + "\r\n\r\n" + std::string(kRegKeyLine) + "\r\n\"Key5\"=\"37\"\r\n";
  for (const std::string& utf16 : {"\xFF\xFE" + Utf16(crlf, false), "\xFE\xFF" + Utf16(crlf, true),
                                   Utf16(crlf, false), Utf16(crlf, true)}) {
    RegText text = RegText::Parse(utf16);
    EXPECT_TRUE(text.Damaged());  // converted: the original is set aside before a rewrite
    EXPECT_EQ(text.Find("Key5").text, "37");
    text.Set("Key6", "39");
    EXPECT_EQ(text.Serialize(), crlf + "\"Key6\"=\"39\"\r\n");
  }
  // Old Mac line ends: a file without LF breaks its lines at CR.
  RegText mac = RegText::Parse(std::string(kRegHeader) + "\r\r" + std::string(kRegKeyLine) +
                               "\r\"Key5\"=\"37\"");
  EXPECT_FALSE(mac.Damaged());
  EXPECT_EQ(mac.Find("Key5").text, "37");
  mac.Set("Key7", "40");
  EXPECT_EQ(mac.Serialize(), std::string(kRegHeader) + "\r\r" + std::string(kRegKeyLine) +
                                 "\r\"Key5\"=\"37\"\r\"Key7\"=\"40\"\r");
  // Where lines end at LF, a lone CR is part of the text.
  EXPECT_EQ(RegText::Parse(kTop + "\"A\"=\"x\ry\"\n").Find("A").text, "x\ry");
}

TEST(RegText, ContinuedDataEndsWhereNoHexDataFollows) {
  // A value cut off after its backslash, the last line of the file: a value
  // written after it must not read as its continuation.
  for (std::string cut : {"\"\"=dword:\\", "\"Blob\"=hex:01,02,\\", "@=hex(7):41,00,\\  "}) {
    RegText text = RegText::Parse(kTop + cut);
    text.Set("Key1", "2");
    RegText again = RegText::Parse(text.Serialize());
    EXPECT_EQ(again.Find("Key1").text, "2") << cut;
    EXPECT_EQ(again.Find(cut[0] == '@' ? "" : cut.substr(1, cut.find('"', 1) - 1)).kind,
              RegValue::kOtherType)
        << cut;
  }
  // Data over three lines is one value; the line after it is read for itself.
  std::string file = kTop +
                     "\"Path\"=hex(2):25,00,\\\n"
                     "  54,00,\\\n"
                     "  4d,00,00,00\n"
                     "\"Key2\"=\"3\"\n";
  RegText text = RegText::Parse(file);
  EXPECT_FALSE(text.Damaged());
  EXPECT_EQ(text.Find("Key2").text, "3");
  EXPECT_EQ(text.ValueNames(), (std::vector<std::string>{"Path", "Key2"}));
  text.Set("Path", "C:");
  EXPECT_EQ(text.Serialize(), kTop + "\"Path\"=\"C:\"\n\"Key2\"=\"3\"\n");
}

TEST(RegText, UnnamedValuesTypesDeletionsAndComments) {
  std::string file = kTop +
                     "; written by hand\n"
                     "@=\"first\"\n"
                     "\"\"=\"second\"\n"
                     "\"Q\"=hex(b):01,00,00,00,00,00,00,00\n"
                     "\"R\"=HEX(7):00,00\n"
                     "\"Gone\"=\"1\"\n"
                     "\"gone\"=-\n";
  RegText text = RegText::Parse(file);
  EXPECT_FALSE(text.Damaged());
  EXPECT_EQ(text.Find("").text, "second");  // @ and "" both name the unnamed value
  EXPECT_EQ(text.Find("Q").kind, RegValue::kOtherType);
  EXPECT_EQ(text.Find("R").kind, RegValue::kOtherType);
  EXPECT_EQ(text.Find("GONE").kind, RegValue::kAbsent);
  text.Set("", "third");
  text.Set("Gone", "2");
  RegText again = RegText::Parse(text.Serialize());
  EXPECT_EQ(again.Find("").text, "third");
  EXPECT_EQ(again.Find("Gone").text, "2");
  EXPECT_NE(text.Serialize().find("\n@=\"first\"\n@=\"third\"\n"), std::string::npos);
  // Malformed type forms are damage, read as nothing.
  for (const char* bad : {"\"S\"=hex(zz):00", "\"S\"=hex():00", "\"S\"=hex(1)00", "\"S\"=word:1"}) {
    RegText damaged = RegText::Parse(kTop + bad + "\n");
    EXPECT_TRUE(damaged.Damaged()) << bad;
    EXPECT_EQ(damaged.Find("S").kind, RegValue::kAbsent) << bad;
  }
}

TEST(RegText, NulBytesAndLongLinesAreOrdinaryText) {
  std::string nul("\"N\"=\"a\0b\"\n\"K\0\"=\"1\"\n", 19);
  RegText text = RegText::Parse(kTop + nul);
  EXPECT_EQ(text.Find("N").text, std::string("a\0b", 3));
  EXPECT_EQ(text.Find("K").kind, RegValue::kAbsent);
  EXPECT_EQ(text.Find(std::string("K\0", 2)).text, "1");
  std::string long_text(4 << 20, 'x');
  RegText big =
      RegText::Parse(kTop + "\"Long\"=\"" + long_text + "\"\n" + std::string(1 << 20, '#'));
  EXPECT_EQ(big.Find("Long").text, long_text);
  big.Set("Key1", "2");
  EXPECT_EQ(RegText::Parse(big.Serialize()).Find("Key1").text, "2");
}

}  // namespace
}  // namespace tiko::store
