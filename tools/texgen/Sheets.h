#pragma once
#include "tools/texgen/Canvas.h"

// Sizes of the textures, in texels.
namespace SheetSize {
constexpr int kCreatureCell = 64;    // players and monsters
constexpr int kProjectileCell = 32;  // fireball and arrow
constexpr int kPlayerW = 4 * kCreatureCell, kPlayerH = 14 * kCreatureCell;
constexpr int kMonsterW = 10 * kCreatureCell, kMonsterH = 10 * kCreatureCell;
constexpr int kFireballW = 6 * kProjectileCell, kFireballH = 5 * kProjectileCell;
constexpr int kArrowW = 3 * kProjectileCell, kArrowH = kProjectileCell;
constexpr int kHeartW = 4 * 16, kHeartH = 16;
constexpr int kPanelW = 6 * 16, kPanelH = 4 * 16;
}  // namespace SheetSize

// One function per texture; each draws the whole sheet into an empty canvas
// of the size above.
void DrawTileset(Canvas& c);
void DrawForestTiles(Canvas& c);   // theme band 0 of the tileset
void DrawDungeonTiles(Canvas& c);  // theme band 1 of the tileset
void DrawKnightSheet(Canvas& c);
void DrawMageSheet(Canvas& c);
void DrawBruteSheet(Canvas& c);
void DrawSkeletonSheet(Canvas& c);
void DrawFireballSheet(Canvas& c);
void DrawArrowSheet(Canvas& c);
void DrawHeartSheet(Canvas& c);
// player is 1 (knight, bars 2 tiles from the left) or 2 (mage, bars half a tile in).
void DrawPanel(Canvas& c, int player);

// The charged look of a player sheet: a lighter palette and a bright rim.
void MakeChargedSheet(Canvas& c, Color rim);
