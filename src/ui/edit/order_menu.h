// The context menu of the Edit window's list: the orders its rows can be
// put in.
#pragma once

#include <windows.h>

namespace ui::edit {

enum OrderCommand : int {
  kOrderByName = 3001,  // "按名称排序（自然顺序）"
  kOrderByTime,         // "按修改时间排序"
  kOrderBySize,         // "按文件大小排序"
  kOrderReversed,       // "倒序"
  kMoveUp,              // "上移" (Alt+↑)
  kMoveDown,            // "下移" (Alt+↓)
  kPickedOrder,         // "恢复原来的顺序"
};

constexpr bool IsOrderCommand(int id) { return id >= kOrderByName && id <= kPickedOrder; }

// The menu, its moves enabled only while rows are selected; the caller
// destroys it.
HMENU CreateOrderMenu(bool rowsSelected);

}  // namespace ui::edit
