#pragma once
// The program's log: plain English lines on standard output. Each line is written whole, in one
// write, so that lines from different threads never interleave. A host may add a second sink
// (the system console window shows the log inside the application).
#include <functional>
#include <string_view>

namespace zarvik {

// Writes `line` followed by a line feed to standard output, then hands it to the extra sink.
void logline(std::string_view line);

// Installs (or, with an empty function, removes) the extra sink. It is called after the line has
// reached standard output, on the thread that logged, without the log's lock held.
void setlogsink(std::function<void(std::string_view)> sink);

// Writes `line` as the fatal message and ends the process (internal errors that cannot go on).
[[noreturn]] void fatal(std::string_view line);

}  // namespace zarvik
