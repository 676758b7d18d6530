#include "exec/file_identity.h"

namespace exec {

bool IsSameFile(const FileIdentity& was, const VolumeIdentity& wasOn, const FileIdentity& now,
                const VolumeIdentity& nowOn) {
  if (!was.known()) return false;
  if (!now.known()) return true;
  if (wasOn.known && nowOn.known && wasOn.serial != nowOn.serial) return false;
  if (wasOn.keepsFileIds && nowOn.keepsFileIds && was.fileId != 0 && now.fileId != 0) {
    return was.fileId == now.fileId;
  }
  return was.size == now.size && was.lastWrite == now.lastWrite;
}

}  // namespace exec
