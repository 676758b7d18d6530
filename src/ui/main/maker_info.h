// Who makes the program and where users reach them (fictional names).
#pragma once

namespace ui::maker {

inline constexpr char kProductName[] = "澄川改名宝";
inline constexpr char kMakersName[] = "澄川技术";
inline constexpr char kContactEmail[] = "kf@ccjs.example";
inline constexpr char kWebAddress[] = "http://www.ccjs.example/";

}  // namespace ui::maker
