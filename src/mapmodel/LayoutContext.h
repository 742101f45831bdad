#pragma once
// What the automatic layout keeps between layouts: the number of trees laid out so far, which decides the
// vertical offset of a tree (the very first tree sits 50 units lower than every later one), and the
// transform from the layout grid's world units to map units. The map document owns one for the life of
// the program and resets it when the whole database is cleared.
struct CLayoutContext {
  int treeCount = 0;
  float scale = 1.0f;
  int offsetX = 2000;
  int offsetY = 0;

  void Reset() { *this = CLayoutContext(); }
  // World units to map units, each truncated toward zero.
  void WorldToScreen(float worldX, float worldY, int& x, int& y) const {
    x = static_cast<int>((worldX - offsetX) / scale);
    y = static_cast<int>((worldY - offsetY) / scale);
  }
  void ScreenToWorld(int x, int y, float& worldX, float& worldY) const {
    worldX = x * scale + offsetX;
    worldY = y * scale + offsetY;
  }
  void WorldToScreenLength(float worldX, float worldY, float length, int& x, int& y, int& screenLength) const {
    WorldToScreen(worldX, worldY, x, y);
    screenLength = static_cast<int>(length / scale);
  }
};
