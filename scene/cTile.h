#pragma once

// One animated tile: its quad's bottom-left corner in pixels and its first animation cell.
class cTile {
public:
  void SetX(int x);
  void SetY(int y);
  void SetS(float s);
  void SetT(float t);
  int GetX();
  int GetY();
  float GetS();
  float GetT();

private:
  int x = 0;       // left edge, px
  int y = 0;       // bottom edge, px
  float s = 0.0f;  // left edge of the first cell, texture units
  float t = 0.0f;  // top edge of the first cell, texture units
};
