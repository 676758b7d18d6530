// Code page 936 as the core tests model it: every character GB18030 gives a
// pair of bytes has that pair (Windows' own table is taken from the system
// in the Windows tests).
#pragma once

#include "codec_expectations.h"
#include "rules/text_codec.h"

namespace testing_support {

inline const rules::CodePage936& ModelCodePage() {
  static const rules::CodePage936 table = [] {
    rules::CodePage936 model;
    for (unsigned byte = 0x81; byte <= 0xFE; ++byte) model.leads[byte] = true;
    const std::vector<std::string> codes = CodecExpectations();
    for (size_t i = 0; i < codes.size(); ++i) {
      if (codes[i].size() != 2) continue;
      const unsigned pair = static_cast<unsigned char>(codes[i][0]) << 8 | static_cast<unsigned char>(codes[i][1]);
      model.pairs[pair] = static_cast<char16_t>(ScalarAt(i));
    }
    return model;
  }();
  return table;
}

inline const rules::TextCodec& ModelCodec() {
  static const rules::TextCodec codec(ModelCodePage());
  return codec;
}

}  // namespace testing_support
