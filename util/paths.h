#pragma once
// Path components for window titles, menus and default file names. Paths are plain strings in the
// file system's syntax ("/home/name/Spiel.zarvik"), not URLs.
#include <string>
#include <string_view>

namespace zarvik {

// The characters after the last "/" (the whole text when there is none; empty when it ends in "/").
std::string filenameofpath(std::string_view path);

// The last component without the extension that starts at its last full stop. A leading full
// stop (".profile") starts no extension.
std::string filenamewithoutextension(std::string_view path);

// The path ends in `extension` (".pgn"), ASCII letters compared without regard to case.
bool pathhasextension(std::string_view path, std::string_view extension);

// A file URL's absolute string as a path: percent-encoding removed, characters precomposed (NFC;
// bytes that are not UTF-8 stay as they are) and a leading "file://" dropped. For dialog
// providers that receive URLs.
std::string fileurltopath(std::string_view url);

}  // namespace zarvik
