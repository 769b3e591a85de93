#include "app/startup.h"
#include "framework/application.h"
#include "test_support.h"

#include <stdexcept>

namespace {

constexpr int kStillRunning = 99;

// Runs Main with `act` posted into its event loop; a loop that `act` does not
// end is ended with kStillRunning. Gives the shutdown's exit status.
int RunMainAndThen(const std::function<void(vantor::Window1 &)> &act)
{
    QTimer::singleShot(0, [&] { act(static_cast<vantor::Window1 &>(*fw::GetImplicitWindow("Window1"))); });
    QTimer stillRunning;
    QObject::connect(&stillRunning, &QTimer::timeout, [] { QCoreApplication::exit(kStillRunning); });
    stillRunning.start(5000);
    vantor::Main();
    return fw::RuntimeExit();
}

using QuitTest = WindowTest;

TEST_F(QuitTest, EachWayOfQuittingEndsTheProgramWithZero)
{
    const std::pair<const char *, std::function<void(vantor::Window1 &)>> ways[] = {
        {"Quit button", [](vantor::Window1 &window) { QtChild<QPushButton>(window, "btnQuit").click(); }},
        {"File > Quit", [](vantor::Window1 &window) { QtChild<QAction>(window, "FileQuit").trigger(); }},
        {"the window's close button", [](vantor::Window1 &window) { window.Close(); }},
        {"the window's close button, Sample Text open",
            [](vantor::Window1 &window) {
                QtChild<QAction>(window, "ViewSampleText").trigger();
                window.Close();
            }},
    };
    // As a real run has it: closing the last window ends the program.
    QApplication::setQuitOnLastWindowClosed(true);
    for (const auto &[way, quit] : ways) {
        EXPECT_EQ(RunMainAndThen(quit), 0) << way;
        EXPECT_EQ(fw::GetImplicitWindow("Window1"), nullptr) << way << ": the shutdown destroys the window";
        EXPECT_EQ(fw::GetImplicitWindow("SampleText"), nullptr) << way;
    }
    QApplication::setQuitOnLastWindowClosed(false);
}

TEST_F(QuitTest, AFailureThatEscapesTheEventLoopIsReportedAndTheProgramEndsWithOne)
{
    ErrorSpy errors;
    ExpectedQtMessages() << QStringLiteral("Qt has caught an exception thrown from an event handler");
    EXPECT_EQ(
        RunMainAndThen([](vantor::Window1 &) { throw std::runtime_error("start-up failed"); }), vantor::kStartupFailed);
    EXPECT_EQ(errors.messages, std::vector<std::string>{"start-up failed"});
    EXPECT_EQ(fw::GetImplicitWindow("Window1"), nullptr) << "the shutdown still ran";
}

} // namespace
