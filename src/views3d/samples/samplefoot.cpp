#include "samplefoot.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace samples {

namespace {

constexpr double kLength = 260.0;

// Piecewise-linear profile along the foot, u from 0 (heel) to 1 (toe).
double profile(double u, const std::array<std::pair<double, double>, 7> &points)
{
    if (u <= points.front().first)
        return points.front().second;
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (u <= points[i].first) {
            const auto [u0, v0] = points[i - 1];
            const auto [u1, v1] = points[i];
            const double t = (u - u0) / (u1 - u0);
            const double s = t * t * (3 - 2 * t); // smooth joins
            return v0 + (v1 - v0) * s;
        }
    }
    return points.back().second;
}

// Rounds the heel and the toes: 1 in the middle, falling to 0 at the ends.
double endCap(double u)
{
    const double heel = std::clamp(u / 0.12, 0.0, 1.0);
    const double toe = std::clamp((1.0 - u) / 0.10, 0.0, 1.0);
    return std::sqrt(1.0 - (1.0 - heel) * (1.0 - heel)) * std::sqrt(1.0 - (1.0 - toe) * (1.0 - toe));
}

mesh::Vec3 surfacePoint(double u, double theta)
{
    static const std::array<std::pair<double, double>, 7> halfWidth = {
        {{0.0, 28}, {0.15, 32}, {0.40, 30}, {0.62, 44}, {0.75, 48}, {0.90, 40}, {1.0, 30}}};
    static const std::array<std::pair<double, double>, 7> height = {
        {{0.0, 70}, {0.15, 82}, {0.40, 68}, {0.62, 44}, {0.75, 32}, {0.90, 22}, {1.0, 16}}};
    const double cap = endCap(u);
    const double w = profile(u, halfWidth) * cap;
    const double h = profile(u, height) * cap;
    const double c = std::cos(theta), s = std::sin(theta);
    // A left foot: the medial side (y > 0) curves in at the arch, and the
    // forefoot and big toe lie towards it.
    const double medialWaist = c > 0 ? 1.0 - 0.22 * std::exp(-std::pow((u - 0.45) / 0.12, 2)) : 1.0;
    const double forefootShift = 9.0 * std::clamp((u - 0.5) / 0.4, 0.0, 1.0) * cap;
    const double y = w * c * medialWaist + forefootShift;
    double z;
    if (s >= 0) {
        z = h * s; // instep and toes
    } else {
        // A nearly flat sole, lifted under the medial arch (y > 0 on the left foot).
        const double arch = 14.0 * std::exp(-std::pow((u - 0.45) / 0.13, 2)) * std::max(0.0, c);
        z = 4.0 * s + arch * std::pow(-s, 0.5) * cap;
    }
    return {u * kLength, y, z};
}

void appendFloat(QByteArray &out, float value)
{
    quint32 bits;
    std::memcpy(&bits, &value, 4);
    const quint32 le = qToLittleEndian(bits);
    out.append(reinterpret_cast<const char *>(&le), 4);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("Cannot write " + path.toStdString() + ": " + file.errorString().toStdString());
}

QString number(double v)
{
    return QString::number(v, 'g', 7);
}

} // namespace

mesh::Model makeFoot(Foot foot, std::size_t triangles)
{
    // Rings along the foot and points around each ring, about 2 x rings x points triangles.
    const std::size_t side = std::max<std::size_t>(12, std::size_t(std::sqrt(double(triangles) / 2.0)));
    const std::size_t rings = side, around = side;
    mesh::Mesh m;
    m.name = foot == Foot::Left ? "LeftSampleFoot" : "RightSampleFoot";
    // Ring r (1..rings) sits at u = r / (rings + 1); the heel and toe poles close the ends.
    for (std::size_t r = 1; r <= rings; ++r) {
        const double u = double(r) / double(rings + 1);
        for (std::size_t a = 0; a <= around; ++a) { // the last point repeats the first: the seam
            const double v = double(a) / double(around);
            // The seam's two copies must be the same point, to the last bit.
            m.positions.push_back(surfacePoint(u, 2 * M_PI * double(a % around) / double(around)));
            m.texCoords.push_back({u, v});
        }
    }
    const std::uint32_t heel = std::uint32_t(m.positions.size());
    m.positions.push_back(surfacePoint(0.0, 0.0));
    m.texCoords.push_back({0.0, 0.5});
    const std::uint32_t toe = std::uint32_t(m.positions.size());
    m.positions.push_back(surfacePoint(1.0, 0.0));
    m.texCoords.push_back({1.0, 0.5});

    const std::size_t stride = around + 1;
    auto at = [stride](std::size_t ring, std::size_t a) { return std::uint32_t(ring * stride + a); };
    for (std::size_t r = 0; r + 1 < rings; ++r) {
        for (std::size_t a = 0; a < around; ++a) {
            // Counter-clockwise seen from outside: u runs along X, theta turns from +Y to +Z.
            m.triangles.push_back({at(r, a), at(r + 1, a + 1), at(r + 1, a)});
            m.triangles.push_back({at(r, a), at(r, a + 1), at(r + 1, a + 1)});
        }
    }
    for (std::size_t a = 0; a < around; ++a) {
        m.triangles.push_back({heel, at(0, a + 1), at(0, a)});
        m.triangles.push_back({toe, at(rings - 1, a), at(rings - 1, a + 1)});
    }
    if (foot == Foot::Right) {
        for (mesh::Vec3 &p : m.positions)
            p.y = -p.y;
        for (mesh::Triangle &t : m.triangles)
            std::swap(t[1], t[2]);
    }
    mesh::Model model;
    model.objects.push_back(std::move(m));
    return model;
}

QImage makeTexturePhoto(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        // v runs around the foot; the sole lies around v = 0.75 (theta = 270 degrees).
        const double v = 1.0 - (y + 0.5) / height;
        const double sole = std::exp(-std::pow((v - 0.75) / 0.12, 2));
        for (int x = 0; x < width; ++x) {
            const double u = (x + 0.5) / width;
            const double mottle = 6.0 * std::sin(u * 37.0) * std::sin(v * 23.0);
            int r = int(226 - 40 * sole + mottle), g = int(188 - 45 * sole + mottle), b = int(164 - 40 * sole + mottle);
            if (x % 32 == 0 || y % 32 == 0) {
                r -= 25;
                g -= 25;
                b -= 25;
            }
            image.setPixel(x, y, qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)));
        }
    }
    return image;
}

QByteArray vrml97Text(const mesh::Mesh &m, const QString &textureUrl)
{
    QString text;
    text.reserve(int(m.positions.size() * 40 + m.triangles.size() * 40));
    text += QStringLiteral("#VRML V2.0 utf8\n# Sample foot surface made by Solvane; not a scan of a person.\n");
    text += QStringLiteral("Shape {\n  appearance Appearance {\n    material Material { diffuseColor 1 1 1 }\n");
    text += QStringLiteral("    texture ImageTexture { url \"%1\" }\n  }\n").arg(textureUrl);
    text += QStringLiteral("  geometry IndexedFaceSet {\n    solid FALSE\n    coord Coordinate {\n      point [\n");
    for (const mesh::Vec3 &p : m.positions)
        text += QStringLiteral("        %1 %2 %3,\n").arg(number(p.x), number(p.y), number(p.z));
    text += QStringLiteral("      ]\n    }\n    coordIndex [\n");
    for (const mesh::Triangle &t : m.triangles)
        text += QStringLiteral("      %1, %2, %3, -1,\n").arg(t[0]).arg(t[1]).arg(t[2]);
    text += QStringLiteral("    ]\n    texCoord TextureCoordinate {\n      point [\n");
    for (const mesh::Vec2 &uv : m.texCoords)
        text += QStringLiteral("        %1 %2,\n").arg(number(uv.u), number(uv.v));
    text += QStringLiteral("      ]\n    }\n    texCoordIndex [\n");
    for (const mesh::Triangle &t : m.triangles)
        text += QStringLiteral("      %1, %2, %3, -1,\n").arg(t[0]).arg(t[1]).arg(t[2]);
    text += QStringLiteral("    ]\n  }\n}\n");
    return text.toUtf8();
}

QByteArray binaryStl(const mesh::Mesh &m)
{
    QByteArray out;
    out.reserve(int(84 + 50 * m.triangles.size()));
    QByteArray header("Sample foot surface made by Solvane; not a scan of a person.");
    header.resize(80, ' ');
    out += header;
    const quint32 count = qToLittleEndian(quint32(m.triangles.size()));
    out.append(reinterpret_cast<const char *>(&count), 4);
    for (const mesh::Triangle &t : m.triangles) {
        const mesh::Vec3 &a = m.positions[t[0]], &b = m.positions[t[1]], &c = m.positions[t[2]];
        const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
        const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
        double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
        const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
        if (len > 0) {
            nx /= len;
            ny /= len;
            nz /= len;
        }
        for (double v : {nx, ny, nz, a.x, a.y, a.z, b.x, b.y, b.z, c.x, c.y, c.z})
            appendFloat(out, float(v));
        out.append(2, '\0');
    }
    return out;
}

QString writeVrmlScan(const QString &folder, const QString &base, Foot foot, std::size_t triangles)
{
    QDir().mkpath(folder);
    const QString picture = base + QStringLiteral("[VRML].Jpg");
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!makeTexturePhoto().save(&buffer, "JPG", 90))
        throw std::runtime_error("No JPEG encoder is available");
    writeFile(QDir(folder).filePath(picture), jpeg);
    const QString scan = QDir(folder).filePath(base + QStringLiteral(".Wrl"));
    writeFile(scan, vrml97Text(makeFoot(foot, triangles).objects.front(), picture));
    return scan;
}

QString writeStlScan(const QString &folder, const QString &base, Foot foot, std::size_t triangles)
{
    QDir().mkpath(folder);
    const QString scan = QDir(folder).filePath(base + QStringLiteral(".Stl"));
    writeFile(scan, binaryStl(makeFoot(foot, triangles).objects.front()));
    return scan;
}

QStringList writeSampleScans(const QString &folder, std::size_t triangles)
{
    return {writeVrmlScan(folder, QStringLiteral("Sample_Anna_L"), Foot::Left, triangles),
            writeVrmlScan(folder, QStringLiteral("Sample_Anna_R"), Foot::Right, triangles),
            writeStlScan(folder, QStringLiteral("Sample_Ben_L"), Foot::Left, triangles),
            writeStlScan(folder, QStringLiteral("Sample_Ben_R"), Foot::Right, triangles)};
}

} // namespace samples
