#pragma once

#include <windows.h>

namespace ui {

// The menu bar: "菜单" (启动时加载logo, separator, 编辑名称, 打开当前文件夹,
// 退出), "工具" (更名历史, 记录更名历史,
// 添加到“发送到”菜单) and "关于" (帮助, 作者信息).
HMENU CreateMainMenu();

}  // namespace ui
