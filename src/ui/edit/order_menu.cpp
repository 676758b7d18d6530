#include "ui/edit/order_menu.h"

#include "platform/gbk_convert.h"

namespace ui::edit {
namespace {

void Append(HMENU menu, int id, const char* text, bool enabled = true) {
  AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), static_cast<UINT_PTR>(id),
              platform::ToWide(text).c_str());
}

}  // namespace

HMENU CreateOrderMenu(bool rowsSelected) {
  HMENU menu = CreatePopupMenu();
  Append(menu, kOrderByName, "按名称排序（自然顺序）");
  Append(menu, kOrderByTime, "按修改时间排序");
  Append(menu, kOrderBySize, "按文件大小排序");
  Append(menu, kOrderReversed, "倒序");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  Append(menu, kMoveUp, "上移\tAlt+↑", rowsSelected);
  Append(menu, kMoveDown, "下移\tAlt+↓", rowsSelected);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  Append(menu, kPickedOrder, "恢复原来的顺序");
  return menu;
}

}  // namespace ui::edit
