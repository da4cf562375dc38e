#pragma once
// The program's own skin: drawn and written by code, packed at build time,
// compiled into the program.

#include <string>
#include <string_view>
#include <vector>

#include "skin/core/StoredSkin.h"

class TqlSkinData;

// Draws every picture and writes the INI text of the default skin. Two calls
// give the same bytes on any machine.
TqlSkinContainer BuildDefaultSkin();

// The zlib bytes of the default skin as the build packed them.
std::string_view DefaultSkinZlib();

// What is wrong with a loaded skin for this program: descriptor names it
// needs that are missing or of the wrong class, picture indexes out of range,
// rectangles outside their picture, state images of another size than their
// skin image. Empty when all is well.
std::vector<std::string> LintSkin(TqlSkinData& skin);
