// The program's icon: a die on a baize tile with a walnut rim, like the dice
// table. It is kept as a short list of vector shapes so that the scalable
// SVG and the PNG sizes come from one drawing.
#include "Assets.h"

#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <QTransform>

#include <vector>

namespace quimba::assets {

namespace {

struct Stop {
    double at;
    QColor colour;
};

// A solid colour (one stop) or a linear gradient across the shape's own
// bounding box, from (x1, y1) to (x2, y2) in 0..1 units.
struct Fill {
    std::vector<Stop> stops;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 1;
};

struct Shape {
    enum Kind { RoundRect, Ellipse, Polygon } kind = RoundRect;
    QRectF box;                   // RoundRect and Ellipse
    double radius = 0;            // RoundRect corners
    std::vector<QPointF> points;  // Polygon
    QTransform transform;         // from the shape's units to the 256-unit canvas
    Fill fill;                    // no stops: not filled
    QColor stroke;                // invalid: no outline
    double strokeWidth = 0;
};

Fill Solid(QColor c) { return Fill{{{0, c}}}; }
Fill Gradient(QColor from, QColor to, double x1, double y1, double x2, double y2) {
    return Fill{{{0, from}, {1, to}}, x1, y1, x2, y2};
}

// One face of the die, in 100 × 100 face units mapped onto the parallelogram
// from `origin` along `u` and `v`.
void addFace(std::vector<Shape>& shapes, QPointF origin, QPointF u, QPointF v, const Fill& fill,
             const std::vector<QPointF>& pips, double pipRadius, QColor pip) {
    const QTransform map(u.x() / 100, u.y() / 100, v.x() / 100, v.y() / 100, origin.x(), origin.y());
    Shape face;
    face.box = QRectF(0, 0, 100, 100);
    face.radius = 12;
    face.transform = map;
    face.fill = fill;
    shapes.push_back(face);
    for (QPointF c : pips) {
        Shape dot;
        dot.kind = Shape::Ellipse;
        dot.box = QRectF(c.x() - pipRadius, c.y() - pipRadius, 2 * pipRadius, 2 * pipRadius);
        dot.transform = map;
        dot.fill = Gradient(pip.darker(160), pip, 0.3, 0.2, 0.7, 0.9);
        shapes.push_back(dot);
    }
}

std::vector<Shape> IconShapes() {
    std::vector<Shape> shapes;
    // Tile: walnut rim, baize lit from above, a gold inlay line.
    Shape rim;
    rim.box = QRectF(12, 12, 232, 232);
    rim.radius = 44;
    rim.fill = Gradient(QColor(140, 82, 40), QColor(66, 34, 15), 0, 0, 0, 1);
    rim.stroke = QColor(40, 20, 8);
    rim.strokeWidth = 4;
    shapes.push_back(rim);
    Shape felt;
    felt.box = QRectF(26, 26, 204, 204);
    felt.radius = 32;
    felt.fill = Gradient(QColor(40, 150, 88), QColor(14, 78, 44), 0.3, 0, 0.7, 1);
    shapes.push_back(felt);
    Shape inlay;
    inlay.box = QRectF(36, 36, 184, 184);
    inlay.radius = 24;
    inlay.stroke = QColor(214, 178, 92);
    inlay.strokeWidth = 3;
    shapes.push_back(inlay);

    // The die's shadow on the baize, then the die seen from above the
    // front left corner: five on top, the red one on the left, three on the
    // right (faces that do meet on a real die).
    Shape shadow;
    shadow.kind = Shape::Ellipse;
    shadow.box = QRectF(62, 186, 156, 40);
    shadow.fill = Solid(QColor(0, 20, 8, 110));
    shapes.push_back(shadow);

    const QPointF top(128, 46), right(204, 88), front(128, 130), left(52, 88);
    const QPointF down(0, 84);
    Shape body;
    body.kind = Shape::Polygon;
    body.points = {top, right, right + down, front + down, left + down, left};
    body.fill = Solid(QColor(150, 140, 120));
    body.stroke = QColor(38, 30, 22);
    body.strokeWidth = 5;
    shapes.push_back(body);

    const QColor ink(24, 22, 20);
    addFace(shapes, top, right - top, left - top, Gradient(QColor(255, 255, 252), QColor(226, 220, 204), 0, 0, 1, 1),
            {{26, 26}, {74, 26}, {50, 50}, {26, 74}, {74, 74}}, 9.5, ink);
    addFace(shapes, left, front - left, down, Gradient(QColor(232, 226, 210), QColor(190, 182, 162), 0, 0, 1, 1),
            {{50, 50}}, 14, QColor(206, 32, 40));
    addFace(shapes, front, right - front, down, Gradient(QColor(178, 170, 150), QColor(136, 128, 110), 0, 0, 1, 1),
            {{26, 26}, {50, 50}, {74, 74}}, 9.5, ink);
    return shapes;
}

QString Num(double v) { return QString::number(v, 'g', 6); }

QString ColourText(QColor c) { return c.name(QColor::HexRgb); }

}  // namespace

QString IconSvg() {
    QString defs, body;
    int gradients = 0;
    for (const Shape& s : IconShapes()) {
        QString fill = "none";
        if (s.fill.stops.size() == 1) {
            fill = ColourText(s.fill.stops[0].colour);
            if (s.fill.stops[0].colour.alpha() != 255)
                fill += "\" fill-opacity=\"" + Num(s.fill.stops[0].colour.alphaF());
        } else if (!s.fill.stops.empty()) {
            const QString id = QString("g%1").arg(++gradients);
            defs += QString("    <linearGradient id=\"%1\" x1=\"%2\" y1=\"%3\" x2=\"%4\" y2=\"%5\">\n")
                        .arg(id, Num(s.fill.x1), Num(s.fill.y1), Num(s.fill.x2), Num(s.fill.y2));
            for (const Stop& stop : s.fill.stops)
                defs += QString("      <stop offset=\"%1\" stop-color=\"%2\"/>\n")
                            .arg(Num(stop.at), ColourText(stop.colour));
            defs += "    </linearGradient>\n";
            fill = "url(#" + id + ")";
        }
        QString attrs = "fill=\"" + fill + "\"";
        if (s.stroke.isValid())
            attrs += QString(" stroke=\"%1\" stroke-width=\"%2\" stroke-linejoin=\"round\"")
                         .arg(ColourText(s.stroke), Num(s.strokeWidth));
        if (!s.transform.isIdentity()) {
            const QTransform& t = s.transform;
            attrs += QString(" transform=\"matrix(%1 %2 %3 %4 %5 %6)\"")
                         .arg(Num(t.m11()), Num(t.m12()), Num(t.m21()), Num(t.m22()), Num(t.dx()), Num(t.dy()));
        }
        switch (s.kind) {
            case Shape::RoundRect:
                body += QString("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" %6/>\n")
                            .arg(Num(s.box.x()), Num(s.box.y()), Num(s.box.width()), Num(s.box.height()), Num(s.radius),
                                 attrs);
                break;
            case Shape::Ellipse:
                body += QString("  <ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\" %5/>\n")
                            .arg(Num(s.box.center().x()), Num(s.box.center().y()), Num(s.box.width() / 2),
                                 Num(s.box.height() / 2), attrs);
                break;
            case Shape::Polygon: {
                QStringList points;
                for (QPointF p : s.points) points << Num(p.x()) + "," + Num(p.y());
                body += QString("  <polygon points=\"%1\" %2/>\n").arg(points.join(' '), attrs);
                break;
            }
        }
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
           "  <title>3D QUIMBA</title>\n"
           "  <defs>\n" +
           defs + "  </defs>\n" + body + "</svg>\n";
}

namespace {

// Below 48 pixels the shapes above blur into mush, so the small sizes are
// drawn for their own grid: the tile with a one-pixel rim, a die seen from the
// front with five pips, every edge of the die on a pixel boundary. The die is
// 2 + 3 pip + 2 edge + 2 gap pixels wide, so the pips sit symmetrically.
struct SmallIcon {
    int size;
    int pip;   // pixels across a pip
    int edge;  // between the outline and an outer pip
    int gap;   // between two pips
    int rim;   // walnut rim of the tile
};
constexpr SmallIcon kSmallIcons[] = {
    {.size = 16, .pip = 2, .edge = 1, .gap = 1, .rim = 1},
    {.size = 22, .pip = 3, .edge = 1, .gap = 1, .rim = 1},
    {.size = 24, .pip = 3, .edge = 1, .gap = 2, .rim = 1},
    {.size = 32, .pip = 5, .edge = 1, .gap = 2, .rim = 2},
};

QImage DrawSmallIcon(const SmallIcon& k) {
    const int s = k.size;
    QImage img(s, s, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    // The tile's rounded corners are the only smoothed edges.
    p.setRenderHint(QPainter::Antialiasing);
    const double radius = s / 6.0;
    QPainterPath tile;
    tile.addRoundedRect(QRectF(0, 0, s, s), radius, radius);
    p.fillPath(tile, QColor(104, 58, 26));
    QPainterPath felt;
    felt.addRoundedRect(QRectF(k.rim, k.rim, s - 2 * k.rim, s - 2 * k.rim), radius - k.rim, radius - k.rim);
    QLinearGradient light(0, k.rim, 0, s - k.rim);
    light.setColorAt(0, QColor(44, 150, 88));
    light.setColorAt(1, QColor(18, 96, 54));
    p.fillPath(felt, light);
    p.setRenderHint(QPainter::Antialiasing, false);

    const int die = 2 + 3 * k.pip + 2 * k.edge + 2 * k.gap;
    const int left = (s - die) / 2;  // the odd pixel, if any, takes the shadow
    const QRect body(left, left, die, die);
    p.fillRect(body.translated(1, 1), QColor(8, 52, 28));
    p.fillRect(body.adjusted(1, 1, -1, -1), QColor(252, 250, 242));
    // The outline leaves out the corner pixels, which rounds the die.
    const QColor outline(84, 70, 56);
    p.fillRect(QRect(left + 1, left, die - 2, 1), outline);
    p.fillRect(QRect(left + 1, left + die - 1, die - 2, 1), outline);
    p.fillRect(QRect(left, left + 1, 1, die - 2), outline);
    p.fillRect(QRect(left + die - 1, left + 1, 1, die - 2), outline);

    const QColor ink(24, 22, 20);
    const int first = left + 1 + k.edge, step = k.pip + k.gap;
    const QPoint pips[] = {{0, 0}, {2, 0}, {1, 1}, {0, 2}, {2, 2}};
    for (QPoint at : pips) {
        const QRect pip(first + at.x() * step, first + at.y() * step, k.pip, k.pip);
        p.fillRect(pip, ink);
        if (k.pip < 4) continue;
        // Wide pips lose their corner pixels and read as round.
        for (QPoint c : {pip.topLeft(), pip.topRight(), pip.bottomLeft(), pip.bottomRight()})
            p.fillRect(QRect(c, QSize(1, 1)), QColor(252, 250, 242));
    }
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

QImage MakeIcon(int size) {
    for (const SmallIcon& k : kSmallIcons)
        if (k.size == size) return DrawSmallIcon(k);
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QTransform canvas = QTransform::fromScale(size / 256.0, size / 256.0);
    for (const Shape& s : IconShapes()) {
        p.setTransform(s.transform * canvas);
        QPainterPath path;
        switch (s.kind) {
            case Shape::RoundRect: path.addRoundedRect(s.box, s.radius, s.radius); break;
            case Shape::Ellipse: path.addEllipse(s.box); break;
            case Shape::Polygon: {
                QPolygonF polygon;
                for (QPointF q : s.points) polygon << q;
                path.addPolygon(polygon);
                path.closeSubpath();
                break;
            }
        }
        if (s.fill.stops.size() == 1) {
            p.fillPath(path, s.fill.stops[0].colour);
        } else if (!s.fill.stops.empty()) {
            QLinearGradient g(s.fill.x1, s.fill.y1, s.fill.x2, s.fill.y2);
            g.setCoordinateMode(QGradient::ObjectMode);
            for (const Stop& stop : s.fill.stops) g.setColorAt(stop.at, stop.colour);
            p.fillPath(path, g);
        }
        if (s.stroke.isValid()) {
            QPen pen(s.stroke, s.strokeWidth);
            pen.setJoinStyle(Qt::RoundJoin);
            p.strokePath(path, pen);
        }
    }
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace quimba::assets
