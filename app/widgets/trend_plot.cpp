#include "app/widgets/trend_plot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace k7 {

TrendPlot::TrendPlot(const WatchTrend& trend, QWidget* parent) : QWidget(parent), trend_(trend) {
    setMinimumHeight(120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QColor TrendPlot::LineColour(int index) {
    // Hues spread by the golden angle, in two lightness bands, so
    // neighbouring slots never look alike.
    const int hue = (index * 137) % 360;
    return QColor::fromHsv(hue, 230, index % 2 ? 150 : 210);
}

void TrendPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics = painter.fontMetrics();
    const int legendWidth = 150;
    const QRect area = rect().adjusted(metrics.horizontalAdvance("-00000.0") + 8, 8,
                                       -legendWidth - 8, -metrics.height() - 8);
    painter.setPen(Qt::gray);
    painter.drawRect(area);
    painted_ = 0;

    const std::optional<TrendRange> range = trend_.Range();
    if (!range || area.width() < 10 || area.height() < 10) {
        painter.drawText(area, Qt::AlignCenter, tr("No numeric values yet"));
        return;
    }
    double low = range->Low, high = range->High;
    if (high - low < 1e-9) {
        low -= 1;
        high += 1;
    }
    const double span =
        std::max<double>(static_cast<double>(range->LastMs - range->FirstMs),
                         static_cast<double>(trend_.SamplesPerSeries() > 1 ? 1000 : 1));
    auto x = [&](std::int64_t time) {
        return area.left() + static_cast<double>(time - range->FirstMs) / span * area.width();
    };
    auto y = [&](double value) {
        return area.bottom() - (value - low) / (high - low) * area.height();
    };

    // The scale: high, middle and low values, and the time span.
    painter.setPen(QColor(220, 220, 220));
    for (int step = 1; step < 4; ++step) {
        const int at = area.top() + area.height() * step / 4;
        painter.drawLine(area.left() + 1, at, area.right() - 1, at);
    }
    painter.setPen(Qt::black);
    for (double value : {high, (high + low) / 2, low}) {
        const QString text = QString::number(value, 'g', 6);
        painter.drawText(
            QRectF(0, y(value) - metrics.height() / 2.0, area.left() - 4, metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, text);
    }
    const int seconds = static_cast<int>((range->LastMs - range->FirstMs) / 1000);
    painter.drawText(QRect(area.left(), area.bottom() + 4, area.width(), metrics.height()),
                     Qt::AlignLeft, tr("-%1 s").arg(seconds));
    painter.drawText(QRect(area.left(), area.bottom() + 4, area.width(), metrics.height()),
                     Qt::AlignRight, tr("now"));

    const auto& series = trend_.Series();
    for (std::size_t index = 0; index < series.size(); ++index) {
        const QColor colour = LineColour(static_cast<int>(index));
        QPainterPath path;
        bool first = true;
        for (const TrendPoint& point : series[index].Points) {
            const QPointF at(x(point.TimeMs), y(point.Value));
            if (first)
                path.moveTo(at);
            else
                path.lineTo(at);
            first = false;
        }
        painter.setPen(QPen(colour, 1.6));
        painter.drawPath(path);
        if (series[index].Points.size() == 1)
            painter.drawEllipse(path.currentPosition(), 2, 2);
        ++painted_;

        // The legend: as many names as fit beside the plot.
        const int row = static_cast<int>(index);
        const int legendTop = area.top() + row * metrics.height();
        if (legendTop + metrics.height() <= height()) {
            painter.fillRect(QRect(area.right() + 8, legendTop + metrics.height() / 2 - 2, 12, 4),
                             colour);
            painter.setPen(Qt::black);
            painter.drawText(
                QRect(area.right() + 24, legendTop, legendWidth - 20, metrics.height()),
                Qt::AlignLeft | Qt::AlignVCenter,
                metrics.elidedText(QString::fromStdString(series[index].Name), Qt::ElideRight,
                                   legendWidth - 20));
        }
    }
}

} // namespace k7
