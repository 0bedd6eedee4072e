#pragma once

#include <string>

namespace vorlask {

// What is wrong with a Standard MIDI File's outline, or an empty text. Only the chunk outline
// and the header are read, never the whole file, so a huge or endless file costs nothing.
std::string TuneFileProblem(const std::string& file);

}  // namespace vorlask
