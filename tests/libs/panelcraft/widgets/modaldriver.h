#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>
#include <functional>

// Runs action on the modal dialog as soon as one shows, from inside its
// exec(). If none shows in time, every visible dialog is rejected so that a
// broken test fails instead of hanging.
inline void whenModalShown(std::function<void(QDialog*)> action, int timeoutMs = 5000)
{
    auto* timer = new QTimer;
    const QDeadlineTimer deadline(timeoutMs);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, action]() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(dialog);
        } else if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* open = qobject_cast<QDialog*>(widget); open && open->isVisible()) {
                    open->reject();
                }
            }
        }
    });
    timer->start(5);
}
