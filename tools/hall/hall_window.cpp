#include "hall_window.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

#include "hall_messages.h"

namespace hall {

namespace {

struct FieldSpec {
    const char* label;
    const char* initial;
};

// In command-line order.
const FieldSpec kFields[HallWindow::kFieldCount] = {
    {"Account", "player1"},
    {"Password", "secret"},
    {"Game server host", "127.0.0.1"},
    {"Game server port", "7788"},
    {"Location text", "北京"},
    {"Proxy kind (0 direct, 5 SOCKS5)", "0"},
    {"Proxy host", "127.0.0.1"},
    {"Proxy port", "1080"},
    {"Proxy user", ""},
    {"Proxy password", ""},
    {"Use captions below (1 = yes)", "1"},
    {"Hall caption", "Brenmoor山庄"},
    {"Table caption", "Korvash"},
    {"Props allowed (1 = yes)", "0"},
    {"Props number", "0"},
};

constexpr int kTableCaptionField = 12;

}  // namespace

HallWindow::HallWindow(platform::Desktop* desktop, const QString& clientPath) : desktop_(desktop) {
    setWindowTitle(QStringLiteral("Brenmoor山庄"));
    auto* layout = new QVBoxLayout(this);

    auto* form = new QFormLayout;
    clientPath_ = new QLineEdit(clientPath, this);
    form->addRow(QStringLiteral("Client program"), clientPath_);
    for (int i = 0; i < kFieldCount; ++i) {
        fields_[i] = new QLineEdit(QString::fromUtf8(kFields[i].initial), this);
        form->addRow(QStringLiteral("%1. %2").arg(i + 1).arg(QString::fromUtf8(kFields[i].label)),
                     fields_[i]);
    }
    layout->addLayout(form);

    auto* start = new QPushButton(QStringLiteral("Start client"), this);
    connect(start, &QPushButton::clicked, this, [this] { startClient(); });
    layout->addWidget(start);

    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, std::uint32_t> posts[] = {{"HallMsgRelink", kHallMsgRelink},
                                                           {"HallMsgClose", kHallMsgClose},
                                                           {"HallMsgIdle", kHallMsgIdle},
                                                           {"HallMsgInGame", kHallMsgInGame}};
    for (const auto& [name, message] : posts) {
        auto* button = new QPushButton(QString::fromUtf8(name), this);
        connect(button, &QPushButton::clicked, this,
                [this, message = message] { postToTable(message); });
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);

    layout->addWidget(new QLabel(QStringLiteral("Messages"), this));
    log_ = new QListWidget(this);
    layout->addWidget(log_, 1);
    resize(560, 720);

    if (!desktop_) {
        log(QStringLiteral("No X11 display: the hall cannot exchange messages."));
        return;
    }
    const platform::WindowHandle own = desktop_->attachWindow(*this);
    previousProcedure_ = desktop_->setWindowProcedure(
        own, [this](platform::WindowHandle window, std::uint32_t message, std::int32_t wParam,
                    std::int32_t lParam) { return receive(window, message, wParam, lParam); });
}

bool HallWindow::setField(int number, const QString& text) {
    if (number < 1 || number > kFieldCount) return false;
    fields_[number - 1]->setText(text);
    return true;
}

QString HallWindow::commandLine() const {
    QString line;
    for (const QLineEdit* field : fields_) line += field->text() + QLatin1Char('$');
    return line;
}

void HallWindow::startClient() {
    const QString program = clientPath_->text();
    const QString line = commandLine();
    qint64 pid = 0;
    // One argument: the client reads its whole command line as the fields.
    if (QProcess::startDetached(program, {line}, QFileInfo(program).absolutePath(), &pid)) {
        log(QStringLiteral("started %1 (pid %2): %3").arg(program).arg(pid).arg(line));
    } else {
        log(QStringLiteral("could not start %1").arg(program));
    }
}

void HallWindow::postToTable(std::uint32_t message) {
    const QString caption = fields_[kTableCaptionField]->text();
    const platform::WindowHandle table =
        desktop_ ? desktop_->findWindow(caption) : platform::WindowHandle{};
    if (!table) {
        log(QStringLiteral("no window captioned \"%1\"; %2 not posted")
                .arg(caption, messageName(message, 0)));
        return;
    }
    desktop_->postMessage(table, message);
    log(QStringLiteral("posted %1 (0x%2) to \"%3\"")
            .arg(messageName(message, 0))
            .arg(message, 0, 16)
            .arg(caption));
}

std::int32_t HallWindow::receive(platform::WindowHandle window, std::uint32_t message,
                                 std::int32_t wParam, std::int32_t lParam) {
    log(QStringLiteral("received %1 (0x%2), wParam %3, lParam %4")
            .arg(messageName(message, wParam))
            .arg(message, 0, 16)
            .arg(wParam)
            .arg(lParam));
    // The previous procedure restores or minimises this window on a system command.
    return platform::Desktop::callWindowProcedure(previousProcedure_, window, message, wParam,
                                                  lParam);
}

void HallWindow::log(const QString& line) {
    const QString stamped =
        QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz ")) + line;
    std::fprintf(stdout, "%s\n", stamped.toUtf8().constData());
    std::fflush(stdout);
    log_->addItem(stamped);
    log_->scrollToBottom();
}

}  // namespace hall
