// The 21 parameters of the KRNM file, one row each: what kind of value it
// is, how it is stored and read, and where it lives in RenameOptions.
// Writing, reading and applying a file are loops over this table.
#pragma once

#include <array>
#include <string>

#include "rules/rename_options.h"

namespace params {

inline constexpr int kParameterCount = 21;

struct Parameter {
  enum class Kind {
    Text,      // an edit box's text, as it stands
    Check,     // a check box: "1" checks it
    Brackets,  // the brackets check box: anything but "0" checks it
    TwoWay,    // a pair of radio boxes, stored the other way round: "0" for the first
    Radio,     // a radio group: "1" to "count", stored and held 1-based
    ListItem,  // a drop-down list: "1" to "count", held as its 0-based item
  } kind;
  int count = 0;  // radio boxes or list items
  std::string rules::RenameOptions::*text = nullptr;
  bool rules::RenameOptions::*flag = nullptr;  // Check, Brackets, TwoWay (true: the first box)
  int rules::RenameOptions::*number = nullptr;  // Radio, ListItem
};

// Row p - 1 is parameter line P`p`.
extern const std::array<Parameter, kParameterCount> kParameters;

}  // namespace params
