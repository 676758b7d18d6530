// The conversion of texts held against a GB18030 codec: the code of every
// Unicode scalar value as scripts/gb18030 wrote it from Python's codec
// when the tests were built. Shared by the core tests (a model of code page
// 936) and the Windows tests (the system's code page 936).
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "rules/gb18030.h"
#include "rules/text_codec.h"

namespace testing_support {

// The codes of all scalar values, U+0000 to U+10FFFF without surrogates,
// in order.
inline std::vector<std::string> CodecExpectations() {
  std::vector<std::string> codes;
  std::FILE* file = std::fopen(RNTOOL_GB18030_EXPECTATIONS, "rb");
  if (!file) return codes;
  std::string bytes;
  char buffer[1 << 16];
  for (size_t read; (read = std::fread(buffer, 1, sizeof(buffer), file)) > 0;) bytes.append(buffer, read);
  std::fclose(file);
  codes.reserve(0x110000 - 0x800);
  for (size_t i = 0; i < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    const size_t length =
        byte < 0x80 ? 1 : rules::IsFourByteDigit(static_cast<unsigned char>(bytes[i + 1])) ? 4 : 2;
    codes.push_back(bytes.substr(i, length));
    i += length;
  }
  return codes;
}

inline char32_t ScalarAt(size_t index) {
  return static_cast<char32_t>(index < 0xD800 ? index : index + 0x800);
}

inline std::u16string Utf16Of(char32_t value) {
  if (value < 0x10000) return std::u16string(1, static_cast<char16_t>(value));
  const char32_t offset = value - 0x10000;
  return {static_cast<char16_t>(0xD800 + (offset >> 10)), static_cast<char16_t>(0xDC00 + (offset & 0x3FF))};
}

// The code `table` gives each unit: a byte (below 0x100), a pair, or 0.
inline std::vector<uint16_t> TableCodes(const rules::CodePage936& table) {
  std::vector<uint16_t> codes(0x10000, 0);
  for (unsigned byte = 0x80; byte < 0x100; ++byte) {
    if (!table.leads[byte] && table.bytes[byte]) codes[table.bytes[byte]] = static_cast<uint16_t>(byte);
  }
  for (unsigned pair = 0; pair < 0x10000; ++pair) {
    if (table.leads[pair >> 8] && table.pairs[pair] && !rules::IsFourByteDigit(pair & 0xFF)) {
      codes[table.pairs[pair]] = static_cast<uint16_t>(pair);
    }
  }
  return codes;
}

inline std::string CodeText(uint16_t code) {
  if (code < 0x100) return std::string(1, static_cast<char>(code));
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// Every scalar value converts to a text and back to itself; a character of
// `table` keeps its code there, and any other gets the codec's four-byte
// code, or, where the codec's code is a pair that `table` gives to another
// character, the unit code. Returns how many took that last way.
inline size_t CheckEveryScalarValue(const rules::TextCodec& codec, const rules::CodePage936& table) {
  const std::vector<std::string> expected = CodecExpectations();
  EXPECT_EQ(expected.size(), 0x110000u - 0x800u) << "no expectations at " << RNTOOL_GB18030_EXPECTATIONS;
  const std::vector<uint16_t> tableCodes = TableCodes(table);
  size_t unitCodes = 0, wrong = 0;
  std::u16string back;
  for (size_t i = 0; i < expected.size() && wrong < 20; ++i) {
    const char32_t value = ScalarAt(i);
    const std::u16string utf16 = Utf16Of(value);
    const std::string code = codec.FromUtf16(utf16);
    back.clear();
    const bool converts = codec.ToUtf16(code, back);
    std::string want = expected[i];
    if (value >= 0x80 && value < 0x10000 && tableCodes[value]) {
      want = CodeText(tableCodes[value]);
    } else if (want.size() == 2) {
      const unsigned pair = static_cast<unsigned char>(want[0]) << 8 | static_cast<unsigned char>(want[1]);
      EXPECT_TRUE(table.pairs[pair] != 0 && table.pairs[pair] != value) << std::hex << static_cast<uint32_t>(value);
      want.resize(4);
      rules::WriteFourByteCode(rules::kPlaneZeroCodes + value, want.data());
      ++unitCodes;
    }
    const bool right = code == want && converts && back == utf16;
    EXPECT_TRUE(right) << "U+" << std::hex << static_cast<uint32_t>(value);
    wrong += right ? 0 : 1;
  }
  return unitCodes;
}

// Every code of `table` converts to its character and back, byte for byte.
inline void CheckEveryTableCode(const rules::TextCodec& codec, const rules::CodePage936& table) {
  std::u16string utf16;
  for (unsigned pair = 0x8000; pair < 0x10000; ++pair) {
    if (!table.leads[pair >> 8] || !table.pairs[pair] || rules::IsFourByteDigit(pair & 0xFF)) continue;
    const std::string code{static_cast<char>(pair >> 8), static_cast<char>(pair & 0xFF)};
    utf16.clear();
    ASSERT_TRUE(codec.ToUtf16(code, utf16)) << std::hex << pair;
    EXPECT_EQ(utf16, std::u16string(1, table.pairs[pair])) << std::hex << pair;
    EXPECT_EQ(codec.FromUtf16(utf16), code) << std::hex << pair;
  }
}

}  // namespace testing_support
