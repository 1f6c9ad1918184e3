// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>

namespace miminomi {

/// An open file descriptor, closed when it goes out of scope. Every part of the program that
/// opens files by descriptor holds them in one of these.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd(fd) {}
    /// Opens `path` with open(2)'s flags and mode; check valid() and errno.
    FileDescriptor(const std::string &path, int flags, unsigned mode = 0);
    FileDescriptor(FileDescriptor &&other) noexcept : fd(std::exchange(other.fd, -1)) {}
    FileDescriptor &operator=(FileDescriptor &&other) noexcept {
        std::swap(fd, other.fd);
        return *this;
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    ~FileDescriptor();

    int get() const { return fd; }
    bool valid() const { return fd >= 0; }
    /// Closes now and returns close(2)'s result: on some file systems a failed write shows only
    /// here. Closing nothing gives 0.
    int close();

    /// Makes a pipe whose two ends are closed on exec and never block; false with errno set when
    /// it cannot be made.
    static bool makePipe(FileDescriptor &readEnd, FileDescriptor &writeEnd);

private:
    int fd = -1;
};

} // namespace miminomi
