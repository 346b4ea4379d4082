#include "mainwnd/CopyRows.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

namespace bramble {
namespace {

// Takes the Copy keys before the view, which would copy its current cell
// alone.
class CopyRowsFilter final : public QObject {
public:
    CopyRowsFilter(QAbstractItemView* view, std::function<std::string()> text) : QObject(view), m_text(std::move(text))
    {
        view->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool shortcut = event->type() == QEvent::ShortcutOverride;
        if ((shortcut || event->type() == QEvent::KeyPress) &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            event->accept();
            if (!shortcut)
                QGuiApplication::clipboard()->setText(QString::fromStdString(m_text()));
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<std::string()> m_text;
};

}  // namespace

void InstallCopyRows(QAbstractItemView* view, std::function<std::string()> text)
{
    new CopyRowsFilter(view, std::move(text));
}

}  // namespace bramble
