#include "tools/assetgen/image_makers.h"

namespace assetgen {

Image makeCursorImage()
{
    Image image(64, 64, rgb(kCursorKey));
    // The classic arrow, drawn with its tip at the top-left corner.
    const double k = 1.75;
    std::vector<Point> arrow;
    for (Point p : {Point{0, 0}, Point{0, 16}, Point{4, 12.3}, Point{6.8, 18.2}, Point{9.2, 17.1},
                    Point{6.5, 11.3}, Point{11.4, 11.3}})
        arrow.push_back({1.2 + p.x * k, 1.2 + p.y * k});

    const Colour outline = rgb(0x101010);
    image.fillPolygon(arrow, outline);
    for (size_t i = 0; i < arrow.size(); ++i)
        image.strokeLine(arrow[i], arrow[(i + 1) % arrow.size()], 2.6, outline);
    // A white body shaded slightly towards its lower end.
    Image fill(64, 64);
    fill.fillPolygon(arrow, {1, 1, 1});
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const float c = fill.coverage(x, y);
            if (c <= 0)
                continue;
            const float shade = 1.0f - 0.16f * y / 34.0f;
            Colour& p = image.at(x, y);
            p = mix(p, Colour{shade, shade, shade * 1.01f}, c);
        }
    // The game shows row 0 of the file's bottom-up rows at the top of the
    // quad, so the picture is stored upside down.
    image.flipVertically();
    return image;
}

} // namespace assetgen
