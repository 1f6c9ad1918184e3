// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace miminomi::testing {

/// A new empty folder under the system's temporary folder, removed with everything in it when
/// the object goes.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "miminomi-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            folder = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;

    const std::filesystem::path &path() const { return folder; }
    /// The path of `name` inside the folder.
    std::string filePath(const std::string &name) const { return (folder / name).string(); }

private:
    std::filesystem::path folder;
};

} // namespace miminomi::testing
