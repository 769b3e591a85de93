#include "framework/window.h"

#include "framework/control.h"
#include "framework/dispatch.h"
#include "framework/menu.h"
#include "framework/qt_menu_bar.h"
#include "framework/window_fit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMetaObject>
#include <QPointer>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
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
    if (width_ > 0 && height_ > 0)
        scale_ = FitWindow({*impl_->widget, *impl_->layout, *impl_->scroller, *impl_->content}, impl_->controls,
            {width_, height_}, resizeable_);
}

void Window::SetResizeable(bool resizeable)
{
    resizeable_ = resizeable;
    impl_->layout->setSizeConstraint(resizeable ? QLayout::SetDefaultConstraint : QLayout::SetFixedSize);
    SetWindowFlags(*impl_->widget, resizeable);
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
