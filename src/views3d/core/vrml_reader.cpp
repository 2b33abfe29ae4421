#include "vrml_reader.h"

#include "file_bytes.h"
#include "large_buffers.h"
#include "leading_number.h"
#include "parallel.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <deque>
#include <limits>
#include <optional>
#include <system_error>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace mesh {

namespace {

// Real scans nest a handful of levels; the limit keeps the recursive parser
// far from the end of any thread's stack.
constexpr int kMaxNesting = 200;
// USE can repeat a part exponentially often ("A uses B twice, B uses C
// twice ..."); these bound the walk over the scene and the shapes it makes.
constexpr std::size_t kMaxNodeVisits = 4'000'000;
constexpr std::size_t kMaxShapeInstances = 100'000;
// Output elements (vertices plus triangles) allowed: a fixed allowance plus
// a multiple of the numbers the file itself holds.
constexpr std::uint64_t kBaseGeometryBudget = 16'000'000;
constexpr std::uint64_t kGeometryPerNumber = 4;

struct ParseFailure
{
    std::size_t offset;
    std::string why;
};

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == ',' || c == '\f' || c == '\v';
}

bool isPunctuation(char c)
{
    return c == '[' || c == ']' || c == '{' || c == '}' || c == '"' || c == '#';
}

// A token as the user would recognise it in a message: short, printable.
std::string quoteToken(std::string_view token)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < token.size() && i < 24; ++i) {
        const auto c = static_cast<unsigned char>(token[i]);
        out += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    }
    if (token.size() > 24)
        out += "...";
    return out + "\"";
}

std::size_t lineOf(std::string_view text, std::size_t offset)
{
    offset = std::min(offset, text.size());
    std::size_t line = 1;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n')
            ++line;
        else if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))
            ++line;
    }
    return line;
}

bool parseDouble(std::string_view token, double &value)
{
    if (token.empty())
        return false;
    const char lead = token[0] == '+' || token[0] == '-' ? (token.size() > 1 ? token[1] : ' ') : token[0];
    if (!((lead >= '0' && lead <= '9') || lead == '.'))
        return false; // no "inf" or "nan"
    const char *const first = token.data() + (token[0] == '+' ? 1 : 0);
    const char *const last = token.data() + token.size();
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc() && end == last)
        return true;
    // Overflow and underflow, and the forms from_chars leaves: the slow way.
    const ParsedNumber n = leadingNumber(token);
    if (n.length != token.size() || !n.finite)
        return false;
    value = n.value;
    return true;
}

bool parseInt(std::string_view token, std::int32_t &value)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-'))
        negative = token[i++] == '-';
    int base = 10;
    if (token.size() - i > 2 && token[i] == '0' && (token[i + 1] == 'x' || token[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= token.size())
        return false;
    std::int64_t v = 0;
    for (; i < token.size(); ++i) {
        const char c = token[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        v = v * base + digit;
        if (v > std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1)
            return false;
    }
    v = negative ? -v : v;
    if (v > std::numeric_limits<std::int32_t>::max())
        return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

// Separators of a number list, as a table: the lists are most of a scan.
struct SpaceTable
{
    bool is[256] = {};
    constexpr SpaceTable()
    {
        for (const char c : {' ', '\t', '\n', '\r', ',', '\f', '\v'})
            is[static_cast<unsigned char>(c)] = true;
    }
};
constexpr SpaceTable kSpace;

// The common case of an index, a plain decimal; anything else (hex, a sign
// before zero digits, overflow) is left to parseInt.
inline bool fastInt(const char *&p, const char *end, std::int32_t &value)
{
    const char *q = p;
    const bool negative = *q == '-';
    if (negative)
        ++q;
    const char *const digits = q;
    std::uint32_t v = 0;
    while (q != end && static_cast<unsigned>(*q - '0') < 10 && q - digits < 9)
        v = v * 10 + static_cast<unsigned>(*q++ - '0');
    if (q == digits || (q != end && !kSpace.is[static_cast<unsigned char>(*q)]))
        return false;
    value = negative ? -static_cast<std::int32_t>(v) : static_cast<std::int32_t>(v);
    p = q;
    return true;
}

// Reads a whole list body in parallel slices; false (and `out` unchanged)
// when some token is not a number of the kind.
template <class T, class ParseOne>
bool readNumbersInParallel(std::string_view body, std::vector<T> &out, const ParseOne &parseOne)
{
    const unsigned jobs = jobCount(body.size(), 1 << 18);
    std::vector<std::size_t> starts{0};
    for (unsigned j = 1; j < jobs; ++j) {
        std::size_t p = std::max(starts.back(), body.size() * j / jobs);
        while (p < body.size() && !kSpace.is[static_cast<unsigned char>(body[p])])
            ++p;
        starts.push_back(p);
    }
    starts.push_back(body.size());
    std::vector<std::vector<T>> pieces(jobs);
    std::vector<char> failed(jobs, 0);
    runJobs(jobs, [&](unsigned j) {
        std::vector<T> &values = pieces[j];
        const char *p = body.data() + starts[j];
        const char *const end = body.data() + starts[j + 1];
        reserveLarge(values, static_cast<std::size_t>(end - p) / (std::is_integral_v<T> ? 6 : 8) + 16);
        while (p != end) {
            if (kSpace.is[static_cast<unsigned char>(*p)]) {
                ++p;
                continue;
            }
            T value;
            if constexpr (std::is_integral_v<T>) {
                if (fastInt(p, end, value)) {
                    values.push_back(value);
                    continue;
                }
            }
            const char *const tokenStart = p;
            while (p != end && !kSpace.is[static_cast<unsigned char>(*p)])
                ++p;
            if (!parseOne(std::string_view(tokenStart, static_cast<std::size_t>(p - tokenStart)), value)) {
                failed[j] = 1;
                return;
            }
            values.push_back(value);
        }
    });
    if (std::find(failed.begin(), failed.end(), 1) != failed.end())
        return false;
    if (out.empty() && jobs == 1) {
        out = std::move(pieces[0]);
        return true;
    }
    std::vector<std::size_t> at(jobs);
    std::size_t next = out.size();
    for (unsigned j = 0; j < jobs; ++j) {
        at[j] = next;
        next += pieces[j].size();
    }
    reserveLarge(out, next);
    out.resize(next);
    runJobs(jobs, [&](unsigned j) {
        std::copy(pieces[j].begin(), pieces[j].end(), out.begin() + static_cast<std::ptrdiff_t>(at[j]));
        std::vector<T>().swap(pieces[j]);
    });
    return true;
}

class Lexer
{
public:
    explicit Lexer(std::string_view text)
        : m_text(text)
    {}

    [[noreturn]] void failAt(std::size_t offset, std::string why) const { throw ParseFailure{offset, std::move(why)}; }
    [[noreturn]] void fail(std::string why) const { failAt(m_pos, std::move(why)); }

    void skipSpace()
    {
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (isSpace(c)) {
                ++m_pos;
            } else if (c == '#') {
                while (m_pos < m_text.size() && m_text[m_pos] != '\n' && m_text[m_pos] != '\r')
                    ++m_pos;
            } else {
                break;
            }
        }
    }

    // The next significant character, or -1 at the end of the text.
    int peek()
    {
        skipSpace();
        return m_pos < m_text.size() ? static_cast<unsigned char>(m_text[m_pos]) : -1;
    }

    std::string next()
    {
        if (peek() < 0)
            return "the end of the file";
        const std::size_t save = m_pos;
        std::string shown;
        if (isPunctuation(m_text[m_pos])) {
            shown = quoteToken(m_text.substr(m_pos, 1));
        } else {
            shown = quoteToken(word());
        }
        m_pos = save;
        return shown;
    }

    void expect(char c)
    {
        if (peek() != static_cast<unsigned char>(c))
            fail(std::string("expected \"") + c + "\" but found " + next());
        ++m_pos;
    }

    // A run of characters up to white space or punctuation; never empty.
    std::string_view word()
    {
        skipSpace();
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && !isSpace(m_text[m_pos]) && !isPunctuation(m_text[m_pos]))
            ++m_pos;
        if (m_pos == start)
            fail(m_pos < m_text.size() ? "expected a name or a value but found " + next()
                                       : std::string("the file ends where a name or a value belongs"));
        return m_text.substr(start, m_pos - start);
    }

    std::string quoted()
    {
        if (peek() != '"')
            fail("expected a quoted text but found " + next());
        const std::size_t open = m_pos++;
        std::string out;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '"')
                return out;
            if (c == '\\' && m_pos < m_text.size())
                out += m_text[m_pos++];
            else
                out += c;
        }
        failAt(open, "a quoted text is never closed");
    }

    // From an opening bracket to its partner, whatever lies between.
    void skipBrackets()
    {
        const std::size_t open = m_pos;
        std::size_t depth = 0;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            switch (c) {
            case '"': quoted(); continue;
            case '#':
                while (m_pos < m_text.size() && m_text[m_pos] != '\n' && m_text[m_pos] != '\r')
                    ++m_pos;
                continue;
            case '[':
            case '{': ++depth; break;
            case ']':
            case '}':
                if (--depth == 0) {
                    ++m_pos;
                    return;
                }
                break;
            default: break;
            }
            ++m_pos;
        }
        failAt(open, "the file ends before the bracket opened here is closed");
    }

    std::size_t pos() const { return m_pos; }
    void setPos(std::size_t p) { m_pos = p; }
    std::string_view text() const { return m_text; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// A list of numbers between brackets, the lexer just past "[". Large lists
// are cut at white space and read on every core. A list with anything but
// numbers in it (a comment may even hide its "]") is read again token by
// token, which also finds the token a message should name.
template <class T, class ParseOne>
void readBracketedNumbers(Lexer &lex, std::vector<T> &out, const ParseOne &parseOne, const char *what)
{
    const std::string_view text = lex.text();
    const std::size_t begin = lex.pos();
    const std::size_t close = text.find(']', begin);
    if (close != std::string_view::npos && readNumbersInParallel(text.substr(begin, close - begin), out, parseOne)) {
        lex.setPos(close + 1);
        return;
    }
    for (;;) {
        const int c = lex.peek();
        if (c == ']') {
            lex.setPos(lex.pos() + 1);
            return;
        }
        if (c < 0)
            lex.failAt(begin - 1, "the file ends before the list opened here is closed");
        const std::size_t at = lex.pos();
        const std::string_view token = lex.word();
        T value;
        if (!parseOne(token, value))
            lex.failAt(at, quoteToken(token) + " is not " + what);
        out.push_back(value);
    }
}

// --- 3D affine transforms ------------------------------------------------

struct Affine
{
    double m[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};

    static Affine translation(double x, double y, double z)
    {
        Affine a;
        a.m[0][3] = x;
        a.m[1][3] = y;
        a.m[2][3] = z;
        return a;
    }
    static Affine scaling(double x, double y, double z)
    {
        Affine a;
        a.m[0][0] = x;
        a.m[1][1] = y;
        a.m[2][2] = z;
        return a;
    }
    // About the axis (x, y, z) by `angle` radians, right-handed; a zero axis
    // turns nothing.
    static Affine rotation(double x, double y, double z, double angle)
    {
        Affine a;
        const double length = std::sqrt(x * x + y * y + z * z);
        if (!(length > 0) || !std::isfinite(length))
            return a;
        x /= length;
        y /= length;
        z /= length;
        const double c = std::cos(angle), s = std::sin(angle), t = 1 - c;
        a.m[0][0] = t * x * x + c;
        a.m[0][1] = t * x * y - s * z;
        a.m[0][2] = t * x * z + s * y;
        a.m[1][0] = t * x * y + s * z;
        a.m[1][1] = t * y * y + c;
        a.m[1][2] = t * y * z - s * x;
        a.m[2][0] = t * x * z - s * y;
        a.m[2][1] = t * y * z + s * x;
        a.m[2][2] = t * z * z + c;
        return a;
    }

    friend Affine operator*(const Affine &a, const Affine &b)
    {
        Affine r;
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 4; ++j) {
                double v = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
                if (j == 3)
                    v += a.m[i][3];
                r.m[i][j] = v;
            }
        }
        return r;
    }

    Vec3 apply(const Vec3 &p) const
    {
        return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + m[0][3],
                m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + m[1][3],
                m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + m[2][3]};
    }

    double determinant() const
    {
        return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0])
               + m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    }

    bool isIdentity() const
    {
        const Affine identity;
        return std::equal(&m[0][0], &m[0][0] + 12, &identity.m[0][0]);
    }
};

// --- The scene as read ----------------------------------------------------

enum class Kind : std::uint8_t {
    Group,
    Shape,
    Appearance,
    Material,
    Texture,
    FaceSet,
    Coordinate,
    Color,
    TexCoord,
    Other
};

struct NodeRef
{
    Kind kind = Kind::Other;
    std::uint32_t index = 0;
};

constexpr int kAllChildren = -2;

struct GroupData
{
    std::vector<NodeRef> children;
    Affine transform;
    int choice = kAllChildren; // Switch and LOD show one child
};

struct ShapeData
{
    std::string name;
    std::optional<NodeRef> appearance, geometry;
};

struct AppearanceData
{
    std::optional<NodeRef> material, texture;
};

struct MaterialData
{
    double diffuse[3] = {0.8, 0.8, 0.8};
    double transparency = 0;
};

struct TextureData
{
    std::vector<std::string> urls;
};

struct FaceSetData
{
    std::size_t offset = 0; // where the node begins, for messages
    std::string name;
    std::optional<NodeRef> coord, color, texCoord;
    std::vector<std::int32_t> coordIndex, colorIndex, texCoordIndex;
    bool ccw = true;
    bool colorPerVertex = true;
    double creaseAngle = 0;
};

struct ArrayData
{
    std::vector<double> values;
};

struct Scene
{
    std::deque<GroupData> groups;
    std::deque<ShapeData> shapes;
    std::deque<AppearanceData> appearances;
    std::deque<MaterialData> materials;
    std::deque<TextureData> textures;
    std::deque<FaceSetData> faceSets;
    std::deque<ArrayData> arrays; // Coordinate, Color and TextureCoordinate
    std::vector<NodeRef> roots;
    std::uint64_t numbersRead = 0;
};

class Parser
{
public:
    explicit Parser(std::string_view text)
        : m_lex(text)
    {}

    Scene parse()
    {
        while (m_lex.peek() >= 0) {
            if (m_lex.peek() == '[' || m_lex.peek() == '{' || m_lex.peek() == '"') {
                m_lex.fail("expected a node but found " + m_lex.next());
            }
            if (std::optional<NodeRef> node = statement(0))
                m_scene.roots.push_back(*node);
        }
        return std::move(m_scene);
    }

private:
    // DEF, USE, a node, or a statement that adds nothing to the scene.
    std::optional<NodeRef> statement(int depth)
    {
        if (depth > kMaxNesting)
            m_lex.fail("nodes are nested more than " + std::to_string(kMaxNesting) + " deep");
        const std::string_view keyword = m_lex.word();
        if (keyword == "DEF") {
            const std::string name(m_lex.word());
            const NodeRef node = nodeOf(m_lex.word(), depth, name);
            m_names[name] = node; // a later DEF of the same name wins from here on
            return node;
        }
        if (keyword == "USE") {
            const std::size_t at = m_lex.pos();
            const std::string name(m_lex.word());
            const auto found = m_names.find(name);
            if (found == m_names.end())
                m_lex.failAt(at, "USE names " + quoteToken(name) + ", which no DEF before it defines");
            return found->second;
        }
        if (keyword == "PROTO" || keyword == "EXTERNPROTO" || keyword == "ROUTE") {
            skipDeclaration(keyword);
            return std::nullopt;
        }
        if (keyword == "NULL")
            return std::nullopt;
        return nodeOf(keyword, depth, {});
    }

    void skipDeclaration(std::string_view keyword)
    {
        if (keyword == "ROUTE") { // ROUTE from.event TO to.event
            m_lex.word();
            m_lex.word();
            m_lex.word();
            return;
        }
        m_lex.word(); // the prototype's name
        if (m_lex.peek() != '[')
            m_lex.fail("expected \"[\" after the " + std::string(keyword) + " name but found " + m_lex.next());
        m_lex.skipBrackets();
        if (keyword == "PROTO") {
            if (m_lex.peek() != '{')
                m_lex.fail("expected \"{\" after the PROTO interface but found " + m_lex.next());
            m_lex.skipBrackets();
        } else if (m_lex.peek() == '[') {
            m_lex.skipBrackets();
        } else {
            m_lex.quoted();
        }
    }

    NodeRef nodeOf(std::string_view type, int depth, const std::string &defName)
    {
        const std::size_t start = m_lex.pos() - type.size();
        if (m_lex.peek() != '{')
            m_lex.fail("expected \"{\" after " + quoteToken(type) + " but found " + m_lex.next());
        NodeRef ref;
        if (type == "Transform" || type == "Group" || type == "Anchor" || type == "Collision" || type == "Billboard"
            || type == "Switch" || type == "LOD") {
            ref = {Kind::Group, static_cast<std::uint32_t>(m_scene.groups.size())};
            m_scene.groups.emplace_back();
            if (type == "Switch")
                m_scene.groups.back().choice = -1;
            if (type == "LOD")
                m_scene.groups.back().choice = 0;
            groupBody(m_scene.groups.back(), depth);
            return ref;
        }
        if (type == "Shape") {
            ref = {Kind::Shape, static_cast<std::uint32_t>(m_scene.shapes.size())};
            ShapeData &shape = m_scene.shapes.emplace_back();
            shape.name = defName;
            body(depth, [&](std::string_view field) {
                if (field == "appearance")
                    shape.appearance = singleNode(depth);
                else if (field == "geometry")
                    shape.geometry = singleNode(depth);
                else
                    return false;
                return true;
            });
            return ref;
        }
        if (type == "Appearance") {
            ref = {Kind::Appearance, static_cast<std::uint32_t>(m_scene.appearances.size())};
            AppearanceData &appearance = m_scene.appearances.emplace_back();
            body(depth, [&](std::string_view field) {
                if (field == "material")
                    appearance.material = singleNode(depth);
                else if (field == "texture")
                    appearance.texture = singleNode(depth);
                else
                    return false;
                return true;
            });
            return ref;
        }
        if (type == "Material") {
            ref = {Kind::Material, static_cast<std::uint32_t>(m_scene.materials.size())};
            MaterialData &material = m_scene.materials.emplace_back();
            body(depth, [&](std::string_view field) {
                if (field == "diffuseColor")
                    numbers(material.diffuse, 3);
                else if (field == "transparency")
                    numbers(&material.transparency, 1);
                else
                    return false;
                return true;
            });
            return ref;
        }
        if (type == "ImageTexture") {
            ref = {Kind::Texture, static_cast<std::uint32_t>(m_scene.textures.size())};
            TextureData &texture = m_scene.textures.emplace_back();
            body(depth, [&](std::string_view field) {
                if (field != "url")
                    return false;
                texture.urls.clear();
                strings(texture.urls);
                return true;
            });
            return ref;
        }
        if (type == "IndexedFaceSet") {
            ref = {Kind::FaceSet, static_cast<std::uint32_t>(m_scene.faceSets.size())};
            FaceSetData &set = m_scene.faceSets.emplace_back();
            set.offset = start;
            set.name = defName;
            body(depth, [&](std::string_view field) {
                if (field == "coord")
                    set.coord = typedNode(depth, Kind::Coordinate, "coord", "Coordinate");
                else if (field == "color")
                    set.color = typedNode(depth, Kind::Color, "color", "Color");
                else if (field == "texCoord")
                    set.texCoord = typedNode(depth, Kind::TexCoord, "texCoord", "TextureCoordinate");
                else if (field == "coordIndex")
                    indices(set.coordIndex);
                else if (field == "colorIndex")
                    indices(set.colorIndex);
                else if (field == "texCoordIndex")
                    indices(set.texCoordIndex);
                else if (field == "ccw")
                    set.ccw = boolean();
                else if (field == "colorPerVertex")
                    set.colorPerVertex = boolean();
                else if (field == "creaseAngle")
                    numbers(&set.creaseAngle, 1);
                else
                    return false;
                return true;
            });
            return ref;
        }
        const Kind arrayKind = type == "Coordinate"          ? Kind::Coordinate
                               : type == "Color"             ? Kind::Color
                               : type == "TextureCoordinate" ? Kind::TexCoord
                                                             : Kind::Other;
        if (arrayKind != Kind::Other) {
            ref = {arrayKind, static_cast<std::uint32_t>(m_scene.arrays.size())};
            ArrayData &array = m_scene.arrays.emplace_back();
            const char *const field = arrayKind == Kind::Color ? "color" : "point";
            const int width = arrayKind == Kind::TexCoord ? 2 : 3;
            body(depth, [&](std::string_view name) {
                if (name != field)
                    return false;
                array.values.clear();
                numberList(array.values, width, name);
                return true;
            });
            return ref;
        }
        m_lex.skipBrackets();
        return {};
    }

    // The fields of a node between braces; `field` takes the ones it knows
    // and returns false for the others, which are passed over.
    template <class Field>
    void body(int depth, const Field &field)
    {
        const std::size_t open = m_lex.pos();
        m_lex.expect('{');
        for (;;) {
            const int c = m_lex.peek();
            if (c == '}') {
                m_lex.setPos(m_lex.pos() + 1);
                return;
            }
            if (c < 0)
                m_lex.failAt(open, "the file ends before the node opened here is closed");
            if (c == '[' || c == ']' || c == '{' || c == '"')
                m_lex.fail("expected a field name but found " + m_lex.next());
            const std::string_view name = m_lex.word();
            if (name == "ROUTE" || name == "PROTO" || name == "EXTERNPROTO")
                skipDeclaration(name);
            else if (!field(name))
                skipValue(depth);
        }
    }

    void groupBody(GroupData &group, int depth)
    {
        double translation[3] = {0, 0, 0}, rotation[4] = {0, 0, 1, 0}, scale[3] = {1, 1, 1};
        double scaleOrientation[4] = {0, 0, 1, 0}, centre[3] = {0, 0, 0};
        body(depth, [&](std::string_view field) {
            if (field == "children" || field == "choice" || field == "level") {
                nodeList(group.children, depth);
            } else if (field == "whichChoice") {
                double which = 0;
                numbers(&which, 1);
                group.choice = which >= 0 && which < 1e9 ? static_cast<int>(which) : -1;
            } else if (field == "translation") {
                numbers(translation, 3);
            } else if (field == "rotation") {
                numbers(rotation, 4);
            } else if (field == "scale") {
                numbers(scale, 3);
            } else if (field == "scaleOrientation") {
                numbers(scaleOrientation, 4);
            } else if (field == "center") {
                numbers(centre, 3);
            } else {
                return false;
            }
            return true;
        });
        // T x C x R x SR x S x -SR x -C, as the language defines it.
        const Affine orient =
            Affine::rotation(scaleOrientation[0], scaleOrientation[1], scaleOrientation[2], scaleOrientation[3]);
        const Affine unorient =
            Affine::rotation(scaleOrientation[0], scaleOrientation[1], scaleOrientation[2], -scaleOrientation[3]);
        group.transform = Affine::translation(translation[0], translation[1], translation[2])
                          * Affine::translation(centre[0], centre[1], centre[2])
                          * Affine::rotation(rotation[0], rotation[1], rotation[2], rotation[3]) * orient
                          * Affine::scaling(scale[0], scale[1], scale[2]) * unorient
                          * Affine::translation(-centre[0], -centre[1], -centre[2]);
    }

    // --- Field values ---

    std::optional<NodeRef> singleNode(int depth)
    {
        const int c = m_lex.peek();
        if (c == '[' || c == ']' || c == '{' || c == '}' || c == '"' || c < 0)
            m_lex.fail("expected a node but found " + m_lex.next());
        return statement(depth + 1);
    }

    std::optional<NodeRef> typedNode(int depth, Kind kind, const char *field, const char *type)
    {
        const std::size_t at = m_lex.pos();
        std::optional<NodeRef> node = singleNode(depth);
        if (node && node->kind != kind)
            m_lex.failAt(at, std::string(field) + " must hold a " + type + " node");
        return node;
    }

    void nodeList(std::vector<NodeRef> &out, int depth)
    {
        out.clear();
        if (m_lex.peek() != '[') {
            if (std::optional<NodeRef> node = singleNode(depth))
                out.push_back(*node);
            return;
        }
        const std::size_t open = m_lex.pos();
        m_lex.expect('[');
        for (;;) {
            const int c = m_lex.peek();
            if (c == ']') {
                m_lex.setPos(m_lex.pos() + 1);
                return;
            }
            if (c < 0)
                m_lex.failAt(open, "the file ends before the list opened here is closed");
            if (std::optional<NodeRef> node = singleNode(depth))
                out.push_back(*node);
        }
    }

    bool boolean()
    {
        const std::size_t at = m_lex.pos();
        const std::string_view w = m_lex.word();
        if (w == "TRUE")
            return true;
        if (w == "FALSE")
            return false;
        m_lex.failAt(at, "expected TRUE or FALSE but found " + quoteToken(w));
    }

    void numbers(double *out, int count)
    {
        for (int i = 0; i < count; ++i) {
            const std::size_t at = m_lex.pos();
            if (m_lex.peek() < 0 || isPunctuation(m_lex.text()[m_lex.pos()]))
                m_lex.fail("expected a number but found " + m_lex.next());
            const std::string_view w = m_lex.word();
            if (!parseDouble(w, out[i]))
                m_lex.failAt(at, quoteToken(w) + " is not a number");
        }
        m_scene.numbersRead += static_cast<std::uint64_t>(count);
    }

    void numberList(std::vector<double> &out, int width, std::string_view field)
    {
        const std::size_t at = m_lex.pos();
        if (m_lex.peek() == '[') {
            m_lex.setPos(m_lex.pos() + 1);
            readBracketedNumbers(m_lex, out, parseDouble, "a number");
        } else {
            out.resize(static_cast<std::size_t>(width));
            numbers(out.data(), width);
        }
        if (out.size() % static_cast<std::size_t>(width) != 0)
            m_lex.failAt(at, std::string(field) + " holds " + std::to_string(out.size())
                                 + " numbers, not a multiple of " + std::to_string(width));
        m_scene.numbersRead += out.size();
    }

    void indices(std::vector<std::int32_t> &out)
    {
        out.clear();
        if (m_lex.peek() == '[') {
            m_lex.setPos(m_lex.pos() + 1);
            readBracketedNumbers(m_lex, out, parseInt, "a whole number");
        } else {
            const std::size_t at = m_lex.pos();
            const std::string_view w = m_lex.word();
            std::int32_t v;
            if (!parseInt(w, v))
                m_lex.failAt(at, quoteToken(w) + " is not a whole number");
            out.push_back(v);
        }
        m_scene.numbersRead += out.size();
    }

    void strings(std::vector<std::string> &out)
    {
        if (m_lex.peek() != '[') {
            out.push_back(m_lex.quoted());
            return;
        }
        const std::size_t open = m_lex.pos();
        m_lex.expect('[');
        for (;;) {
            const int c = m_lex.peek();
            if (c == ']') {
                m_lex.setPos(m_lex.pos() + 1);
                return;
            }
            if (c < 0)
                m_lex.failAt(open, "the file ends before the list opened here is closed");
            out.push_back(m_lex.quoted());
        }
    }

    // A value of a field this reader does not use: a bracketed list, a
    // node, or a run of plain values up to the next field name.
    void skipValue(int depth)
    {
        bool first = true;
        for (;;) {
            const int c = m_lex.peek();
            if (c == '[' || c == '{') {
                if (first)
                    m_lex.skipBrackets();
                return;
            }
            if (c == '"') {
                m_lex.quoted();
                first = false;
                continue;
            }
            if (c < 0 || c == ']' || c == '}')
                return;
            const std::size_t save = m_lex.pos();
            const std::string_view w = m_lex.word();
            if (w == "DEF" || w == "USE") {
                m_lex.setPos(save);
                if (first)
                    statement(depth + 1);
                return;
            }
            if (w == "TRUE" || w == "FALSE" || w == "NULL" || (w[0] >= '0' && w[0] <= '9') || w[0] == '.' || w[0] == '-'
                || w[0] == '+') {
                first = false;
                continue;
            }
            if (first && m_lex.peek() == '{') {
                m_lex.setPos(save);
                statement(depth + 1);
                return;
            }
            m_lex.setPos(save); // the next field's name
            return;
        }
    }

    Lexer m_lex;
    Scene m_scene;
    std::unordered_map<std::string, NodeRef> m_names;
};

// --- From the scene to meshes -------------------------------------------

std::uint8_t colourByte(double v)
{
    return static_cast<std::uint8_t>(std::nearbyint(std::clamp(v, 0.0, 1.0) * 255.0));
}

struct BuildFailure
{
    std::size_t offset;
    std::string why;
};

class ShapeBuilder
{
public:
    ShapeBuilder(const Scene &scene, const std::filesystem::path &textureFolder)
        : m_scene(scene),
          m_textureFolder(textureFolder)
    {}

    // An upper bound of the elements the shape's mesh will hold, before it is built.
    std::uint64_t estimate(const ShapeData &shape) const
    {
        const FaceSetData *set = faceSetOf(shape);
        if (!set)
            return 1;
        return 1 + pointCount(*set) + 2 * std::uint64_t(set->coordIndex.size());
    }

    const FaceSetData *faceSetOf(const ShapeData &shape) const
    {
        if (!shape.geometry || shape.geometry->kind != Kind::FaceSet)
            return nullptr;
        return &m_scene.faceSets[shape.geometry->index];
    }

    Mesh build(const ShapeData &shape)
    {
        const FaceSetData &set = *faceSetOf(shape);
        m_set = &set;
        Mesh mesh;
        mesh.name = !shape.name.empty() ? shape.name : set.name;
        mesh.creaseAngle = std::max(0.0, set.creaseAngle) * 180.0 / 3.14159265358979323846;

        const std::vector<double> *points = arrayOf(set.coord);
        const std::vector<double> *colours = arrayOf(set.color);
        const std::vector<double> *texPoints = arrayOf(set.texCoord);
        const std::size_t pointTotal = points ? points->size() / 3 : 0;
        const std::size_t colourTotal = colours ? colours->size() / 3 : 0;
        const std::size_t texTotal = texPoints ? texPoints->size() / 2 : 0;

        const MaterialData *material = nullptr;
        const TextureData *texture = nullptr;
        if (shape.appearance && shape.appearance->kind == Kind::Appearance) {
            const AppearanceData &a = m_scene.appearances[shape.appearance->index];
            if (a.material && a.material->kind == Kind::Material)
                material = &m_scene.materials[a.material->index];
            if (a.texture && a.texture->kind == Kind::Texture)
                texture = &m_scene.textures[a.texture->index];
        }
        Rgba fallback{255, 255, 255, 255};
        if (material)
            fallback = {colourByte(material->diffuse[0]), colourByte(material->diffuse[1]),
                        colourByte(material->diffuse[2]), colourByte(1 - material->transparency)};

        const std::vector<std::int32_t> &coordIndex = set.coordIndex;
        const std::size_t corners = coordIndex.size();
        const bool perVertexColour = colours && set.colorPerVertex;
        const bool perFaceColour = colours && !set.colorPerVertex;
        if (perVertexColour && !set.colorIndex.empty() && set.colorIndex.size() < corners)
            fail("colorIndex has " + std::to_string(set.colorIndex.size()) + " entries for the "
                 + std::to_string(corners) + " of coordIndex");
        if (texPoints && !set.texCoordIndex.empty() && set.texCoordIndex.size() < corners)
            fail("texCoordIndex has " + std::to_string(set.texCoordIndex.size()) + " entries for the "
                 + std::to_string(corners) + " of coordIndex");

        // The common case first, on every core: each point's corners agree
        // on colour and texture point, so the points are the vertices. Any
        // doubt (a split, a bad index) leaves it to the walk below, which
        // also names the first fault.
        std::optional<std::vector<Triangle>> fast;
        if (!perFaceColour)
            fast = trianglesOfPoints(set, pointTotal, perVertexColour, colourTotal, texPoints != nullptr, texTotal);

        // Each face: where its corners begin in coordIndex and how many.
        struct Face
        {
            std::size_t first;
            std::uint32_t count;
        };
        std::vector<Face> faces;
        std::size_t triangleTotal = 0;
        bool colourFollowsPoint = !perFaceColour;
        bool texFollowsPoint = true;
        for (std::size_t k = fast ? corners : 0; k < corners;) {
            std::size_t end = k;
            while (end < corners && coordIndex[end] != -1) {
                const std::int32_t c = coordIndex[end];
                if (c < 0 || static_cast<std::size_t>(c) >= pointTotal)
                    fail("coordIndex names point " + std::to_string(c) + ", but the set has "
                         + std::to_string(pointTotal) + " points");
                ++end;
            }
            if (end > k) {
                if (end - k > 0xFFFFFFFFu)
                    fail("a face has too many corners");
                faces.push_back({k, static_cast<std::uint32_t>(end - k)});
                if (end - k >= 3)
                    triangleTotal += end - k - 2;
            }
            k = end + 1;
        }
        // Attribute numbers of each corner, checked.
        auto colourOf = [&](std::size_t face, std::size_t k) -> std::int32_t {
            std::int32_t c;
            const char *list;
            if (perFaceColour) {
                c = set.colorIndex.empty() ? static_cast<std::int32_t>(std::min<std::size_t>(face, INT32_MAX))
                                           : (face < set.colorIndex.size() ? set.colorIndex[face] : -2);
                if (c == -2)
                    fail("colorIndex has " + std::to_string(set.colorIndex.size()) + " entries for "
                         + std::to_string(faces.size()) + " faces");
                list = set.colorIndex.empty() ? "the face count" : "colorIndex";
            } else {
                c = set.colorIndex.empty() ? coordIndex[k] : set.colorIndex[k];
                list = set.colorIndex.empty() ? "coordIndex" : "colorIndex";
            }
            if (c < 0 || static_cast<std::size_t>(c) >= colourTotal)
                fail(std::string(list) + " names colour " + std::to_string(c) + ", but the set has "
                     + std::to_string(colourTotal) + " colours");
            return c;
        };
        auto texOf = [&](std::size_t k) -> std::int32_t {
            const std::int32_t t = set.texCoordIndex.empty() ? coordIndex[k] : set.texCoordIndex[k];
            if (t < 0 || static_cast<std::size_t>(t) >= texTotal)
                fail(std::string(set.texCoordIndex.empty() ? "coordIndex" : "texCoordIndex") + " names texture point "
                     + std::to_string(t) + ", but the set has " + std::to_string(texTotal) + " texture points");
            return t;
        };
        // Do the corners of each point agree? Then the points are the vertices.
        for (std::size_t f = 0; f < faces.size(); ++f) {
            if (perFaceColour)
                colourOf(f, faces[f].first);
            if (!perVertexColour && !texPoints)
                continue;
            for (std::size_t k = faces[f].first; k < faces[f].first + faces[f].count; ++k) {
                if (perVertexColour && colourOf(f, k) != coordIndex[k])
                    colourFollowsPoint = false;
                if (texPoints && texOf(k) != coordIndex[k])
                    texFollowsPoint = false;
            }
        }

        resizeLarge(mesh.positions, pointTotal);
        for (std::size_t i = 0; i < pointTotal; ++i)
            mesh.positions[i] = {(*points)[3 * i], (*points)[3 * i + 1], (*points)[3 * i + 2]};
        auto colourAt = [&](std::int32_t c) {
            const double *v = colours->data() + 3 * static_cast<std::size_t>(c);
            return Rgba{colourByte(v[0]), colourByte(v[1]), colourByte(v[2]), fallback.a};
        };
        auto texAt = [&](std::int32_t t) {
            const double *v = texPoints->data() + 2 * static_cast<std::size_t>(t);
            return Vec2{v[0], v[1]};
        };
        if (colours || material) {
            resizeLarge(mesh.colours, pointTotal, fallback);
            if (colours && colourFollowsPoint)
                for (std::size_t i = 0; i < std::min(pointTotal, colourTotal); ++i)
                    mesh.colours[i] = colourAt(static_cast<std::int32_t>(i));
        }
        if (texPoints) {
            resizeLarge(mesh.texCoords, pointTotal);
            if (texFollowsPoint)
                for (std::size_t i = 0; i < std::min(pointTotal, texTotal); ++i)
                    mesh.texCoords[i] = texAt(static_cast<std::int32_t>(i));
        }

        std::vector<std::uint32_t> vertexOfCorner;
        const bool split = !fast && ((colours && !colourFollowsPoint) || (texPoints && !texFollowsPoint));
        if (split)
            vertexOfCorner = splitVertices(mesh, faces, colourOf, texOf, colours && !colourFollowsPoint,
                                           texPoints && !texFollowsPoint, colourAt, texAt);

        if (fast)
            mesh.triangles = std::move(*fast);
        else
            reserveLarge(mesh.triangles, triangleTotal);
        for (std::size_t f = 0; f < faces.size(); ++f) {
            const Face &face = faces[f];
            if (face.count < 3)
                continue;
            auto vertex = [&](std::size_t k) {
                return split ? vertexOfCorner[k] : static_cast<std::uint32_t>(coordIndex[k]);
            };
            const std::uint32_t first = vertex(face.first);
            for (std::size_t c = 2; c < face.count; ++c) {
                const std::uint32_t b = vertex(face.first + c - 1), d = vertex(face.first + c);
                mesh.triangles.push_back(set.ccw ? Triangle{first, b, d} : Triangle{first, d, b});
            }
        }

        if (texture && texPoints && !m_textureFolder.empty()) {
            for (const std::string &url : texture->urls) {
                const std::filesystem::path found = findTextureFile(m_textureFolder, url);
                if (!found.empty()) {
                    mesh.texturePath = found.string();
                    break;
                }
            }
        }
        return mesh;
    }

private:
    [[noreturn]] void fail(const std::string &why) const { throw BuildFailure{m_set->offset, why}; }

    // The triangles when every corner names a point of the set and, where
    // asked, its colour and texture point are the point's own; else nullopt.
    static std::optional<std::vector<Triangle>> trianglesOfPoints(const FaceSetData &set, std::size_t points,
                                                                  bool colourCheck, std::size_t colourTotal,
                                                                  bool texCheck, std::size_t texTotal)
    {
        const std::vector<std::int32_t> &index = set.coordIndex;
        const std::size_t n = index.size();
        const unsigned jobs = jobCount(n, 1 << 16);
        std::vector<std::size_t> starts{0};
        for (unsigned j = 1; j < jobs; ++j) {
            std::size_t p = std::max(starts.back(), n * j / jobs);
            while (p < n && index[p] != -1)
                ++p;
            starts.push_back(std::min(n, p + 1));
        }
        starts.push_back(n);
        auto good = [&](std::size_t k) {
            const std::int32_t c = index[k];
            if (c < 0 || static_cast<std::size_t>(c) >= points)
                return false;
            if (colourCheck
                && ((!set.colorIndex.empty() && set.colorIndex[k] != c) || static_cast<std::size_t>(c) >= colourTotal))
                return false;
            if (texCheck
                && ((!set.texCoordIndex.empty() && set.texCoordIndex[k] != c)
                    || static_cast<std::size_t>(c) >= texTotal))
                return false;
            return true;
        };
        std::vector<std::size_t> counts(jobs, 0);
        std::vector<char> ok(jobs, 1);
        runJobs(jobs, [&](unsigned j) {
            std::size_t count = 0, run = 0;
            for (std::size_t k = starts[j]; k < starts[j + 1]; ++k) {
                if (index[k] == -1) {
                    count += run >= 3 ? run - 2 : 0;
                    run = 0;
                } else if (good(k)) {
                    ++run;
                } else {
                    ok[j] = 0;
                    return;
                }
            }
            counts[j] = count + (run >= 3 ? run - 2 : 0);
        });
        if (std::find(ok.begin(), ok.end(), 0) != ok.end())
            return std::nullopt;
        std::vector<std::size_t> at(jobs, 0);
        std::size_t total = 0;
        for (unsigned j = 0; j < jobs; ++j) {
            at[j] = total;
            total += counts[j];
        }
        std::vector<Triangle> triangles(total);
        runJobs(jobs, [&](unsigned j) {
            Triangle *out = triangles.data() + at[j];
            std::size_t first = starts[j];
            for (std::size_t k = starts[j]; k <= starts[j + 1]; ++k) {
                if (k < starts[j + 1] && index[k] != -1)
                    continue;
                const auto a = k >= first + 3 ? static_cast<std::uint32_t>(index[first]) : 0;
                for (std::size_t c = first + 2; c < k; ++c) {
                    const auto b = static_cast<std::uint32_t>(index[c - 1]), d = static_cast<std::uint32_t>(index[c]);
                    *out++ = set.ccw ? Triangle{a, b, d} : Triangle{a, d, b};
                }
                first = k + 1;
            }
        });
        return triangles;
    }

    std::uint64_t pointCount(const FaceSetData &set) const
    {
        const std::vector<double> *points = arrayOf(set.coord);
        return points ? points->size() / 3 : 0;
    }

    const std::vector<double> *arrayOf(const std::optional<NodeRef> &node) const
    {
        if (!node)
            return nullptr;
        return &m_scene.arrays[node->index].values;
    }

    // Points whose corners disagree on colour or texture coordinate get a
    // vertex for each combination after the first; the first keeps the
    // point's own number.
    template <class Faces, class ColourOf, class TexOf, class ColourAt, class TexAt>
    std::vector<std::uint32_t> splitVertices(Mesh &mesh, const Faces &faces, const ColourOf &colourOf,
                                             const TexOf &texOf, bool colourSplits, bool texSplits,
                                             const ColourAt &colourAt, const TexAt &texAt)
    {
        const std::size_t pointTotal = mesh.positions.size();
        const std::vector<std::int32_t> &coordIndex = m_set->coordIndex;
        std::vector<std::uint32_t> vertexOfCorner(coordIndex.size(), 0);
        constexpr std::int32_t kUnset = -1;
        std::vector<std::int32_t> firstColour(colourSplits ? pointTotal : 0, kUnset);
        std::vector<std::int32_t> firstTex(texSplits ? pointTotal : 0, kUnset);
        struct Key
        {
            std::uint32_t point;
            std::int32_t colour, tex;
            bool operator==(const Key &) const = default;
        };
        struct KeyHash
        {
            std::size_t operator()(const Key &k) const
            {
                std::uint64_t h = k.point * 0x9E3779B97F4A7C15ull;
                h ^= (std::uint64_t(std::uint32_t(k.colour)) << 32 | std::uint32_t(k.tex)) * 0xC2B2AE3D27D4EB4Full;
                return static_cast<std::size_t>(h ^ (h >> 29));
            }
        };
        std::unordered_map<Key, std::uint32_t, KeyHash> extra;
        for (std::size_t f = 0; f < faces.size(); ++f) {
            for (std::size_t k = faces[f].first; k < faces[f].first + faces[f].count; ++k) {
                const auto point = static_cast<std::uint32_t>(coordIndex[k]);
                const std::int32_t colour = colourSplits ? colourOf(f, k) : 0;
                const std::int32_t tex = texSplits ? texOf(k) : 0;
                if (colourSplits && firstColour[point] == kUnset) {
                    firstColour[point] = colour;
                    if (texSplits)
                        firstTex[point] = tex;
                } else if (!colourSplits && firstTex[point] == kUnset) {
                    firstTex[point] = tex;
                }
                if ((!colourSplits || firstColour[point] == colour) && (!texSplits || firstTex[point] == tex)) {
                    vertexOfCorner[k] = point;
                    continue;
                }
                const auto [it, added] = extra.try_emplace(Key{point, colour, tex}, 0);
                if (added) {
                    if (mesh.positions.size() >= 0xFFFFFFFFu)
                        fail("the set has more vertices than a mesh can index");
                    it->second = static_cast<std::uint32_t>(mesh.positions.size());
                    mesh.positions.push_back(mesh.positions[point]);
                    if (mesh.hasColours())
                        mesh.colours.push_back(colourSplits ? colourAt(colour) : mesh.colours[point]);
                    if (mesh.hasTexCoords())
                        mesh.texCoords.push_back(texSplits ? texAt(tex) : mesh.texCoords[point]);
                }
                vertexOfCorner[k] = it->second;
            }
        }
        for (std::size_t p = 0; p < pointTotal; ++p) {
            if (colourSplits && firstColour[p] != kUnset)
                mesh.colours[p] = colourAt(firstColour[p]);
            if (texSplits && firstTex[p] != kUnset)
                mesh.texCoords[p] = texAt(firstTex[p]);
        }
        return vertexOfCorner;
    }

    const Scene &m_scene;
    std::filesystem::path m_textureFolder;
    const FaceSetData *m_set = nullptr;
};

struct Instance
{
    std::uint32_t shape;
    Affine world;
};

// Every shape the scene shows, in file order, with the transform above it.
// The walk keeps its own stack: a chain of USE can nest deeper than any
// single stretch of the file.
std::vector<Instance> shapeInstances(const Scene &scene)
{
    std::vector<Instance> instances;
    struct Frame
    {
        NodeRef node;
        Affine world;
    };
    std::vector<Frame> stack;
    for (auto it = scene.roots.rbegin(); it != scene.roots.rend(); ++it)
        stack.push_back({*it, Affine()});
    std::size_t visits = 0;
    while (!stack.empty()) {
        const Frame frame = stack.back();
        stack.pop_back();
        if (++visits > kMaxNodeVisits)
            throw BuildFailure{std::string_view::npos, "the file repeats its nodes (USE) more often than a scan can"};
        if (frame.node.kind == Kind::Shape) {
            if (instances.size() >= kMaxShapeInstances)
                throw BuildFailure{std::string_view::npos,
                                   "the file shows more than " + std::to_string(kMaxShapeInstances) + " shapes"};
            instances.push_back({frame.node.index, frame.world});
            continue;
        }
        if (frame.node.kind != Kind::Group)
            continue;
        const GroupData &group = scene.groups[frame.node.index];
        const Affine world = frame.world * group.transform;
        if (group.choice == kAllChildren) {
            for (auto it = group.children.rbegin(); it != group.children.rend(); ++it)
                stack.push_back({*it, world});
        } else if (group.choice >= 0 && static_cast<std::size_t>(group.choice) < group.children.size()) {
            stack.push_back({group.children[static_cast<std::size_t>(group.choice)], world});
        }
    }
    return instances;
}

void placeInWorld(Mesh &mesh, const Affine &world)
{
    if (world.isIdentity())
        return;
    for (Vec3 &p : mesh.positions) {
        p = world.apply(p);
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
            throw BuildFailure{std::string_view::npos, "a transform moves a point beyond the range of a number"};
    }
    if (world.determinant() < 0) // a mirror turns the faces inside out
        for (Triangle &t : mesh.triangles)
            std::swap(t[1], t[2]);
}

Model buildModel(const Scene &scene, const std::filesystem::path &textureFolder)
{
    ShapeBuilder builder(scene, textureFolder);
    const std::vector<Instance> instances = shapeInstances(scene);
    std::vector<std::uint32_t> uses(scene.shapes.size(), 0);
    const std::uint64_t budget = kBaseGeometryBudget + kGeometryPerNumber * scene.numbersRead;
    std::uint64_t planned = 0;
    for (const Instance &instance : instances) {
        ++uses[instance.shape];
        planned += builder.estimate(scene.shapes[instance.shape]);
        if (planned > budget)
            throw BuildFailure{std::string_view::npos,
                               "the file repeats its shapes (USE) into more geometry than a scan holds"};
    }
    std::vector<std::optional<Mesh>> built(scene.shapes.size());
    Model model;
    for (const Instance &instance : instances) {
        const ShapeData &shape = scene.shapes[instance.shape];
        if (!builder.faceSetOf(shape))
            continue;
        std::optional<Mesh> &local = built[instance.shape];
        if (!local)
            local = builder.build(shape);
        Mesh mesh;
        if (--uses[instance.shape] == 0)
            mesh = std::move(*local);
        else
            mesh = *local;
        placeInWorld(mesh, instance.world);
        model.objects.push_back(std::move(mesh));
    }
    return model;
}

std::string lowerAscii(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The entry of `folder` named `name`, letters compared without regard to
// case; an exact match first, else the first match in name order.
std::filesystem::path entryLike(const std::filesystem::path &folder, const std::string &name, bool wantFile)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    auto fits = [&](const fs::path &p) {
        std::error_code e;
        return wantFile ? fs::is_regular_file(p, e) : fs::is_directory(p, e);
    };
    const fs::path exact = folder / name;
    if (fits(exact))
        return exact;
    const std::string wanted = lowerAscii(name);
    fs::path best;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (lowerAscii(entry) == wanted && fits(it->path()) && (best.empty() || entry < best.filename().string()))
            best = it->path();
    }
    return best;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::filesystem::path findTextureFile(const std::filesystem::path &folder, std::string_view url)
{
    std::string decoded;
    for (std::size_t i = 0; i < url.size(); ++i) {
        if (url[i] == '%' && i + 2 < url.size() && hexValue(url[i + 1]) >= 0 && hexValue(url[i + 2]) >= 0) {
            decoded += static_cast<char>(hexValue(url[i + 1]) * 16 + hexValue(url[i + 2]));
            i += 2;
        } else {
            decoded += url[i];
        }
    }
    if (decoded.find('\0') != std::string::npos)
        return {};
    std::vector<std::string> parts;
    bool lastOnly = decoded.find(':') != std::string::npos || decoded.starts_with('/') || decoded.starts_with('\\');
    std::size_t start = 0;
    for (std::size_t i = 0; i <= decoded.size(); ++i) {
        if (i == decoded.size() || decoded[i] == '/' || decoded[i] == '\\') {
            const std::string part = decoded.substr(start, i - start);
            if (part == "..")
                lastOnly = true;
            else if (!part.empty() && part != ".")
                parts.push_back(part);
            start = i + 1;
        }
    }
    if (parts.empty() || decoded.ends_with('/') || decoded.ends_with('\\'))
        return {};
    auto walk = [&](std::size_t from) {
        std::filesystem::path at = folder;
        for (std::size_t i = from; i < parts.size(); ++i) {
            at = entryLike(at, parts[i], i + 1 == parts.size());
            if (at.empty())
                return at;
        }
        return at;
    };
    if (!lastOnly && parts.size() > 1) {
        if (std::filesystem::path found = walk(0); !found.empty())
            return found;
    }
    return walk(parts.size() - 1);
}

Model parseVrml(std::string_view text, const std::string &sourceName, const std::filesystem::path &textureFolder)
{
    const std::string refused = sourceName + " cannot be read as VRML: ";
    std::string_view body = text;
    if (body.starts_with("\xEF\xBB\xBF"))
        body.remove_prefix(3);
    if (body.starts_with("\x1F\x8B"))
        throw MeshError(MeshError::Kind::Format, refused + "it is compressed; save the scan uncompressed");
    if (body.starts_with("#VRML V1.0"))
        throw MeshError(MeshError::Kind::Format, refused + "it is VRML 1.0, and only VRML97 (V2.0) is read");
    if (!body.starts_with("#VRML V2.0"))
        throw MeshError(MeshError::Kind::Format, refused + "it does not begin with \"#VRML V2.0 utf8\"");
    const std::size_t skipped = text.size() - body.size();
    Scene scene;
    try {
        scene = Parser(body).parse();
    } catch (const ParseFailure &failure) {
        throw MeshError(MeshError::Kind::Format, refused + "line "
                                                     + std::to_string(lineOf(text, skipped + failure.offset)) + ": "
                                                     + failure.why);
    }
    Model model;
    try {
        model = buildModel(scene, textureFolder);
    } catch (const BuildFailure &failure) {
        std::string where;
        if (failure.offset != std::string_view::npos)
            where = "the IndexedFaceSet of line " + std::to_string(lineOf(text, skipped + failure.offset)) + ": ";
        throw MeshError(MeshError::Kind::Format, refused + where + failure.why);
    }
    std::size_t triangles = 0;
    for (const Mesh &mesh : model.objects)
        triangles += mesh.triangles.size();
    if (triangles == 0)
        throw MeshError(MeshError::Kind::Format, refused + "it holds no faces to show");
    return model;
}

Model readVrmlFile(const std::filesystem::path &path)
{
    const FileBytes bytes = readFileBytes(path);
    std::filesystem::path folder = path.parent_path();
    if (folder.empty())
        folder = ".";
    return parseVrml(bytes.view(), displayName(path), folder);
}

} // namespace mesh
