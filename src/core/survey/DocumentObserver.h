#pragma once

#include <string>

namespace bramble {

// A view of the document. The document calls OnUpdate after every load
// with hint 0 (CG-3 data) or 1 (Aliod data).
class IDocumentObserver {
public:
    virtual ~IDocumentObserver() = default;
    virtual void OnUpdate(int hint) = 0;
};

// Where the core sends the short messages it has for the operator
// ("File not valid"). The app shows them in message boxes; the core never
// shows a window itself.
class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace bramble
