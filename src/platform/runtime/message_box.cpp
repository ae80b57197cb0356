#include "platform/runtime/message_box.h"

#include <QMessageBox>
#include <QTimer>

#include "platform/runtime/scheduler.h"

namespace platform {

MessageAnswer DialogMessageBoxes::show(const QString& text, const QString& title,
                                       MessageButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, title, text,
                    buttons == MessageButtons::Ok ? QMessageBox::Ok
                                                  : QMessageBox::Ok | QMessageBox::Cancel);
    QTimer endWatch;
    QObject::connect(&endWatch, &QTimer::timeout, &box, [&] {
        if (scheduler_.hasEnded()) box.reject();
    });
    endWatch.start(50);
    const int result = box.exec();
    if (auto end = scheduler_.programEnd()) throw *end;
    return result == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

MessageAnswer ScriptedMessageBoxes::show(const QString& text, const QString& title,
                                         MessageButtons buttons) {
    shown_.push_back({text, title, buttons});
    if (auto action = std::exchange(whileOpen_, nullptr)) action();
    if (scheduler_) scheduler_->processPendingEvents();
    if (script_.empty()) return MessageAnswer::Ok;
    const MessageAnswer answer = script_.front();
    script_.pop_front();
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer;
}

}  // namespace platform
