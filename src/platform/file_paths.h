// The one place where paths for the file system are made. A folder text,
// as the boxes and FolderPath hold it, becomes the folder's path: absolute,
// normal and with the \\?\ prefix, so the file system gets every name as
// it stands (trailing dots and blanks, device-like names) and paths of any
// length.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// `folderText` as the file system gets it: absolute (a relative text is
// taken from the current folder), "/" read as "\", one "\" between names,
// "." and ".." resolved, with the prefix \\?\ (\\?\UNC\ for \\server\share)
// and one "\" at the end. The names in it keep their trailing dots and
// blanks. Nothing when some bytes of the text are no character.
std::optional<std::wstring> FileSystemFolder(std::string_view folderText);

// A full path (folder and name, as a file dialog gives it) for the file
// system: its folder as FileSystemFolder makes it, its last name as it stands.
std::optional<std::wstring> FileSystemPathOf(std::string_view fullPath);

}  // namespace platform
