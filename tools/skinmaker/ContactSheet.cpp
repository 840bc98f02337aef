#include "ContactSheet.h"

#include "KeyColour.h"

namespace {

constexpr Rgb SheetBackground = {236, 234, 228};
constexpr Rgb SheetRule = {190, 188, 184};
constexpr int RuleWidth = 4;

}  // namespace

RgbImage BuildContactSheet(const std::vector<std::vector<RgbImage>>& skinFrames, int scale)
{
    RgbImage sheet;
    size_t columns = 0;
    for (const std::vector<RgbImage>& frames : skinFrames) columns = frames.size() > columns ? frames.size() : columns;
    const int cell = FrameSide * scale + RuleWidth;
    sheet.width = RuleWidth + static_cast<int>(columns) * cell;
    sheet.height = RuleWidth + static_cast<int>(skinFrames.size()) * cell;
    sheet.pixels.assign(static_cast<size_t>(sheet.width) * sheet.height, SheetRule);
    for (size_t row = 0; row < skinFrames.size(); ++row) {
        for (size_t column = 0; column < skinFrames[row].size(); ++column) {
            const RgbImage& frame = skinFrames[row][column];
            const int left = RuleWidth + static_cast<int>(column) * cell;
            const int top = RuleWidth + static_cast<int>(row) * cell;
            for (int y = 0; y < frame.height * scale; ++y) {
                for (int x = 0; x < frame.width * scale; ++x) {
                    const Rgb pixel = frame.pixels[(y / scale) * frame.width + x / scale];
                    sheet.pixels[(top + y) * sheet.width + left + x] = pixel == KeyColour ? SheetBackground : pixel;
                }
            }
        }
    }
    return sheet;
}
