#include "platform/name_keys.h"

#include <windows.h>

#include "platform/gbk_convert.h"

namespace platform {
namespace {

constexpr size_t kUnits = 0x10000;

bool IsSurrogate(size_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

}  // namespace

void NameKeys::Fold(std::u16string& units) {
  if (upper_.empty()) {
    upper_.resize(kUnits);
    std::wstring all(kUnits, L'\0');
    for (size_t i = 0; i < kUnits; ++i) all[i] = static_cast<wchar_t>(IsSurrogate(i) ? 0 : i);
    // Surrogates and zero map to themselves; everything else in one call.
    const int done = LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, all.data() + 1,
                                  static_cast<int>(kUnits - 1), all.data() + 1,
                                  static_cast<int>(kUnits - 1));
    for (size_t i = 0; i < kUnits; ++i) {
      upper_[i] = static_cast<char16_t>(done > 0 && !IsSurrogate(i) ? all[i] : i);
    }
  }
  for (char16_t& unit : units) unit = upper_[unit];
}

bool NameKeys::FromGbk(std::string_view text, std::u16string& key) {
  key.clear();
  if (!Codec().ToUtf16(text, key)) return false;
  Fold(key);
  return true;
}

std::u16string NameKeys::FromWide(std::wstring_view wide) {
  std::u16string key(wide.begin(), wide.end());
  Fold(key);
  return key;
}

}  // namespace platform
