#include "rules/text_codec.h"

#include <gtest/gtest.h>

#include "codec_expectations.h"
#include "model_code_page.h"
#include "rules/gb18030.h"

namespace rules {
namespace {

using testing_support::ModelCodec;
using testing_support::ModelCodePage;

std::string Utf16ToText(std::u16string_view utf16) { return ModelCodec().FromUtf16(utf16); }

// In the model every character is where GB18030 puts it, so the codec's
// code of every scalar value is the conversion's.
TEST(TextCodec, EveryScalarValueComesBackAndEveryCodeIsTheCodecs) {
  EXPECT_EQ(testing_support::CheckEveryScalarValue(ModelCodec(), ModelCodePage()), 0u);
  testing_support::CheckEveryTableCode(ModelCodec(), ModelCodePage());
}

// Windows' code page 936 gives some GB18030 pairs to private-use
// characters (0xA8BF is U+E7C8 there, GB18030's U+01F9): such a character
// takes a code GB18030 leaves unassigned, and the four-byte code of the
// private-use character is no character, since that one is a pair.
TEST(TextCodec, ACharacterWhosePairIsTakenGetsAUnitCode) {
  CodePage936 table = ModelCodePage();
  table.pairs[0xA8BF] = u'\uE7C8';
  const TextCodec codec(table);
  std::string unitCode(4, '\0');
  WriteFourByteCode(kPlaneZeroCodes + 0x01F9, unitCode.data());
  EXPECT_EQ(codec.FromUtf16(u"\u01F9"), unitCode);
  EXPECT_EQ(codec.FromUtf16(u"\uE7C8"), "\xA8\xBF");
  std::u16string utf16;
  EXPECT_TRUE(codec.ToUtf16(unitCode, utf16));
  EXPECT_EQ(utf16, u"\u01F9");
  utf16.clear();
  EXPECT_FALSE(codec.ToUtf16("\x83\x36\xC8\x30", utf16));  // GB18030's code of U+E7C8
  EXPECT_EQ(testing_support::CheckEveryScalarValue(codec, table), 1u);
}

TEST(TextCodec, LoneSurrogatesComeBackToo) {
  for (const std::u16string& utf16 : {std::u16string(1, u'\xD800'), std::u16string(1, u'\xDFFF'),
                                     std::u16string{u'a', u'\xDC00', u'\xD83D'}}) {
    const std::string text = Utf16ToText(utf16);
    std::u16string back;
    EXPECT_TRUE(ModelCodec().ToUtf16(text, back));
    EXPECT_EQ(back, utf16);
  }
  EXPECT_EQ(Utf16ToText(std::u16string(1, u'\xD800')).size(), 4u);
}

// Only the one code of a character is that character: halves, a code cut
// short, and codes beyond the last plane are none.
TEST(TextCodec, BytesThatAreNoCharacterDoNotConvert) {
  const std::string emoji = Utf16ToText(u"\U0001F600");
  ASSERT_EQ(emoji, "\x94\x39\xFC\x36");
  for (const std::string& bad : {std::string("\x81"), std::string("a\xCE"), emoji.substr(0, 2),
                                emoji.substr(0, 3), emoji.substr(1), std::string("\xE3\x32\x9A\x36"),
                                std::string("\xFE\x39\xFE\x39")}) {
    std::u16string utf16;
    EXPECT_FALSE(ModelCodec().ToUtf16(bad, utf16)) << testing::PrintToString(bad);
  }
  // The four-byte code of a character that the code page has is not it.
  CodePage936 table = ModelCodePage();
  table.pairs[0xA2A1] = u'\u00B2';
  std::u16string utf16;
  EXPECT_FALSE(TextCodec(table).ToUtf16("\x81\x30\x85\x35", utf16));
  // Shown, each byte that starts no character is one U+FFFD.
  EXPECT_EQ(ModelCodec().ToUtf16Shown("b\xCE"), u"b\uFFFD");
  EXPECT_EQ(ModelCodec().ToUtf16Shown(emoji.substr(0, 3)), u"\uFFFD" u"9\uFFFD");
}

}  // namespace
}  // namespace rules
