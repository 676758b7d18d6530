#include "ui/edit/parameters_commands.h"

#include <new>
#include <optional>

#include "params/krnm_file.h"
#include "platform/desktop.h"
#include "platform/file_system.h"
#include "platform/file_source.h"
#include "platform/whole_file.h"
#include "ui/edit/option_controls.h"
#include "ui/edit/parameter_controls.h"

namespace ui::edit {
namespace {

constexpr char kFilter[] = "澄川更名配置文件(*.KRNM) | *.KRNM";
constexpr char kDefaultExtension[] = "KRNM";
constexpr char kWarningTitle[] = "警告：";
constexpr char kDamaged[] = "此配置文件数据不正确，可能已经损坏！";
constexpr char kNotSaved[] = "更名参数没有保存：无法写入所选的文件。";

// The dialog is modal to the Edit window that holds the controls.
std::optional<std::string> ChooseFile(const EditControls& controls, platform::DesktopInteractions& desktop,
                                      platform::FileDialogKind kind, std::string& lastPath) {
  const auto chosen = desktop.ChooseFile({kind, GetAncestor(controls[按钮载参], GA_ROOT),
                                          platform::ProgramFolder(), kFilter, kDefaultExtension, lastPath});
  if (chosen) lastPath = *chosen;
  return chosen;
}

}  // namespace

void SaveParameters(const EditControls& controls, platform::DesktopInteractions& desktop,
                    std::string& lastPath) {
  // The values as they are when the button is pressed.
  const std::string file = params::BuildKrnmFile(ReadRenameOptions(controls));
  const auto path = ChooseFile(controls, desktop, platform::FileDialogKind::Save, lastPath);
  if (!path) return;
  if (!platform::ReplaceWholeFile(*path, file)) {
    desktop.ShowMessage({kNotSaved, kWarningTitle});
  }
}

void LoadParameters(EditControls& controls, platform::DesktopInteractions& desktop,
                    std::string& lastPath) {
  const auto path = ChooseFile(controls, desktop, platform::FileDialogKind::Open, lastPath);
  if (!path) return;
  // Read a line at a time, and no further than the last line applied. A
  // file that can't be opened reads as an empty one, and is rejected; so is
  // one whose lines can't be held.
  try {
    platform::FileSource file(*path);
    params::KrnmReader reader(file);
    if (file.Size() > params::kLargestFile || reader.NextLine() != params::kTagLine || reader.NextLine() != params::kWarningLine) {
      desktop.ShowMessage({kDamaged, kWarningTitle});
      return;
    }
    for (int p = 1; p <= params::kParameterCount; ++p) {
      ApplyParameterToControls(controls, p, reader.NextLine());
    }
  } catch (const std::bad_alloc&) {
    desktop.ShowMessage({kDamaged, kWarningTitle});
  }
}

}  // namespace ui::edit
