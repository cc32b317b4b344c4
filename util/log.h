#pragma once
// The program's log: plain English lines on standard output, or on the stream a tool chooses (the
// command-line tools keep it on standard error, their output being data). Each line is written
// whole, in one write, so that lines from different threads never interleave. A host may add a
// second sink (the system console window shows the log inside the application).
#include <cstdio>
#include <functional>
#include <string_view>

namespace zarvik {

// Writes `line` followed by a line feed to the log's stream, then hands it to the extra sink.
void logline(std::string_view line);

// Sends the log to `stream` from now on (standard output until then); null writes it to the extra
// sink only.
void setlogstream(std::FILE* stream);

// Installs (or, with an empty function, removes) the extra sink. It is called after the line has
// reached standard output, on the thread that logged, without the log's lock held.
void setlogsink(std::function<void(std::string_view)> sink);

// Writes `line` as the fatal message and ends the process (internal errors that cannot go on); without
// a log stream the line also goes to standard error.
[[noreturn]] void fatal(std::string_view line);

}  // namespace zarvik
