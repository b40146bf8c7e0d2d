#include "platformconsole.h"

namespace PlatformConsole {

std::optional<QStringList> systemArguments() {
    return std::nullopt;
}

QStringList expandProgramNames(const QStringList& names) {
    return names;
}

void useParentConsole() {}

void useBinaryStandardStreams() {}

bool writeUtf8(std::FILE* stream, const char* data, std::size_t size) {
    return std::fwrite(data, 1, size, stream) == size;
}

} // namespace PlatformConsole
