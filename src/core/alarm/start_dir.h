#pragma once

#include <string>

namespace wb {

// Where the desktop program keeps its alarm store, wake log, temporary listing and
// backdrop picture. It keeps them in its current directory, so that every relative name
// it uses lands in one place; how it was started decides which directory that is.
enum class StartPlace {
    CurrentDir,  // started from a shell: the directory it starts from
    SharedData,  // started from its desktop entry: the directory the alarm service uses
    Named,       // `--dir DIR`
};

// The start-up directory as kept: the directory with its trailing separator, or empty when
// it cannot be read or would not fit the 256-byte buffer it was kept in.
std::string StartDirFrom(const std::string& dirWithSeparator);

// The data directory that the window and the alarm service share: `xdgDataHome`/wakeburst/
// when that is an absolute path (the desktop ignores a relative one), else
// `home`/.local/share/wakeburst/; empty when neither is known.
std::string SharedDataDir(const std::string& xdgDataHome, const std::string& home);
// The same, from XDG_DATA_HOME and HOME.
std::string SharedDataDirFromEnvironment();

// Makes `dir` (with its trailing separator) and its missing parents; the directory itself
// is made private to the user (0700). False, with `error` set to one line, when it cannot
// be made or is not a directory.
bool EnsurePrivateDir(const std::string& dir, std::string& error);

// The directory to keep the files in, made absolute with a trailing separator; the shared
// one is created private to the user (0700) when it is missing. Empty, with `error` set to
// one line, when it is not known, cannot be created or is not a directory.
std::string PrepareStartDir(StartPlace place, const std::string& namedDir, std::string& error);

}  // namespace wb
