// The fixture of every test that draws: a fresh working folder with empty
// skin folders a/ to d/, the mascot record as a process starts with it,
// the catalogue filled, and a canvas of the test's size over its backdrop.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/BmpFixture.h"
#include "support/Canvas.h"
#include "support/TestFolder.h"

struct CanvasTest : ::testing::Test {
    CanvasTest(int width, int height, uint32_t backdrop) : width(width), height(height), backdrop(backdrop) {}

    const int width;
    const int height;
    const uint32_t backdrop;
    TestFolder folder = {};
    Canvas canvas = {};

    void SetUp() override;
    void TearDown() override;

    // The backdrop again, then frame `name` of the current skin drawn at
    // (left, top), plain or mirrored.
    void Draw(const char* name, int left, int top, bool mirrored = false);

    // PictureMismatch of the canvas, over the backdrop.
    std::string Mismatch(const Picture& picture, int left, int top, bool mirrored,
                         uint32_t (*seen)(uint32_t) = nullptr) const;
};
