#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QSpinBox>
#include <QTimer>

#include <functional>
#include <vector>

// Answers the modal windows that a command opens, in the order they appear,
// from inside their own event loops, as a user would. A modal window beyond
// the planned steps is cancelled, and still recorded in `seen`.
class ModalDriver {
public:
    using Step = std::function<void(QWidget &modal)>;

    explicit ModalDriver(std::vector<Step> steps)
        : steps_(std::move(steps))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(5);
    }

    // Object names of the modal windows met ("saveDialog", "pngSettings",
    // "qt_msgbox" for a message box), in order.
    QStringList seen;
    // What each message box said.
    QStringList messages;

    static Step SaveAs(const QString &path)
    {
        return [path](QWidget &modal) {
            // Typed into the name field, as a user would: QFileDialog::accept
            // then checks it, asking before it replaces a file.
            auto &dialog = dynamic_cast<QFileDialog &>(modal);
            dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
            static_cast<QDialog &>(dialog).accept();
        };
    }
    static Step Cancel()
    {
        return [](QWidget &modal) { dynamic_cast<QDialog &>(modal).reject(); };
    }
    static Step AcceptSettings(int level)
    {
        return [level](QWidget &modal) {
            modal.findChild<QSpinBox *>(QStringLiteral("compressionLevel"))->setValue(level);
            dynamic_cast<QDialog &>(modal).accept();
        };
    }
    // Yes to the question whether to replace a file.
    static Step Confirm()
    {
        return [](QWidget &modal) { dynamic_cast<QMessageBox &>(modal).button(QMessageBox::Yes)->click(); };
    }

private:
    void Poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal->property("answered").toBool() || !modal->isVisible())
            return;
        modal->setProperty("answered", true);
        auto *box = qobject_cast<QMessageBox *>(modal);
        seen << (box ? QStringLiteral("qt_msgbox") : modal->objectName());
        if (box)
            messages << box->text();
        // A step may open the next modal window inside its own event loop,
        // and a timer is never re-entered, so each step gets a timer of its own.
        QPointer<QWidget> target(modal);
        Step step = next_ < steps_.size() ? steps_[next_++] : Cancel();
        QTimer::singleShot(0, &timer_, [target, step] {
            if (target)
                step(*target);
        });
    }

    std::vector<Step> steps_;
    std::size_t next_ = 0;
    QTimer timer_;
};
