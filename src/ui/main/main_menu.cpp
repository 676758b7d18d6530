#include "ui/main/main_menu.h"

#include "platform/gbk_convert.h"
#include "ui/main/main_window.h"

namespace ui {
namespace {

void AppendItem(HMENU menu, UINT id, const char* text) {
  AppendMenuW(menu, MF_STRING, id, platform::ToWide(text).c_str());
}

void AppendSubmenu(HMENU bar, HMENU submenu, const char* text) {
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), platform::ToWide(text).c_str());
}

}  // namespace

HMENU CreateMainMenu() {
  HMENU fileMenu = CreatePopupMenu();
  AppendItem(fileMenu, kCommandStartupLogo, "启动时加载logo");
  AppendMenuW(fileMenu, MF_SEPARATOR, 0, nullptr);
  AppendItem(fileMenu, kCommandEditNames, "编辑名称");
  AppendItem(fileMenu, kCommandOpenFolder, "打开当前文件夹");
  AppendItem(fileMenu, kCommandExit, "退出");

  HMENU toolsMenu = CreatePopupMenu();
  AppendItem(toolsMenu, kCommandHistory, "更名历史");
  AppendItem(toolsMenu, kCommandKeepHistory, "记录更名历史");
  AppendItem(toolsMenu, kCommandSendTo, "添加到“发送到”菜单");

  HMENU aboutMenu = CreatePopupMenu();
  AppendItem(aboutMenu, kCommandHelp, "帮助");
  AppendItem(aboutMenu, kCommandAuthorInfo, "作者信息");

  HMENU bar = CreateMenu();
  AppendSubmenu(bar, fileMenu, "菜单");
  AppendSubmenu(bar, toolsMenu, "工具");
  AppendSubmenu(bar, aboutMenu, "关于");
  return bar;
}

}  // namespace ui
