#include "platformconsole.h"
#include "wildcards.h"

#include <QString>

#include <windows.h>

#include <shellapi.h> // after windows.h, which it needs

#include <fcntl.h>
#include <io.h>

namespace PlatformConsole {

std::optional<QStringList> systemArguments() {
    int count = 0;
    wchar_t** list = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!list)
        return std::nullopt;
    QStringList arguments;
    for (int i = 1; i < count; ++i)
        arguments << QString::fromWCharArray(list[i]);
    ::LocalFree(list);
    return arguments;
}

QStringList expandProgramNames(const QStringList& names) {
    return expandWildcards(names);
}

void useParentConsole() {
    const auto missing = [](DWORD which) {
        const HANDLE handle = ::GetStdHandle(which);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE;
    };
    const bool out = missing(STD_OUTPUT_HANDLE);
    const bool err = missing(STD_ERROR_HANDLE);
    if ((!out && !err) || !::AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (out)
        (void)std::freopen("CONOUT$", "w", stdout);
    if (err)
        (void)std::freopen("CONOUT$", "w", stderr);
}

void useBinaryStandardStreams() {
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
}

bool writeUtf8(std::FILE* stream, const char* data, std::size_t size) {
    // A windowed program started without a console has no stream at all.
    const int fd = ::_fileno(stream);
    if (fd < 0)
        return false;
    const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !::GetConsoleMode(handle, &mode))
        return std::fwrite(data, 1, size, stream) == size;
    // A console shows characters, not bytes in its code page: "Überlauf" and
    // "Schritte" read the same in any console.
    if (std::fflush(stream) != 0)
        return false;
    const QString text = QString::fromUtf8(data, qsizetype(size));
    const auto* chars = reinterpret_cast<const wchar_t*>(text.utf16());
    DWORD left = DWORD(text.size());
    while (left > 0) {
        DWORD written = 0;
        if (!::WriteConsoleW(handle, chars, left, &written, nullptr) || written == 0)
            return false;
        chars += written;
        left -= written;
    }
    return true;
}

} // namespace PlatformConsole
