#include "GridText.h"

#include "TextLines.h"

namespace {

// "@name x y" with x in [low, highX] and y in [low, highY].
bool ParseAnchorLine(const std::string& path, int lineNumber, const std::string& line, int low, int highX,
                     int highY, Anchor& anchor, std::string& error)
{
    const std::vector<std::string> words = SplitWords(line.substr(1));
    if (words.size() != 3 || !ParseBoundedInt(words[1], low, highX, anchor.x) ||
        !ParseBoundedInt(words[2], low, highY, anchor.y)) {
        error = Where(path, lineNumber) + "expected '@name x y' with x in " + std::to_string(low) + ".." +
                std::to_string(highX) + " and y in " + std::to_string(low) + ".." + std::to_string(highY);
        return false;
    }
    anchor.name = words[0];
    return true;
}

bool IsCommentOrBlank(const std::string& line) { return line.empty() || line[0] == '#'; }

}  // namespace

bool ParseGrid(const std::string& path, const std::string& text, int width, int height, CharGrid& grid,
               std::vector<Anchor>& anchors, std::string& error)
{
    grid = CharGrid{};
    grid.sourcePath = path;
    anchors.clear();
    const std::vector<std::string> lines = SplitLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        const std::string& line = lines[i];
        if (IsCommentOrBlank(line)) continue;
        if (line[0] == '@') {
            Anchor anchor;
            if (!ParseAnchorLine(path, lineNumber, line, 0, width - 1, height - 1, anchor, error)) return false;
            for (const Anchor& other : anchors) {
                if (other.name == anchor.name) {
                    error = Where(path, lineNumber) + "anchor @" + anchor.name + " is given twice";
                    return false;
                }
            }
            anchors.push_back(anchor);
            continue;
        }
        if (static_cast<int>(line.size()) != width) {
            error = Where(path, lineNumber) + "row is " + std::to_string(line.size()) + " cells wide, expected " +
                    std::to_string(width);
            return false;
        }
        if (static_cast<int>(grid.rows.size()) == height) {
            error = Where(path, lineNumber) + "more than " + std::to_string(height) + " rows";
            return false;
        }
        grid.rows.push_back(line);
        grid.lineNumbers.push_back(lineNumber);
    }
    if (static_cast<int>(grid.rows.size()) != height) {
        error = path + ": " + std::to_string(grid.rows.size()) + " rows, expected " + std::to_string(height);
        return false;
    }
    return true;
}

bool ParseOutfit(const std::string& path, const std::string& text, std::vector<Overlay>& overlays,
                 std::string& error)
{
    overlays.clear();
    const std::vector<std::string> lines = SplitLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        const std::string& line = lines[i];
        if (IsCommentOrBlank(line)) continue;
        if (line[0] == '@') {
            // The origin may lie outside the overlay's own rows: a bow
            // beside the head still hangs from the top of the head.
            Anchor origin;
            if (!ParseAnchorLine(path, lineNumber, line, -FrameSide, FrameSide, FrameSide, origin, error))
                return false;
            Overlay overlay;
            overlay.anchorName = origin.name;
            overlay.originX = origin.x;
            overlay.originY = origin.y;
            overlay.grid.sourcePath = path;
            overlays.push_back(overlay);
            continue;
        }
        if (overlays.empty()) {
            error = Where(path, lineNumber) + "overlay rows need an '@anchor x y' line before them";
            return false;
        }
        CharGrid& grid = overlays.back().grid;
        if (!grid.rows.empty() && line.size() != grid.rows[0].size()) {
            error = Where(path, lineNumber) + "row is " + std::to_string(line.size()) +
                    " cells wide, the overlay's first row " + std::to_string(grid.rows[0].size());
            return false;
        }
        grid.rows.push_back(line);
        grid.lineNumbers.push_back(lineNumber);
    }
    for (const Overlay& overlay : overlays) {
        const CharGrid& grid = overlay.grid;
        if (grid.rows.empty()) {
            error = path + ": overlay @" + overlay.anchorName + " has no rows";
            return false;
        }
    }
    return true;
}
