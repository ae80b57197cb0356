#pragma once

class QPainter;
class QRectF;

namespace forms {

class Control;

// Draws a control's own face (not its children) into a rectangle of its size, from the model.
void paintControl(QPainter& painter, const Control& control, const QRectF& rect);

}  // namespace forms
