#pragma once

// Identifiers of the program's resources, shared by the resource script and the code.

// The window icon, in every size the .ico holds.
#define HEXAGON_ICON_ID 101
