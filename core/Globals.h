#pragma once

// Tile size in pixels, chosen when the program is built (32 or 16).
#ifndef TILE_SIZE
#define TILE_SIZE 32
#endif

// Every level grid and collision map is 20 columns by 160 rows; cell = column + row * 20.
const int MAP_COLS = 20;
const int MAP_ROWS = 160;
const int MAP_CELLS = MAP_COLS * MAP_ROWS;

// Texels per cell unit in the tileset and every sprite sheet, in both builds.
const int SHEET_TILE_SIZE = 16;
