#include "framework/window.h"

#include "framework/control.h"
#include "framework/dispatch.h"
#include "framework/menu.h"
#include "framework/qt_menu_bar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMetaObject>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <vector>

namespace fw {

namespace {

// The open windows are the process's, as Qt's top-level widgets are: each is
// found by its class and lives until it closes.
std::vector<std::unique_ptr<Window>> &OpenWindows()
{
    static std::vector<std::unique_ptr<Window>> windows;
    return windows;
}

void DestroyWindow(const Window *window)
{
    auto &windows = OpenWindows();
    const auto found
        = std::find_if(windows.begin(), windows.end(), [&](const auto &open) { return open.get() == window; });
    if (found == windows.end())
        return;
    // Out of the list first: the window's destruction may look for windows.
    std::unique_ptr<Window> closing = std::move(*found);
    windows.erase(found);
}

// Closing destroys the window, but not while its own event is on the stack.
// A new desktop font sizes it anew.
class WindowWidget : public QWidget {
public:
    explicit WindowWidget(Window &window)
        : window_(window)
    {
        qApp->installEventFilter(this);
    }

    std::function<void()> fit = [] {};

protected:
    void closeEvent(QCloseEvent *event) override
    {
        event->accept();
        Window *window = &window_;
        Dispatch([window] { window->Closing(); });
        // Unless it is gone by then: a window made later may have its address.
        QMetaObject::invokeMethod(
            qApp,
            [window, widget = QPointer<QWidget>(this)] {
                if (widget)
                    DestroyWindow(window);
            },
            Qt::QueuedConnection);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Queued: the fonts of widget classes follow the new font only after.
        if (watched == qApp && event->type() == QEvent::ApplicationFontChange)
            QMetaObject::invokeMethod(this, [this] { fit(); }, Qt::QueuedConnection);
        return QWidget::eventFilter(watched, event);
    }

private:
    Window &window_;
};

// The room a control showing a line of text needs beside its font's
// height, or -1 for a control that shows none: a field's frame, a push
// button's (its caption drawn whole however the style pads it).
int TextRoom(const QWidget &widget)
{
    if (qobject_cast<const QLineEdit *>(&widget) || qobject_cast<const QComboBox *>(&widget))
        return 4;
    if (qobject_cast<const QPushButton *>(&widget))
        return 2;
    if (qobject_cast<const QAbstractButton *>(&widget) || qobject_cast<const QLabel *>(&widget))
        return 0;
    return -1;
}

// How much larger than designed the controls must be for a line of text to
// fit each control that shows one.
double ScaleForText(const std::vector<std::unique_ptr<Control>> &controls)
{
    double scale = 1.0;
    for (const auto &control : controls) {
        const QWidget &widget = control->Widget();
        if (const int room = TextRoom(widget); room >= 0 && control->Height() > 0) {
            // The desktop's font, which the widget follows only after.
            const QFontMetrics metrics(QApplication::font(&widget));
            scale = std::max(scale, (metrics.height() + room) * control->Scale() / control->Height());
            // Captions whole across too.
            if (!qobject_cast<const QLineEdit *>(&widget) && !qobject_cast<const QComboBox *>(&widget))
                scale = std::max(scale, static_cast<double>(widget.sizeHint().width()) * control->Scale()
                        * metrics.height() / widget.fontMetrics().height() / std::max(control->Width(), 1));
        }
    }
    return scale;
}

} // namespace

struct Window::Impl {
    explicit Impl(Window &window)
        : widget(new WindowWidget(window))
        , layout(new QVBoxLayout(widget))
        , scroller(new QScrollArea(widget))
        , content(new QWidget)
    {
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(scroller);
        scroller->setFrameShape(QFrame::NoFrame);
        scroller->setFocusPolicy(Qt::NoFocus); // Tab goes round the controls only
        scroller->setWidgetResizable(true);
        scroller->setWidget(content);
        widget->fit = [&window] { window.Fit(); };
    }

    WindowWidget *widget;
    QVBoxLayout *layout;
    QScrollArea *scroller; // scrolls only where the screen is too small
    QWidget *content;
    std::vector<std::unique_ptr<Control>> controls;
};

Window::Window(std::string className)
    : className_(std::move(className))
    , impl_(std::make_unique<Impl>(*this))
{
}

Window::~Window()
{
    // Each control deletes its own widget, before the window's widget could.
    impl_->controls.clear();
    delete impl_->widget;
}

void Window::SetTitle(const std::string &title)
{
    impl_->widget->setWindowTitle(QString::fromStdString(title));
}

void Window::SetSize(int width, int height)
{
    width_ = width;
    height_ = height;
    Fit();
}

void Window::Fit()
{
    if (width_ <= 0 || height_ <= 0)
        return;
    scale_ = ScaleForText(impl_->controls);
    for (const auto &control : impl_->controls)
        control->SetScale(scale_);
    const QSize content(
        static_cast<int>(std::lround(width_ * scale_)), static_cast<int>(std::lround(height_ * scale_)));
    impl_->content->setFixedSize(content);
    // The screen's room less the title bar, which only a shown window knows.
    const QRect room = impl_->widget->screen()->availableGeometry();
    const int frame = impl_->widget->isVisible()
        ? impl_->widget->frameGeometry().height() - impl_->widget->geometry().height()
        : impl_->widget->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QMenuBar *bar = qobject_cast<QMenuBar *>(impl_->layout->menuBar());
    const int barHeight = bar ? bar->sizeHint().height() : 0;
    const QSize fits(room.width(), room.height() - frame - barHeight);
    QWidget &widget = *impl_->widget;
    if (content.width() <= fits.width() && content.height() <= fits.height()) {
        impl_->scroller->setFixedSize(content);
        widget.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        impl_->layout->setSizeConstraint(resizeable_ ? QLayout::SetDefaultConstraint : QLayout::SetFixedSize);
        SetFlags(resizeable_);
        return;
    }
    // Larger than the screen: as large as the screen allows, and no larger
    // than the content; every control is reached by scrolling.
    const QSize whole = content
        + QSize(impl_->scroller->verticalScrollBar()->sizeHint().width(),
            impl_->scroller->horizontalScrollBar()->sizeHint().height());
    impl_->layout->setSizeConstraint(QLayout::SetDefaultConstraint);
    impl_->scroller->setMinimumSize(1, 1);
    impl_->scroller->setMaximumSize(whole);
    widget.setMaximumSize(whole.width(), whole.height() + barHeight);
    widget.resize(std::min(whole.width(), fits.width()), std::min(whole.height(), fits.height()) + barHeight);
    SetFlags(true);
}

void Window::SetFlags(bool resizeable)
{
    Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
        | Qt::WindowCloseButtonHint;
    if (resizeable)
        flags |= Qt::WindowMaximizeButtonHint;
    else
        flags |= Qt::CustomizeWindowHint;
    QWidget &widget = *impl_->widget;
    if (widget.windowFlags() == flags)
        return;
    // New flags hide a shown window.
    const bool shown = widget.isVisible();
    widget.setWindowFlags(flags);
    if (shown)
        widget.show();
}

void Window::SetResizeable(bool resizeable)
{
    resizeable_ = resizeable;
    impl_->layout->setSizeConstraint(resizeable ? QLayout::SetDefaultConstraint : QLayout::SetFixedSize);
    SetFlags(resizeable);
}

void Window::SetInitialSize(int width, int height)
{
    impl_->widget->resize(width, height);
}

void Window::SetMenuBar(fw::MenuBar *menuBar)
{
    if (menuBar == menuBar_)
        return;
    delete impl_->layout->menuBar();
    menuBar_ = menuBar;
    impl_->layout->setMenuBar(menuBar ? BuildQtMenuBar(*menuBar, impl_->widget) : nullptr);
}

void Window::AddControl(const std::string &name, std::unique_ptr<Control> control)
{
    NotNil(control.get());
    if (FindControl(name))
        throw std::invalid_argument("A control named " + name + " already exists");
    control->SetName(name);
    control->Widget().setParent(impl_->content);
    impl_->controls.push_back(std::move(control));
}

int Window::ControlCount() const
{
    return static_cast<int>(impl_->controls.size());
}

Control &Window::ControlAt(int index) const
{
    if (index < 0 || index >= ControlCount())
        throw OutOfBoundsException("Control index out of range");
    return *impl_->controls[static_cast<std::size_t>(index)];
}

void Window::LayOutInRows(const std::vector<std::vector<std::string_view>> &rows, std::string_view stretching)
{
    auto *column = new QVBoxLayout(impl_->content);
    for (const auto &names : rows) {
        auto *row = new QHBoxLayout;
        bool stretches = false;
        for (const std::string_view name : names) {
            row->addWidget(&Find<Control>(name).Widget(), name == stretching ? 1 : 0);
            stretches = stretches || name == stretching;
        }
        column->addLayout(row, stretches ? 1 : 0);
    }
}

void Window::SetFocusOrder(std::span<const std::string_view> names)
{
    // Qt leaves out of the order a widget that takes no focus now, as a
    // preview does until it can be panned: each is linked as one that does.
    std::vector<QWidget *> unfocused;
    QWidget *previous = nullptr;
    for (const std::string_view name : names) {
        QWidget *next = &Find<Control>(name).Widget();
        if (next->focusPolicy() == Qt::NoFocus) {
            next->setFocusPolicy(Qt::TabFocus);
            unfocused.push_back(next);
        }
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    }
    for (QWidget *widget : unfocused)
        widget->setFocusPolicy(Qt::NoFocus);
}

Control *Window::FindControl(std::string_view name) const
{
    for (const auto &control : impl_->controls) {
        if (control->Name() == name)
            return control.get();
    }
    return nullptr;
}

void Window::Close()
{
    impl_->widget->close();
}

void Window::CloseOnEscape()
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Close);
    keys << QKeySequence(Qt::Key_Escape);
    // A key twice would make the shortcut ambiguous, and then it never fires.
    if (const QKeySequence ctrlW(Qt::ControlModifier | Qt::Key_W); !keys.contains(ctrlW))
        keys << ctrlW;
    auto *shortcut = new QShortcut(impl_->widget);
    shortcut->setKeys(keys);
    QObject::connect(shortcut, &QShortcut::activated, impl_->widget, [this] { Close(); });
}

void Window::Activate(std::string_view focused)
{
    impl_->widget->show();
    impl_->widget->raise();
    impl_->widget->activateWindow();
    Find<Control>(focused).Widget().setFocus();
}

QWidget &Window::Widget() const
{
    return *impl_->widget;
}

Window &BuildWindow(std::unique_ptr<Window> window)
{
    Window &opened = NotNil(window.get());
    OpenWindows().push_back(std::move(window));
    try {
        opened.Layout();
        opened.CreateControls();
        opened.Fit();
    } catch (...) {
        // A half-built window is never left open as the class's instance.
        DestroyWindow(&opened);
        throw;
    }
    return opened;
}

Window &OpenWindow(std::unique_ptr<Window> window)
{
    Window &opened = BuildWindow(std::move(window));
    for (int i = 0; i < opened.ControlCount(); ++i)
        opened.ControlAt(i).Raise(Event::Open);
    opened.Widget().show();
    return opened;
}

Window *GetImplicitWindow(std::string_view className)
{
    for (const auto &window : OpenWindows()) {
        if (window->ClassName() == className)
            return window.get();
    }
    return nullptr;
}

void RaiseInstalledFontsChanged()
{
    // A handler may open or close windows: those open now, while they are.
    std::vector<Window *> open;
    for (const auto &window : OpenWindows())
        open.push_back(window.get());
    for (Window *window : open) {
        const auto &windows = OpenWindows();
        if (std::any_of(windows.begin(), windows.end(), [window](const auto &w) { return w.get() == window; }))
            Dispatch([window] { window->InstalledFontsChanged(); });
    }
}

void DestroyAllWindows()
{
    while (!OpenWindows().empty())
        DestroyWindow(OpenWindows().back().get());
}

} // namespace fw
