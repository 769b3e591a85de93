#include "framework/canvas.h"

#include "framework/dispatch.h"
#include "framework/focus_frame.h"
#include "framework/graphics.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace fw {

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
        {
            QPainter painter(this);
            Graphics graphics(painter, event->rect());
            canvas_.Raise(Event::Paint, graphics);
        }
        DrawFocusFrame(*this, hasFocus());
    }
    void focusInEvent(QFocusEvent *event) override
    {
        update();
        QWidget::focusInEvent(event);
    }
    void focusOutEvent(QFocusEvent *event) override
    {
        update();
        QWidget::focusOutEvent(event);
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        dragFrom_ = event->position().toPoint();
        QWidget::mousePressEvent(event);
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (event->buttons() & Qt::LeftButton) {
            const QPoint at = event->position().toPoint();
            PanBy(dragFrom_.x() - at.x(), dragFrom_.y() - at.y());
            dragFrom_ = at;
        }
        QWidget::mouseMoveEvent(event);
    }
    void wheelEvent(QWheelEvent *event) override
    {
        // A notch of 120 moves three lines of 16 pixels.
        const QPoint turned = event->angleDelta();
        const bool sideways = (event->modifiers() & Qt::ShiftModifier) && turned.x() == 0;
        const int across = sideways ? turned.y() : turned.x();
        const int down = sideways ? 0 : turned.y();
        if (!PanBy(-across * 48 / 120, -down * 48 / 120))
            QWidget::wheelEvent(event);
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        constexpr int kStep = 16;
        const int x = event->key() == Qt::Key_Left ? -kStep : event->key() == Qt::Key_Right ? kStep : 0;
        const int y = event->key() == Qt::Key_Up ? -kStep : event->key() == Qt::Key_Down ? kStep : 0;
        if ((x == 0 && y == 0) || !PanBy(x, y))
            QWidget::keyPressEvent(event);
    }

private:
    // Whether there was anything to pan.
    bool PanBy(int x, int y)
    {
        if (canvas_.pannedWidth_ <= width() && canvas_.pannedHeight_ <= height())
            return false;
        canvas_.SetPan(canvas_.panX_ + x, canvas_.panY_ + y);
        return true;
    }

    Canvas &canvas_;
    QPoint dragFrom_;
};

namespace {

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

void Canvas::SetPannedSize(int width, int height)
{
    pannedWidth_ = std::max(width, 0);
    pannedHeight_ = std::max(height, 0);
    const bool pans = pannedWidth_ > Widget().width() || pannedHeight_ > Widget().height();
    Widget().setFocusPolicy(pans ? Qt::StrongFocus : Qt::NoFocus);
    Widget().setCursor(pans ? Qt::OpenHandCursor : Qt::ArrowCursor);
    SetPan(panX_, panY_);
}

void Canvas::SetPan(int x, int y)
{
    const int newX = std::clamp(x, 0, std::max(pannedWidth_ - Widget().width(), 0));
    const int newY = std::clamp(y, 0, std::max(pannedHeight_ - Widget().height(), 0));
    if (newX == panX_ && newY == panY_)
        return;
    panX_ = newX;
    panY_ = newY;
    Refresh();
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
