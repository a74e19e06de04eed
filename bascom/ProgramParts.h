#pragma once

#include <string>
#include <string_view>

// The parts every program Corvane writes shares, for the writers inside the
// generator: each appends whole lines ending in CR LF.
namespace corvane {

// The maker's banner of starred lines.
void WriteBanner(std::string& out);
// From "$regfile" to "Do" and the two empty lines after it; the table
// counters S, I, M, E and A are declared As Word when `wordCounters`, the
// refresh counters Refresh and Index when `wordRefreshes`.
void WriteHeader(std::string& out, bool wordCounters, bool wordRefreshes = false);
// The large "CORVANE" and a title box around "' | " + title + "|": a title
// of 26 characters keeps the box 31 wide.
void WriteArtAndTitle(std::string& out, std::string_view title);
// "Loop", "End 'end program" and an empty line.
void WriteProgramEnd(std::string& out);

} // namespace corvane
