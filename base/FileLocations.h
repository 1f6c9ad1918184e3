// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Result.h"

#include <string>
#include <utility>

namespace miminomi {

/// Where the program reads its pieces and keeps the learner's record and history. A working folder
/// that holds `data/` (the repository, and the folder layout the program has always had) keeps
/// both there; an installed program reads the installed pieces and keeps the learner's files in
/// the per-user data folder.
class FileLocations {
public:
    /// The folder layout of the working folder: `./data/`, and the files beside it.
    FileLocations() = default;
    /// The pieces in `piecesFolder`, the learner's files in `learnerFolder` (each ending in '/').
    FileLocations(std::string piecesFolder, std::string learnerFolder)
        : pieces(std::move(piecesFolder)), learnerFolder(std::move(learnerFolder)) {}

    /// Looks at the working folder, the folder of the running program and the environment's
    /// XDG_DATA_HOME and HOME (either may be null). The pieces come from `data/` in the working
    /// folder when there is one, else from `share/miminomi/data/` beside the program's `bin/`
    /// folder; the record and the history live in the working folder when it holds `data/`, else
    /// in `$XDG_DATA_HOME/miminomi/` (`~/.local/share/miminomi/` when it is unset or not absolute).
    static FileLocations find(const std::string &programFolder, const char *xdgDataHome,
                              const char *home);

    /// The pieces' folder, ending in '/'.
    const std::string &dataFolder() const { return pieces; }
    std::string recordPath() const { return learnerFolder + "record.txt"; }
    std::string historyPath() const { return learnerFolder + "history.sqlite3"; }

    /// Makes the folder that `filePath` is to be written into, with any missing parents, open to
    /// its owner only; the reason when it cannot be made.
    static Result<void, std::string> makeFolderFor(const std::string &filePath);

private:
    std::string pieces = "./data/";
    /// Empty for the working folder, else ending in '/'.
    std::string learnerFolder;
};

} // namespace miminomi
