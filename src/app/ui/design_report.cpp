#include "app/ui/design_report.h"

#include "app/design_report_text.h"
#include "app/version.h"
#include "charts/ui/chart_painter.h"
#include "charts/ui/chart_render.h"
#include "editor/parts_table.h"
#include "editor/schematic_layout.h"
#include "editor/ui/schematic_painter.h"
#include "foundation/number_text.h"
#include "optimizer/opti_settings.h"

#include <QDate>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string_view>

namespace tavrel {

namespace {

/// The charts of the report, as the command line names them, with their captions.
constexpr std::pair<const char*, const char*> ReportCharts[] = {
    {"response", "Frequency response and the impedance at each amplifier"},
    {"directions-left", "Frequency response in the horizontal directions"},
    {"directions-up", "Frequency response in the vertical directions"},
    {"voltage", "Effective voltage at the drivers"},
    {"maxspl", "Maximum SPL"},
    {"excursion", "Excursion"},
    {"groupdelay", "Group delay"},
    {"step", "Step response"},
};

/// Draws top to bottom, starting a new page when the next block does not fit. Coordinates are
/// in points (1/72 inch) of a 72 dpi device, so text and pictures keep their size.
class ReportPages {
public:
    ReportPages(QPdfWriter& writer, QPainter& painter)
        : m_writer(writer), m_painter(painter),
          m_width(writer.pageLayout().paintRect(QPageLayout::Point).width()),
          m_height(writer.pageLayout().paintRect(QPageLayout::Point).height()) {}

    double width() const { return m_width; }

    void text(const std::string& line, double points = 9, bool bold = false) {
        QFont font("Helvetica", 1);
        font.setPointSizeF(points);
        font.setBold(bold);
        m_painter.setFont(font);
        const QString text = QString::fromLatin1(line);
        const QRectF bound =
            m_painter.boundingRect(QRectF(0, 0, m_width, 1000), Qt::TextWordWrap, text);
        const double height = std::max(points * 1.5, bound.height() + points * 0.5);
        room(height);
        m_painter.drawText(QRectF(0, m_y, m_width, height),
                           Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text);
        m_y += height;
    }

    void heading(const std::string& line) {
        room(60); // a heading never ends a page
        m_y += 6;
        text(line, 13, true);
    }

    /// A table row: cells at the given x positions (points), small type.
    void row(const TableRow& cells, const std::vector<double>& x, bool bold, bool red) {
        QFont font("Helvetica", 1);
        font.setPointSizeF(6.5);
        font.setBold(bold);
        m_painter.setFont(font);
        room(10);
        m_painter.setPen(red ? Qt::red : Qt::black);
        for (std::size_t c = 0; c < cells.size() && c < x.size(); ++c) {
            const double right = c + 1 < x.size() ? x[c + 1] : m_width;
            m_painter.drawText(QRectF(x[c], m_y, right - x[c] - 2, 10),
                               Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(cells[c]));
        }
        m_painter.setPen(Qt::black);
        m_y += 10;
    }

    /// A picture `height` points high drawn by `paint` into the rectangle it gets.
    template <typename Paint>
    void picture(double height, const Paint& paint) {
        room(height);
        paint(QRectF(0, m_y, m_width, height));
        m_y += height + 6;
    }

    void room(double height) {
        if (m_y + height > m_height && m_y > 0) {
            m_writer.newPage();
            m_y = 0;
        }
    }

private:
    QPdfWriter& m_writer;
    QPainter& m_painter;
    double m_width, m_height;
    double m_y = 0;
};

void writeParts(ReportPages& pages, const TProjekt& project, const TResult& result, double volts) {
    pages.heading("Parts list at " + FloatToWidth(6, volts) + " V rms input");
    const NetworkLoads loads = ComputeLoads(project, result, volts);
    TableRow header = PartsTableHeader();
    header.pop_back(); // Quantity: the builder's count, not the design's
    std::vector<double> x;
    const double widths[] = {4, 5, 4, 3, 9, 6, 6, 6, 6, 6, 6, 6, 6, 9};
    double sum = 0;
    for (double w : widths) {
        sum += w;
    }
    double at = 0;
    for (double w : widths) {
        x.push_back(at);
        at += w / sum * pages.width();
    }
    pages.text("Voltages V in V rms, currents I in A rms, powers P in W; sine: the largest over "
               "frequency, pink: pink noise of the same rms level; coil resistance in ohm.");
    pages.row({"Amp", "Part", "Value", "Unit", "Comment", "Coil R", "V sine", "V pink", "I sine",
               "I pink", "P sine", "P pink", "Peak Hz", "Rating"},
              x, true, false);
    const std::vector<TableRow> rows = PartsTableRows(project, loads, 1);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const bool red = r < loads.parts.size() ? loads.parts[r].overComment : false;
        pages.row(rows[r], x, false, red);
    }
}

bool showsReference(const TVChart& chart) {
    for (int slot = 0; slot < TVChart::CurveSlots; ++slot) {
        const ChartCurve& curve = chart.curves[TVChart::ReferenceOffset + slot];
        if (curve.visible && curve.count > 0) {
            return true;
        }
    }
    return false;
}

void writeCharts(ReportPages& pages, QPainter& painter, const TProjekt& project,
                 const TResult& result, const TJudgement& judgement, const TVChart* response) {
    pages.heading("Charts");
    const QImage none;
    for (const auto& chartAndCaption : ReportCharts) {
        // Plain names, not a structured binding: the lambda below captures the chart's name.
        const char* name = chartAndCaption.first;
        const char* caption = chartAndCaption.second;
        const bool withReference = response != nullptr && std::string_view(name) == "response" &&
                                   showsReference(*response);
        pages.room(15 + pages.width() * 0.55); // the caption stays with its chart
        pages.text(std::string(caption) + (withReference ? ", with the reference (dotted)" : ""),
                   10, true);
        pages.picture(pages.width() * 0.55, [&](const QRectF& rect) {
            // Charts are laid out for screen pixels: draw at 96 dpi size, scaled to the page.
            const QRect pixels(0, 0, 1000, 550);
            painter.save();
            painter.translate(rect.topLeft());
            painter.scale(rect.width() / pixels.width(), rect.height() / pixels.height());
            if (withReference) {
                auto chart = std::make_unique<TVChart>(*response);
                PaintChart(painter, *chart, pixels, none);
            } else {
                PaintNamedChart(painter, pixels, name, result, project, none, nullptr);
            }
            painter.restore();
        });
    }
    pages.heading("Judgement (lower is better)");
    for (const QString& line : QString::fromStdString(JudgementText(judgement)).split('\n')) {
        if (!line.isEmpty()) {
            pages.text(line.toStdString());
        }
    }
}

void writeReport(ReportPages& pages, QPainter& painter, const TProjekt& project,
                 const TResult& result, const TJudgement& judgement,
                 const DesignReportInput& input) {
    pages.text(input.name, 18, true);
    pages.text(result.Comment1.str(), 10); // as the charts show it, a "<d>" made the date
    pages.text(result.Comment2.str(), 10);
    pages.text("Made " + QDate::currentDate().toString(Qt::ISODate).toStdString() +
                   " with Tavrel " + ProgramVersion,
               8);
    if (!input.errors.empty()) {
        pages.heading("The calculation reported errors");
        for (const std::string& error : input.errors) {
            pages.text(error);
        }
    }
    pages.heading("Drivers");
    for (const auto& lines : ReportDriverLines(project)) {
        pages.text(lines.front(), 10, true);
        for (std::size_t i = 1; i < lines.size(); ++i) {
            pages.text(lines[i]);
        }
    }
    for (int a = 0; a < AmpCount(project); ++a) {
        pages.heading("Amplifier " + std::to_string(a + 1));
        pages.text(ReportFilterLine(project, a));
        const EditorWindowSize size = SchematicPictureSize(MetricsForSize(1));
        const double height = pages.width() * size.height / size.width;
        pages.picture(height, [&](const QRectF& rect) {
            painter.save();
            painter.translate(rect.topLeft());
            painter.scale(rect.width() / size.width, rect.height() / size.height);
            PaintSchematicPicture(painter, project, a, 1, {{true, LabelMode::RValue}, false});
            painter.restore();
        });
    }
    if (input.errors.empty()) {
        writeParts(pages, project, result, input.volts);
        writeCharts(pages, painter, project, result, judgement, input.responseChart);
    }
}

} // namespace

std::string WriteDesignReport(const std::string& path, const TProjekt& project,
                              const TResult& result, const TJudgement& judgement,
                              const DesignReportInput& input) {
    const std::string temporary = path + ".tmp~";
    {
        QPdfWriter writer(QString::fromStdString(temporary));
        writer.setResolution(72);
        writer.setTitle(QString::fromStdString("Tavrel design report: " + input.name));
        writer.setCreator(QString("Tavrel %1").arg(ProgramVersion));
        writer.setPageSize(QPageSize(input.letter ? QPageSize::Letter : QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        QPainter painter;
        if (!painter.begin(&writer)) {
            std::filesystem::remove(temporary);
            return "Cannot write " + path;
        }
        ReportPages pages(writer, painter);
        writeReport(pages, painter, project, result, judgement, input);
        painter.end();
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return "Cannot write " + path;
    }
    return {};
}

} // namespace tavrel
