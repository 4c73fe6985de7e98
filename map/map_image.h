#pragma once
// A software RGB canvas on which the orienteering map is rasterised before
// it becomes a texture: 3 bytes per pixel (red, green, blue), rows stored
// one after another with no gap, row 0 first. Each writer paints one fixed
// colour scheme; all coordinates are integer pixels.
#include <cstdint>
#include <memory>

class MapImage {
public:
    MapImage() = default;
    MapImage(const MapImage&) = delete;
    MapImage& operator=(const MapImage&) = delete;
    MapImage(MapImage&&) = default;
    MapImage& operator=(MapImage&&) = default;

    // Allocates width x height pixels, contents undefined until filled.
    // A canvas that already has pixels is released first.
    void create(int32_t width, int32_t height);
    // Frees the pixels; width and height stay as they were.
    void release();

    // The pixel bytes, or null while the canvas is empty.
    uint8_t* pixels() { return pixels_.get(); }
    const uint8_t* pixels() const { return pixels_.get(); }
    // Dimensions; 0 until the canvas is first created.
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

    // Pixel writers. Coordinates wrap: x is taken modulo width and y modulo
    // height with the sign of the dividend, and a negative remainder writes
    // nothing (the canvas tiles to the right and downwards only).
    void setGrey(int x, int y, uint8_t v);    // (v, v, v)
    void setGreen(int x, int y, uint8_t v);   // (0, v, 0)
    void setBlue(int x, int y, uint8_t v);    // (0, 0, v)
    void setYellow(int x, int y, uint8_t v);  // (v, v, 0)
    void setBrown(int x, int y, uint8_t v);   // (v, v / 2, 0)

    // Blending writers, clipped to the canvas: each channel keeps a third of
    // its value and red (or blue) gains two thirds of v, so repeated plots
    // deepen the colour.
    void blendRed(int x, int y, uint8_t v);
    void blendBlue(int x, int y, uint8_t v);

    void fillWhite();
    void fillBlack();

    // Straight lines stepping one pixel along the major axis; the minor
    // coordinate advances before each plot, so the first pixel lies one
    // step from the start. Coinciding end points draw nothing.
    void drawRedLine(int x0, int y0, int x1, int y1, uint8_t v);
    void drawBrownLine(int x0, int y0, int x1, int y1, uint8_t v);
    // Circle outline of 360 blended samples, the first at (cx, cy + r).
    void drawRedCircle(int cx, int cy, int r, uint8_t v);
    // Outline of an equilateral triangle around (x, y) whose first corner
    // lies size pixels above the centre, turned clockwise by angle degrees.
    void drawRedTriangle(int x, int y, int size, uint8_t v, float angle);
    // Blends blue into every row of column x.
    void drawBlueColumn(int x, uint8_t v);

private:
    // Start of pixel (x, y) under the wrapped addressing, or null.
    uint8_t* wrapped(int x, int y);
    // Start of pixel (x, y) when it lies on the canvas, or null.
    uint8_t* clipped(int x, int y);
    void fill(uint8_t v);

    std::unique_ptr<uint8_t[]> pixels_;
    int32_t width_ = 0;
    int32_t height_ = 0;
};
