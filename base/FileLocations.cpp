// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/FileLocations.h"

#include <filesystem>
#include <system_error>

namespace miminomi {

namespace fs = std::filesystem;

FileLocations FileLocations::find(const std::string &programFolder, const char *xdgDataHome,
                                  const char *home) {
    FileLocations locations;
    std::error_code ignored;
    if (fs::is_directory("data", ignored))
        return locations;

    const fs::path installed = fs::path(programFolder) / ".." / "share" / "miminomi" / "data";
    if (!programFolder.empty() && fs::is_directory(installed, ignored))
        locations.pieces = fs::weakly_canonical(installed, ignored).string() + "/";

    // Only an absolute XDG_DATA_HOME counts; a relative one is ignored, as the standard says.
    fs::path userData;
    if (xdgDataHome && fs::path(xdgDataHome).is_absolute())
        userData = xdgDataHome;
    else if (home && fs::path(home).is_absolute())
        userData = fs::path(home) / ".local" / "share";
    if (!userData.empty())
        locations.learnerFolder = (userData / "miminomi").string() + "/";
    return locations;
}

Result<void, std::string> FileLocations::makeFolderFor(const std::string &filePath) {
    const fs::path folder = fs::path(filePath).parent_path();
    std::error_code error;
    if (folder.empty() || fs::is_directory(folder, error))
        return {};
    // Each folder made is open to its owner only, as per-user data folders are.
    fs::path made;
    for (const fs::path &part : folder) {
        made /= part;
        if (fs::is_directory(made, error))
            continue;
        if (!fs::create_directory(made, error) && !fs::is_directory(made))
            return "cannot make the folder " + made.string() + ": " + error.message();
        fs::permissions(made, fs::perms::owner_all, error);
    }
    return {};
}

} // namespace miminomi
