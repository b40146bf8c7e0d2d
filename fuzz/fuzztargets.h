#pragma once

#include <cstddef>
#include <cstdint>

// One function per fuzz target. The libFuzzer entry point and the replay test
// call the same function; a broken invariant aborts the process.

namespace integertextfuzz {
// Bytes read as UTF-8, Latin-1 and UTF-16 text, each checked against a
// reference model of the integer text rule.
int fuzzOne(const uint8_t* data, size_t size);
} // namespace integertextfuzz

namespace stepfuzz {
// Bytes split into program lines and register texts; up to 50 steps, each
// checked against a reference model of the step.
int fuzzOne(const uint8_t* data, size_t size);
} // namespace stepfuzz

namespace protocolfuzz {
// Bytes give the protocol settings and register values; the heading and
// register lines are checked for their column rules.
int fuzzOne(const uint8_t* data, size_t size);
} // namespace protocolfuzz

namespace filefuzz {
// Bytes as a program file: decoding and encoding the code page loses nothing,
// and the line-end normalisation is idempotent and keeps every other byte.
int fuzzOne(const uint8_t* data, size_t size);
} // namespace filefuzz

namespace editorfilefuzz {
// Bytes as a program file saved and loaded on disk, and loaded into the real
// editor: the file comes back byte for byte, line ends aside as loading makes them.
int fuzzOne(const uint8_t* data, size_t size);
} // namespace editorfilefuzz

namespace runfuzz {
// Bytes as a program, register texts and protocol settings: the run decoded
// once and the run that reads the text at every step agree in everything.
int fuzzOne(const uint8_t* data, size_t size);
} // namespace runfuzz
