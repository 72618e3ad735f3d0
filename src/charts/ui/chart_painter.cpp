#include "charts/ui/chart_painter.h"

#include "charts/jpeg_decoder.h"
#include "foundation/ui/store_text.h"

#include <QDir>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <variant>

namespace tavrel {

QtTextMetrics::QtTextMetrics(QPaintDevice* device) : m_device(device) {}

int QtTextMetrics::textWidth(std::string_view text, const FontSpec& font) const {
    return QFontMetrics(ChartFont(font), m_device).horizontalAdvance(FromStoreText(text));
}

int QtTextMetrics::textHeight(const FontSpec& font) const {
    return QFontMetrics(ChartFont(font), m_device).height();
}

QFont ChartFont(const FontSpec& spec) {
    QFont font;
    font.setPointSize(spec.pointSize > 0 ? spec.pointSize : 1);
    font.setBold(spec.bold);
    return font;
}

QColor ToQColor(Colour colour) {
    return QColor(static_cast<int>(RedOf(colour)), static_cast<int>(GreenOf(colour)),
                  static_cast<int>(BlueOf(colour)));
}

Colour FromQColor(const QColor& colour) {
    return MakeColour(static_cast<std::uint32_t>(colour.red()),
                      static_cast<std::uint32_t>(colour.green()),
                      static_cast<std::uint32_t>(colour.blue()));
}

QPen ToQPen(const Pen& pen) {
    QPen result(ToQColor(pen.colour));
    result.setWidth(pen.width);
    static constexpr Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DotLine, Qt::DashLine};
    result.setStyle(styles[static_cast<int>(pen.style)]);
    return result;
}

namespace {

QPoint toQPoint(PixelPoint p) {
    return {p.x, p.y};
}

QRect toQRect(const PixelRect& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
}

/// Draws one item; a visitor so that every kind of item has exactly one drawing rule.
class ItemPainter {
public:
    ItemPainter(QPainter& painter, const QImage& placeholder)
        : m_painter(painter), m_placeholder(placeholder) {}

    void operator()(const FillItem& item) const {
        m_painter.fillRect(toQRect(item.rect), ToQColor(item.colour));
    }
    void operator()(const LineItem& item) const {
        m_painter.setPen(ToQPen(item.pen));
        m_painter.drawLine(toQPoint(item.from), toQPoint(item.to));
    }
    void operator()(const PolylineItem& item) const {
        QPolygon polygon;
        polygon.reserve(static_cast<qsizetype>(item.points.size()));
        for (PixelPoint p : item.points) {
            polygon.append(toQPoint(p));
        }
        m_painter.setPen(ToQPen(item.pen));
        m_painter.drawPolyline(polygon);
    }
    void operator()(const AreaItem& item) const {
        QPolygon polygon;
        for (PixelPoint p : item.points) {
            polygon.append(toQPoint(p));
        }
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(ToQColor(item.colour));
        m_painter.drawPolygon(polygon);
        m_painter.setBrush(Qt::NoBrush);
    }
    void operator()(const CircleItem& item) const {
        m_painter.setPen(ToQPen(item.pen));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawEllipse(toQPoint(item.centre), item.radius, item.radius);
    }
    void operator()(const TextItem& item) const {
        if (item.text.empty()) {
            return;
        }
        const QFont font = ChartFont(item.font);
        const QFontMetrics metrics(font, m_painter.device());
        const QString text = FromStoreText(item.text);
        const int width = metrics.horizontalAdvance(text);
        int x = item.anchor.x;
        if (item.hAlign == HAlign::Centre) {
            x -= width / 2;
        } else if (item.hAlign == HAlign::Right) {
            x -= width;
        }
        const int top =
            item.vAlign == VAlign::Centre ? item.anchor.y - metrics.height() / 2 : item.anchor.y;
        m_painter.setFont(font);
        m_painter.setPen(ToQColor(item.colour));
        m_painter.drawText(QPoint(x, top + metrics.ascent()), text);
    }
    void operator()(const PictureItem& item) const {
        if (!m_placeholder.isNull()) {
            m_painter.drawImage(toQRect(item.target), m_placeholder);
        }
    }

private:
    QPainter& m_painter;
    const QImage& m_placeholder;
};

} // namespace

void PaintDisplayList(QPainter& painter, const DisplayList& list, const QImage& placeholder) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const ItemPainter draw(painter, placeholder);
    for (const DrawItem& item : list.items) {
        std::visit(draw, item);
    }
    if (!list.error.empty()) {
        QRect area = painter.window();
        if (!list.items.empty()) {
            if (const auto* fill = std::get_if<FillItem>(&list.items.front())) {
                area = toQRect(fill->rect);
            }
        }
        painter.setPen(Qt::red);
        painter.drawText(area, Qt::AlignCenter, FromStoreText(list.error));
    }
    painter.restore();
}

namespace {

PixelRect toPixelRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.right(), rect.bottom()};
}

} // namespace

void PaintChart(QPainter& painter, TVChart& chart, const QRect& rect, const QImage& placeholder) {
    const QtTextMetrics metrics(painter.device());
    const PictureSize picture = placeholder.isNull()
                                    ? PictureSize{}
                                    : PictureSize{placeholder.width(), placeholder.height()};
    const DisplayList list = chart.Paint(toPixelRect(rect), metrics, picture);
    PaintDisplayList(painter, list, placeholder);
}

void PaintPolarPair(QPainter& painter, TVPolar& horizontal, TVPolar& vertical, const QRect& rect) {
    const QtTextMetrics metrics(painter.device());
    const int left = rect.left();
    const int top = rect.top();
    const int width = rect.width();
    const int height = rect.height();
    const QImage none;
    PaintDisplayList(painter, horizontal.Paint(left, top + height, left + width / 2, top, metrics),
                     none);
    PaintDisplayList(
        painter, vertical.Paint(left + (width + 1) / 2, top + height, left + width, top, metrics),
        none);
}

QImage LoadPlaceholderPicture(const QString& dataDirectory, QString* error) {
    const QString path = QDir(dataDirectory).filePath(QString::fromLatin1(PlaceholderFileName));
    const DecodedImage decoded = DecodeJpegFile(path.toStdString());
    if (!decoded.ok) {
        if (error != nullptr) {
            *error = QString::fromStdString(decoded.error);
        }
        return {};
    }
    const QImage view(decoded.rgb.data(), decoded.width, decoded.height, decoded.width * 3,
                      QImage::Format_RGB888);
    return view.copy(); // the decoded bytes go away with `decoded`
}

} // namespace tavrel
