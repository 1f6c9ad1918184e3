// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/backends/MidiFileMedia.h"

#include "base/FileDescriptor.h"
#include "sound/backends/StandardMidiFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace miminomi {

namespace {

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string unquote(std::string_view text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return std::string(text);
}

} // namespace

std::optional<MediaCommand> parseMediaCommand(std::string_view command) {
    command = trim(command);
    const auto blank = command.find_first_of(" \t");
    const std::string_view verb = command.substr(0, blank);
    const std::string_view rest =
        blank == std::string_view::npos ? std::string_view{} : trim(command.substr(blank));
    if (rest.empty())
        return std::nullopt;

    MediaCommand parsed;
    if (verb == "open") {
        parsed.verb = MediaCommand::Verb::open;
        // A leading blank lets an open with no path at all be told apart from an alias.
        std::string spaced(1, ' ');
        spaced.append(rest);
        const std::string_view view = spaced;
        const auto aliasAt = view.rfind(" alias ");
        if (aliasAt == std::string_view::npos) {
            parsed.path = unquote(rest);
            parsed.alias = parsed.path;
        } else {
            parsed.path = unquote(trim(view.substr(0, aliasAt)));
            parsed.alias = std::string(trim(view.substr(aliasAt + 7)));
        }
        if (parsed.path.empty() || parsed.alias.empty())
            return std::nullopt;
        return parsed;
    }
    if (verb == "play")
        parsed.verb = MediaCommand::Verb::play;
    else if (verb == "stop")
        parsed.verb = MediaCommand::Verb::stop;
    else if (verb == "close")
        parsed.verb = MediaCommand::Verb::close;
    else
        return std::nullopt;
    parsed.alias = std::string(rest);
    return parsed;
}

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string &path,
                                                       std::size_t maxBytes) {
    // O_NONBLOCK keeps the open from waiting for a writer when the name is a named pipe, which
    // is then refused with every other file that is not a regular one.
    const FileDescriptor file(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (!file.valid())
        return std::nullopt;
    const int fd = file.get();
    struct stat status {};
    std::optional<std::vector<std::uint8_t>> bytes;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
        static_cast<std::uintmax_t>(status.st_size) <= maxBytes) {
        bytes.emplace();
        std::uint8_t buffer[4096];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0 || bytes->size() + static_cast<std::size_t>(got) > maxBytes) {
                bytes.reset(); // unreadable, or grown past the limit since the size was taken
                break;
            }
            if (got == 0)
                break;
            bytes->insert(bytes->end(), buffer, buffer + got);
        }
    }
    return bytes;
}

MediaResult MidiFileMedia::sendString(const std::string &command) {
    const auto parsed = parseMediaCommand(command);
    if (!parsed)
        return MediaResult::unknownCommand;
    if (parsed->verb == MediaCommand::Verb::open) {
        if (openAlias)
            return MediaResult::duplicateAlias;
        auto bytes = readFileBytes(parsed->path, maxFileBytes);
        if (!bytes)
            return MediaResult::fileNotFound;
        if (!isReadableStandardMidiFile(*bytes))
            return MediaResult::unreadableFile;
        const MediaResult result = load(std::move(*bytes));
        if (result == MediaResult::ok)
            openAlias = parsed->alias;
        return result;
    }
    if (!openAlias || *openAlias != parsed->alias)
        return MediaResult::unknownAlias;
    switch (parsed->verb) {
    case MediaCommand::Verb::play:
        return start();
    case MediaCommand::Verb::stop:
        return halt();
    default:
        halt();
        unload();
        openAlias.reset();
        return MediaResult::ok;
    }
}

} // namespace miminomi
