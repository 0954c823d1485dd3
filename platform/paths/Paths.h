#pragma once
// Where things live on this machine: the running program, the temporary
// folder and the per-user XDG folders.

#include <string>
#include <string_view>

namespace platform {

// Absolute path of the running executable (from /proc/self/exe); empty when
// it cannot be read.
std::string ExecutablePath();

// The temporary folder: $TMPDIR when it names a folder, else /tmp. Never ends
// with a slash (except for "/").
std::string TempFolder();

// $XDG_CONFIG_HOME when set to an absolute path, else $HOME/.config.
std::string ConfigHome();

// The per-user folder for state files: $XDG_STATE_HOME (absolute) else $HOME/.local/state; on
// Windows the local application data folder.
std::string UserStateFolder();

// Whether `folder` lies where programs are installed for every user (/usr,
// /bin, /sbin, /opt; on Windows the program files folders): no place for the
// files of one user's runs, an administrator's included.
bool IsSharedProgramFolder(const std::string& folder);

// $HOME, or the password database entry of the user; empty when neither.
std::string HomeFolder();

// The characters that end a folder's name in a path: "/", on Windows "\" too,
// the one the system writes first.
std::string_view FolderSeparators();

// Joins two path parts with exactly one slash between them.
std::string JoinPath(const std::string& folder, const std::string& name);

// The folder part of a path ("." when the path has no slash).
std::string FolderOf(const std::string& path);

// The last part of a path: the file's name.
std::string FileNameOf(const std::string& path);

// Creates `folder` and its missing parents (mode 0777 minus umask). False
// when one of them cannot be made, or exists as something else than a folder.
bool MakeFolders(const std::string& folder);

}  // namespace platform
