#pragma once
#include <string>
#include <vector>

#include "SkinTypes.h"

// Reads a picture grid of exactly width x height cells. Lines starting
// with '#' are comments, lines "@name x y" are anchors inside the grid,
// blank lines are skipped and every other line is one row of cells.
bool ParseGrid(const std::string& path, const std::string& text, int width, int height, CharGrid& grid,
               std::vector<Anchor>& anchors, std::string& error);

// Reads an outfit: blocks headed "@anchor x y", each followed by the rows
// of one overlay whose cell (x, y) lands on that anchor of every pose.
bool ParseOutfit(const std::string& path, const std::string& text, std::vector<Overlay>& overlays,
                 std::string& error);
