#pragma once

#include <QWidget>

#include "app/PatternResultView.h"

namespace stonewise {

// Paints a result's diagram: the part of the board it concerns with its stones, the moves that
// followed numbered from 1 and the last matched move marked.
class PatternDiagramView final : public QWidget {
    Q_OBJECT
public:
    explicit PatternDiagramView(QWidget* parent = nullptr);

    void setDiagram(const PatternDiagram& diagram);
    const PatternDiagram& diagram() const { return m_diagram; }
    // Where point (x, y) lies in the widget, and the distance between two lines.
    QPointF pointCentre(int x, int y) const;
    double cell() const;
    QSize sizeHint() const override { return {300, 300}; }
    QSize minimumSizeHint() const override { return {160, 160}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PatternDiagram m_diagram;
};

} // namespace stonewise
