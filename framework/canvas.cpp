#include "framework/canvas.h"

#include "framework/dispatch.h"
#include "framework/graphics.h"

#include <QPainter>
#include <QWidget>

namespace fw {

namespace {

class CanvasWidget : public QWidget {
public:
    explicit CanvasWidget(Canvas &canvas)
        : canvas_(canvas)
    {
        setAutoFillBackground(true);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        Graphics graphics(painter);
        canvas_.Raise(Event::Paint, graphics);
    }

private:
    Canvas &canvas_;
};

} // namespace

Canvas::Canvas()
    : Control(new CanvasWidget(*this))
{
}

void Canvas::Run(const std::function<void()> &handler)
{
    paintFailing_ = DispatchAfterEvent(handler, !paintFailing_);
}

} // namespace fw
