#pragma once
// Graphic files (magic "qxgr", extension ".gr"): a 16-byte big-endian header, then the data in
// the stored format. Loading keeps that format; drawing expands it.
#include <string>

#include "toolkit/graphics/graphic.h"

namespace zarvik {

// Reads a graphic file; the empty graphic (with a line) when it is missing or not one.
g_Graphic g_LoadGraphic(const std::string& path);
// The same from the application's resources folder, with a second line naming the file.
g_Graphic g_LoadGraphicResource(const std::string& name);
// Writes the graphic as a file, replacing an existing one only when the write succeeds. False
// (with a line) when the fields do not fit the header or the file cannot be written.
bool g_SaveGraphic(const std::string& path, const g_Graphic& graphic);

// The file's bytes and back, for callers that hold them already. Lines as for loading and
// saving; nullopt when the graphic's fields do not fit the header.
g_Graphic graphicFromFileBytes(ByteView bytes);
std::optional<Bytes> graphicFileBytes(const g_Graphic& graphic);

}  // namespace zarvik
