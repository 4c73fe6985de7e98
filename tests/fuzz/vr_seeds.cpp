// Writes the .vr fuzzer's seed corpus: models in each polygon form the
// reader knows, textured and not.
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string object(const char* texture, int polygons, int vertices, bool withTexCoords)
{
    std::string s = "object {\n  translation v 0.5 1 -2\n";
    if (texture)
        s += std::string("  texture \"") + texture + "\"\n";
    s += "  material {\n    diffuse 0.2 0.6 0.1\n  }\n";
    s += "  N_M_POLY " + std::to_string(polygons) + " " + std::to_string(vertices) + "\n";
    for (int i = 0; i < vertices; ++i) {
        s += "    v " + std::to_string(i % 7) + " " + std::to_string(i % 3) + " -" + std::to_string(i % 5) + "\n";
        if (withTexCoords)
            s += "    t 0." + std::to_string(i % 10) + " 1\n";
    }
    return s + "}\n";
}

const char* kMixed = "object {\n  translation v 0 0 0\n  material {\n    diffuse 1 0 0\n  }\n"
                     "  N_M_POLY 2 7\n  N_POLY 3\n    v 0 0 0\n    v 1 0 0\n    v 0 1 0\n"
                     "  N_POLY 4\n    v 0 0 1\n    v 1 0 1\n    v 1 1 1\n    v 0 1 1\n}\n";

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 1;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const std::vector<std::pair<std::string, std::string>> seeds = {
        {"quads", object(nullptr, 2, 8, false)},
        {"triangles", object(nullptr, 3, 10, false)},
        {"textured", object("bark.bmp", 2, 6, true)},
        {"mixed", kMixed},
        {"two_objects", object("leaf.bmp", 1, 4, true) + object(nullptr, 1, 3, false)},
    };
    int written = 0;
    for (const auto& [name, text] : seeds) {
        std::FILE* f = std::fopen((folder + name + ".vr").c_str(), "wb");
        if (!f)
            continue;
        written += std::fwrite(text.data(), 1, text.size(), f) == text.size();
        written -= std::fclose(f) != 0;
    }
    return written == int(seeds.size()) ? 0 : 1;
}
