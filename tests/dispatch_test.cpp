#include "test_support.h"

#include <stdexcept>

namespace {

TEST(Dispatch, AnExceptionFromAHandlerIsReportedAndTheProgramGoesOn)
{
    ErrorSpy errors;
    fw::PushButton button;
    button.Bind(fw::Event::Action, std::function<void()>([] { throw std::runtime_error("handler failed"); }));
    static_cast<QPushButton &>(button.Widget()).click();
    static_cast<QPushButton &>(button.Widget()).click();
    fw::Dispatch([] { throw 42; });
    EXPECT_EQ(
        errors.messages, (std::vector<std::string>{"handler failed", "handler failed", "An unknown error occurred."}));
}

TEST(Dispatch, APaintErrorIsReportedAfterThePaintOnceForARunOfFailures)
{
    ErrorSpy errors;
    fw::Canvas canvas;
    bool fail = true;
    canvas.Bind(fw::Event::Paint, std::function<void(fw::Graphics &)>([&](fw::Graphics &) {
        if (fail)
            throw std::runtime_error("paint failed");
    }));
    canvas.Widget().show();
    const auto paint = [&] {
        const std::size_t before = errors.messages.size();
        canvas.Widget().repaint();
        EXPECT_EQ(errors.messages.size(), before) << "nothing is reported inside the paint";
        QCoreApplication::processEvents();
    };
    paint();
    paint();
    paint();
    EXPECT_EQ(errors.messages, std::vector<std::string>{"paint failed"});
    fail = false;
    paint();
    fail = true;
    paint();
    EXPECT_EQ(errors.messages.size(), 2u) << "a new failure after a good paint is reported again";
}

} // namespace
