// The live trend under the watch grid: one line per numeric slot over the
// history the core keeps, painted directly, with the value scale on the
// left and a legend of the slot names.
#pragma once

#include "comm/watch_trend.h"

#include <QColor>
#include <QWidget>

namespace k7 {

class TrendPlot : public QWidget {
    Q_OBJECT

  public:
    explicit TrendPlot(const WatchTrend& trend, QWidget* parent = nullptr);

    // The colour of the nth line; 28 colours that stay apart on white.
    static QColor LineColour(int index);
    // How many lines the last paint drew.
    int LinesPainted() const { return painted_; }

    QSize sizeHint() const override { return {560, 180}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const WatchTrend& trend_;
    int painted_ = 0;
};

} // namespace k7
