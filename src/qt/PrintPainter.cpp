#include "qt/PrintPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>

#include <algorithm>
#include <cmath>

#include "app/Printing.h"
#include "qt/QtText.h"

namespace stonewise {

QFont printFont(const PrintFont& font) {
    QFont f(QStringLiteral("IPAPGothic"));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.height))));
    f.setWeight(font.weight >= 700 ? QFont::Bold : QFont::Normal);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

PrintTextMeasure printMeasure(QPaintDevice* device) {
    return [device](const PrintFont& font, std::u16string_view text) {
        const QFontMetricsF metrics(printFont(font), device);
        return PrintTextSize{metrics.horizontalAdvance(qs(text)), metrics.height()};
    };
}

void paintPrintPage(QPainter& painter, const PrintPage& page, bool turned, double sheetWidth) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (turned) {
        painter.translate(sheetWidth, 0);
        painter.rotate(90);
    }
    for (const PrintOp& op : page.ops) {
        switch (op.kind) {
        case PrintOp::Kind::Line:
            painter.setPen(QPen(op.white ? Qt::white : Qt::black, op.pen, Qt::SolidLine, Qt::SquareCap));
            painter.drawLine(QPointF(op.x, op.y), QPointF(op.x2, op.y2));
            break;
        case PrintOp::Kind::Disc:
            if (op.pen > 0) painter.setPen(QPen(Qt::black, op.pen));
            else painter.setPen(Qt::NoPen);
            painter.setBrush(op.white ? Qt::white : Qt::black);
            painter.drawEllipse(QPointF(op.x, op.y), op.radius, op.radius);
            break;
        case PrintOp::Kind::Ring:
            painter.setPen(QPen(op.white ? Qt::white : Qt::black, op.pen));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QPointF(op.x, op.y), op.radius, op.radius);
            break;
        case PrintOp::Kind::Text:
            painter.setFont(printFont(op.font));
            painter.setPen(op.white ? Qt::white : Qt::black);
            painter.drawText(QRectF(op.x, op.y, op.w, op.h),
                             (op.centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop) | Qt::TextDontClip,
                             qs(op.text));
            break;
        }
    }
    painter.restore();
}

bool printOnDevice(QPagedPaintDevice& device, const PrintJob& job) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const double width = device.width();
    const double height = device.height();
    const PrintPage page = job.layout(width, height, printMeasure(&device));
    paintPrintPage(painter, page, width > height, width);
    return painter.end();
}

bool writePrintPdf(const QString& path, const PrintJob& job) {
    QPdfWriter writer(path);
    writer.setResolution(600);
    writer.setTitle(qs(job.documentName()));
    writer.setCreator(QStringLiteral("Stonewise"));
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(8, 8, 8, 8), QPageLayout::Millimeter));
    return printOnDevice(writer, job);
}

} // namespace stonewise
