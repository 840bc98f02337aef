#include "FrameCompose.h"

#include "KeyColour.h"
#include "TextLines.h"

namespace {

// Where a cell came from, so an unknown character is reported in the file
// a reviewer has to fix.
struct CellOrigin {
    const CharGrid* grid = nullptr;
    int row = 0;
    int column = 0;
};

const Anchor* FindAnchor(const PoseSource& pose, const std::string& name)
{
    for (const Anchor& anchor : pose.anchors) {
        if (anchor.name == name) return &anchor;
    }
    return nullptr;
}

bool PlaceOverlay(const Overlay& overlay, const PoseSource& pose, std::vector<std::string>& cells,
                  std::vector<CellOrigin>& origins, std::string& error)
{
    const Anchor* anchor = FindAnchor(pose, overlay.anchorName);
    if (anchor == nullptr) {
        error = pose.grid.sourcePath + ": no anchor @" + overlay.anchorName + ", which " +
                overlay.grid.sourcePath + " needs";
        return false;
    }
    const CharGrid& grid = overlay.grid;
    const int left = anchor->x - overlay.originX;
    const int top = anchor->y - overlay.originY;
    for (size_t row = 0; row < grid.rows.size(); ++row) {
        for (size_t column = 0; column < grid.rows[row].size(); ++column) {
            const char c = grid.rows[row][column];
            if (c == KeyChar) continue;
            const int x = left + static_cast<int>(column);
            const int y = top + static_cast<int>(row);
            if (x < 0 || y < 0 || x >= FrameSide || y >= FrameSide) {
                error = Where(grid.sourcePath, grid.lineNumbers[row]) + "overlay @" + overlay.anchorName +
                        " reaches outside the frame in " + pose.grid.sourcePath;
                return false;
            }
            cells[y][x] = c;
            origins[y * FrameSide + x] = CellOrigin{&grid, static_cast<int>(row), static_cast<int>(column)};
        }
    }
    return true;
}

std::string UnknownCharMessage(const CellOrigin& origin, char c, const Palette& palette)
{
    return Where(origin.grid->sourcePath, origin.grid->lineNumbers[origin.row]) + "column " +
           std::to_string(origin.column + 1) + ": '" + std::string(1, c) + "' is not in " + palette.sourcePath;
}

}  // namespace

bool ComposeFrame(const PoseSource& pose, const SkinSource& skin, RgbImage& image, std::string& error)
{
    std::vector<std::string> cells = pose.grid.rows;
    std::vector<CellOrigin> origins(FrameSide * FrameSide);
    for (int y = 0; y < FrameSide; ++y) {
        for (int x = 0; x < FrameSide; ++x) origins[y * FrameSide + x] = CellOrigin{&pose.grid, y, x};
    }
    for (const Overlay& overlay : skin.overlays) {
        if (!PlaceOverlay(overlay, pose, cells, origins, error)) return false;
    }
    image.width = FrameSide;
    image.height = FrameSide;
    image.pixels.assign(FrameSide * FrameSide, KeyColour);
    for (int y = 0; y < FrameSide; ++y) {
        for (int x = 0; x < FrameSide; ++x) {
            const char c = cells[y][x];
            if (c == KeyChar) continue;
            const auto found = skin.palette.colours.find(c);
            if (found == skin.palette.colours.end()) {
                error = UnknownCharMessage(origins[y * FrameSide + x], c, skin.palette);
                return false;
            }
            image.pixels[y * FrameSide + x] = found->second;
        }
    }
    return true;
}

bool ColourGrid(const CharGrid& grid, const Palette& palette, RgbImage& image, std::vector<uint8_t>& opaque,
                std::string& error)
{
    image.height = static_cast<int>(grid.rows.size());
    image.width = grid.rows.empty() ? 0 : static_cast<int>(grid.rows[0].size());
    image.pixels.assign(image.width * image.height, Rgb{0, 0, 0});
    opaque.assign(image.width * image.height, 0);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const char c = grid.rows[y][x];
            if (c == KeyChar) continue;
            const auto found = palette.colours.find(c);
            if (found == palette.colours.end()) {
                error = UnknownCharMessage(CellOrigin{&grid, y, x}, c, palette);
                return false;
            }
            image.pixels[y * image.width + x] = found->second;
            opaque[y * image.width + x] = 1;
        }
    }
    return true;
}
