#include "exec/plain_name.h"

#include <string>

namespace exec {
namespace {

bool IsForbidden(char16_t unit) {
  if (unit >= 0x80) return false;
  switch (unit) {
    case u'\\': case u'/': case u':': case u'*': case u'?': case u'"': case u'<': case u'>': case u'|':
      return true;
    default:
      return unit < 0x20;
  }
}

// `folded` has its letters in upper case already.
bool IsDeviceName(std::u16string_view folded) {
  // Every device name starts with three of these letters.
  if (folded.size() < 3 || (folded[0] != u'C' && folded[0] != u'P' && folded[0] != u'A' &&
                            folded[0] != u'N' && folded[0] != u'L')) {
    return false;
  }
  std::u16string_view base = folded.substr(0, folded.find(u'.'));
  while (!base.empty() && base.back() == u' ') base.remove_suffix(1);
  if (base == u"CON" || base == u"PRN" || base == u"AUX" || base == u"NUL") return true;
  if (base.size() != 4 || (base.substr(0, 3) != u"COM" && base.substr(0, 3) != u"LPT")) return false;
  // Windows reads the superscript digits one to three as digits here too.
  const char16_t digit = base[3];
  return (digit >= u'1' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' || digit == u'\u00B3';
}

}  // namespace

bool IsPlainFileName(std::u16string_view folded) {
  if (folded.empty()) return false;
  if (folded.back() == u'.' || folded.back() == u' ') return false;
  for (char16_t unit : folded) {
    if (IsForbidden(unit)) return false;
  }
  return !IsDeviceName(folded);
}

bool IsFormerName(std::u16string_view folded) {
  if (folded.empty() || folded == u"." || folded == u"..") return false;
  return folded.find_first_of(u"\\/", 0, 2) == std::u16string_view::npos &&
         folded.find(u'\0') == std::u16string_view::npos;
}

}  // namespace exec
