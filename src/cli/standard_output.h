// Standard output of every command: std::cout writes through a buffer over
// file descriptor 1 that keeps the errno of the first failed write, so that
// the final report can name the reason (a full disk, a closed pipe). A
// closed pipe is a failed write like any other, not a signal that ends the
// program before it can report.
#pragma once

namespace tavimoro::cli {

// Ignores SIGPIPE and makes std::cout write through the buffer.
void InstallStandardOutput();

// The errno of the first write to standard output that failed, 0 when none.
int StandardOutputError();

}  // namespace tavimoro::cli
