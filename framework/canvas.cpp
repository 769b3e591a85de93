#include "framework/canvas.h"

#include "framework/dispatch.h"
#include "framework/graphics.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

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
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        Graphics graphics(painter, event->rect());
        canvas_.Raise(Event::Paint, graphics);
    }

private:
    Canvas &canvas_;
};

// A wheel turned where there is nothing to scroll up or down scrolls
// sideways: a wide, low drawing is reached with a plain mouse wheel.
class ScrollView : public QScrollArea {
protected:
    void wheelEvent(QWheelEvent *event) override
    {
        if (verticalScrollBar()->maximum() == 0) {
            QCoreApplication::sendEvent(horizontalScrollBar(), event);
            return;
        }
        QScrollArea::wheelEvent(event);
    }
};

QWidget *NewWidget(Canvas &canvas, bool scrolls)
{
    auto *drawing = new CanvasWidget(canvas);
    if (!scrolls)
        return drawing;
    auto *view = new ScrollView;
    view->setWidgetResizable(true);
    view->setWidget(drawing);
    view->setFocusPolicy(Qt::NoFocus);
    return view;
}

} // namespace

Canvas::Canvas(bool scrolls)
    : Control(NewWidget(*this, scrolls))
{
}

void Canvas::SetContentSize(int width, int height)
{
    if (auto *view = qobject_cast<QScrollArea *>(&Widget()))
        view->widget()->setMinimumSize(std::max(width, 0), std::max(height, 0));
}

void Canvas::Refresh()
{
    if (auto *view = qobject_cast<QScrollArea *>(&Widget()))
        view->widget()->update();
    else
        Widget().update();
}

void Canvas::Run(const std::function<void()> &handler)
{
    paintFailing_ = DispatchAfterEvent(handler, !paintFailing_);
}

} // namespace fw
