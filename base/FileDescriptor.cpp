// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/FileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace miminomi {

FileDescriptor::FileDescriptor(const std::string &path, int flags, unsigned mode) {
    do {
        fd = ::open(path.c_str(), flags, static_cast<mode_t>(mode));
    } while (fd < 0 && errno == EINTR);
}

FileDescriptor::~FileDescriptor() {
    if (fd >= 0) {
        const int savedErrno = errno; // a close on the way out must not hide the error being told
        ::close(fd);
        errno = savedErrno;
    }
}

int FileDescriptor::close() {
    if (fd < 0)
        return 0;
    return ::close(std::exchange(fd, -1));
}

bool FileDescriptor::makePipe(FileDescriptor &readEnd, FileDescriptor &writeEnd) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    readEnd = FileDescriptor(fds[0]);
    writeEnd = FileDescriptor(fds[1]);
    return true;
}

} // namespace miminomi
