#include "exec/mark_reason.h"

namespace exec {

std::string MarkReason(const RenamePlan& plan, size_t row, const rules::NameList& current) {
  if (row >= plan.verdicts.size()) return {};
  switch (plan.verdicts[row]) {
    case Verdict::Invalid:
      return "新文件名无效：Windows 不允许这样的文件名。";
    case Verdict::TooLong:
      return "新文件名过长：名称或完整路径超出 Windows 允许的长度。";
    case Verdict::Duplicate: {
      const size_t claimant = plan.claimants[row];
      const std::string number = std::to_string(claimant + 1);
      const std::string name = claimant < current.size() ? current[claimant] : std::string();
      return "与第 " + number + " 行（" + name + "）的新文件名相同，此名称归第 " + number + " 行。";
    }
    case Verdict::Taken:
      return "新文件名已被一个不改名的文件或文件夹占用。";
    case Verdict::ShortNameTaken:
      return "新文件名与文件夹中另一个文件的短文件名（8.3 格式）相同，Windows 不允许。";
    case Verdict::SourceMissing:
      return "源文件不存在。";
    case Verdict::Unchanged:
    case Verdict::Deliverable:
    case Verdict::NotTheFile:  // only a putting back at the start has these
      break;
  }
  return {};
}

}  // namespace exec
