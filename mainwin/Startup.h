#pragma once
// The start-up module: the whole program start once the application object
// exists.

#include <memory>
#include <string>

class TextDecoder;

namespace Startup {

// The entry routine: shows the main window with the program's own monitor,
// message boxes and settings dialog, wired to the monitor, then runs the
// event loop. Texts from the data file are decoded with `decoder`. The
// program ends through endProgram; the result is the event loop's, should it
// ever return.
int run(const std::string& commandLineText, std::unique_ptr<TextDecoder> decoder);

} // namespace Startup
