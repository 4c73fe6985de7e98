#include "model/vr_reader.h"

#include <array>
#include <cfloat>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

constexpr size_t kNone = std::string_view::npos;

enum Keyword { Object, Translation, Texture, Material, Diffuse, PolyCounts, Vertex, TexCoord, Poly, Poly3,
               Poly4, ListEnd, KeywordCount };

constexpr std::array<std::string_view, KeywordCount> kKeywords = {
    "object", "translation v", "texture \"", "material", "diffuse ", "N_M_POLY ", "v ", "t ",
    "N_POLY", "N_POLY 3", "N_POLY 4", "}"};

// How far the reader moves past a keyword it found; "translation v" is
// followed by the space it skips too.
size_t skipLength(Keyword k) { return k == Translation ? 14 : kKeywords[k].size(); }

// The text with keyword searches that remember their last answer: the reader
// repeats searches from nearby positions, and an adversarial file must not
// make that quadratic.
class Scanner {
public:
    Scanner(const char* text, size_t length) : text_(text ? text : "", text ? strnlen(text, length) : 0) {}

    size_t size() const { return text_.size(); }
    std::string_view view() const { return text_; }

    // First occurrence of `k` at or after `from`, or kNone.
    size_t find(Keyword k, size_t from)
    {
        if (from == kNone || from > text_.size())
            return kNone;
        Memo& m = memo_[k];
        if (m.valid && from >= m.from && (m.found == kNone || from <= m.found))
            return m.found;
        size_t found = text_.find(kKeywords[k], from);
        m = {true, from, found};
        return found;
    }

    bool startsWith(size_t at, Keyword k) const
    {
        return at != kNone && text_.compare(at, kKeywords[k].size(), kKeywords[k]) == 0;
    }

    // `count` numbers from `at`, each after the first starting after the next
    // space from the start of the one before; missing numbers read as 0.
    void readNumbers(size_t at, double* out, int count) const
    {
        for (int i = 0; i < count; ++i) {
            out[i] = at < text_.size() ? std::strtod(text_.data() + at, nullptr) : 0;
            if (at < text_.size()) {
                size_t space = text_.find(' ', at);
                at = space == kNone ? kNone : space + 1;
            }
        }
    }

private:
    struct Memo {
        bool valid = false;
        size_t from = 0;
        size_t found = kNone;
    };

    // A NUL ends the text as it ends a C string; strtod relies on it.
    std::string text_;
    std::array<Memo, KeywordCount> memo_{};
};

float toFloat(double v)
{
    if (v > FLT_MAX)
        return FLT_MAX;
    if (v < -FLT_MAX)
        return -FLT_MAX;
    return float(v);
}

int truncateCount(double v)
{
    if (!(v > -1e9))
        return v < 0 ? -1000000000 : 0;  // NaN counts as 0
    if (v > 1e9)
        return 1000000000;
    return int(v);
}

struct ObjectReader {
    Scanner& text;
    size_t& s;
    VrObject& object;

    // Reads one vertex and its texture coordinates; false (and s gone) when
    // the text has no further vertex.
    bool readVertex(VrVertex& v)
    {
        s = text.find(Vertex, s);
        if (s == kNone)
            return false;
        s += skipLength(Vertex);
        double xyz[3];
        text.readNumbers(s, xyz, 3);
        v.x = toFloat(xyz[0]), v.y = toFloat(xyz[1]), v.z = toFloat(xyz[2]);
        if (object.textured) {
            size_t t = text.find(TexCoord, s);
            if (t != kNone) {
                s = t + skipLength(TexCoord);
                double st[2];
                text.readNumbers(s, st, 2);
                v.s = toFloat(st[0]), v.t = toFloat(st[1]);
            }
        }
        return true;
    }

    // Reads `count` vertices and keeps the first `keep` of them in `into`.
    void readVertices(int count, int keep, std::vector<VrVertex>& into)
    {
        for (int i = 0; i < count; ++i) {
            VrVertex v;
            if (!readVertex(v))
                return;
            if (i < keep)
                into.push_back(v);
        }
    }

    // One polygon of the mixed form; kept only while there is room, and only
    // when all its vertices were there.
    void readPolygon(int corners, std::vector<VrVertex>& into, int maxPolygons)
    {
        std::vector<VrVertex> polygon;
        readVertices(corners, corners, polygon);
        if (int(polygon.size()) == corners && int(into.size()) < maxPolygons * corners)
            into.insert(into.end(), polygon.begin(), polygon.end());
    }

    void readMixed()
    {
        size_t end = text.find(ListEnd, s);
        if (end == kNone)
            end = text.size();
        while (s != kNone && s < end) {
            size_t n = text.find(Poly, s);
            if (n == kNone || n >= end)
                break;
            s = n;
            if (text.startsWith(n, Poly3))
                readPolygon(3, object.triangles, kMaxTriangles);
            else if (text.startsWith(n, Poly4))
                readPolygon(4, object.quads, kMaxQuads);
            else
                s = n + skipLength(Poly);
        }
        if (s == kNone)
            s = end;
    }

    void readTexture()
    {
        size_t keyword = text.find(Texture, s);
        if (keyword == kNone)
            return;
        if (text.find(Material, keyword) == kNone) {
            s = keyword;
            return;
        }
        size_t name = keyword + skipLength(Texture);
        size_t quote = text.view().find('"', name);
        object.textured = true;
        if (quote != kNone && quote - name <= kMaxTextureName)
            object.textureName.assign(text.view().substr(name, quote - name));
        s = name;
    }

    // False when a keyword the object needs is missing: reading stops there.
    bool read()
    {
        s = text.find(Translation, s);
        if (s == kNone)
            return false;
        s += skipLength(Translation);
        double numbers[3];
        text.readNumbers(s, numbers, 3);
        for (int i = 0; i < 3; ++i)
            object.translation[i] = toFloat(numbers[i]);

        readTexture();

        s = text.find(Diffuse, s);
        if (s == kNone)
            return false;
        s += skipLength(Diffuse);
        text.readNumbers(s, numbers, 3);
        float colour[3];
        for (int i = 0; i < 3; ++i)
            colour[i] = toFloat(numbers[i]);

        s = text.find(PolyCounts, s);
        if (s == kNone)
            return false;
        s += skipLength(PolyCounts);
        text.readNumbers(s, numbers, 2);
        int polygons = truncateCount(numbers[0]), vertices = truncateCount(numbers[1]);
        if (vertices > 1000)
            vertices = 999, polygons = 333;

        object.read = true;
        for (int i = 0; i < 3; ++i)
            object.colour[i] = colour[i];
        if (polygons <= 0)
            return true;
        switch (vertices / polygons) {
        case 4:
            readVertices(vertices, 4 * (polygons < kMaxQuads ? polygons : kMaxQuads), object.quads);
            break;
        case 3:
            readVertices(vertices, 3 * polygons, object.triangles);
            break;
        default:
            readMixed();
            break;
        }
        // A polygon cut short by the end of the text is dropped.
        object.quads.resize(object.quads.size() / 4 * 4);
        object.triangles.resize(object.triangles.size() / 3 * 3);
        return true;
    }
};

} // namespace

std::vector<VrObject> readVrObjects(const char* text, size_t length)
{
    Scanner scanner(text, length);
    size_t count = 0;
    for (size_t at = scanner.find(Object, 0); at != kNone; at = scanner.find(Object, at + 1))
        ++count;
    std::vector<VrObject> objects(count);
    size_t s = scanner.find(Object, 0);
    for (size_t i = 0; i < count && s != kNone; ++i) {
        ObjectReader reader{scanner, s, objects[i]};
        if (!reader.read())
            break;
        s = scanner.find(Object, s);
    }
    return objects;
}
