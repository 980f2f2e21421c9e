#pragma once

namespace stonewise {

struct PrintCommandLine;

// "stonewise --print FILE --pdf OUT.pdf [--numbers] [--from N]": writes the page of the file's game
// as PDF without a window (the offscreen platform unless another is named). Returns the process's
// exit code: 0 written, 1 the file could not be read or the PDF not written, 2 wrong arguments.
int runPrintCommand(const PrintCommandLine& command, int& argc, char** argv);

} // namespace stonewise
