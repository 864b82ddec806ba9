// The tileset: two themes of 16-texel cells, one band of rows each
// (the layout is in TilesetLayout.h).
#include "tools/texgen/Sheets.h"

void DrawTileset(Canvas& c) {
  DrawForestTiles(c);
  DrawDungeonTiles(c);
}
