#pragma once

#include <QPointer>
#include <QWidget>

#include "survey/DocumentObserver.h"

namespace bramble {

// Shows the core's messages ("File not valid") in a message box with an OK
// button and no icon. The box opens from the event loop, after the caller
// has finished: a reader that reports a bad file has then already
// refreshed the views, so nothing paints a survey that is gone.
class MessageBoxSink final : public IMessageSink {
public:
    explicit MessageBoxSink(QWidget* parent) : m_pParent(parent) { }
    void ShowMessage(const std::string& text) override;

private:
    QPointer<QWidget> m_pParent;
};

}  // namespace bramble
