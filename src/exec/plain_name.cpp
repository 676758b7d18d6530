#include "exec/plain_name.h"

#include <string>

namespace exec {
namespace {

bool IsValidGbk(std::string_view name) {
  for (size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if (byte < 0x80) continue;
    if (byte == 0x80 || byte == 0xFF || i + 1 >= name.size()) return false;
    const auto trail = static_cast<unsigned char>(name[++i]);
    if (trail < 0x40 || trail == 0x7F || trail == 0xFF) return false;
  }
  return true;
}

bool HasForbiddenByte(std::string_view name) {
  for (size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if (byte >= 0x80) {
      ++i;  // a trail byte may be any of 0x40 to 0xFE
      continue;
    }
    if (byte < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(byte)) !=
                           std::string_view::npos) {
      return true;
    }
  }
  return false;
}

bool IsDeviceName(std::string_view name) {
  std::string base(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
  return base.size() == 4 && (base.rfind("COM", 0) == 0 || base.rfind("LPT", 0) == 0) &&
         base[3] >= '1' && base[3] <= '9';
}

}  // namespace

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
  return IsValidGbk(name) && !HasForbiddenByte(name) && !IsDeviceName(name);
}

}  // namespace exec
