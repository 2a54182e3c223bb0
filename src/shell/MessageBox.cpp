#include "MessageBox.h"

#include <QMessageBox>

namespace {

MessageHook& hook() {
    static MessageHook current;
    return current;
}

} // namespace

void ShowMessageBox(QWidget* parent, const QString& text) {
    if (hook()) {
        hook()(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Veltrane"), text, QMessageBox::Ok, parent);
    box.exec();
}

void SetMessageHookForTests(MessageHook newHook) {
    hook() = std::move(newHook);
}
