#pragma once

#include <QStringList>
#include <cstdio>
#include <optional>

// What a program started from a shell gets and POSIX and Windows give
// differently: its arguments and its standard streams. One implementation per
// system, platformconsole_posix.cpp or platformconsole_windows.cpp.
namespace PlatformConsole {

// The command line as the system keeps it, where that is text (Windows keeps
// it in UTF-16); nothing where it is bytes, which the caller decodes.
std::optional<QStringList> systemArguments();

// The program names of a command line as the shell would have given them:
// on Windows, whose cmd.exe leaves "*" and "?" to each program, expanded as
// Windows' own programs do (wildcards.h; ZevoError for a pattern that matches
// nothing); on POSIX unchanged, the shell has done it.
QStringList expandProgramNames(const QStringList& names);

// Gives a windowed program the standard streams it lacks. Windows starts
// one without them even from a console, so "zevo --help" would print nothing;
// it then writes to the console it was started from. Streams that lead to a
// file or a pipe stay as they are. Nothing to do on POSIX.
void useParentConsole();

// Standard output and error pass bytes unchanged (no CR LF of a text mode).
void useBinaryStandardStreams();

// Writes UTF-8 text to a stream; to a console window as its characters, to a
// file or a pipe as the bytes themselves. False on a failed write.
bool writeUtf8(std::FILE* stream, const char* data, std::size_t size);

} // namespace PlatformConsole
