#include "platform/name_keys.h"

#include <windows.h>

#include "platform/gbk_convert.h"

namespace platform {
namespace {

constexpr size_t kUnits = 0x10000;

bool IsSurrogate(size_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// The one character that `bytes` is in code page 936 exactly, or 0.
char16_t ExactCharacter(std::string_view bytes) {
  const std::optional<std::wstring> wide = ToWideExactly(bytes);
  return wide && wide->size() == 1 ? static_cast<char16_t>((*wide)[0]) : 0;
}

}  // namespace

char16_t NameKeys::Upper(char16_t unit) {
  if (upper_.empty()) {
    upper_.resize(kUnits);
    std::wstring all(kUnits, L'\0');
    for (size_t i = 0; i < kUnits; ++i) all[i] = static_cast<wchar_t>(IsSurrogate(i) ? 0 : i);
    // Lone surrogates and zero map to themselves; everything else in one call.
    const int done = LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, all.data() + 1,
                                  static_cast<int>(kUnits - 1), all.data() + 1,
                                  static_cast<int>(kUnits - 1));
    for (size_t i = 0; i < kUnits; ++i) {
      upper_[i] = static_cast<char16_t>(done > 0 && !IsSurrogate(i) ? all[i] : i);
    }
  }
  return upper_[unit];
}

const NameKeys::Bytes& NameKeys::ByteTable() {
  if (!bytes_) {
    bytes_ = std::make_unique<Bytes>();
    for (unsigned byte = 0; byte < 256; ++byte) {
      const char text[] = {static_cast<char>(byte)};
      bytes_->lead[byte] = IsDBCSLeadByteEx(kGbkCodePage, static_cast<BYTE>(byte)) != FALSE;
      bytes_->single[byte] = byte < 0x80 ? static_cast<char16_t>(byte) : ExactCharacter({text, 1});
    }
  }
  return *bytes_;
}

const NameKeys::Row& NameKeys::DoubleByteRow(unsigned char lead) {
  std::unique_ptr<Row>& row = rows_[lead];
  if (!row) {
    row = std::make_unique<Row>();
    for (unsigned trail = 0; trail < 256; ++trail) {
      const char pair[] = {static_cast<char>(lead), static_cast<char>(trail)};
      (*row)[trail] = ExactCharacter({pair, 2});
    }
  }
  return *row;
}

bool NameKeys::FromGbk(std::string_view gbk, std::u16string& key) {
  const Bytes& bytes = ByteTable();
  key.resize(gbk.size());
  size_t length = 0;
  for (size_t i = 0; i < gbk.size(); ++i) {
    const auto byte = static_cast<unsigned char>(gbk[i]);
    char16_t unit = kNoCharacter;
    if (!bytes.lead[byte]) {
      unit = bytes.single[byte];
    } else if (i + 1 < gbk.size()) {
      unit = DoubleByteRow(byte)[static_cast<unsigned char>(gbk[++i])];
    }
    if (unit == kNoCharacter) return false;
    key[length++] = Upper(unit);
  }
  key.resize(length);
  return true;
}

std::u16string NameKeys::FromWide(std::wstring_view wide) {
  std::u16string key(wide.size(), u'\0');
  for (size_t i = 0; i < wide.size(); ++i) key[i] = Upper(static_cast<char16_t>(wide[i]));
  return key;
}

}  // namespace platform
